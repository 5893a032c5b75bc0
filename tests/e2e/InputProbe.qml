import QtQuick

// Stands in for the root screen: records the global input it is given.
Item {
    width: 1024
    height: 640

    property var log: []

    function detectKeyboard(isDown, usbCode) {
        log.push("K " + (isDown ? 1 : 0) + " " + usbCode)
    }
    function detectMouse(isDown, brinCode, x, y) {
        log.push("M " + (isDown ? 1 : 0) + " " + brinCode + " " + x + " " + y)
    }
}
