import QtQuick
import modules.qml

// The orange frame around its parent while the parent has the keyboard focus.
Rectangle {
    objectName: "focusRing"
    // The gap between the parent's edge and the frame.
    property int gap: 2

    anchors.fill: parent
    anchors.margins: -gap - Theme.focusWidth
    visible: parent ? parent.activeFocus : false
    color: "transparent"
    radius: 2
    border.color: Theme.focusColor
    border.width: Theme.focusWidth
    Accessible.ignored: true
}
