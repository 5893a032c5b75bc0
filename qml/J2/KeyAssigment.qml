import QtQuick
import modules.qml
import "KeyCodes.js" as KeyCodes
import "RootParts.js" as RootParts

// Key assignment dialog: edits what one button does. It offers every kind of
// function, captures keys for fire keys and key combinations (keyboard
// events of the global capture, handed over by the root screen), and on
// closing writes the result into the key list.
Rectangle {
    id: keyAssigment

    property var mainRoot: null
    property string keyCode: "00000000"
    property int keyCode0: 0
    property int keyCode1: 0
    property int keyCode2: 0
    property int keyCode3: 0
    property string keyString: ""
    property bool isFireInput: false
    property bool isComboInput: false
    property alias macroList: body.macroList
    property var keyAssigmentLang: ["Key ", "Mouse Function", "Left Key", "Middle Key",
        "Right Key", "Forward Key", "Back Key", "Double Fire", "Fire Function", "Key Value",
        "Click Input", "Rate", "Times", "Endness", "Group Function", "Media Function",
        "Macro Function", "Macro Editor", "Macro runs one-time after pressing the button",
        "Macro runs endless loop until any button is pressed",
        "Macro runs endless loop until button is released", "DPI Function", "DPI+", "DPI-",
        "DPI LOOP", "Windows Function", "Shortcut Function", "Player", "Next", "Privous", "Stop",
        "Mute", "Play/Pause", "Volumn+", "Volumn-", "My PC", "Index", "Search", "Max", "Min",
        "Desktop", "Run", "New", "Cut", "Copy", "Paste", "Save", "Print", "Find", "Redo", "Undo",
        "Select All", "Gun Function", "One Gun", "Two Gun", "Three Gun", "Sniper Key", "Disable",
        "", ""]

    // What the capture boxes show.
    property string fireText: keyAssigmentLang[10]
    property string comboText: ""
    property int comboMask: 0
    property int comboKey1: 0
    property int comboKey2: 0
    property int comboCount: 0
    property int repeatMode: 0

    // The pages this dialog works with, found once the root screen stands.
    property var mousePicture: null
    property var keyList: null
    property var macroEditor: null
    readonly property int selectKey: mousePicture ? mousePicture.selectKey : -1
    readonly property alias scrollArea: scroller

    signal closed()

    Component.onCompleted: findParts()

    // Again at start-up, should the root screen have been put together
    // after this dialog.
    function findParts() {
        if (mousePicture && keyList && macroEditor)
            return
        mousePicture = RootParts.find(mainRoot, "mouseMain")
        keyList = RootParts.find(mainRoot, "keyMatrixMain")
        macroEditor = RootParts.find(mainRoot, "macroEditorMain")
    }

    function init() {
        findParts()
        body.macroList.closeMenu()
        fillGrid(body.mediaModel, KeyCodes.mediaEntries)
        fillGrid(body.windowsModel, KeyCodes.windowsEntries)
        fillGrid(body.shortcutModel, KeyCodes.shortcutEntries)
    }

    function fillGrid(model, entries) {
        model.clear()
        for (var i = 0; i < KeyCodes.gridLength(entries); ++i)
            model.append({ "textValue": i < entries.length ? keyAssigmentLang[entries[i].label] : "" })
    }

    // Opens the dialog on the row of a button.
    function show(index) {
        var row = index >= 0 && index < keyList.modKeys.count ? keyList.modKeys.get(index) : null
        if (row === null)
            return
        visible = true
        x = (mainRoot.width - width) / 2
        scroller.contentY = 0
        keyString = row.keyText
        keyCode0 = row.keyCode0
        keyCode1 = row.keyCode1
        keyCode2 = row.keyCode2
        keyCode3 = row.keyCode3
    }

    function keyName(code) {
        return mainRoot ? mainRoot.keyCodeTable.keycodeTostr(code) : ""
    }

    function macroName(slot) {
        var view = mainRoot ? mainRoot.backend() : null
        var name = view ? view.getData("mouseMacroKey/" + slot.toString(), false) : undefined
        return name === undefined || name === null ? "" : String(name)
    }

    function keyCodeToString(code0, code1, code2, code3) {
        return KeyCodes.keyCodeToString(keyAssigmentLang, keyName, macroName,
                                        code0, code1, code2, code3)
    }

    // Takes a code of the table ("0300e900") as the assignment.
    function keyCodeStrProc(code) {
        keyCode = code
        var values = KeyCodes.keyCodeStrProc(code)
        keyCode0 = values[0]
        keyCode1 = values[1]
        keyCode2 = values[2]
        keyCode3 = values[3]
    }

    function chooseEntry(entry) {
        keyCodeStrProc(entry.code)
        keyString = keyAssigmentLang[entry.label]
    }

    // Radio buttons of one section: only the clicked one stays selected.
    function selectRadio(repeater, index) {
        for (var i = 0; i < repeater.count; ++i)
            repeater.itemAt(i).isSelect = i === index
    }

    function startFireInput() {
        endComboInput()
        isFireInput = true
        fireText = keyAssigmentLang[10]
    }

    function startComboInput() {
        isFireInput = false
        isComboInput = true
        comboText = ""
        comboCount = 0
        comboMask = 0
        comboKey1 = 0
        comboKey2 = 0
    }

    function endComboInput() {
        if (!isComboInput)
            return
        isComboInput = false
        comboText = ""
    }

    // A key event of the global capture: index 0 for the fire key, 1 for a
    // key combination.
    function detectKeyboard(isDown, usbCode, index) {
        var usage = Number(usbCode)
        if (index === 0 && isFireInput)
            takeFireKey(usage)
        else if (index === 1 && isComboInput && isDown)
            takeComboKey(usage)
    }

    function takeFireKey(usage) {
        isFireInput = false
        var name = keyName(usage)
        fireText = name
        keyCode0 = 1
        keyCode1 = usage
        keyCode2 = KeyCodes.rateOfText(body.selectRate.textValue)
        keyCode3 = parseInt(body.selectTimesRect.textValue, 10) || 0
        keyString = name
    }

    // A key held down repeats its press; it counts once.
    function takeComboKey(usage) {
        var name = keyName(usage)
        if (KeyCodes.isModifier(usage)) {
            var bit = 1 << (usage - 0xE0)
            if (comboMask & bit)
                return
            comboMask |= bit
        } else {
            if (comboCount >= 2 || usage === comboKey1)
                return
            if (comboCount === 0)
                comboKey1 = usage
            else
                comboKey2 = usage
            ++comboCount
        }
        comboText = comboText === "" ? name : comboText + " + " + name
    }

    function confirmCombo() {
        isComboInput = false
        if (comboText === "")
            return
        keyCode0 = 2
        keyCode1 = comboMask
        keyCode2 = comboKey1
        keyCode3 = comboKey2
        keyString = comboText
    }

    function cancelCombo() {
        endComboInput()
    }

    function setRate(knobX) {
        body.selectRate.textValue = KeyCodes.rateText(knobX)
        if (keyCode0 === 1)
            keyCode2 = KeyCodes.rateOfText(body.selectRate.textValue)
    }

    function endTimesInput() {
        var times = parseInt(body.selectTimesRect.textValue, 10) || 0
        body.endless.isSelect = times === 0
        if (keyCode0 === 1)
            keyCode3 = times
    }

    // Called before the box flips: the box is being selected when it is clear.
    function endlessClicked() {
        if (body.endless.isSelect)
            return
        body.selectTimesRect.textValue = "0"
        if (keyCode0 === 1)
            keyCode3 = 0
    }

    function chooseMacro(index) {
        if (index === -1)
            return
        keyCode0 = 4
        keyCode1 = repeatMode
        keyCode2 = selectKey
        keyCode3 = 0
        keyString = body.macroList.mdItems.get(index).textValue
    }

    function setRepeatMode(mode) {
        repeatMode = mode
        selectRadio(body.repeatRadios, mode)
        if (keyCode0 === 4)
            keyCode1 = mode
    }

    function openMacroEditor() {
        macroEditor.visible = true
        macroEditor.z = 1
        macroEditor.x = (mainRoot.width - macroEditor.width) / 2
        macroEditor.y = (mainRoot.height - macroEditor.height) / 2
        mainRoot.maskVisible = true
        mainRoot.mainFocus()
    }

    // Brings an opened drop-down's list into the visible part of the body.
    function revealBelow(control, dropHeight) {
        var bottom = control.y + control.height + dropHeight
        if (bottom > scroller.contentY + scroller.height)
            scroller.contentY = Math.min(bottom - scroller.height,
                                         scroller.contentHeight - scroller.height)
    }

    function keyAssigmentFocus() {
        body.selectRate.closeMenu()
        body.mediaControl.closeMenu()
        body.windowsGrid.closeMenu()
        body.shortCutGrid.closeMenu()
        body.macroList.closeMenu()
        body.selectTimesRect.closeFocus()
    }

    // Writes a changed assignment into the key list. A macro counts as
    // changed when its name differs too: another macro in the same slot
    // has the same four codes.
    function close() {
        visible = false
        mainRoot.maskVisible = false
        isFireInput = false
        endComboInput()
        var index = selectKey
        var row = index >= 0 ? keyList.modKeys.get(index) : null
        if (row && (keyCode0 !== row.keyCode0 || keyCode1 !== row.keyCode1
                    || keyCode2 !== row.keyCode2 || keyCode3 !== row.keyCode3
                    || (keyCode0 === 4 && keyString !== row.keyText))) {
            keyList.modKeys.set(index, { "keyText": keyString, "keyCode0": keyCode0,
                                         "keyCode1": keyCode1, "keyCode2": keyCode2,
                                         "keyCode3": keyCode3 })
            keyList.isSave = true
            if (keyCode0 === 4) {
                macroEditor.sendMacro(keyCode2, keyString)
                mainRoot.backend().setData("mouseMacroKey/" + keyCode2, keyString)
            }
        }
        mousePicture.selectKey = -1
        keyAssigmentFocus()
        closed()
    }

    // The default of the button, into the dialog and the key list.
    function restoreKey() {
        var index = selectKey
        if (index < 0)
            return
        var def = keyList.modKeys_tmp.get(index)
        if (def.keyText === keyString)
            return
        keyString = def.keyText
        keyCode0 = def.keyCode0
        keyCode1 = def.keyCode1
        keyCode2 = def.keyCode2
        keyCode3 = def.keyCode3
        keyList.modKeys.set(index, KeyCodes.copyRow(def))
        keyList.isSave = true
    }

    function moveBy(dx, dy) {
        x = Math.max(0, Math.min(mainRoot.width - width, x + dx))
        y = Math.max(0, Math.min(mainRoot.height - height, y + dy))
    }

    width: 416
    height: 404
    color: Theme.colorGray0

    Accessible.role: Accessible.Dialog
    Accessible.name: titleText.text


    // The background moves the dialog inside the window.
    DragArea {
        anchors.fill: parent
        onPressed: keyAssigment.keyAssigmentFocus()
        onDragged: (dx, dy) => keyAssigment.moveBy(dx, dy)
    }

    Rectangle {
        id: titleBar
        width: parent.width
        height: 40
        color: Theme.colorBlack

        Text {
            id: titleText
            objectName: "keyAssigmentTitle"
            anchors.left: parent.left
            anchors.leftMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            text: keyAssigment.keyAssigmentLang[0] + (keyAssigment.selectKey + 1) + " : "
                  + keyAssigment.keyString
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
            color: Theme.fontColor
        }
        HoverImage {
            id: restoreImage
            objectName: "keyRestoreBtn"
            anchors.right: closeImage.left
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            normalSource: Theme.sourceBack
            hoverSource: Theme.sourceBackH
            onClicked: {
                keyAssigment.keyAssigmentFocus()
                keyAssigment.restoreKey()
            }
            Accessible.role: Accessible.Button
            Accessible.name: "Restore key"
            Accessible.onPressAction: keyAssigment.restoreKey()
        }
        HoverImage {
            id: closeImage
            objectName: "keyCloseBtn"
            anchors.right: parent.right
            anchors.rightMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            normalSource: Theme.sourceCloseBtn
            hoverSource: Theme.sourceCloseBtnH
            onClicked: keyAssigment.close()
            Accessible.role: Accessible.Button
            Accessible.name: "Close"
            Accessible.onPressAction: keyAssigment.close()
        }
        Rectangle {
            anchors.top: parent.bottom
            width: parent.width
            height: 1
            color: Theme.colorOrange
        }
    }

    Flickable {
        id: scroller
        objectName: "keyAssigmentScroll"
        y: 41
        width: parent.width
        height: 360
        contentWidth: width
        contentHeight: 830
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        Accessible.role: Accessible.Pane
        Accessible.name: "Functions"

        KeyAssigmentBody {
            id: body
            dialog: keyAssigment
            onSliderDragged: (isDrag) => { scroller.interactive = !isDrag }
        }

        // The control the keyboard reaches scrolls into view.
        function reveal(item) {
            if (!item || !KeyNav.isInside(item, body))
                return
            var top = item.mapToItem(body, 0, 0).y
            var margin = 8
            if (top - margin < contentY)
                contentY = Math.max(0, top - margin)
            else if (top + item.height + margin > contentY + height)
                contentY = Math.min(contentHeight - height, top + item.height + margin - height)
        }

        Connections {
            target: keyAssigment.Window.window
            enabled: keyAssigment.visible
            function onActiveFocusItemChanged() { scroller.reveal(keyAssigment.Window.activeFocusItem) }
        }
    }
}
