import QtQuick

// Stands in for the window controller ("ui_Ctl").
QtObject {
    property var log: []
    // What the window system answers a move request.
    property bool systemMoves: false

    function note(call) {
        log = log.concat([call])
    }
    function onMinimize() { note("onMinimize()") }
    function onClose() { note("onClose()") }
    function onXChanged(x) { note("onXChanged(" + x + ")") }
    function onYChanged(y) { note("onYChanged(" + y + ")") }
    function startSystemMove() { note("startSystemMove()"); return systemMoves }
    function appProfilesAvailable() { return true }
    function saveReport() { note("saveReport()") }
}
