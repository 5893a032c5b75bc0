import QtQuick
import QtQml.Models
import modules.qml
import "KeyCodes.js" as KeyCodes

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
    property alias macroList: macroListLV
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
    signal traced(string call)

    Component.onCompleted: {
        mousePicture = KeyCodes.findPart(mainRoot, "mouseMain")
        keyList = KeyCodes.findPart(mainRoot, "keyMatrixMain")
        macroEditor = KeyCodes.findPart(mainRoot, "macroEditorMain")
    }

    function init() {
        traced("keyAssigment.init()")
        macroListLV.closeMenu()
        fillGrid(mediaModel, KeyCodes.mediaEntries)
        fillGrid(windowsModel, KeyCodes.windowsEntries)
        fillGrid(shortcutModel, KeyCodes.shortcutEntries)
    }

    function fillGrid(model, entries) {
        model.clear()
        for (var i = 0; i < KeyCodes.gridLength(entries); ++i)
            model.append({ "textValue": i < entries.length ? keyAssigmentLang[entries[i].label] : "" })
    }

    // Opens the dialog on the row of a button.
    function show(index) {
        visible = true
        x = (mainRoot.width - width) / 2
        scroller.contentY = 0
        var row = keyList.modKeys.get(index)
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
        traced("keyAssigment.detectKeyboard(" + isDown + "," + usbCode + "," + index + ")")
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
        keyCode2 = KeyCodes.rateOfText(selectRate.textValue)
        keyCode3 = parseInt(selectTimesRect.textValue, 10) || 0
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
        selectRate.textValue = KeyCodes.rateText(knobX)
        if (keyCode0 === 1)
            keyCode2 = KeyCodes.rateOfText(selectRate.textValue)
    }

    function endTimesInput() {
        var times = parseInt(selectTimesRect.textValue, 10) || 0
        endless.isSelect = times === 0
        if (keyCode0 === 1)
            keyCode3 = times
    }

    // Called before the box flips: the box is being selected when it is clear.
    function endlessClicked() {
        if (endless.isSelect)
            return
        selectTimesRect.textValue = "0"
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
        keyString = macroListLV.mdItems.get(index).textValue
    }

    function setRepeatMode(mode) {
        repeatMode = mode
        selectRadio(repeatRadios, mode)
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
        selectRate.closeMenu()
        mediaControl.closeMenu()
        windowsGrid.closeMenu()
        shortCutGrid.closeMenu()
        macroListLV.closeMenu()
        selectTimesRect.closeFocus()
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

    component Heading: Text {
        x: 16
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
        color: Theme.fontColor
    }
    component Label: Text {
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }
    // A box that waits for keys: orange and with a blinking caret while it waits.
    component CaptureBox: Rectangle {
        id: captureBox
        property string text: ""
        property bool isCapturing: false
        signal clicked()
        height: 24
        color: isCapturing || boxArea.containsMouse ? Theme.colorOrange : Theme.colorBlue
        Accessible.role: Accessible.Button
        Accessible.name: text
        Accessible.description: isCapturing ? "waiting for keys" : ""
        Accessible.onPressAction: captureBox.clicked()

        MouseArea {
            id: boxArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: captureBox.clicked()
        }
        Row {
            anchors.centerIn: parent
            spacing: 2
            Label {
                text: captureBox.text
            }
            Rectangle {
                width: 1
                height: 14
                visible: captureBox.isCapturing
                color: Theme.fontColor
                SequentialAnimation on opacity {
                    running: captureBox.isCapturing
                    loops: Animation.Infinite
                    NumberAnimation { from: 1; to: 0; duration: 400 }
                    NumberAnimation { from: 0; to: 1; duration: 400 }
                }
            }
        }
    }

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

        Item {
            id: body
            width: scroller.width
            height: scroller.contentHeight

            MouseArea {
                anchors.fill: parent
                onPressed: (mouse) => {
                    keyAssigment.keyAssigmentFocus()
                    mouse.accepted = false
                }
            }

            // 1. Mouse functions
            Heading {
                y: 8
                text: keyAssigment.keyAssigmentLang[1]
            }
            Grid {
                x: 16
                y: 36
                columns: 3
                spacing: 8
                Repeater {
                    id: mouseRadios
                    model: KeyCodes.mouseEntries
                    onItemAdded: (i, item) => { item.index = i }
                    // qmllint disable unqualified
                    delegate: RadioButton {
                        required property var modelData
                        width: 120
                        textValue: keyAssigment.keyAssigmentLang[modelData.label]
                        onBtnClick: (i) => {
                            keyAssigment.selectRadio(mouseRadios, i)
                            keyAssigment.chooseEntry(modelData)
                        }
                    }
                    // qmllint enable unqualified
                }
            }

            // 2. Fire key
            Heading {
                y: 116
                text: keyAssigment.keyAssigmentLang[8]
            }
            Label {
                x: 16
                y: 148
                text: keyAssigment.keyAssigmentLang[9]
            }
            CaptureBox {
                id: fireBox
                objectName: "fireBox"
                x: 90
                y: 144
                width: 96
                text: keyAssigment.fireText
                isCapturing: keyAssigment.isFireInput
                onClicked: keyAssigment.startFireInput()
            }
            Label {
                x: 200
                y: 148
                text: keyAssigment.keyAssigmentLang[11]
            }
            DropDownSlider {
                id: selectRate
                objectName: "selectRate"
                x: 250
                y: 144
                z: isDrop || isAnimating ? 5 : 3
                width: 110
                textValue: "10ms"
                Accessible.name: keyAssigment.keyAssigmentLang[11]
                Accessible.description: textValue
                onBtnClick: selectTimesRect.closeFocus()
                onValueChange: (index) => keyAssigment.setRate(index)
                onDragSignal: (isDrag) => { scroller.interactive = !isDrag }
            }
            Label {
                x: 16
                y: 182
                text: keyAssigment.keyAssigmentLang[12]
            }
            Rectangle {
                x: 90
                y: 180
                width: 48
                height: 20
                color: "transparent"
                border.color: Theme.colorGray1
                RectInput {
                    id: selectTimesRect
                    objectName: "selectTimesRect"
                    anchors.fill: parent
                    maxValue: 255
                    Accessible.role: Accessible.EditableText
                    Accessible.name: keyAssigment.keyAssigmentLang[12]
                    Accessible.description: textValue
                    onEndInputSignal: keyAssigment.endTimesInput()
                }
            }
            CheckBox {
                id: endless
                objectName: "endless"
                x: 200
                y: 184
                textValue: keyAssigment.keyAssigmentLang[13]
                isSelect: true
                onBtnClick: keyAssigment.endlessClicked()
            }

            // 3. Key combination
            Heading {
                y: 216
                text: keyAssigment.keyAssigmentLang[14]
            }
            CaptureBox {
                id: comboBox
                objectName: "comboBox"
                x: 16
                y: 244
                width: 240
                text: keyAssigment.isComboInput || keyAssigment.comboText !== ""
                      ? keyAssigment.comboText : keyAssigment.keyAssigmentLang[10]
                isCapturing: keyAssigment.isComboInput
                onClicked: keyAssigment.startComboInput()

                HoverImage {
                    objectName: "comboConfirm"
                    visible: keyAssigment.isComboInput
                    x: parent.width - 44
                    anchors.verticalCenter: parent.verticalCenter
                    normalSource: Theme.sourceSureBtn
                    hoverSource: Theme.sourceSureBtn
                    onClicked: keyAssigment.confirmCombo()
                    Accessible.role: Accessible.Button
                    Accessible.name: "Confirm"
                    Accessible.onPressAction: keyAssigment.confirmCombo()
                }
                HoverImage {
                    objectName: "comboCancel"
                    visible: keyAssigment.isComboInput
                    x: parent.width - 22
                    anchors.verticalCenter: parent.verticalCenter
                    normalSource: Theme.sourceCloseBtn
                    hoverSource: Theme.sourceCloseBtnH
                    onClicked: keyAssigment.cancelCombo()
                    Accessible.role: Accessible.Button
                    Accessible.name: "Cancel"
                    Accessible.onPressAction: keyAssigment.cancelCombo()
                }
            }

            // 4. Media
            Heading {
                y: 284
                text: keyAssigment.keyAssigmentLang[15]
            }
            DropDownGrid {
                id: mediaControl
                objectName: "mediaControl"
                x: 16
                y: 312
                z: isDrop || isAnimating ? 5 : 3
                mdItems: ListModel { id: mediaModel }
                Accessible.name: keyAssigment.keyAssigmentLang[15]
                Accessible.description: textValue
                onIsDropChanged: if (isDrop) keyAssigment.revealBelow(mediaControl, 24 * gridRows)
                onBtnClick: keyAssigment.chooseEntry(KeyCodes.mediaEntries[currentSelect])
            }

            // 5. Macro
            Heading {
                y: 352
                text: keyAssigment.keyAssigmentLang[16]
            }
            DropDownList {
                id: macroListLV
                objectName: "macroList"
                x: 16
                y: 380
                z: isDrop || isAnimating ? 5 : 3
                width: 160
                currentSelect: -1
                count: mdItems.count
                mdItems: ListModel {}
                Accessible.name: keyAssigment.keyAssigmentLang[16]
                Accessible.description: textValue

                function addData(macroData, isInit) {
                    mdItems.clear()
                    for (var i = 0; i < macroData.length; ++i)
                        mdItems.append({ "textValue": String(macroData[i]) })
                    if (currentSelect >= mdItems.count)
                        currentSelect = -1
                }

                onIsDropChanged: if (isDrop) keyAssigment.revealBelow(macroListLV, 24 * visibleRows)
                onValueChange: (index) => keyAssigment.chooseMacro(index)
                onDragSignal: (isDrag) => { scroller.interactive = !isDrag }
            }
            TextButton {
                objectName: "macroEditorBtn"
                x: 192
                y: 380
                width: 107
                height: 24
                text: keyAssigment.keyAssigmentLang[17]
                onClicked: keyAssigment.openMacroEditor()
            }
            Column {
                x: 16
                y: 416
                spacing: 8
                Repeater {
                    id: repeatRadios
                    model: 3
                    onItemAdded: (i, item) => {
                        item.index = i
                        item.isSelect = i === keyAssigment.repeatMode
                    }
                    // qmllint disable unqualified
                    delegate: RadioButton {
                        textValue: keyAssigment.keyAssigmentLang[18 + index]
                        onBtnClick: (i) => keyAssigment.setRepeatMode(i)
                    }
                    // qmllint enable unqualified
                }
            }

            // 6. DPI
            Heading {
                y: 496
                text: keyAssigment.keyAssigmentLang[21]
            }
            Row {
                x: 16
                y: 524
                spacing: 16
                Repeater {
                    id: dpiRadios
                    model: KeyCodes.dpiEntries
                    onItemAdded: (i, item) => { item.index = i }
                    // qmllint disable unqualified
                    delegate: RadioButton {
                        required property var modelData
                        textValue: keyAssigment.keyAssigmentLang[modelData.label]
                        onBtnClick: (i) => {
                            keyAssigment.selectRadio(dpiRadios, i)
                            keyAssigment.chooseEntry(modelData)
                        }
                    }
                    // qmllint enable unqualified
                }
            }

            // 7. Windows
            Heading {
                y: 556
                text: keyAssigment.keyAssigmentLang[25]
            }
            DropDownGrid {
                id: windowsGrid
                objectName: "windowsGrid"
                x: 16
                y: 584
                z: isDrop || isAnimating ? 5 : 3
                mdItems: ListModel { id: windowsModel }
                Accessible.name: keyAssigment.keyAssigmentLang[25]
                Accessible.description: textValue
                onIsDropChanged: if (isDrop) keyAssigment.revealBelow(windowsGrid, 24 * gridRows)
                onBtnClick: keyAssigment.chooseEntry(KeyCodes.windowsEntries[currentSelect])
            }

            // 8. Shortcut
            Heading {
                y: 620
                text: keyAssigment.keyAssigmentLang[26]
            }
            DropDownGrid {
                id: shortCutGrid
                objectName: "shortCutGrid"
                x: 16
                y: 648
                z: isDrop || isAnimating ? 5 : 3
                mdItems: ListModel { id: shortcutModel }
                Accessible.name: keyAssigment.keyAssigmentLang[26]
                Accessible.description: textValue
                onIsDropChanged: if (isDrop) keyAssigment.revealBelow(shortCutGrid, 24 * gridRows)
                onBtnClick: keyAssigment.chooseEntry(KeyCodes.shortcutEntries[currentSelect])
            }

            // 9. Gun: reached only through stored assignments.
            Item {
                y: 780
                visible: false
                Heading {
                    text: keyAssigment.keyAssigmentLang[52]
                }
                Row {
                    x: 16
                    y: 28
                    spacing: 16
                    Repeater {
                        id: gunRadios
                        model: KeyCodes.gunEntries
                        onItemAdded: (i, item) => { item.index = i }
                        // qmllint disable unqualified
                        delegate: RadioButton {
                            required property var modelData
                            textValue: keyAssigment.keyAssigmentLang[modelData.label]
                            onBtnClick: (i) => {
                                keyAssigment.selectRadio(gunRadios, i)
                                keyAssigment.chooseEntry(modelData)
                            }
                        }
                        // qmllint enable unqualified
                    }
                }
            }
        }
    }
}
