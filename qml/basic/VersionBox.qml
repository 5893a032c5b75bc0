import QtQuick
import modules.qml

// The version box: title strip with its close picture, the maker's badge and
// the version lines. It is dragged by its whole surface.
Rectangle {
    id: versionBox

    signal dragged(real dx, real dy)
    signal closeClicked()
    signal reportClicked()

    width: 400
    height: 240
    color: Theme.colorGray0
    border.color: Theme.colorGray1

    DragArea {
        anchors.fill: parent
        onDragged: (dx, dy) => versionBox.dragged(dx, dy)
    }
    Rectangle {
        id: versionTitle
        x: 1
        y: 1
        width: parent.width - 2
        height: 30
        color: Theme.colorBlack

        Text {
            anchors.left: parent.left
            anchors.leftMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            // Laid out only while the box is shown: this is the one text of the
            // screens that needs a CJK font, which is costly to load at start.
            text: versionBox.visible ? "版本" : ""
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
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
            onClicked: versionBox.closeClicked()
        }
    }
    Column {
        anchors.top: versionTitle.bottom
        anchors.topMargin: 15
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 5

        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: visible ? Theme.sourceCompany : ""
        }
        VersionLine { text: "Driver version:V1.0"; font.letterSpacing: 1 }
        VersionLine { text: "Product: ZERANT MOLTA MOUSE R770"; font.letterSpacing: 1 }
        VersionLine { text: "Hardware code: 1.1(3327572)"; font.letterSpacing: 1 }
        VersionLine { text: " " }
        VersionLine { text: " " }
        VersionLine {
            text: "Copyright (C) ZERANT Peripherals. All rights reserved."
            font.pixelSize: Theme.fontMinSize
        }
    }
    ReportButton {
        anchors { right: parent.right; bottom: parent.bottom; margins: 10 }
        onClicked: versionBox.reportClicked()
    }
}
