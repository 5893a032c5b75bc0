import QtQuick
import modules.qml
import "SystemLogic.js" as SystemLogic

// The desktop's pointer speed, double-click speed and wheel lines, kept in
// the profile. Every change is stored and applied at once; the panel is
// dragged by its background and stays inside the window.
Rectangle {
    id: systemSetting

    property var mainRoot: null
    property var systemSettingLang: ["System Setting", "Mouse Speed", "Double Click Speed",
        "Slow", "Fast", "Scroll Speed", "Number of Rows", "Scroll one Screen",
        "", "", "", "", "", "", ""]
    property alias mouseRate: mouseRateBar
    property alias doubleRate: doubleRateBar
    property alias scrollRate1: scrollRate1Btn
    property alias scrollRate2: scrollRate2Btn
    property alias scrollRateInput: scrollRateField

    function backend() {
        return mainRoot ? mainRoot.backend() : null
    }

    function init(isSendData, isRecovery) {
        var view = backend()
        mouseRateBar.xPosition = SystemLogic.knobPosition(view.getData("mouse/mouseRate", isRecovery))
        mouseRateBar.setValue(mouseRateBar.xPosition)
        doubleRateBar.xPosition = SystemLogic.knobPosition(view.getData("mouse/doubleRate",
                                                                        isRecovery))
        doubleRateBar.setValue(doubleRateBar.xPosition)
        var lines = parseInt(view.getData("mouse/scrollRate", isRecovery), 10)
        if (lines > 100) {
            selectScroll(false)
        } else {
            selectScroll(true)
            scrollRateField.textValue = SystemLogic.linesText(String(lines))
        }
        if (isSendData)
            saveData(true, 0)
    }

    function scrollLines() {
        return scrollRate1Btn.isSelect ? parseInt(SystemLogic.linesText(scrollRateField.textValue), 10)
                                       : SystemLogic.screenLines
    }

    function saveData(isSendData, isStep) {
        var view = backend()
        var lines = scrollLines()
        view.setData("mouse/mouseRate", mouseRateBar.xPosition)
        view.setData("mouse/doubleRate", doubleRateBar.xPosition)
        view.setData("mouse/scrollRate", lines)
        if (!isSendData)
            return
        if (isStep === 0 || isStep === 1)
            view.mouseSetCursorSpeed(SystemLogic.level(mouseRateBar.xPosition))
        if (isStep === 0 || isStep === 2)
            view.mouseSetDoubleClickSpeed(SystemLogic.level(doubleRateBar.xPosition))
        if (isStep === 0 || isStep === 3)
            view.mouseSetVerticalScrollLines(lines)
    }

    function systemSettingFocus() {
        scrollRateField.closeFocus()
    }

    function selectScroll(byLines) {
        scrollRate1Btn.isSelect = byLines
        scrollRate2Btn.isSelect = !byLines
    }

    function chooseScroll(byLines) {
        selectScroll(byLines)
        saveData(true, 3)
    }

    function sliderReleased(bar, x, isStep) {
        bar.xPosition = x
        saveData(true, isStep)
    }

    // One level up or down, as assistive tools ask.
    function stepLevel(bar, delta, isStep) {
        var x = SystemLogic.levelPosition(SystemLogic.level(bar.xPosition) + delta)
        bar.setValue(x)
        sliderReleased(bar, x, isStep)
    }

    function moveBy(dx, dy) {
        var area = parent
        if (!area)
            return
        x = Math.max(0, Math.min(area.width - width, x + dx))
        y = Math.max(0, Math.min(area.height - height, y + dy))
    }

    function close() {
        visible = false
        if (mainRoot)
            mainRoot.maskVisible = false
    }

    width: 416
    height: 312
    color: Theme.colorGray0
    // A screen reader announces the panel by its title.
    Accessible.role: Accessible.Dialog
    Accessible.name: systemSettingLang[0]

    DragArea {
        anchors.fill: parent
        onDragged: (dx, dy) => systemSetting.moveBy(dx, dy)
    }

    PanelTitle {
        id: titleBar
        title: systemSetting.systemSettingLang[0]
        onCloseClicked: systemSetting.close()
    }

    HoverImage {
        objectName: "systemRestore"
        anchors.right: parent.right
        anchors.rightMargin: 44
        y: 12
        normalSource: Theme.sourceBack
        hoverSource: Theme.sourceBackH
        onClicked: systemSetting.init(true, true)
        Accessible.role: Accessible.Button
        Accessible.name: "Restore default pointer settings"
    }

    component SectionTitle: Text {
        x: 32
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
        color: Theme.fontColor
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
    component EndLabel: Text {
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
        color: Theme.colorGray2
    }
    component Separator: Rectangle {
        x: 16
        width: 384
        height: 1
        color: Theme.colorBlack
    }

    SectionTitle { y: 56; text: systemSetting.systemSettingLang[1] }
    SliderButton {
        id: mouseRateBar
        objectName: "mouseRate"
        property int xPosition: SystemLogic.knobMin
        x: 32
        y: 86
        width: 352
        onBtnClick: {
            if (systemSetting.mainRoot)
                systemSetting.mainRoot.mainFocus()
        }
        onValueChangeDelay: (tmpValue) => systemSetting.sliderReleased(mouseRateBar, tmpValue, 1)
        Accessible.role: Accessible.Slider
        Accessible.name: systemSetting.systemSettingLang[1]
        Accessible.description: String(SystemLogic.level(xPosition))
        ownSteps: true
        onStepRequested: (direction) => systemSetting.stepLevel(mouseRateBar, direction, 1)
    }
    EndLabel { x: 32; y: 98; text: systemSetting.systemSettingLang[3] }
    EndLabel { x: 384 - width; y: 98; text: systemSetting.systemSettingLang[4] }
    Separator { y: 122 }

    SectionTitle { y: 134; text: systemSetting.systemSettingLang[2] }
    SliderButton {
        id: doubleRateBar
        objectName: "doubleRate"
        property int xPosition: SystemLogic.knobMin
        x: 32
        y: 164
        width: 352
        onBtnClick: {
            if (systemSetting.mainRoot)
                systemSetting.mainRoot.mainFocus()
        }
        onValueChangeDelay: (tmpValue) => systemSetting.sliderReleased(doubleRateBar, tmpValue, 2)
        Accessible.role: Accessible.Slider
        Accessible.name: systemSetting.systemSettingLang[2]
        Accessible.description: String(SystemLogic.level(xPosition))
        ownSteps: true
        onStepRequested: (direction) => systemSetting.stepLevel(doubleRateBar, direction, 2)
    }
    EndLabel { x: 32; y: 176; text: systemSetting.systemSettingLang[3] }
    EndLabel { x: 384 - width; y: 176; text: systemSetting.systemSettingLang[4] }
    Separator { y: 200 }

    SectionTitle { y: 212; text: systemSetting.systemSettingLang[5] }
    Row {
        x: 32
        y: 244
        spacing: 12
        RadioButton {
            id: scrollRate1Btn
            objectName: "scrollRate1"
            anchors.verticalCenter: parent.verticalCenter
            textValue: systemSetting.systemSettingLang[6]
            index: 0
            onBtnClick: systemSetting.chooseScroll(true)
        }
        Rectangle {
            width: 32
            height: 16
            color: Theme.colorGray1
            RectInput {
                id: scrollRateField
                objectName: "scrollRateInput"
                anchors.fill: parent
                minValue: 1
                maxValue: 100
                textValue: "1"
                Component.onCompleted: txtInput.maximumLength = 3
                onInputSignal: {
                    if (systemSetting.mainRoot)
                        systemSetting.mainRoot.mainFocus()
                }
                onEndInputSignal: {
                    textValue = SystemLogic.linesText(textValue)
                    systemSetting.saveData(true, 3)
                }
                Accessible.name: systemSetting.systemSettingLang[6]
            }
        }
    }
    RadioButton {
        id: scrollRate2Btn
        objectName: "scrollRate2"
        x: 32
        y: 276
        textValue: systemSetting.systemSettingLang[7]
        index: 1
        onBtnClick: systemSetting.chooseScroll(false)
    }
}
