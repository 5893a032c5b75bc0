import QtQuick

// A mouse area that reports how far the pointer moved from where it was
// pressed, for dragging the frameless window or a box inside it.
MouseArea {
    id: dragArea

    property real pressX: 0
    property real pressY: 0
    // The window system took this drag over (the window is moved for us).
    property bool handedOver: false

    signal dragged(real dx, real dy)

    // Not a control: a screen reader has nothing to say or press here.
    Accessible.ignored: true

    onPressed: (mouse) => {
        pressX = mouse.x
        pressY = mouse.y
        handedOver = false
    }
    onPositionChanged: (mouse) => {
        if (pressed && !handedOver)
            dragged(mouse.x - pressX, mouse.y - pressY)
    }
}
