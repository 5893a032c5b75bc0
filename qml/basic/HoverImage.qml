import QtQuick
import modules.qml

// A picture button: the hover picture while the pointer is over it.
Image {
    id: hoverImage

    property url normalSource
    property url hoverSource
    property url pressedSource: hoverSource
    readonly property alias containsMouse: area.containsMouse

    signal clicked()

    Accessible.role: Accessible.Button
    Accessible.onPressAction: hoverImage.clicked()
    Accessible.focusable: true
    activeFocusOnTab: true
    Keys.onPressed: (event) => {
        if (KeyNav.isPress(event)) {
            event.accepted = true
            if (!event.isAutoRepeat)
                hoverImage.clicked()
        }
    }

    // Decoded only while shown, like every picture of the screens.
    source: !visible ? "" : area.pressed ? pressedSource
                                         : (area.containsMouse ? hoverSource : normalSource)

    FocusRing {}

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: hoverImage.clicked()
    }
}
