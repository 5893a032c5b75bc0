import QtQuick
import "KeyNav.js" as KeyNav

// Keeps the keyboard focus inside the panel or dialog that is open: it moves
// in when the panel opens, Tab and Shift+Tab wrap round inside it, and when
// it closes the focus goes back to the control that opened it. Escape closes
// an open drop-down of the root screen, else the panel on top, the way its
// close control does.
QtObject {
    id: keeper

    property var root: null
    property var window: null
    // [panel, its close path] for every panel and dialog that opens over the screen.
    property var panels: []
    // The open panels, latest last, each with the item that had the focus.
    property var stack: []
    property var lastFocus: null

    function contains(panel, item) {
        for (var it = item; it; it = it.parentItem) {
            if (it === panel)
                return true
        }
        return false
    }

    function firstIn(panel) {
        var item = panel.nextItemInFocusChain(true)
        return item && contains(panel, item) ? item : null
    }

    function lastIn(panel) {
        var last = firstIn(panel)
        for (var guard = 0; last && guard < 1000; ++guard) {
            var next = last.nextItemInFocusChain(true)
            if (!next || next === last || !contains(panel, next))
                break
            last = next
        }
        return last
    }

    function topPanel() {
        for (var i = stack.length - 1; i >= 0; --i) {
            if (stack[i].panel.visible)
                return stack[i].panel
        }
        return null
    }

    function shown(panel) {
        stack.push({ "panel": panel, "opener": window ? window.activeFocusItem : null })
        var first = firstIn(panel)
        if (first)
            first.forceActiveFocus(Qt.TabFocusReason)
    }

    function hidden(panel) {
        for (var i = stack.length - 1; i >= 0; --i) {
            if (stack[i].panel !== panel)
                continue
            var opener = stack[i].opener
            stack.splice(i, 1)
            if (opener && opener.visible && opener.enabled)
                opener.forceActiveFocus(Qt.OtherFocusReason)
            return
        }
    }

    // Tab from the panel's last control (Shift+Tab from its first) lands
    // outside it: wrap round to the other end.
    function focusMoved() {
        var now = window ? window.activeFocusItem : null
        var before = lastFocus
        lastFocus = now
        var top = topPanel()
        if (!top || !now || !now.activeFocusOnTab || contains(top, now))
            return
        var forward = !before || before.nextItemInFocusChain(true) === now
        var target = forward ? firstIn(top) : lastIn(top)
        if (target)
            target.forceActiveFocus(forward ? Qt.TabFocusReason : Qt.BacktabFocusReason)
    }

    function closeTop() {
        var top = topPanel()
        for (var i = 0; top && i < panels.length; ++i) {
            if (panels[i][0] === top) {
                panels[i][1]()
                return true
            }
        }
        return false
    }

    // Keys that reach the root unused: Escape closes, innermost first.
    function handleKey(event) {
        if (event.key !== Qt.Key_Escape || !KeyNav.plain(event))
            return false
        if (root.anyDropOpen()) {
            root.mainFocus()
            return true
        }
        return closeTop()
    }

    property Connections focusWatch: Connections {
        target: keeper.window
        function onActiveFocusItemChanged() { keeper.focusMoved() }
    }

    Component.onCompleted: {
        panels.forEach(function(entry) {
            var panel = entry[0]
            panel.visibleChanged.connect(function() {
                if (panel.visible)
                    keeper.shown(panel)
                else
                    keeper.hidden(panel)
            })
        })
    }
}
