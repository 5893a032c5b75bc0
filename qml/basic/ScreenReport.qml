import QtQml
import modules.qml

// Tells the back end what native code may know of the root screen `root`:
// the profile rows and the active one, the DPI stage, whether the start-up
// pass is done, the busy lock, an open panel and unsaved edits. The control
// interface, the per-program switch and the quit question read only this,
// so the pages' own names stay the pages' business.
QtObject {
    id: report

    property var root: null
    required property Profile profiles
    property bool started: false
    property bool locked: false
    property bool panelOpen: false
    property bool unsaved: false
    property int dpiStage: 0
    readonly property int activeProfileNo: profiles.profileNo

    // The rows change by single edits: each one reports the whole list.
    property Connections rowsWatch: Connections {
        target: report.profiles.profileDataModel0
        function onCountChanged() { report.sendProfiles() }
        function onDataChanged() { report.sendProfiles() }
        function onRowsMoved() { report.sendProfiles() }
        function onModelReset() { report.sendProfiles() }
    }

    function backend() {
        return root ? root.backend() : null
    }

    function sendProfiles() {
        var view = backend()
        if (!view)
            return
        var rows = profiles.rows()
        var names = []
        var numbers = []
        for (var i = 0; i < rows.length; ++i) {
            names.push(rows[i].textValue)
            numbers.push(rows[i].profileNo)
        }
        view.setScreenProfiles(names, numbers)
        view.setScreenProfileNo(activeProfileNo)
    }

    // Everything at once: the native side publishes the back end only after
    // the root exists, so what changed while it was built is said here.
    function sendAll() {
        var view = backend()
        if (!view)
            return
        sendProfiles()
        view.setScreenDpiStage(dpiStage)
        view.setScreenStarted(started)
        view.setScreenLocked(locked)
        view.setScreenPanelOpen(panelOpen)
        view.setScreenUnsaved(unsaved)
    }

    function tell(call) {
        var view = backend()
        if (view)
            call(view)
    }

    onStartedChanged: tell(view => view.setScreenStarted(started))
    onLockedChanged: tell(view => view.setScreenLocked(locked))
    onPanelOpenChanged: tell(view => view.setScreenPanelOpen(panelOpen))
    onUnsavedChanged: tell(view => view.setScreenUnsaved(unsaved))
    onDpiStageChanged: tell(view => view.setScreenDpiStage(dpiStage))
    onActiveProfileNoChanged: tell(view => view.setScreenProfileNo(activeProfileNo))
}
