import QtQuick
import modules.qml

// One of the R, G, B number fields of the lighting page: its letter and a
// field that takes 0..255.
Row {
    id: colourField

    property string label: ""
    property alias textValue: input.textValue
    property alias input: input

    signal edited()

    function closeFocus() {
        input.closeFocus()
    }

    spacing: 4

    Text {
        anchors.verticalCenter: parent.verticalCenter
        width: 10
        text: colourField.label
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }
    Rectangle {
        width: 32
        height: 16
        color: Theme.colorGray0
        border.color: Theme.colorGray1
        RectInput {
            id: input
            anchors.fill: parent
            minValue: 0
            maxValue: 255
            textValue: "255"
            onEndInputSignal: colourField.edited()
            Accessible.name: colourField.label
        }
    }
}
