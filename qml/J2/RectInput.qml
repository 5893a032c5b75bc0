import QtQuick
import modules.qml

// A small centred number field. Leaving it with an empty text or a value
// below 1 leaves "0" behind.
Rectangle {
    id: rectInput

    property int maxValue: 255
    property int minValue: 0
    property alias textValue: field.text
    property alias txtInput: field
    // What a screen reader calls the field; without it, the field reads its number.
    property string accessibleName: ""

    signal endInputSignal()
    signal inputSignal()

    function closeFocus() {
        if (field.focus) {
            field.focus = false
            field.deselect()
        }
    }

    function leaveText(text) {
        var value = parseInt(text, 10)
        return (text === "" || isNaN(value) || value < 1) ? "0" : text
    }

    width: 48
    height: 20
    color: "transparent"

    TextInput {
        id: field
        anchors.centerIn: parent
        width: parent.width
        horizontalAlignment: TextInput.AlignHCenter
        text: "0"
        maximumLength: 4
        selectByMouse: true
        clip: true
        validator: IntValidator {
            bottom: rectInput.minValue
            top: rectInput.maxValue
        }
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
        selectionColor: Theme.colorOrange
        Accessible.role: Accessible.EditableText
        Accessible.name: rectInput.accessibleName !== "" ? rectInput.accessibleName : text
        Accessible.description: text
        Accessible.onPressAction: field.forceActiveFocus()
        Accessible.focusable: true
        activeFocusOnTab: true

        Keys.onReturnPressed: field.focus = false
        Keys.onEnterPressed: field.focus = false
        FocusRing {}

        onFocusChanged: {
            if (focus) {
                rectInput.inputSignal()
            } else {
                text = rectInput.leaveText(text)
                rectInput.endInputSignal()
            }
        }
    }
}
