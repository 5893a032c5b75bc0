import QtQuick
import QtQml.Models
import modules.qml
import "KeyCodes.js" as KeyCodes

// The body of the key assignment dialog: its nine sections, top to bottom.
// The controls report to the dialog, which keeps the assignment.
Item {
    id: sections

    property var dialog: null
    readonly property alias selectRate: selectRate
    readonly property alias selectTimesRect: selectTimesRect
    readonly property alias endless: endless
    readonly property alias mediaControl: mediaControl
    readonly property alias windowsGrid: windowsGrid
    readonly property alias shortCutGrid: shortCutGrid
    readonly property alias macroList: macroListLV
    readonly property alias mouseRadios: mouseRadios
    readonly property alias repeatRadios: repeatRadios
    readonly property alias dpiRadios: dpiRadios
    readonly property alias gunRadios: gunRadios
    readonly property alias mediaModel: mediaModel
    readonly property alias windowsModel: windowsModel
    readonly property alias shortcutModel: shortcutModel

    // A slider or a list scroll bar is being dragged: the body must not flick.
    signal sliderDragged(bool isDrag)

    width: 416
    height: 830

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

    MouseArea {
        anchors.fill: parent
        onPressed: (mouse) => {
            sections.dialog.keyAssigmentFocus()
            mouse.accepted = false
        }
    }

    // 1. Mouse functions
    Heading {
        y: 8
        text: sections.dialog.keyAssigmentLang[1]
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
                textValue: sections.dialog.keyAssigmentLang[modelData.label]
                onBtnClick: (i) => {
                    sections.dialog.selectRadio(mouseRadios, i)
                    sections.dialog.chooseEntry(modelData)
                }
            }
            // qmllint enable unqualified
        }
    }

    // 2. Fire key
    Heading {
        y: 116
        text: sections.dialog.keyAssigmentLang[8]
    }
    Label {
        x: 16
        y: 148
        text: sections.dialog.keyAssigmentLang[9]
    }
    CaptureBox {
        id: fireBox
        objectName: "fireBox"
        x: 90
        y: 144
        width: 96
        text: sections.dialog.fireText
        isCapturing: sections.dialog.isFireInput
        onClicked: sections.dialog.startFireInput()
    }
    Label {
        x: 200
        y: 148
        text: sections.dialog.keyAssigmentLang[11]
    }
    DropDownSlider {
        id: selectRate
        objectName: "selectRate"
        x: 250
        y: 144
        z: isDrop || isAnimating ? 5 : 3
        width: 110
        textValue: "10ms"
        Accessible.name: sections.dialog.keyAssigmentLang[11]
        Accessible.description: textValue
        onBtnClick: selectTimesRect.closeFocus()
        onValueChange: (index) => sections.dialog.setRate(index)
        onDragSignal: (isDrag) => { sections.sliderDragged(isDrag) }
    }
    Label {
        x: 16
        y: 182
        text: sections.dialog.keyAssigmentLang[12]
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
            Accessible.name: sections.dialog.keyAssigmentLang[12]
            Accessible.description: textValue
            onEndInputSignal: sections.dialog.endTimesInput()
        }
    }
    CheckBox {
        id: endless
        objectName: "endless"
        x: 200
        y: 184
        textValue: sections.dialog.keyAssigmentLang[13]
        isSelect: true
        onBtnClick: sections.dialog.endlessClicked()
    }

    // 3. Key combination
    Heading {
        y: 216
        text: sections.dialog.keyAssigmentLang[14]
    }
    CaptureBox {
        id: comboBox
        objectName: "comboBox"
        x: 16
        y: 244
        width: 240
        text: sections.dialog.isComboInput || sections.dialog.comboText !== ""
              ? sections.dialog.comboText : sections.dialog.keyAssigmentLang[10]
        isCapturing: sections.dialog.isComboInput
        rightSpace: isCapturing ? 48 : 0
        onClicked: sections.dialog.startComboInput()

        HoverImage {
            objectName: "comboConfirm"
            visible: sections.dialog.isComboInput
            x: parent.width - 44
            anchors.verticalCenter: parent.verticalCenter
            normalSource: Theme.sourceSureBtn
            hoverSource: Theme.sourceSureBtn
            onClicked: sections.dialog.confirmCombo()
            Accessible.role: Accessible.Button
            Accessible.name: "Confirm"
            Accessible.onPressAction: sections.dialog.confirmCombo()
        }
        HoverImage {
            objectName: "comboCancel"
            visible: sections.dialog.isComboInput
            x: parent.width - 22
            anchors.verticalCenter: parent.verticalCenter
            normalSource: Theme.sourceCloseBtn
            hoverSource: Theme.sourceCloseBtnH
            onClicked: sections.dialog.cancelCombo()
            Accessible.role: Accessible.Button
            Accessible.name: "Cancel"
            Accessible.onPressAction: sections.dialog.cancelCombo()
        }
    }

    // 4. Media
    Heading {
        y: 284
        text: sections.dialog.keyAssigmentLang[15]
    }
    DropDownGrid {
        id: mediaControl
        objectName: "mediaControl"
        x: 16
        y: 312
        z: isDrop || isAnimating ? 5 : 3
        mdItems: ListModel { id: mediaModel }
        Accessible.name: sections.dialog.keyAssigmentLang[15]
        Accessible.description: textValue
        onIsDropChanged: if (isDrop) sections.dialog.revealBelow(mediaControl, 24 * gridRows)
        onBtnClick: sections.dialog.chooseEntry(KeyCodes.mediaEntries[currentSelect])
    }

    // 5. Macro
    Heading {
        y: 352
        text: sections.dialog.keyAssigmentLang[16]
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
        Accessible.name: sections.dialog.keyAssigmentLang[16]
        Accessible.description: textValue

        function addData(macroData, isInit) {
            mdItems.clear()
            var names = macroData ? macroData : []
            for (var i = 0; i < names.length; ++i)
                mdItems.append({ "textValue": String(names[i]) })
            if (currentSelect >= mdItems.count)
                currentSelect = -1
        }

        onIsDropChanged: if (isDrop) sections.dialog.revealBelow(macroListLV, 24 * visibleRows)
        onValueChange: (index) => sections.dialog.chooseMacro(index)
        onDragSignal: (isDrag) => { sections.sliderDragged(isDrag) }
    }
    TextButton {
        objectName: "macroEditorBtn"
        x: 192
        y: 380
        width: 107
        height: 24
        text: sections.dialog.keyAssigmentLang[17]
        onClicked: sections.dialog.openMacroEditor()
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
                item.isSelect = i === sections.dialog.repeatMode
            }
            // qmllint disable unqualified
            delegate: RadioButton {
                textValue: sections.dialog.keyAssigmentLang[18 + index]
                onBtnClick: (i) => sections.dialog.setRepeatMode(i)
            }
            // qmllint enable unqualified
        }
    }

    // 6. DPI
    Heading {
        y: 496
        text: sections.dialog.keyAssigmentLang[21]
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
                textValue: sections.dialog.keyAssigmentLang[modelData.label]
                onBtnClick: (i) => {
                    sections.dialog.selectRadio(dpiRadios, i)
                    sections.dialog.chooseEntry(modelData)
                }
            }
            // qmllint enable unqualified
        }
    }

    // 7. Windows
    Heading {
        y: 556
        text: sections.dialog.keyAssigmentLang[25]
    }
    DropDownGrid {
        id: windowsGrid
        objectName: "windowsGrid"
        x: 16
        y: 584
        z: isDrop || isAnimating ? 5 : 3
        mdItems: ListModel { id: windowsModel }
        Accessible.name: sections.dialog.keyAssigmentLang[25]
        Accessible.description: textValue
        onIsDropChanged: if (isDrop) sections.dialog.revealBelow(windowsGrid, 24 * gridRows)
        onBtnClick: sections.dialog.chooseEntry(KeyCodes.windowsEntries[currentSelect])
    }

    // 8. Shortcut
    Heading {
        y: 620
        text: sections.dialog.keyAssigmentLang[26]
    }
    DropDownGrid {
        id: shortCutGrid
        objectName: "shortCutGrid"
        x: 16
        y: 648
        z: isDrop || isAnimating ? 5 : 3
        mdItems: ListModel { id: shortcutModel }
        Accessible.name: sections.dialog.keyAssigmentLang[26]
        Accessible.description: textValue
        onIsDropChanged: if (isDrop) sections.dialog.revealBelow(shortCutGrid, 24 * gridRows)
        onBtnClick: sections.dialog.chooseEntry(KeyCodes.shortcutEntries[currentSelect])
    }

    // 9. Gun: reached only through stored assignments.
    Item {
        y: 780
        visible: false
        Heading {
            text: sections.dialog.keyAssigmentLang[52]
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
                    textValue: sections.dialog.keyAssigmentLang[modelData.label]
                    onBtnClick: (i) => {
                        sections.dialog.selectRadio(gunRadios, i)
                        sections.dialog.chooseEntry(modelData)
                    }
                }
                // qmllint enable unqualified
            }
        }
    }
}
