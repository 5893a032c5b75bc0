import QtQuick
import QtQml.Models
import modules.qml
import "LightLogic.js" as LightLogic
import "Numbers.js" as Numbers

// The lighting of the current profile: effect, speed and brightness in five
// steps, and up to eight colours picked on a hue bar or typed as R, G, B.
// Edits wait for the root screen's Save.
Rectangle {
    id: lightControl

    property var mainRoot: null
    property bool isSave: false
    property alias lightModel: lightModelLV
    property alias colorBlockRow: blockRow
    property alias rateSlider: rateContainer.slider
    property alias lightnessSlider: lightnessContainer.slider
    property alias settingColorR: fieldR
    property alias settingColorG: fieldG
    property alias settingColorB: fieldB
    property var lightControlLang: ["Light", "Static", "Breath", "Neon", "OFF", "Speed", "Color",
        "Brightness", "Twinkling", "Wave", "Gliding", "Finger Moving", "Vertical Flipping",
        "YO-YO", "Spotlight", "Breath Loop", "", "", "", ""]
    // Most stages of the DPI page: colours beyond them are not offered.
    property int dpiCount: 4
    readonly property bool isColorful: mainRoot ? mainRoot.isColorful === true : false
    readonly property bool is55328: mainRoot ? mainRoot.is55328 === true : false
    readonly property int effect: lightModelLV.currentSelect
    property bool speedShown: true
    property bool brightnessShown: true
    property var blockColours: LightLogic.defaultColours.slice()
    property bool extrasAdded: false

    function backend() {
        return mainRoot ? mainRoot.backend() : null
    }

    function init(isSendData, isRecovery) {
        var view = backend()
        for (var i = 0; i < 4; ++i)
            lightEntries.setProperty(i, "textValue", lightControlLang[i + 1])
        if (!isSendData && !isRecovery && !extrasAdded) {
            extrasAdded = true
            if (isColorful) {
                for (var j = 8; j <= 14; ++j)
                    lightEntries.append({ "textValue": lightControlLang[j] })
            }
            if (is55328) {
                lightEntries.append({ "textValue": lightControlLang[15] })
                lightModelLV.closeMenu()
            }
        }
        var stored = view.getDataList("mouse/lightValue", isRecovery) || []
        lightModelLV.currentSelect = Numbers.clamp(Numbers.toInt(stored[0], 1), 0,
                                                   lightEntries.count - 1)
        rateSlider.setIndexValue(Numbers.clamp(Numbers.toInt(stored[1], 4), 0, 4), false)
        lightnessSlider.setIndexValue(Numbers.clamp(Numbers.toInt(stored[2], 4), 0, 4),
                                      false)
        var rows = LightLogic.rowsOnLoad(effect, is55328)
        speedShown = rows.speed
        brightnessShown = rows.brightness
        blockColours = LightLogic.storedColours(view.getDataList("mouse/colorValue", isRecovery))
        selectBlock(0)
        if (isSendData)
            saveData(true, 0)
    }

    function saveData(isSendData, isStep) {
        var view = backend()
        var speed = rateSlider.segmentValue
        var brightness = lightnessSlider.segmentValue
        var lightValue = [effect, speed, brightness]
        var colours = LightLogic.colourList(blockColours, effect, is55328)
        var effectPart = isStep === 0 || isStep === 1
        var colourPart = isStep === 0 || isStep === 2
        if (effectPart)
            view.setDataList("mouse/lightValue", lightValue)
        if (colourPart)
            view.setDataList("mouse/colorValue", colours)
        if (!isSendData)
            return
        if (effectPart) {
            view.mouseSetRGBColor(0, colours)
            view.mouseSetRGBEffect(effect, speed, brightness)
        }
        if (colourPart) {
            if (isColorful) {
                view.mouseSetRGBColor(0, colours)
                view.mouseSetRGBEffect(effect, speed, brightness)
            } else {
                view.mouseSetRGBColor(1, colours)
            }
        }
    }

    function focusRoot() {
        if (mainRoot)
            mainRoot.mainFocus()
    }

    function lightControlFocus() {
        lightModelLV.closeMenu()
        fieldR.closeFocus()
        fieldG.closeFocus()
        fieldB.closeFocus()
    }

    function chooseEffect(index) {
        var rows = LightLogic.rowsOnChoice(index, is55328)
        if (rows) {
            speedShown = rows.speed
            brightnessShown = rows.brightness
            if (rows.speedStep >= 0)
                rateSlider.setIndexValue(rows.speedStep, false)
            if (rows.brightnessStep >= 0)
                lightnessSlider.setIndexValue(rows.brightnessStep, false)
        }
        selectBlock(0)
        isSave = true
    }

    function selectBlock(k) {
        blockRow.selectColorBlock = k
        setSliderPos(blockColours[k])
        setColorText(blockColours[k])
    }

    function setSliderPos(colorValue) {
        knobRepeater.itemAt(blockRow.selectColorBlock).pos = LightLogic.huePosition(colorValue)
    }

    function setColor(colorBlockIndex, colorValue) {
        var colours = blockColours.slice()
        colours[colorBlockIndex] = String(colorValue)
        blockColours = colours
    }

    function setColorText(colorValue) {
        var c = LightLogic.channels(colorValue)
        fieldR.textValue = String(c[0])
        fieldG.textValue = String(c[1])
        fieldB.textValue = String(c[2])
    }

    // The knob of the selected block now stands at p: its colour follows.
    function applyHue(p) {
        var knob = knobRepeater.itemAt(blockRow.selectColorBlock)
        knob.pos = Numbers.clamp(Math.round(p), 0, LightLogic.barEnd)
        var colour = LightLogic.hueColour(knob.pos)
        setColor(blockRow.selectColorBlock, colour)
        setColorText(colour)
    }

    // A step of the hue knob from the keyboard or a screen reader; a step
    // beyond the bar stops at its end.
    function stepHue(from, delta) {
        applyHue(from + delta)
        isSave = true
    }

    // A press on the knob: the fields and the block show the knob's colour;
    // only moving it picks a colour from the bar.
    function takeKnobColour() {
        var colour = blockColours[blockRow.selectColorBlock]
        setColorText(colour)
        setColor(blockRow.selectColorBlock, colour)
    }

    // Any of R, G, B left: the selected block takes the typed colour.
    function applyFields() {
        var colour = LightLogic.colourText(fieldR.textValue, fieldG.textValue, fieldB.textValue)
        setSliderPos(colour)
        setColor(blockRow.selectColorBlock, colour)
        setColorText(colour)
        isSave = true
    }

    function restore() {
        init(false, true)
        isSave = true
    }

    width: 232
    height: LightLogic.panelHeight(speedShown, brightnessShown)
    color: Theme.colorBlack

    Text {
        x: 8
        y: 12
        text: lightControl.lightControlLang[0]
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
        color: Theme.fontColor
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }

    HoverImage {
        objectName: "lightRestore"
        anchors.right: parent.right
        anchors.rightMargin: 12
        y: 12
        normalSource: Theme.sourceBack
        hoverSource: Theme.sourceBackH
        onClicked: lightControl.restore()
        Accessible.role: Accessible.Button
        Accessible.name: "Restore default lighting"
    }

    Column {
        x: 0
        y: 40

        StepRow {
            id: rateContainer
            objectName: "rateContainer"
            visible: lightControl.speedShown
            title: lightControl.lightControlLang[5]
            slider.objectName: "rateSlider"
            onPressed: lightControl.focusRoot()
            onStepChosen: lightControl.isSave = true
        }
        StepRow {
            id: lightnessContainer
            objectName: "lightnessContainer"
            visible: lightControl.brightnessShown
            title: lightControl.lightControlLang[7]
            slider.objectName: "lightnessSlider"
            onPressed: lightControl.focusRoot()
            onStepChosen: lightControl.isSave = true
        }
    }

    Item {
        id: colourSection
        anchors.bottom: parent.bottom
        width: parent.width
        height: 136

        Rectangle {
            x: 8
            y: 2
            width: 216
            height: 1
            color: Theme.colorGray1
        }
        Text {
            id: colourLabel
            x: 8
            y: 12
            text: lightControl.lightControlLang[6]
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        Row {
            id: blockRow
            objectName: "colorBlockRow"
            property int selectColorBlock: 0
            x: 64
            y: 12
            spacing: 6
            visible: LightLogic.blockRowShown(lightControl.effect, lightControl.is55328)

            Repeater {
                model: LightLogic.blockCount
                // Delegates read their owner by id, which this qmllint cannot follow.
                // qmllint disable unqualified
                delegate: Rectangle {
                    id: block
                    required property int index
                    readonly property bool isSelected: blockRow.selectColorBlock === index
                    objectName: "colorBlock" + index
                    width: 14
                    height: 14
                    z: isSelected || blockArea.containsMouse ? 1 : 0
                    visible: LightLogic.blockShown(index, lightControl.effect, lightControl.dpiCount,
                                                   lightControl.isColorful, lightControl.is55328)
                    color: lightControl.blockColours[index]
                    border.width: isSelected || blockArea.containsMouse ? 2 : 0
                    border.color: "white"
                    MouseArea {
                        id: blockArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: lightControl.selectBlock(block.index)
                    }
                    Accessible.role: Accessible.Button
                    Accessible.name: lightControl.lightControlLang[6] + " " + (index + 1)
                    Accessible.description: color.toString()
                    Accessible.selected: isSelected
                    Accessible.onPressAction: lightControl.selectBlock(index)
                    Accessible.focusable: true
                    activeFocusOnTab: true
                    Keys.onPressed: (event) => {
                        if (KeyNav.isPress(event)) {
                            event.accepted = true
                            lightControl.selectBlock(block.index)
                        }
                    }

                    FocusRing {}
                }
                // qmllint enable unqualified
            }
        }

        Item {
            id: colourArea
            y: 34
            width: parent.width
            height: 101

            Image {
                id: colorBar
                objectName: "colorBar"
                x: 24
                y: 30
                width: LightLogic.barWidth
                height: 10
                source: visible ? Theme.sourceColorBar : ""
            }

            Repeater {
                id: knobRepeater
                model: LightLogic.blockCount
                // qmllint disable unqualified
                delegate: Rectangle {
                    id: knob
                    required property int index
                    property int pos: 0
                    objectName: "colorKnob" + index
                    x: colorBar.x + pos - width / 2
                    y: 0
                    width: 18
                    height: 28
                    radius: 3
                    visible: blockRow.selectColorBlock === index
                    // Covered, it takes no keys either.
                    enabled: !cover.visible
                    color: lightControl.blockColours[index]
                    border.color: "white"
                    border.width: 1
                    Text {
                        anchors.horizontalCenter: parent.horizontalCenter
                        y: 2
                        text: knob.index + 1
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontMinSize
                        color: LightLogic.channels(knob.color.toString())[1] > 160 ? "black" : "white"
                    }
                    // The pointer under the marker's tip on the bar.
                    Rectangle {
                        anchors.horizontalCenter: parent.horizontalCenter
                        anchors.top: parent.bottom
                        width: 2
                        height: 2
                        color: "white"
                    }
                    MouseArea {
                        id: knobArea
                        property real pressX: 0
                        property int pressPos: 0
                        anchors.fill: parent
                        onPressed: (mouse) => {
                            pressX = mapToItem(colourArea, mouse.x, 0).x
                            pressPos = knob.pos
                            lightControl.takeKnobColour()
                        }
                        onPositionChanged: (mouse) => {
                            var now = mapToItem(colourArea, mouse.x, 0).x
                            lightControl.applyHue(pressPos + now - pressX)
                        }
                        onReleased: lightControl.isSave = true
                    }
                    Accessible.role: Accessible.Slider
                    Accessible.name: lightControl.lightControlLang[6] + " " + (index + 1)
                    Accessible.description: color.toString()
                    Accessible.onPressAction: lightControl.takeKnobColour()
                    Accessible.onIncreaseAction: lightControl.stepHue(pos, 1)
                    Accessible.onDecreaseAction: lightControl.stepHue(pos, -1)
                    Accessible.focusable: true
                    activeFocusOnTab: true
                    Keys.onPressed: (event) => {
                        var step = KeyNav.valueStep(event) || KeyNav.endStep(event) * LightLogic.barWidth
                        if (step !== 0) {
                            event.accepted = true
                            lightControl.stepHue(knob.pos, step)
                        }
                    }

                    FocusRing {}
                }
                // qmllint enable unqualified
            }

            Row {
                x: 24
                y: 58
                enabled: !cover.visible
                spacing: 8
                ColourField { id: fieldR; objectName: "settingColorR"; label: "R"; onEdited: lightControl.applyFields() }
                ColourField { id: fieldG; objectName: "settingColorG"; label: "G"; onEdited: lightControl.applyFields() }
                ColourField { id: fieldB; objectName: "settingColorB"; label: "B"; onEdited: lightControl.applyFields() }
            }

            // Effects without colours: the controls stay visible but dark and
            // take no clicks.
            Rectangle {
                id: cover
                objectName: "colourCover"
                x: 0
                y: 0
                width: parent.width
                height: 101
                z: 5
                color: "#B0000000"
                visible: LightLogic.colourCovered(lightControl.effect)
                MouseArea {
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.AllButtons
                    onWheel: (wheel) => { wheel.accepted = true }
                }
            }
        }
    }

    DropDownList {
        id: lightModelLV
        objectName: "lightModel"
        // Named by the panel's heading; the effect shown is its value.
        Accessible.name: lightControl.lightControlLang[0]
        anchors.right: parent.right
        anchors.rightMargin: 40
        y: 8
        z: 3
        width: 120
        count: lightEntries.count
        currentSelect: 1
        mdItems: ListModel {
            id: lightEntries
            ListElement { textValue: "Static" }
            ListElement { textValue: "Breath" }
            ListElement { textValue: "Neon" }
            ListElement { textValue: "OFF" }
        }
        onBtnClick: lightControl.focusRoot()
        onValueChange: (index) => lightControl.chooseEffect(index)
    }
}
