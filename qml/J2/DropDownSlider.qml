import QtQuick
import modules.qml

// A 24-high box showing a value; a click drops a slider strip below it.
Item {
    id: dropSlider

    property bool isDrop: false
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property color sliderBgColor: Theme.colorGray0
    property color sliderbarBg: Theme.colorGray1
    property alias sliderControl: innerSlider
    property int horizontalOffset: 0
    readonly property bool isAnimating: dropMove.running

    signal btnClick()
    signal dragSignal(bool isDrag)
    signal valueChange(int index)

    function openOrClose() {
        if (dropMove.running)
            return
        isDrop = !isDrop
        dropMove.to = isDrop ? 0 : -strip.height
        dropMove.start()
    }

    function closeMenu() {
        if (!isDrop)
            return
        dropMove.stop()
        isDrop = false
        dropMove.to = -strip.height
        dropMove.start()
    }

    function pressBox() {
        btnClick()
        openOrClose()
    }

    function handleKey(event) {
        if (KeyNav.isPress(event))
            pressBox()
        else if (event.key === Qt.Key_Escape && isDrop)
            closeMenu()
        else
            return innerSlider.handleKey(event)
        return true
    }

    function setValue(ration) {
        innerSlider.setRatioValue(ration)
    }

    width: 120
    height: 24
    Accessible.role: Accessible.ComboBox
    Accessible.name: textValue
    Accessible.description: textValue
    Accessible.onPressAction: dropSlider.pressBox()
    Accessible.focusable: true
    activeFocusOnTab: true
    // Space or Enter opens and closes the strip, Escape closes it; the arrows,
    // Home and End move its slider, open or not.
    Keys.onPressed: (event) => { event.accepted = dropSlider.handleKey(event) }
    onActiveFocusChanged: if (!activeFocus) closeMenu()

    FocusRing {}

    Rectangle {
        id: box
        anchors.fill: parent
        color: dropSlider.bgColor
        border.color: dropSlider.borderColor

        Text {
            anchors.centerIn: parent
            anchors.horizontalCenterOffset: dropSlider.horizontalOffset
            text: dropSlider.textValue
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
        }
        Image {
            anchors.right: parent.right
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            source: visible ? (dropSlider.isDrop ? Theme.sourceDropBtnU : Theme.sourceDropBtn) : ""
        }
        MouseArea {
            anchors.fill: parent
            onClicked: dropSlider.pressBox()
        }
    }

    Item {
        id: dropArea
        y: dropSlider.height
        width: dropSlider.width
        height: strip.height
        clip: true
        visible: dropSlider.isDrop || dropMove.running

        Rectangle {
            id: strip
            y: -height
            width: dropSlider.width
            height: 24
            color: dropSlider.sliderBgColor
            border.color: dropSlider.borderColor

            SliderButton {
                id: innerSlider
                anchors.centerIn: parent
                width: dropSlider.width - 16
                color: dropSlider.sliderbarBg
                // The box takes the keys for it.
                activeFocusOnTab: false
                Accessible.name: dropSlider.Accessible.name
                onValueChange: (tmpValue) => dropSlider.valueChange(tmpValue)
                onDragSignal: (isDrag) => dropSlider.dragSignal(isDrag)
            }
        }
    }

    NumberAnimation {
        id: dropMove
        target: strip
        property: "y"
        duration: 180
        easing.type: Easing.OutQuad
    }
}
