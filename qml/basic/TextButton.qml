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

    signal clicked()

    width: 64
    height: 24
    color: area.containsMouse ? hoverColor : normalColor
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: textButton.clicked()

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
