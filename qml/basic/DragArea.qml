import QtQuick

// A mouse area that reports how far the pointer moved from where it was
// pressed, for dragging the frameless window or a box inside it.
MouseArea {
    id: dragArea

    property real pressX: 0
    property real pressY: 0

    signal dragged(real dx, real dy)

    // Not a control: a screen reader has nothing to say or press here.
    Accessible.ignored: true

    onPressed: (mouse) => {
        pressX = mouse.x
        pressY = mouse.y
    }
    onPositionChanged: (mouse) => {
        if (pressed)
            dragged(mouse.x - pressX, mouse.y - pressY)
    }
}
