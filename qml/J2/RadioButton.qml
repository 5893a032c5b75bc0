import QtQuick
import modules.qml

// A round-cornered square with an orange dot while selected, then its text.
// Unselecting the other buttons of a group is the page's task.
Item {
    id: radio

    property string textValue: ""
    property bool isSelect: false
    property int index: -1
    property int gapValue: 16

    signal btnClick(int index)

    function press() {
        isSelect = true
        btnClick(index)
    }

    width: 8 + label.width + gapValue
    height: Math.max(10, label.height)
    Accessible.role: Accessible.RadioButton
    Accessible.name: textValue
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.onPressAction: radio.press()
    Accessible.focusable: true
    activeFocusOnTab: true
    Keys.onPressed: (event) => {
        if (KeyNav.isPress(event)) {
            event.accepted = true
            if (!event.isAutoRepeat)
                radio.press()
        }
    }

    FocusRing {}

    Rectangle {
        id: mark
        anchors.verticalCenter: parent.verticalCenter
        width: 10
        height: 10
        radius: 4
        color: Theme.colorGray3

        Rectangle {
            anchors.centerIn: parent
            width: 6
            height: 6
            radius: 2
            color: Theme.colorOrange
            visible: radio.isSelect
        }
    }

    Text {
        id: label
        x: radio.gapValue
        anchors.verticalCenter: parent.verticalCenter
        text: radio.textValue
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }

    MouseArea {
        anchors.fill: parent
        anchors.margins: -6
        onClicked: radio.press()
    }
}
