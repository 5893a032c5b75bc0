import QtQuick
import modules.qml

// A flat text button: orange while the pointer is over it.
Rectangle {
    id: textButton

    property string text: ""
    property color normalColor: Theme.colorBlue
    property color hoverColor: Theme.colorOrange
    property bool bold: false
    property int fontSize: Theme.fontNormalSize
    readonly property alias containsMouse: area.containsMouse
    // Space or Enter presses the button once the key is let go and the input
    // hook has passed the release on: a button that starts a capture must
    // not take its own key.
    property bool pressOnRelease: false
    // While the button's capture runs, every key belongs to the capture.
    property bool capturing: false
    property double endedAt: 0
    onCapturingChanged: if (!capturing) endedAt = Date.now()

    signal clicked()

    width: 64
    height: 24
    color: area.containsMouse ? hoverColor : normalColor
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: textButton.clicked()
    Accessible.focusable: true
    activeFocusOnTab: true
    Keys.onPressed: (event) => {
        if (textButton.capturing || KeyNav.justEnded(textButton.endedAt)) {
            event.accepted = true
        } else if (KeyNav.isPress(event)) {
            event.accepted = true
            if (!textButton.pressOnRelease && !event.isAutoRepeat)
                textButton.clicked()
        }
    }
    Keys.onReleased: (event) => {
        if (textButton.capturing) {
            event.accepted = true
        } else if (KeyNav.isPress(event) && textButton.pressOnRelease && !event.isAutoRepeat) {
            event.accepted = true
            Qt.callLater(textButton.clicked)
        }
    }

    FocusRing {}

    Text {
        anchors.centerIn: parent
        text: textButton.text
        font.family: Theme.fontFamily
        font.pixelSize: textButton.fontSize
        font.bold: textButton.bold
        color: Theme.fontColor
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: textButton.clicked()
    }
}
