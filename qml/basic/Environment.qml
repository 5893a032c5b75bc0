import QtQuick
import modules.qml

// Background and title bar of the window. The logo opens the maker's page.
// Its pictures, like every picture of the screens, have a source only while
// they are shown: hidden panels cost no decoding at start and no memory.
Item {
    id: environment

    property string url: ""

    width: 1024
    height: 640

    Image {
        x: 0
        y: 0
        source: visible ? Theme.sourceBackground : ""
    }
    Image {
        x: 0
        y: 0
        source: visible ? Theme.sourceTitleBar : ""
    }
    Image {
        anchors.left: parent.left
        anchors.leftMargin: 36
        anchors.top: parent.top
        anchors.topMargin: 3
        source: visible ? Theme.sourceTitleLogo : ""
        Accessible.role: Accessible.Link
        Accessible.name: environment.url
        Accessible.onPressAction: Qt.openUrlExternally(environment.url)
        Accessible.focusable: true
        activeFocusOnTab: true
        Keys.onPressed: (event) => {
            if (KeyNav.isPress(event)) {
                event.accepted = true
                if (!event.isAutoRepeat)
                    Qt.openUrlExternally(environment.url)
            }
        }

        FocusRing {}

        MouseArea {
            anchors.fill: parent
            onClicked: Qt.openUrlExternally(environment.url)
        }
    }
}
