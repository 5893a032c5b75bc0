import QtQuick
import modules.qml

// One line of the version box.
Text {
    anchors.horizontalCenter: parent ? parent.horizontalCenter : undefined
    color: "#c0c0c0"
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
}
