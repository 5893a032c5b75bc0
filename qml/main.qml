import QtQuick

// Root screen placeholder: the functions the native code calls.
Item {
    id: mainIten
    width: 1024
    height: 640

    property bool isPownOn: false
    property int protectInterval: 0
    property int currentDpiStage: 0

    function initUI() {
        if (!isPownOn) {
            isPownOn = true
        }
    }
    function run() {
    }
    function setProtectUI(interval) {
        protectInterval = interval
    }
    function setCurrentDPI(dpiValue) {
        if (dpiValue === 0)
            return
        currentDpiStage = dpiValue - 1
    }
    function detectKeyboard(isDown, usbCode) {
    }
    function detectMouse(isDown, brinCode, x, y) {
    }

    Rectangle {
        anchors.fill: parent
        radius: 8
        color: "#1c1d21"
    }
}
