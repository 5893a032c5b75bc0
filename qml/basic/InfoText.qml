import QtQuick
import modules.qml

// A red line at the bottom of the root screen; with a link, a click opens it.
Text {
    id: infoText

    property string link: ""

    color: "Red"
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontMiddleSize + 6
    Accessible.role: link === "" ? Accessible.StaticText : Accessible.Link
    Accessible.name: text
    Accessible.onPressAction: infoText.open()
    Accessible.focusable: activeFocusOnTab
    activeFocusOnTab: link !== ""
    Keys.onPressed: (event) => {
        if (KeyNav.isPress(event)) {
            event.accepted = true
            if (!event.isAutoRepeat)
                infoText.open()
        }
    }

    function open() {
        if (link !== "")
            Qt.openUrlExternally(link)
    }

    FocusRing {}

    MouseArea {
        anchors.fill: parent
        enabled: infoText.link !== ""
        onClicked: infoText.open()
    }
}
