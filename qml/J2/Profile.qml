import QtQuick
import QtQml.Models
import modules.qml
import "ProfileLogic.js" as ProfileLogic
import "RootParts.js" as RootParts

// Named profiles: at most six rows, each tied to one profile file by its
// own profileNo. The rows are also the entries of the title-bar list.
Rectangle {
    id: profile

    property var mainRoot: null
    // The active profile's number; -1 until the root screen sets it.
    property int profileNo: -1
    property alias profileDataModel0: profileRows
    property alias profileList: rowList
    // The row being renamed, or -1.
    property int editRow: -1
    readonly property int activeRow: rowOfNumber(profileNo)
    property var profileLang: ["config", "New", "Import", "Delete", "Export", "Standard",
        "", "", "", "", "", "", "", "", "", "", "", "", "", ""]

    // Per-program rules: profile number -> blank-separated window classes,
    // and the row used when no rule matches.
    property var programsByNo: ({})
    property int fallbackNo: 0
    property bool appProfilesAvailable: true
    // What the desktop lacks when they are unavailable (an English text).
    property string appProfilesReason: ""
    // Row whose programs are being edited, or -1.
    property int programsRow: -1

    // The parts that open over the page, each with the way it closes.
    readonly property var keyPanels: [[rowMenu, () => profile.profileFocus()],
                                      [programsEditor, () => programsEditor.rejected()]]

    signal changeProfile(int tmpProfileNo)
    signal listViewFocus()

    component PanelButton: TextButton {
        id: button
        normalColor: Theme.colorGray0
        border.color: Theme.colorGray1
        Accessible.role: Accessible.Button
        Accessible.name: text
    }

    function backend() {
        return mainRoot ? mainRoot.backend() : null
    }

    function rows() {
        return ProfileLogic.rowsOfModel(profileRows)
    }

    function rowOfNumber(no) {
        // Depends on the count so that bindings follow the list.
        return profileRows.count >= 0 ? ProfileLogic.rowOfNumber(rows(), no) : -1
    }

    // The profile number of the entry at position, as the title-bar list
    // reports positions.
    function profileNoAt(position) {
        if (position < 0 || position >= profileRows.count)
            return -1
        return profileRows.get(position).profileNo
    }

    // A text of the language file, or the built-in one while the file has none.
    function langOr(index, text) {
        return profileLang[index] ? profileLang[index] : text
    }

    function loadAppRules() {
        var view = backend()
        var ctl = mainRoot && typeof mainRoot.controller === "function" ? mainRoot.controller() : null
        appProfilesAvailable = !!ctl && typeof ctl.appProfilesAvailable === "function"
                               && ctl.appProfilesAvailable()
        appProfilesReason = !appProfilesAvailable && !!ctl
                            && typeof ctl.appProfilesUnavailableReason === "function"
                            ? ctl.appProfilesUnavailableReason() : ""
        var map = {}
        for (var no = 0; no < ProfileLogic.maxRows; ++no)
            map[no] = view ? ProfileLogic.programsText(view.getGlobalData(ProfileLogic.programsKey(no))) : ""
        programsByNo = map
        fallbackNo = ProfileLogic.fallbackOf(view ? view.getGlobalData(ProfileLogic.fallbackKey) : 0)
    }

    function programsOf(no) {
        var text = programsByNo[no]
        return text === undefined ? "" : text
    }

    // Stores the programs of a row and, when asked, makes it the fallback; a
    // row that stops being the fallback hands it back to the first row.
    function setPrograms(row, text, isFallback) {
        if (row < 0 || row >= profileRows.count)
            return
        var no = profileRows.get(row).profileNo
        var view = backend()
        var programs = ProfileLogic.programsText(text)
        var fallback = isFallback ? no : (fallbackNo === no ? profileRows.get(0).profileNo : fallbackNo)
        if (view) {
            view.setGlobalData(ProfileLogic.programsKey(no), programs)
            view.setGlobalData(ProfileLogic.fallbackKey, fallback)
        }
        var map = Object.assign({}, programsByNo)
        map[no] = programs
        programsByNo = map
        fallbackNo = fallback
    }

    // A profile number without its row keeps no rules for the next row that takes it.
    function clearPrograms(no) {
        var view = backend()
        if (view && programsOf(no) !== "")
            view.setGlobalData(ProfileLogic.programsKey(no), "")
        var map = Object.assign({}, programsByNo)
        map[no] = ""
        programsByNo = map
        if (fallbackNo === no) {
            fallbackNo = profileRows.count > 0 ? profileRows.get(0).profileNo : 0
            if (view)
                view.setGlobalData(ProfileLogic.fallbackKey, fallbackNo)
        }
    }

    function openPrograms() {
        profileFocus()
        // The desktop may have stopped telling since (a lost connection).
        loadAppRules()
        var row = Math.max(0, rowList.currentIndex)
        if (row >= profileRows.count)
            return
        programsRow = row
        var no = profileRows.get(row).profileNo
        programsEditor.open(profileRows.get(row).textValue, programsOf(no), fallbackNo === no)
    }

    function closePrograms(save) {
        if (programsRow < 0)
            return
        if (save && appProfilesAvailable)
            setPrograms(programsRow, programsEditor.programs, programsEditor.isFallback)
        programsRow = -1
        programsEditor.visible = false
    }

    function modifyProfileData() {
        var view = backend()
        if (view)
            view.updataNameList(2, ProfileLogic.namesOfRows(rows()))
    }

    function init() {
        rowMenu.deleteText = profileLang[3]
        rowMenu.exportText = profileLang[4]
        var view = backend()
        var stored = ProfileLogic.rowsOfNames(view ? view.getNameList(2) : [])
        profileRows.clear()
        for (var i = 0; i < stored.length; ++i)
            profileRows.append(stored[i])
        if (profileRows.count === 0)
            profileRows.append({ "textValue": profileLang[5], "profileNo": 0 })
        rowList.currentIndex = Math.max(0, activeRow)
        profileRows.setProperty(0, "textValue", profileLang[5])
        modifyProfileData()
        loadAppRules()
    }

    // Appends a row with the first free name and number; false with six rows.
    function appendRow() {
        if (profileRows.count >= ProfileLogic.maxRows)
            return false
        var current = rows()
        profileRows.append({ "textValue": ProfileLogic.freeName(current),
                             "profileNo": ProfileLogic.freeNumber(current) })
        rowList.currentIndex = profileRows.count - 1
        modifyProfileData()
        return true
    }

    function newProfile() {
        profileFocus()
        if (!appendRow())
            return
        var no = profileRows.get(profileRows.count - 1).profileNo
        clearPrograms(no)
        var view = backend()
        if (view)
            view.resetProfile(no)
    }

    // With six rows the file goes into the selected row's profile.
    function importProfile() {
        profileFocus()
        appendRow()
        var row = Math.max(0, rowList.currentIndex)
        var no = profileRows.get(row).profileNo
        var view = backend()
        // The pages show the active profile: an import into it reloads them.
        if (view && view.loadProfile(no) && no === profileNo)
            changeProfile(no)
    }

    function canDelete(row) {
        return row > 0 && row < profileRows.count && profileRows.get(row).profileNo !== profileNo
    }

    function deleteRow(row) {
        rowMenu.visible = false
        if (!canDelete(row))
            return
        var no = profileRows.get(row).profileNo
        profileRows.remove(row)
        clearPrograms(no)
        rowList.currentIndex = Math.max(0, activeRow)
        modifyProfileData()
        syncTitleBar()
    }

    function exportRow(row) {
        rowMenu.visible = false
        var view = backend()
        if (view && row >= 0 && row < profileRows.count)
            view.saveProfile(profileRows.get(row).profileNo)
    }

    function openMenu(row, x, y) {
        commitRename()
        rowList.currentIndex = row
        rowMenu.row = row
        rowMenu.x = Math.min(x, profile.width - rowMenu.width)
        rowMenu.y = Math.min(y, profile.height - rowMenu.height)
        rowMenu.visible = true
    }

    function startRename(row) {
        commitRename()
        rowMenu.visible = false
        rowList.currentIndex = row
        editRow = row
    }

    // The new name is taken when it is not empty, holds no list separator
    // and no other row has it.
    function rename(row, name) {
        if (row < 0 || row >= profileRows.count)
            return false
        if (!ProfileLogic.renameAllowed(rows(), row, name))
            return false
        if (profileRows.get(row).textValue === name)
            return true
        profileRows.setProperty(row, "textValue", name)
        modifyProfileData()
        return true
    }

    function commitRename() {
        if (editRow < 0)
            return
        var row = editRow
        editRow = -1
        rename(row, renameField.text)
    }

    function profileFocus() {
        listViewFocus()
        rowMenu.visible = false
    }

    // A left press selects the row, a right press opens its menu there.
    function pressRow(index, button, px, py) {
        if (index < 0)
            return
        if (editRow !== index)
            commitRename()
        if (button === Qt.RightButton) {
            var at = rowList.mapToItem(profile, px, py)
            openMenu(index, at.x, at.y)
        } else {
            rowMenu.visible = false
            rowList.currentIndex = index
        }
    }

    function close() {
        closePrograms(false)
        visible = false
        profileFocus()
        if (mainRoot) {
            mainRoot.maskVisible = false
            mainRoot.closeProfileList()
        }
    }

    // The title-bar list shows the active profile's row.
    function syncTitleBar() {
        var up = RootParts.find(mainRoot, "upItem")
        if (up && up.profileBtn && activeRow >= 0)
            up.profileBtn.currentSelect = activeRow
    }

    onListViewFocus: commitRename()
    // After the root screen's own choice of entry at start.
    onProfileNoChanged: titleBarSync.restart()

    width: 415
    height: 288
    color: Theme.colorGray0

    ListModel { id: profileRows }

    Timer {
        id: titleBarSync
        interval: 0
        onTriggered: profile.syncTitleBar()
    }

    // The panel moves with its background and stays inside the window.
    DragArea {
        anchors.fill: parent
        onPressed: profile.profileFocus()
        onDragged: (dx, dy) => {
            var area = profile.parent
            profile.x = Math.max(0, Math.min(area.width - profile.width, profile.x + dx))
            profile.y = Math.max(0, Math.min(area.height - profile.height, profile.y + dy))
        }
    }

    PanelTitle {
        title: profile.profileLang[0]
        onCloseClicked: profile.close()
    }

    Rectangle {
        x: (profile.width - width) / 2
        y: 52
        width: 384
        height: 180
        color: Theme.colorBlack

        ListView {
            id: rowList
            objectName: "profileList"
            anchors.fill: parent
            clip: true
            interactive: false
            model: profileRows
            Accessible.role: Accessible.List
            Accessible.name: profile.profileLang[0]
            Accessible.focusable: true
            activeFocusOnTab: true
            // A press on a row, by pointer or key, at (px, py) of the list.
            signal rowPressed(int index, int button, real px, real py)
            onRowPressed: (index, button, px, py) => profile.pressRow(index, button, px, py)
            Keys.onPressed: (event) => {
                event.accepted = KeyNav.pressRows(rowList, event, ListView.Contain,
                                                  profile.startRename)
            }
            FocusRing {
                parent: rowList
                z: 2
                gap: -Theme.focusWidth
            }

            // Delegates read their owner by id, which this qmllint cannot follow.
            // qmllint disable unqualified
            delegate: Rectangle {
                id: row
                required property int index
                required property string textValue
                width: 384
                height: 27
                color: rowList.currentIndex === index || rowArea.containsMouse
                       ? Theme.colorOrange : Theme.colorBlack
                Accessible.role: Accessible.ListItem
                Accessible.name: textValue
                Accessible.selected: rowList.currentIndex === index
                Accessible.onPressAction: rowList.currentIndex = index

                required property int profileNo
                Accessible.description: profile.programsOf(profileNo)
                Text {
                    x: 16
                    anchors.verticalCenter: parent.verticalCenter
                    visible: profile.editRow !== row.index
                    text: row.textValue
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
                }
                // The row's programs, and a mark on the fallback row.
                Text {
                    anchors.right: parent.right
                    anchors.rightMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    width: 200
                    horizontalAlignment: Text.AlignRight
                    elide: Text.ElideLeft
                    visible: profile.appProfilesAvailable && profile.editRow !== row.index
                    text: (profile.programsOf(row.profileNo)
                           + (profile.fallbackNo === row.profileNo
                              ? "  [" + profile.langOr(12, "fallback") + "]" : ""))
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontMinSize
                    color: Theme.colorGray3
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: (mouse) => {
                        var at = mapToItem(rowList, mouse.x, mouse.y)
                        rowList.rowPressed(row.index, mouse.button, at.x, at.y)
                    }
                    onDoubleClicked: (mouse) => {
                        if (mouse.button === Qt.LeftButton)
                            profile.startRename(row.index)
                    }
                }
            }
            // qmllint enable unqualified
        }

        TextInput {
            id: renameField
            objectName: "profileRename"
            x: 16
            y: profile.editRow * 27 + (27 - height) / 2
            width: 352
            visible: profile.editRow >= 0
            maximumLength: 24
            selectByMouse: true
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
            selectionColor: Theme.colorGray1
            Accessible.role: Accessible.EditableText
            Accessible.name: profile.profileLang[0]
            Accessible.description: text
            Keys.onReturnPressed: profile.commitRename()
            Keys.onEnterPressed: profile.commitRename()
            onVisibleChanged: {
                if (!visible)
                    return
                text = profileRows.get(profile.editRow).textValue
                forceActiveFocus()
                selectAll()
            }
            onActiveFocusChanged: {
                if (!activeFocus)
                    profile.commitRename()
            }
        }
    }

    Row {
        x: (profile.width - 384) / 2
        y: 244
        spacing: 16

        PanelButton {
            objectName: "profileNew"
            text: profile.profileLang[1]
            onClicked: profile.newProfile()
        }
        PanelButton {
            objectName: "profileImport"
            text: profile.profileLang[2]
            onClicked: profile.importProfile()
        }
        PanelButton {
            objectName: "profilePrograms"
            width: 88
            text: profile.langOr(6, "Programs")
            opacity: profile.appProfilesAvailable ? 1.0 : 0.5
            Accessible.description: profile.appProfilesAvailable ? ""
                                    : programsEditor.texts[5]
            onClicked: profile.openPrograms()
        }
    }

    AppProgramsEditor {
        id: programsEditor
        objectName: "appProgramsEditor"
        x: (profile.width - width) / 2
        y: 52
        z: 3
        visible: false
        available: profile.appProfilesAvailable
        texts: [profile.langOr(6, "Programs"),
            profile.langOr(7, "Window classes separated by blanks:"),
            profile.langOr(8, "Fallback: used when no rule matches"),
            profile.langOr(9, "OK"), profile.langOr(10, "Cancel"),
            profile.langOr(11, "Per-program profiles are unavailable on this desktop")
            + (profile.appProfilesReason !== "" ? ":\n" + profile.appProfilesReason : "")]
        onAccepted: profile.closePrograms(true)
        onRejected: profile.closePrograms(false)
    }

    Rectangle {
        id: rowMenu
        objectName: "profileMenu"

        property int row: -1
        property string deleteText: profile.profileLang[3]
        property string exportText: profile.profileLang[4]

        width: 100
        height: 48
        visible: false
        color: Theme.colorGray0
        border.color: Theme.colorGray1

        Column {
            PanelButton {
                objectName: "profileDelete"
                width: 100
                text: rowMenu.deleteText
                onClicked: profile.deleteRow(rowMenu.row)
            }
            PanelButton {
                objectName: "profileExport"
                width: 100
                text: rowMenu.exportText
                onClicked: profile.exportRow(rowMenu.row)
            }
        }
    }
}
