import QtQuick

// Stands in for the root screen around one setting page: the back-end
// double, the device traits and the focus and overlay calls.
Item {
    property var view: null
    property bool isColorful: false
    property bool is55328: false
    property bool maskVisible: true
    property int focusCalls: 0

    function backend() {
        return view
    }
    function mainFocus() {
        focusCalls++
    }

    width: 1024
    height: 640
}
