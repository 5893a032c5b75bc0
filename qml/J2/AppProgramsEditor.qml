import QtQuick
import modules.qml

// Names the programs (by window class) a profile row is for, and whether the
// row is the fallback. Shown over the profile list; where the desktop cannot
// tell the active program it only says so, and why.
Rectangle {
    id: editor

    property bool available: true
    property string rowName: ""
    property alias programs: programsField.text
    property alias isFallback: fallbackCheck.isSelect
    // Texts: title, hint, fallback, OK, Cancel, unavailable.
    property var texts: ["Programs", "Window classes separated by blanks:",
        "Fallback: used when no rule matches", "OK", "Cancel",
        "Per-program profiles are unavailable on this desktop"]

    signal accepted()
    signal rejected()

    component EditorButton: TextButton {
        id: button
        normalColor: Theme.colorGray0
        border.color: Theme.colorGray1
        Accessible.role: Accessible.Button
        Accessible.name: text
        Accessible.onPressAction: button.clicked()
    }

    function open(name, programsText, fallback) {
        rowName = name
        programsField.text = programsText
        fallbackCheck.isSelect = fallback
        visible = true
        if (available)
            programsField.forceActiveFocus()
    }

    width: 384
    height: 180
    color: Theme.colorBlack
    border.color: Theme.colorGray1
    Accessible.role: Accessible.Dialog
    Accessible.name: texts[0] + " " + rowName

    // Takes the presses that would reach the list under it.
    MouseArea {
        anchors.fill: parent
    }

    Column {
        x: 16
        y: 12
        spacing: 10

        Text {
            text: editor.texts[0] + ": " + editor.rowName
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
            font.bold: true
            color: Theme.fontColor
        }
        Text {
            visible: !editor.available
            width: 352
            wrapMode: Text.WordWrap
            text: editor.texts[5]
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.colorGray3
        }
        Text {
            visible: editor.available
            text: editor.texts[1]
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
        }
        Rectangle {
            visible: editor.available
            width: 352
            height: 24
            color: Theme.colorGray0
            border.color: programsField.activeFocus ? Theme.colorOrange : Theme.colorGray1

            TextInput {
                id: programsField
                objectName: "appPrograms"
                anchors.fill: parent
                anchors.leftMargin: 6
                anchors.rightMargin: 6
                verticalAlignment: TextInput.AlignVCenter
                clip: true
                maximumLength: 200
                selectByMouse: true
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                color: Theme.fontColor
                selectionColor: Theme.colorGray1
                Accessible.role: Accessible.EditableText
                Accessible.name: editor.texts[1]
                Accessible.description: text
                Accessible.focusable: true
                activeFocusOnTab: true
                Keys.onReturnPressed: editor.accepted()
                Keys.onEnterPressed: editor.accepted()
                Keys.onEscapePressed: editor.rejected()
            }
        }
        CheckBox {
            id: fallbackCheck
            objectName: "appFallback"
            visible: editor.available
            textValue: editor.texts[2]
            Accessible.role: Accessible.CheckBox
            Accessible.name: textValue
            Accessible.checkable: true
            Accessible.checked: isSelect
            Accessible.onPressAction: fallbackCheck.toggle()
            Accessible.onToggleAction: fallbackCheck.toggle()
        }
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 16
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 12
        spacing: 8

        EditorButton {
            objectName: "appCancel"
            text: editor.texts[4]
            onClicked: editor.rejected()
        }
        EditorButton {
            objectName: "appOk"
            visible: editor.available
            text: editor.texts[3]
            onClicked: editor.accepted()
        }
    }
}
