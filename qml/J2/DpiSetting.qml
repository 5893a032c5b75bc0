import QtQuick
import QtQml.Models
import modules.qml
import "DpiLogic.js" as DpiLogic
import "Numbers.js" as Numbers

// The sensor resolution stages of the current profile: up to eight vertical
// sliders, how many of them are active, and which one is current. Edits wait
// for the root screen's Save; picking a stage switches the mouse at once.
Rectangle {
    id: dpiSetting

    property var mainRoot: null
    property int currentDPI: 0
    property int dpiCount: 4
    property int currentDpiCount: 4
    property int minDPI: 200
    property int maxDPI: 6000
    property string sensorType: "3360"
    property int dpiBase: 50
    property var dpiValueArray: DpiLogic.defaultValues.slice()
    property bool isSave: false
    property alias dpiSegment: dpiSegmentLV
    property var dpiSettingLang: ["DPI"]
    // The text of each stage label, as the knobs give them.
    property var stageTexts: ["2000", "2000", "2000", "2000", "2000", "2000", "2000", "2000"]
    property int sliderSpacing: 14
    property int labelSpacing: 14

    function backend() {
        return mainRoot ? mainRoot.backend() : null
    }

    function slider(k) {
        return sliderRepeater.itemAt(k)
    }

    function init(isSendData, isRecovery) {
        var view = backend()
        if (!isRecovery) {
            dpiCount = Numbers.toInt(view.getData("mouse/dpiCount", false), dpiCount)
            currentDpiCount = Numbers.toInt(view.getData("mouse/currentDpiCount", false),
                                            currentDpiCount)
            minDPI = Numbers.toInt(view.getGlobalData("mouse/minDPI"), minDPI)
            maxDPI = Numbers.toInt(view.getGlobalData("mouse/maxDPI"), maxDPI)
            var sensor = view.getGlobalData("mouse/sensorType")
            if (sensor !== undefined && sensor !== null && String(sensor) !== "")
                sensorType = String(sensor)
            dpiBase = Numbers.toInt(view.getGlobalData("mouse/dpiBase"), dpiBase)
        }
        dpiValueArray = DpiLogic.stageValues(view.getDataList("mouse/dpiValueArray", isRecovery))
        if (dpiCount > DpiLogic.stageCount)
            return
        if (!isRecovery) {
            // The list offers the stages the mouse has; it never grows back.
            var keep = Math.max(1, dpiCount)
            while (stageEntries.count > keep)
                stageEntries.remove(stageEntries.count - 1)
            currentDpiCount = Numbers.clamp(currentDpiCount, 1, stageEntries.count)
            dpiSegmentLV.currentSelect = currentDpiCount - 1
            dpiSegmentLV.closeMenu()
        }
        for (var k = 0; k < DpiLogic.stageCount; ++k)
            slider(k).setRatioValue(DpiLogic.knobRatio(dpiValueArray[k], minDPI, maxDPI))
        dpiSegmentLV.dpiCountControl(currentDpiCount - 1)
        if (isSendData)
            saveData(true)
    }

    function saveData(isSendData) {
        var values = stageTexts.map(function(text) { return Numbers.toInt(text, 0) })
        var view = backend()
        view.setDataList("mouse/dpiValueArray", values)
        view.setData("mouse/currentDpiCount", currentDpiCount)
        if (isSendData)
            view.mouseSetDpi(currentDpiCount, sensorType, values)
    }

    function dpiValueProc(index, dpiValue, isSendData) {
        var texts = stageTexts.slice()
        texts[index] = String(DpiLogic.positionToValue(dpiValue, minDPI, maxDPI, dpiBase))
        stageTexts = texts
        if (isSendData)
            isSave = true
    }

    // A press on a stage makes it current on the mouse at once (1-based there).
    function selectStage(k) {
        if (mainRoot)
            mainRoot.mainFocus()
        backend().mouseSetCurrentDPI(k + 1)
        currentDPI = k
    }

    // Whole grid steps up or down, for the arrow keys and assistive tools.
    function nudgeStage(k, steps) {
        var s = slider(k)
        s.setValue(DpiLogic.stepPosition(s.knobX, steps, minDPI, maxDPI, dpiBase))
        dpiValueProc(k, s.knobX, true)
    }

    function restore() {
        init(false, true)
        isSave = true
    }

    width: 232
    height: 256
    color: Theme.colorBlack

    Text {
        x: 8
        y: 12
        text: dpiSetting.dpiSettingLang[0]
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
        color: Theme.fontColor
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }

    HoverImage {
        id: restoreBtn
        objectName: "dpiRestore"
        anchors.right: parent.right
        anchors.rightMargin: 12
        y: 12
        normalSource: Theme.sourceBack
        hoverSource: Theme.sourceBackH
        onClicked: dpiSetting.restore()
        Accessible.role: Accessible.Button
        Accessible.name: "Restore default DPI stages"
    }

    DropDownList {
        id: dpiSegmentLV
        objectName: "dpiSegment"
        anchors.right: parent.right
        anchors.rightMargin: 40
        y: 8
        z: 2
        width: 64
        count: stageEntries.count
        horizontalOffset: -8
        currentSelect: 3
        mdItems: ListModel {
            id: stageEntries
            ListElement { textValue: "1" }
            ListElement { textValue: "2" }
            ListElement { textValue: "3" }
            ListElement { textValue: "4" }
            ListElement { textValue: "5" }
            ListElement { textValue: "6" }
            ListElement { textValue: "7" }
            ListElement { textValue: "8" }
        }
        Accessible.name: "Active DPI stages " + textValue

        // Shows stages 0..index and lays the column out for them.
        function dpiCountControl(index) {
            var active = Numbers.clamp(index + 1, 1, DpiLogic.stageCount)
            var layout = DpiLogic.layoutFor(active)
            sliderRow.columnOffset = layout.offset
            if (layout.spacing >= 0)
                dpiSetting.sliderSpacing = layout.spacing
            if (layout.labelSpacing >= 0)
                dpiSetting.labelSpacing = layout.labelSpacing
            dpiSetting.currentDpiCount = active
        }

        onBtnClick: {
            if (dpiSetting.mainRoot)
                dpiSetting.mainRoot.mainFocus()
        }
        onValueChange: (index) => {
            dpiCountControl(index)
            dpiSetting.isSave = true
        }
    }

    // The upright sliders side by side, first one left. The layout's offset
    // is that of the stack of lying tracks before it is stood up about its
    // centre, so the row keeps that centre.
    Row {
        id: sliderRow
        property real columnOffset: 69
        readonly property int stageLength: 176
        x: (dpiSetting.width - width) / 2
        y: columnOffset + (width - stageLength) / 2
        spacing: dpiSetting.sliderSpacing

        Repeater {
            id: sliderRepeater
            model: DpiLogic.stageCount

            // Delegates read their owner by id, which this qmllint cannot follow.
            // qmllint disable unqualified
            delegate: SliderButton {
                id: stage
                required property int index
                readonly property string dpiValue: dpiSetting.stageTexts[index]
                objectName: "dpi" + index
                upright: true
                width: 6
                height: sliderRow.stageLength
                visible: index < dpiSetting.currentDpiCount
                colorS: dpiSetting.currentDPI === index ? Theme.colorOrange : Theme.colorBlue
                onBtnClick: dpiSetting.selectStage(index)
                onValueChange: (tmpValue) => dpiSetting.dpiValueProc(index, tmpValue, false)
                onValueChangeDelay: (tmpValue) => dpiSetting.dpiValueProc(index, tmpValue, true)

                Accessible.role: Accessible.Slider
                Accessible.name: dpiSetting.dpiSettingLang[0] + " " + (index + 1)
                Accessible.description: dpiValue
                Accessible.selected: dpiSetting.currentDPI === index
                ownSteps: true
                onStepRequested: (direction) => dpiSetting.nudgeStage(index, direction)
            }
            // qmllint enable unqualified
        }
    }

    Row {
        id: labelRow
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 16
        spacing: dpiSetting.labelSpacing

        Repeater {
            model: DpiLogic.stageCount
            // qmllint disable unqualified
            delegate: Text {
                required property int index
                objectName: "dpi" + index + "TXT"
                width: 24
                visible: index < dpiSetting.currentDpiCount
                horizontalAlignment: Text.AlignHCenter
                text: dpiSetting.stageTexts[index]
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontMinSize
                color: Theme.fontColor
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            // qmllint enable unqualified
        }
    }
}
