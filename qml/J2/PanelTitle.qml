import QtQuick
import modules.qml

// The 40-high title bar of a modal panel: its title, the close picture and
// the orange line under it.
Rectangle {
    id: panelTitle

    property string title: ""

    signal closeClicked()

    width: parent ? parent.width : 0
    height: 40
    color: Theme.colorBlack

    Text {
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        text: panelTitle.title
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
        color: Theme.fontColor
    }
    HoverImage {
        anchors.right: parent.right
        anchors.rightMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        normalSource: Theme.sourceCloseBtn
        hoverSource: Theme.sourceCloseBtnH
        Accessible.name: "Close"
        onClicked: panelTitle.closeClicked()
    }
    Rectangle {
        anchors.top: parent.bottom
        width: parent.width
        height: 1
        color: Theme.colorOrange
    }
}
