import QtQuick
import modules.qml

// A box that waits for keys: orange and with a blinking caret while it waits.
Rectangle {
    id: captureBox
    property string text: ""
    property bool isCapturing: false
    // Room kept free at the right end for pictures on the box.
    property int rightSpace: 0
    // When the last capture ended: the key that ended it may reach the box
    // just after, and must not act here as well.
    property double endedAt: 0
    signal clicked()
    onIsCapturingChanged: if (!isCapturing) endedAt = Date.now()
    height: 24
    color: isCapturing || boxArea.containsMouse ? Theme.colorOrange : Theme.colorBlue
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.description: isCapturing ? "waiting for keys" : ""
    Accessible.onPressAction: captureBox.clicked()
    Accessible.focusable: true
    activeFocusOnTab: true
    // While it waits, every key belongs to the capture (the keys arrive
    // through the input hook): none moves the focus or closes the dialog.
    // Space or Enter starts it once the key is let go and the input hook has
    // passed the release on, so that the key is not its own first capture.
    Keys.onPressed: (event) => {
        if (captureBox.isCapturing || KeyNav.isPress(event) || KeyNav.justEnded(captureBox.endedAt))
            event.accepted = true
    }
    Keys.onReleased: (event) => {
        if (captureBox.isCapturing) {
            event.accepted = true
        } else if (KeyNav.isPress(event) && !event.isAutoRepeat) {
            event.accepted = true
            Qt.callLater(captureBox.clicked)
        }
    }

    FocusRing {}

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
