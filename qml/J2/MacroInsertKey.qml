import QtQuick
import modules.qml

// The insert-key dialog of the macro editor over a dim layer: the box shows
// the name of the last key pressed; OK takes it.
Item {
    id: insertKey

    property string title: ""
    property string okText: ""
    property string keyName: ""

    signal accepted()

    anchors.fill: parent
    visible: false
    z: 20

    // The dim layer takes every press meant for the editor under it.
    Rectangle {
        anchors.fill: parent
        color: "#90000000"
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.AllButtons
        }
    }

    Rectangle {
        id: box
        objectName: "insertKeyBox"
        anchors.centerIn: parent
        width: 240
        height: 80
        color: Theme.colorGray0
        border.color: Theme.colorGray1

        Accessible.role: Accessible.Dialog
        Accessible.name: insertKey.title

        Text {
            x: 12
            y: 8
            text: insertKey.title
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            font.bold: true
            color: Theme.fontColor
        }
        Rectangle {
            id: keyBox
            x: 12
            y: 40
            width: 136
            height: 24
            color: Theme.colorBlack
            border.color: Theme.colorOrange

            Accessible.role: Accessible.StaticText
            Accessible.name: insertKey.title
            Accessible.description: insertKey.keyName

            Text {
                anchors.centerIn: parent
                text: insertKey.keyName
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                color: Theme.fontColor
            }
        }
        TextButton {
            id: okButton
            objectName: "insertKeyOk"
            x: 164
            y: 40
            text: insertKey.okText
            Accessible.role: Accessible.Button
            Accessible.name: text
            // The keys go to the box; Pause takes the key shown.
            capturing: insertKey.visible
            onClicked: insertKey.accepted()
        }
    }
}
