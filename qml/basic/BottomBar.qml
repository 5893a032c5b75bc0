import QtQuick
import modules.qml

// Config, Reset and Save at the bottom right. Save turns red while a page
// holds edits that it has not sent yet.
Row {
    id: bottomBar

    property var mainLang: []
    property bool anyUnsaved: false

    readonly property alias profileBtn: profileBtn
    readonly property alias resetBtn: resetBtn
    readonly property alias saveBtn: saveBtn

    signal profileClicked()
    signal resetClicked()
    signal saveClicked()

    spacing: 16

    TextButton {
        id: profileBtn
        objectName: "profileBtn"
        text: bottomBar.mainLang[4]
        onClicked: bottomBar.profileClicked()
    }
    TextButton {
        id: resetBtn
        objectName: "resetBtn"
        text: bottomBar.mainLang[5]
        onClicked: bottomBar.resetClicked()
    }
    TextButton {
        id: saveBtn
        objectName: "saveBtn"
        text: bottomBar.mainLang[10]
        normalColor: bottomBar.anyUnsaved ? "#ff3030" : Theme.colorBlue
        onClicked: bottomBar.saveClicked()
    }
}
