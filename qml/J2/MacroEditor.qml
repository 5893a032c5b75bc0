import QtQuick
import QtQml.Models
import modules.qml
import "MacroLogic.js" as MacroLogic
import "RootParts.js" as RootParts

// The macro editor: the list of macros on the left, the events of the
// selected one on the right. Keys are recorded from the global capture the
// root screen hands in (detectKeyboard), never from this window's own keys,
// so recording works while another program has the focus. Every change is
// saved at once and sent again to the buttons that use the macro.
Rectangle {
    id: macroEditor

    property var mainRoot: null
    property bool isInputting: false
    property bool isInsertting: false
    property alias macroListModel: macroNumberModel
    property alias macroNumber_lv: macroNumberLV
    property alias macroData_lv: macroDataLV
    property alias macroDataModel: eventModel
    property alias countRecordInput: repeatInput
    property alias delayRecord: delayCheck
    property alias macroRecord: recordTimer
    // Ten-millisecond units since the last recorded event, from the clock:
    // the timer only refreshes it, so a late tick loses no time.
    property int macroRecordCount: 0
    property double recordStart: 0
    property var macroEditorLang: ["Macro Editor", "Macro Name", "New", "Delete", "Action",
        "Stop Record", "Times", "OK", "Start Record", "Delay", "Delete", "Import", "Export",
        "Insert Delay", "Insert Key", "Insert Left Key", "Insert Middle Key",
        "Insert Right Key", "", ""]

    // The parts that open over the editor, each with the way it closes.
    readonly property var keyPanels: [[nameMenu, () => macroEditor.hideMenus()],
                                      [actionMenu, () => macroEditor.hideMenus()],
                                      [insertKeyDialog, () => macroEditor.closeInsertKey()]]

    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)
    signal listViewFocus()

    function backend() {
        return mainRoot ? mainRoot.backend() : null
    }

    function keyName(usbCode) {
        var table = mainRoot ? mainRoot.keyCodeTable : null
        return table ? table.keycodeTostr(usbCode) : ""
    }

    function keyCodeOf(name) {
        var table = mainRoot ? mainRoot.keyCodeTable : null
        return table ? table.strTokeycode(name) : 0
    }

    function macroNames() {
        return MacroLogic.modelNames(macroNumberModel)
    }

    function currentName() {
        var index = macroNumberLV.currentIndex
        return index >= 0 && index < macroNumberModel.count
                ? macroNumberModel.get(index).textValue : ""
    }

    function shownEvents() {
        return MacroLogic.modelEvents(eventModel)
    }

    function eventStrings(events) {
        return events.map(MacroLogic.eventText)
    }

    // The key dialog's list of macros follows this one.
    function updateKeyDialog(isInit) {
        var dialog = RootParts.find(mainRoot, "keyAssigmentMain")
        var list = dialog ? dialog.macroList : null
        if (list && typeof list.addData === "function")
            list.addData(macroNames(), isInit)
    }

    function saveNames() {
        backend().updataNameList(0, macroNames())
        updateKeyDialog(false)
    }

    function init() {
        var names = backend().getNameList(0)
        if (names.length === 2 && String(names[1]) === MacroLogic.NameListMarker)
            names = [names[0]]
        macroNumberModel.clear()
        for (var i = 0; i < names.length; ++i) {
            var name = String(names[i])
            if (name !== "")
                macroNumberModel.append({ "textValue": name, "no": i, "macroType": 0 })
        }
        macroNumberLV.currentIndex = -1
        eventModel.clear()
        updateKeyDialog(true)
    }

    // Shows the events and the repeat count of a macro.
    function loadActions(name) {
        eventModel.clear()
        var loaded = MacroLogic.readLoaded(backend().loadMacroIni(name))
        for (var i = 0; i < loaded.events.length; ++i)
            eventModel.append(loaded.events[i])
        repeatInput.textValue = String(loaded.repeat)
        macroDataLV.currentIndex = -1
    }

    function selectMacro(index) {
        if (isInputting)
            stopRecord()
        if (index < 0 || index >= macroNumberModel.count)
            return
        macroNumberLV.currentIndex = index
        var name = macroNumberModel.get(index).textValue
        // A listed macro whose file has gone gets an empty one, so that
        // what is recorded into it is kept.
        if (backend().loadMacroIni(name).length === 0)
            backend().createMacroIni(name, 0)
        loadActions(name)
    }

    // A file in the macro folder under that name, listed or not.
    function hasMacroFile(name) {
        return backend().loadMacroIni(name).length > 0
    }

    function newMacro() {
        if (isInputting)
            stopRecord()
        var names = macroNames()
        if (names.length >= MacroLogic.MaxMacros)
            return
        var name = MacroLogic.freeName(names, hasMacroFile)
        if (name === "")
            return
        macroNumberModel.append({ "textValue": name, "no": names.length, "macroType": 0 })
        macroNumberLV.currentIndex = macroNumberModel.count - 1
        backend().createMacroIni(name, 0)
        loadActions(name)
        saveNames()
    }

    function deleteSelectedMacro() {
        if (isInputting)
            stopRecord()
        var index = macroNumberLV.currentIndex
        if (index < 0 || index >= macroNumberModel.count)
            return
        var name = macroNumberModel.get(index).textValue
        backend().deleteMacroIni(name)
        eventModel.clear()
        deleteMacro(name)
        macroNumberModel.remove(index)
        var next = Math.min(index, macroNumberModel.count - 1)
        macroNumberLV.currentIndex = next
        if (next >= 0)
            loadActions(macroNumberModel.get(next).textValue)
        else
            repeatInput.textValue = "1"
        saveNames()
    }

    // A macro file picked by the user becomes a new macro; a cancelled pick
    // or a file that holds no macro leaves an empty one.
    function importMacro() {
        if (isInputting)
            stopRecord()
        var names = macroNames()
        if (names.length >= MacroLogic.MaxMacros)
            return
        var name = MacroLogic.freeName(names, hasMacroFile)
        if (name === "")
            return
        var selected = macroNumberLV.currentIndex
        var at = selected >= 0 ? selected : macroNumberModel.count
        macroNumberModel.insert(at, { "textValue": name, "no": at, "macroType": 0 })
        macroNumberLV.currentIndex = at
        var view = backend()
        if (!view.loadMacroFile(name)) {
            view.createMacroIni(name, 0)
        } else if (MacroLogic.parseLoaded(view.loadMacroIni(name)) === null) {
            view.deleteMacroIni(name)
            view.createMacroIni(name, 0)
        }
        loadActions(name)
        saveNames()
    }

    function exportMacro() {
        var name = currentName()
        if (name !== "")
            backend().saveMacroFile(name)
    }

    // Takes a new name only when no macro has it and it can name a file;
    // otherwise the old name stays.
    function renameMacro(index, newName) {
        if (index < 0 || index >= macroNumberModel.count)
            return false
        var oldName = macroNumberModel.get(index).textValue
        if (newName === oldName || !MacroLogic.canRename(macroNames(), newName))
            return false
        // A file of that name left in the folder would be taken over.
        if (hasMacroFile(newName))
            return false
        modifyMacroName(oldName, newName)
        macroNumberModel.setProperty(index, "textValue", newName)
        saveNames()
        return true
    }

    function elapsedTicks() {
        return Math.max(0, Math.floor((Date.now() - recordStart) / 10))
    }

    function startRecord() {
        if (isInputting || macroNumberLV.currentIndex < 0)
            return
        eventModel.clear()
        macroRecordCount = 0
        recordStart = Date.now()
        recordTimer.start()
        isInputting = true
    }

    function stopRecord() {
        if (!isInputting)
            return
        recordTimer.stop()
        isInputting = false
        autoSave()
    }

    function toggleRecord() {
        macroEditorFocus()
        if (isInputting)
            stopRecord()
        else
            startRecord()
    }

    function detectKeyboard(isDown, usbCode) {
        if (!isInputting)
            return
        var events = shownEvents()
        var added = []
        macroRecordCount = elapsedTicks()
        if (events.length > 0 && delayCheck.isSelect)
            added.push({ "type": MacroLogic.Delay, "info": String(macroRecordCount * 10) })
        added.push(MacroLogic.keyEvent(isDown, usbCode, keyName(usbCode)))
        if (!MacroLogic.canAdd(events, events.concat(added)))
            return
        for (var i = 0; i < added.length; ++i)
            eventModel.append(added[i])
        recordStart = Date.now()
        macroRecordCount = 0
        macroDataLV.positionViewAtEnd()
    }

    function detectInput(isDown, usbCode) {
        if (isInsertting && usbCode < MacroLogic.FirstButtonCode)
            insertKeyDialog.keyName = keyName(usbCode)
    }

    // The encoded length of the shown events.
    function recordCount() {
        return MacroLogic.encodedLength(shownEvents())
    }

    // The slot bytes of events and a repeat count; the shown macro by default.
    function deCode(events, repeat) {
        var list = events === undefined ? shownEvents() : events
        var count = repeat === undefined ? MacroLogic.repeatValue(repeatInput.textValue)
                                         : repeat
        return MacroLogic.deviceData(list, count, keyCodeOf)
    }

    // Writes the macro of that name into the device slot index (the button
    // index that carries it).
    function sendMacro(index, macroName) {
        var view = backend()
        var loaded = MacroLogic.readLoaded(view.loadMacroIni(macroName))
        view.mouseSendMacroData(deCode(loaded.events, loaded.repeat), index)
    }

    function autoSave() {
        var name = currentName()
        if (name === "")
            return
        backend().saveMacroIni(name, eventStrings(shownEvents()),
                               MacroLogic.repeatValue(repeatInput.textValue))
        modifyMacroData(name)
    }

    // Inserts rows at a place unless the encoding would pass its limit.
    function insertRows(at, rows, selectFirst) {
        if (macroNumberLV.currentIndex < 0)
            return false
        var events = shownEvents()
        var after = events.slice(0, at).concat(rows, events.slice(at))
        if (!MacroLogic.canAdd(events, after))
            return false
        for (var i = 0; i < rows.length; ++i)
            eventModel.insert(at + i, rows[i])
        if (selectFirst)
            macroDataLV.currentIndex = at
        autoSave()
        return true
    }

    function deleteEvent() {
        var index = macroDataLV.currentIndex
        if (index < 0 || index >= eventModel.count)
            return
        eventModel.remove(index)
        macroDataLV.currentIndex = Math.min(index, eventModel.count - 1)
        autoSave()
    }

    function insertDelay() {
        var selected = macroDataLV.currentIndex
        var at = selected >= 0 ? selected : eventModel.count
        insertRows(at, [{ "type": MacroLogic.Delay, "info": "50" }], true)
    }

    function openInsertKey() {
        if (macroNumberLV.currentIndex < 0)
            return
        insertKeyDialog.keyName = ""
        insertKeyDialog.visible = true
        isInsertting = true
    }

    function closeInsertKey() {
        insertKeyDialog.visible = false
        isInsertting = false
    }

    function acceptInsertKey() {
        var name = insertKeyDialog.keyName
        closeInsertKey()
        if (name === "")
            return
        var at = MacroLogic.keyInsertIndex(macroDataLV.currentIndex, eventModel.count)
        insertRows(at, [{ "type": MacroLogic.KeyDown, "info": name },
                        { "type": MacroLogic.KeyUp, "info": name }], false)
    }

    // A click of a mouse button: 0xF0 left, 0xF2 middle, 0xF1 right.
    function insertClick(usbCode) {
        var name = keyName(usbCode)
        var at = MacroLogic.clickInsertIndex(macroDataLV.currentIndex, eventModel.count)
        insertRows(at, [{ "type": MacroLogic.ButtonDown, "info": name },
                        { "type": MacroLogic.ButtonUp, "info": name }], false)
    }

    // An edited delay: a number that keeps the macro within its slot is
    // taken, anything else leaves the old time.
    function commitDelay(index, text) {
        if (index < 0 || index >= eventModel.count)
            return
        var ms = MacroLogic.typedDelay(text)
        if (ms !== null) {
            var after = shownEvents()
            after[index] = { "type": MacroLogic.Delay, "info": String(ms) }
            if (MacroLogic.encodedLength(after) <= MacroLogic.SlotBytes)
                eventModel.setProperty(index, "info", String(ms))
        }
        autoSave()
    }

    function hideMenus() {
        nameMenu.visible = false
        actionMenu.visible = false
    }

    function macroEditorFocus() {
        repeatInput.closeFocus()
        listViewFocus()
        hideMenus()
    }

    function closeEditor() {
        stopRecord()
        closeInsertKey()
        visible = false
        if (mainRoot)
            mainRoot.maskVisible = false
        macroEditorFocus()
        var dialog = RootParts.find(mainRoot, "keyAssigmentMain")
        var list = dialog ? dialog.macroList : null
        if (list && typeof list.closeMenu === "function")
            list.closeMenu()
    }

    // Dragged by its background, the editor stays inside the window.
    function moveBy(dx, dy) {
        var area = mainRoot ? mainRoot : parent
        if (!area)
            return
        x = Math.max(0, Math.min(x + dx, area.width - width))
        y = Math.max(0, Math.min(y + dy, area.height - height))
    }

    function handleNameRow(index, button, px, py) {
        macroEditorFocus()
        if (index >= 0)
            selectMacro(index)
        if (button === Qt.RightButton)
            nameMenu.popup(macroNumberLV.x + px, macroNumberLV.y + py)
    }

    function handleEventRow(index, button, px, py) {
        macroEditorFocus()
        if (index >= 0)
            macroDataLV.currentIndex = index
        if (button === Qt.RightButton && macroNumberLV.currentIndex >= 0)
            actionMenu.popup(macroDataLV.x + px, macroDataLV.y + py)
    }

    width: 640
    height: 448
    color: Theme.colorGray0

    Accessible.role: Accessible.Dialog
    Accessible.name: macroEditorLang[0]

    onListViewFocus: {
        macroNumberLV.endRename()
        macroDataLV.endDelayEdit()
    }

    ListModel { id: macroNumberModel }
    ListModel { id: eventModel }

    Timer {
        id: recordTimer
        objectName: "macroRecord"
        interval: 10
        repeat: true
        onTriggered: macroEditor.macroRecordCount = macroEditor.elapsedTicks()
    }

    DragArea {
        anchors.fill: parent
        onPressed: macroEditor.macroEditorFocus()
        onDragged: (dx, dy) => macroEditor.moveBy(dx, dy)
    }

    PanelTitle {
        title: macroEditor.macroEditorLang[0]
        onCloseClicked: macroEditor.closeEditor()
    }

    Text {
        x: 16
        y: 50
        text: macroEditor.macroEditorLang[1]
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }
    MacroNameList {
        id: macroNumberLV
        objectName: "macroNumberLV"
        x: 16
        y: 72
        model: macroNumberModel
        Accessible.name: macroEditor.macroEditorLang[1]
        onRowPressed: (index, button, px, py) => macroEditor.handleNameRow(index, button, px, py)
        onRenameRequested: (index) => macroNumberLV.beginRename(index)
        onRenameCommitted: (index, text) => macroEditor.renameMacro(index, text)
    }
    TextButton {
        id: newButton
        objectName: "newMacroButton"
        x: 16
        y: 408
        text: macroEditor.macroEditorLang[2]
        Accessible.role: Accessible.Button
        Accessible.name: text
        onClicked: {
            macroEditor.macroEditorFocus()
            macroEditor.newMacro()
        }
    }
    TextButton {
        id: deleteButton
        objectName: "deleteMacroButton"
        x: 120
        y: 408
        text: macroEditor.macroEditorLang[3]
        Accessible.role: Accessible.Button
        Accessible.name: text
        onClicked: {
            macroEditor.macroEditorFocus()
            macroEditor.deleteSelectedMacro()
        }
    }

    Text {
        x: 200
        y: 50
        text: macroEditor.macroEditorLang[4]
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }
    MacroEventList {
        id: macroDataLV
        objectName: "macroDataLV"
        x: 200
        y: 72
        model: eventModel
        Accessible.name: macroEditor.macroEditorLang[4]
        onRowPressed: (index, button, px, py) => macroEditor.handleEventRow(index, button, px, py)
        onDelayEditRequested: (index) => macroDataLV.beginDelayEdit(index)
        onDelayCommitted: (index, text) => macroEditor.commitDelay(index, text)
    }
    TextButton {
        id: recordButton
        objectName: "recordButton"
        x: 200
        y: 408
        width: 100
        text: macroEditor.isInputting ? macroEditor.macroEditorLang[5]
                                      : macroEditor.macroEditorLang[8]
        normalColor: macroEditor.isInputting ? Theme.colorOrange : Theme.colorBlue
        Accessible.role: Accessible.Button
        Accessible.name: text
        Accessible.checkable: true
        Accessible.checked: macroEditor.isInputting
        // Space or Enter starts recording when let go, so that it is not
        // the first key recorded; the recording then takes every key.
        pressOnRelease: true
        capturing: macroEditor.isInputting
        onClicked: macroEditor.toggleRecord()
    }
    Text {
        id: timesLabel
        x: 316
        y: 408
        width: 40
        height: 24
        verticalAlignment: Text.AlignVCenter
        text: macroEditor.macroEditorLang[6]
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }
    Rectangle {
        x: 360
        y: 408
        width: 52
        height: 24
        color: Theme.colorBlack
        border.color: Theme.colorGray1

        RectInput {
            id: repeatInput
            objectName: "countRecordInput"
            anchors.centerIn: parent
            width: 48
            minValue: 1
            maxValue: 65535
            textValue: "1"
            Accessible.role: Accessible.EditableText
            Accessible.name: macroEditor.macroEditorLang[6]
            Accessible.description: textValue
            onEndInputSignal: macroEditor.autoSave()
        }
    }
    CheckBox {
        id: delayCheck
        objectName: "delayRecord"
        x: 428
        y: 414
        textValue: macroEditor.macroEditorLang[9]
        Accessible.role: Accessible.CheckBox
        Accessible.name: textValue
        Accessible.checkable: true
        Accessible.checked: isSelect
    }

    MacroMenu {
        id: nameMenu
        objectName: "nameMenu"
        entries: [macroEditor.macroEditorLang[10], macroEditor.macroEditorLang[11],
            macroEditor.macroEditorLang[12]]
        onChosen: (index) => {
            if (index === 0)
                macroEditor.deleteSelectedMacro()
            else if (index === 1)
                macroEditor.importMacro()
            else
                macroEditor.exportMacro()
        }
    }
    MacroMenu {
        id: actionMenu
        objectName: "actionMenu"
        entries: [macroEditor.macroEditorLang[10], macroEditor.macroEditorLang[13],
            macroEditor.macroEditorLang[14], macroEditor.macroEditorLang[15],
            macroEditor.macroEditorLang[16], macroEditor.macroEditorLang[17]]
        onChosen: (index) => {
            switch (index) {
            case 0: macroEditor.deleteEvent(); break
            case 1: macroEditor.insertDelay(); break
            case 2: macroEditor.openInsertKey(); break
            case 3: macroEditor.insertClick(0xF0); break
            case 4: macroEditor.insertClick(0xF2); break
            default: macroEditor.insertClick(0xF1); break
            }
        }
    }

    MacroInsertKey {
        id: insertKeyDialog
        objectName: "insertKeyDialog"
        title: macroEditor.macroEditorLang[14]
        okText: macroEditor.macroEditorLang[7]
        onAccepted: macroEditor.acceptInsertKey()
    }
}
