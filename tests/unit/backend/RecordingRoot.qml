import QtQuick

// Stands in for the root screen: records every call the native side makes.
Item {
    width: 1024
    height: 640
    property var calls: []
    // The Save button's state and work, as the root screen has them and
    // report them to the back end.
    property bool anyUnsaved: false
    onAnyUnsavedChanged: ui_View.setScreenUnsaved(anyUnsaved)

    function record(entry) {
        calls = calls.concat([entry]);
    }
    function initUI() {
        record("initUI");
    }
    function run() {
        record("run");
    }
    function setProtectUI(interval) {
        record("setProtectUI " + interval);
    }
    function setCurrentDPI(dpiValue) {
        record("setCurrentDPI " + dpiValue);
    }
    function detectKeyboard(isDown, usbCode) {
        record("detectKeyboard " + isDown + " " + usbCode);
    }
    function saveAll() {
        record("saveAll");
        anyUnsaved = false;
    }
    function detectMouse(isDown, brinCode, x, y) {
        record("detectMouse " + isDown + " " + brinCode + " " + x + " " + y);
    }
}
