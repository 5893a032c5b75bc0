import QtQuick
import modules.qml

// Its text, then a 12-pixel box showing a tick while selected. Handlers of
// btnClick see the state from before the click.
Item {
    id: check

    property string textValue: ""
    property alias tmptext: label
    property bool isSelect: false
    property int index: -1
    property int gapValue: 8
    property color bgColor: "transparent"
    property color borderColor: Theme.colorGray2

    signal btnClick(int index)

    function toggle() {
        btnClick(index)
        isSelect = !isSelect
    }

    width: label.width + gapValue + box.width
    height: Math.max(12, label.height)
    Accessible.role: Accessible.CheckBox
    Accessible.name: textValue
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.onPressAction: check.toggle()
    Accessible.onToggleAction: check.toggle()
    Accessible.focusable: true
    activeFocusOnTab: true
    Keys.onPressed: (event) => {
        if (KeyNav.isPress(event)) {
            event.accepted = true
            if (!event.isAutoRepeat)
                check.toggle()
        }
    }

    FocusRing {}

    Text {
        id: label
        anchors.verticalCenter: parent.verticalCenter
        text: check.textValue
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }

    Rectangle {
        id: box
        x: label.width + check.gapValue
        anchors.verticalCenter: parent.verticalCenter
        width: 12
        height: 12
        radius: 2
        color: check.bgColor
        border.width: 1
        border.color: check.borderColor

        Image {
            anchors.centerIn: parent
            source: visible ? Theme.sourceCheckBtn : ""
            visible: check.isSelect
        }
    }

    MouseArea {
        anchors.fill: parent
        anchors.margins: -6
        onClicked: check.toggle()
    }
}
