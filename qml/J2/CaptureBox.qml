import QtQuick
import modules.qml

// A box that waits for keys: orange and with a blinking caret while it waits.
Rectangle {
    id: captureBox
    property string text: ""
    property bool isCapturing: false
    // Room kept free at the right end for pictures on the box.
    property int rightSpace: 0
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
        anchors.verticalCenter: parent.verticalCenter
        x: (parent.width - captureBox.rightSpace - width) / 2
        spacing: 2
        Text {
            text: captureBox.text
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
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
