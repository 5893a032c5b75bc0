import QtQuick
import QtQml.Models
import modules.qml
import "KeyCodes.js" as KeyCodes
import "RootParts.js" as RootParts

// Key list: the working copy of the sixteen button assignments of the
// current profile, one row per button, and the defaults to restore them from.
Rectangle {
    id: keyMatrix

    property var mainRoot: null
    // Mirrors of the mouse picture's button count and selected button.
    property int keyCount: 8
    property int selectKey: -1
    property bool isSave: false
    property var keyMatrixLang: ["Key ", "Key Function", "", "", ""]
    property alias modKeys: modKeysModel
    property alias modKeys_tmp: modKeysTmpModel
    // The pages this list works with, found once the root screen stands.
    property var mousePicture: null
    property var keyDialog: null
    property var macroEditor: null
    property var gunPanel: null

    signal enterBtn(int index)
    signal leaveBtn(int index)
    signal clickBtn(int index)

    Component.onCompleted: findParts()

    // Again at the first load, should the root screen have been put
    // together after this list.
    function findParts() {
        if (mousePicture && keyDialog && macroEditor && gunPanel)
            return
        mousePicture = RootParts.find(mainRoot, "mouseMain")
        keyDialog = RootParts.find(mainRoot, "keyAssigmentMain")
        macroEditor = RootParts.find(mainRoot, "macroEditorMain")
        gunPanel = RootParts.find(mainRoot, "gunControlMain")
    }

    function backend() {
        return mainRoot ? mainRoot.backend() : null
    }

    function rowName(index) {
        return keyMatrixLang[0] + " " + (index + 1)
    }

    function textOf(row) {
        return keyDialog ? keyDialog.keyCodeToString(row.keyCode0, row.keyCode1, row.keyCode2,
                                                     row.keyCode3) : ""
    }

    // Reads the sixteen definitions (the defaults too) and names them. A
    // definition that is missing or damaged leaves its row as it was.
    function init(isSendData, isRecovery) {
        findParts()
        var view = backend()
        for (var j = 0; j < 16; ++j) {
            loadRow(modKeysModel, j, view.mouseGetKeydefine(j, isRecovery))
            loadRow(modKeysTmpModel, j, view.mouseGetKeydefine(j, true))
        }
        for (var i = 0; i < 16; ++i) {
            modKeysModel.setProperty(i, "keyText", textOf(modKeysModel.get(i)))
            modKeysTmpModel.setProperty(i, "keyText", textOf(modKeysTmpModel.get(i)))
        }
        if (isSendData)
            modKeysModel.saveData()
    }

    function loadRow(model, index, stored) {
        var codes = KeyCodes.toCodes(stored)
        if (codes === null)
            return
        model.set(index, { "keyCode0": codes[0], "keyCode1": codes[1], "keyCode2": codes[2],
                           "keyCode3": codes[3] })
    }

    function macroSlotName(slot) {
        var name = backend().getData("mouseMacroKey/" + slot, false)
        return name === undefined || name === null ? "" : String(name)
    }

    // Rows that run the macro of this name.
    function macroRows(macroName) {
        return KeyCodes.macroRows(modKeysModel, macroSlotName, macroName)
    }

    // Every button back to its default; macros among the defaults are
    // written into their slots again. The mouse hears of it on Save.
    function restoreAll() {
        for (var i = 0; i < 16; ++i) {
            var row = KeyCodes.copyRow(modKeysTmpModel.get(i))
            modKeysModel.set(i, row)
            if (row.keyCode0 === 4) {
                macroEditor.sendMacro(row.keyCode2, row.keyText)
                backend().setData("mouseMacroKey/" + row.keyCode2, row.keyText)
            }
        }
        isSave = true
    }

    function clickRow(index) {
        mousePicture.selectKey = index
        clickBtn(index)
    }

    width: 232
    height: 40 + 24 * keyCount + 2 * (keyCount - 1) + 8
    color: Theme.colorBlack

    ListModel {
        id: modKeysModel

        // The 64 values of the sixteen rows and the fire periods of the three
        // gun slots go to the back end, which stores and sends them.
        function saveData() {
            keyMatrix.backend().mouseSetKeyMatrix(KeyCodes.matrixValues(modKeysModel), true,
                                                  gunPeriods())
        }

        function gunPeriods() {
            var gun = keyMatrix.gunPanel
            var periods = []
            var slots = gun ? [gun.selectGun1, gun.selectGun2, gun.selectGun3] : [-1, -1, -1]
            for (var i = 0; i < 3; ++i) {
                var record = gun && slots[i] >= 0 && slots[i] < gun.gunNumberModel.count
                             ? gun.gunNumberModel.get(slots[i]) : null
                var period = record ? parseInt(record.gunPeriod, 10) : NaN
                periods.push(isNaN(period) ? 0 : period)
            }
            return periods
        }

        // True only when the one row left doing a left click is the
        // selected one: that button must not lose its left click.
        function checkOneLeftKey() {
            var count = 0
            var last = -1
            for (var i = 0; i < modKeysModel.count; ++i) {
                var r = modKeysModel.get(i)
                if (r.keyCode0 === 0 && r.keyCode2 === 0xF0) {
                    ++count
                    last = i
                }
            }
            return count === 1 && last === keyMatrix.selectKey
        }

        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF2; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF4; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF3; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 5; keyCode1: 0; keyCode2: 1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 5; keyCode1: 0; keyCode2: 2; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0xF0; keyCode2: 0x1E; keyCode3: 2 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0xFF; keyCode1: 0; keyCode2: 1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0xFF; keyCode1: 0; keyCode2: 2; keyCode3: 0 }
    }
    ListModel {
        id: modKeysTmpModel
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF2; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF4; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF3; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 5; keyCode1: 0; keyCode2: 1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 5; keyCode1: 0; keyCode2: 2; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0xF0; keyCode2: 0x1E; keyCode3: 2 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0xFF; keyCode1: 0; keyCode2: 1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0xFF; keyCode1: 0; keyCode2: 2; keyCode3: 0 }
    }

    // The macro editor's changes reach the buttons that use the macro.
    Connections {
        target: keyMatrix.macroEditor
        // A deleted macro gives its buttons their default back.
        function onDeleteMacro(macroName) {
            var rows = keyMatrix.macroRows(macroName)
            for (var i = 0; i < rows.length; ++i) {
                modKeysModel.set(rows[i], KeyCodes.copyRow(modKeysTmpModel.get(rows[i])))
                modKeysModel.saveData()
            }
            keyMatrix.backend().deleteMacroUpdateProfile(macroName)
        }
        function onModifyMacroName(oldMacroName, newMacroName) {
            var rows = keyMatrix.macroRows(oldMacroName)
            for (var i = 0; i < rows.length; ++i) {
                var slot = modKeysModel.get(rows[i]).keyCode2
                keyMatrix.backend().setData("mouseMacroKey/" + slot, newMacroName)
                modKeysModel.setProperty(rows[i], "keyText", newMacroName)
            }
            keyMatrix.backend().modifyMacroNameUpdateProfile(oldMacroName, newMacroName)
        }
        function onModifyMacroData(macroName) {
            var rows = keyMatrix.macroRows(macroName)
            for (var i = 0; i < rows.length; ++i)
                keyMatrix.macroEditor.sendMacro(rows[i], macroName)
        }
    }

    Text {
        x: 8
        y: 12
        text: keyMatrix.keyMatrixLang[1]
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
        color: Theme.fontColor
    }

    HoverImage {
        id: keyResetBtn
        objectName: "keyResetBtn"
        anchors.right: parent.right
        anchors.rightMargin: 8
        y: 12
        normalSource: Theme.sourceBack
        hoverSource: Theme.sourceBackH
        onClicked: keyMatrix.restoreAll()
        Accessible.role: Accessible.Button
        Accessible.name: "Restore all keys"
        Accessible.onPressAction: keyMatrix.restoreAll()
    }

    Column {
        x: 8
        y: 40
        spacing: 2
        Repeater {
            model: modKeysModel
            // Delegates read their owner by id, which this qmllint cannot follow.
            // qmllint disable unqualified
            delegate: Rectangle {
                id: keyRow
                required property int index
                required property string keyText
                objectName: "keyRow" + (index + 1)
                visible: index < 14 && keyMatrix.keyCount > index
                width: 216
                height: 24
                color: keyMatrix.selectKey === index || rowArea.containsMouse
                       ? Theme.colorOrange : "transparent"

                Accessible.role: Accessible.Button
                Accessible.name: keyMatrix.rowName(index)
                Accessible.description: keyText
                Accessible.onPressAction: keyMatrix.clickRow(index)
                Accessible.focusable: true
                activeFocusOnTab: true
                Keys.onPressed: (event) => {
                    if (KeyNav.isPress(event)) {
                        event.accepted = true
                        if (!event.isAutoRepeat)
                            keyMatrix.clickRow(keyRow.index)
                    }
                }

                Text {
                    anchors.left: parent.left
                    anchors.leftMargin: 24
                    anchors.verticalCenter: parent.verticalCenter
                    text: keyMatrix.rowName(keyRow.index)
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
                }
                // Centred right of the name, so that long combinations stay clear of it.
                Text {
                    x: 72
                    width: parent.width - x - 4
                    anchors.verticalCenter: parent.verticalCenter
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                    text: keyRow.keyText
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onEntered: keyMatrix.enterBtn(keyRow.index)
                    onExited: keyMatrix.leaveBtn(keyRow.index)
                    onClicked: keyMatrix.clickRow(keyRow.index)
                }
                FocusRing { gap: 0 }
            }
            // qmllint enable unqualified
        }
    }
}
