import QtQuick
import modules.qml
import "LightLogic.js" as LightLogic

// One row of the lighting page: its title, a stepped slider of five steps
// with the scale under it, and a box that shows the step as a percentage.
Item {
    id: stepRow

    property string title: ""
    property alias slider: bar

    signal pressed()
    signal stepChosen()

    function stepBy(delta) {
        bar.setIndexValue(Math.max(0, Math.min(bar.segment, bar.segmentValue + delta)), false)
        stepChosen()
    }

    width: 232
    height: 44

    Text {
        x: 8
        anchors.verticalCenter: bar.verticalCenter
        text: stepRow.title
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }

    SliderButton {
        id: bar
        x: 80
        y: 16
        width: 96
        segment: 4
        isScale: true
        segmentValue: 4
        onBtnClick: stepRow.pressed()
        onValueChangeDelay: stepRow.stepChosen()
        Accessible.role: Accessible.Slider
        Accessible.name: stepRow.title
        Accessible.description: percent.text
        ownSteps: true
        onStepRequested: (direction) => stepRow.stepBy(direction)
    }

    Image {
        x: bar.x
        y: bar.y + 10
        width: 96
        height: 6
        source: visible ? Theme.sourceSpeedScale : ""
    }

    Rectangle {
        x: 182
        anchors.verticalCenter: bar.verticalCenter
        width: 48
        height: 16
        color: Theme.colorGray0
        border.color: Theme.colorGray1
        Text {
            id: percent
            anchors.centerIn: parent
            text: LightLogic.percentText(bar.segmentValue)
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMinSize
            color: Theme.fontColor
        }
        Accessible.role: Accessible.StaticText
        Accessible.name: stepRow.title + " " + percent.text
    }
}
