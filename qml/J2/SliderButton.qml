import QtQuick
import modules.qml
import "SliderLogic.js" as SliderLogic

// A slider track with a 12-pixel knob, lying or upright. It reports knob
// positions in pixels along the track; the pages turn them into their own values.
Item {
    id: slider

    // Upright: the track is drawn turned to stand with its minimum at the
    // bottom, while the slider itself keeps its place and size, so that the
    // focus and assistive tools find it where it is drawn.
    property bool upright: false
    readonly property real length: upright ? height : width
    property alias color: track.color
    property int segment: 10
    property int segmentValue: 0
    property bool isScale: false
    property color colorS: Theme.colorOrange
    readonly property alias knobX: knob.x
    readonly property bool isAnimating: knobMove.running

    // A page whose steps are not a tenth of the track (levels, grid values)
    // sets ownSteps and takes stepRequested; the screen reader's step is then its alone.
    property bool ownSteps: false

    signal valueChange(int tmpValue)
    signal valueChangeDelay(int tmpValue)
    signal btnClick()
    signal dragSignal(bool isDrag)
    signal stepRequested(int direction)

    function setRatioValue(ration) {
        knob.x = SliderLogic.ratioToX(length, ration)
        valueChange(knob.x)
    }

    function setIndexValue(Index, isSendSignal) {
        knob.x = SliderLogic.indexToX(length, segment, Index)
        segmentValue = Index
        if (isSendSignal)
            valueChange(knob.x)
    }

    function setValue(tmpvalue) {
        knob.x = tmpvalue
    }

    // A click on the track: the knob glides to the pointer (to the next step
    // when stepped) and reports when it arrives.
    function clickAt(trackX) {
        btnClick()
        var target = SliderLogic.clickTarget(length, trackX)
        if (isScale) {
            var i = SliderLogic.snapIndex(length, segment, target, 0)
            segmentValue = i
            target = SliderLogic.indexToX(length, segment, i)
        }
        knobMove.stop()
        knobMove.to = target
        knobMove.start()
    }

    // A screen reader's step: one step, or a tenth of the track.
    function stepBy(direction) {
        btnClick()
        if (isScale) {
            setIndexValue(Math.max(0, Math.min(segment, segmentValue + direction)), true)
        } else {
            knob.x = SliderLogic.clampX(length, knob.x + direction * SliderLogic.usableLength(length) / 10)
            valueChange(knob.x)
        }
        valueChangeDelay(knob.x)
    }

    // An arrow key steps like the screen reader; Home and End go to the
    // ends. A page with its own steps hears of the ends as a step too long
    // to keep, which it holds at the end.
    function keyStep(direction) {
        if (ownSteps)
            stepRequested(direction)
        else
            stepBy(direction)
    }

    function keyEnd(direction) {
        if (ownSteps) {
            stepRequested(direction * 100000)
            return
        }
        btnClick()
        if (isScale) {
            setIndexValue(direction < 0 ? 0 : segment, true)
        } else {
            knob.x = direction < 0 ? SliderLogic.minX() : SliderLogic.maxX(length)
            valueChange(knob.x)
        }
        valueChangeDelay(knob.x)
    }

    // Answers the keys of a slider; true when it took the key. Space and
    // Enter press it as a click does (the DPI page selects a stage so).
    function handleKey(event) {
        var step = KeyNav.valueStep(event)
        var end = KeyNav.endStep(event)
        if (KeyNav.isPress(event))
            btnClick()
        else if (step !== 0)
            keyStep(step)
        else if (end !== 0)
            keyEnd(end)
        else
            return false
        return true
    }

    width: 100
    height: 6
    Accessible.role: Accessible.Slider
    // The page names it; the value read out is the step, or the knob position.
    Accessible.description: String(isScale ? segmentValue : knob.x)
    Accessible.onPressAction: slider.btnClick()
    Accessible.onIncreaseAction: slider.keyStep(1)
    Accessible.onDecreaseAction: slider.keyStep(-1)
    Accessible.focusable: true
    activeFocusOnTab: true
    Keys.onPressed: (event) => { event.accepted = slider.handleKey(event) }

    FocusRing { gap: 4 }

    Rectangle {
        id: track
        anchors.centerIn: parent
        width: slider.length
        height: slider.upright ? slider.width : slider.height
        rotation: slider.upright ? 270 : 0
        radius: 3
        color: Theme.colorGray1

        Rectangle {
            id: filled
            width: knob.x + 6
            height: track.height
            radius: 3
            color: slider.colorS
        }

        MouseArea {
            id: trackArea
            anchors.fill: parent
            anchors.margins: -3
            onClicked: (mouse) => slider.clickAt(mouse.x + trackArea.x)
        }

        Image {
            id: knob
            x: SliderLogic.minX()
            y: -3
            width: 12
            height: 12
            source: visible ? Theme.sourceSlide : ""

            MouseArea {
                id: knobArea
                property real pressX: 0
                property real pressKnobX: 0
                anchors.fill: parent
                onPressed: (mouse) => {
                    knobMove.stop()
                    pressX = mapToItem(track, mouse.x, 0).x
                    pressKnobX = knob.x
                    // A press may send a command to the mouse, whose wait lets the
                    // next events through: run it once the knob holds the pointer,
                    // or a quick drag that arrives meanwhile is lost.
                    Qt.callLater(slider.btnClick)
                    slider.dragSignal(true)
                }
                onPositionChanged: (mouse) => {
                    var now = mapToItem(track, mouse.x, 0).x
                    knob.x = SliderLogic.clampX(slider.length, pressKnobX + now - pressX)
                    if (!slider.isScale)
                        slider.valueChange(knob.x)
                }
                onReleased: {
                    if (slider.isScale) {
                        var i = SliderLogic.snapIndex(slider.length, slider.segment, knob.x, 1)
                        slider.segmentValue = i
                        knob.x = SliderLogic.indexToX(slider.length, slider.segment, i)
                    }
                    slider.valueChangeDelay(knob.x)
                    slider.dragSignal(false)
                }
            }
        }
    }

    NumberAnimation {
        id: knobMove
        target: knob
        property: "x"
        duration: 120
        easing.type: Easing.OutQuad
        onFinished: {
            slider.valueChange(knob.x)
            slider.valueChangeDelay(knob.x)
        }
    }
}
