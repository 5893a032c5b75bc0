import QtQuick
import modules.qml

// The factory-reset question with OK and Cancel. It is dragged by its whole
// surface.
Rectangle {
    id: resetConfirm

    property string title: ""
    property string question: ""
    property string okText: ""
    property string cancelText: ""

    signal dragged(real dx, real dy)
    signal accepted()
    signal rejected()

    width: 427
    height: 102
    color: Theme.colorGray0

    DragArea {
        anchors.fill: parent
        onDragged: (dx, dy) => resetConfirm.dragged(dx, dy)
    }
    Rectangle {
        id: titleStrip
        width: parent.width
        height: 30
        color: Theme.colorBlack

        Text {
            anchors.left: parent.left
            anchors.leftMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            text: resetConfirm.title
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            font.bold: true
            color: Theme.fontColor
        }
    }
    Text {
        id: questionText
        anchors.top: titleStrip.bottom
        anchors.topMargin: 15
        anchors.left: parent.left
        anchors.leftMargin: 30
        text: resetConfirm.question
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
        color: Theme.fontColor
    }
    // Cancel first: the focus lands on it when the box opens.
    TextButton {
        objectName: "factoryCancel"
        anchors.right: okButton.left
        anchors.rightMargin: 7
        anchors.top: okButton.top
        width: 88
        height: 25
        text: resetConfirm.cancelText
        onClicked: resetConfirm.rejected()
    }
    TextButton {
        id: okButton
        objectName: "factoryOk"
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.top: questionText.bottom
        anchors.topMargin: 6
        width: 88
        height: 25
        text: resetConfirm.okText
        onClicked: resetConfirm.accepted()
    }
}
