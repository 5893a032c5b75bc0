import QtQuick
import modules.qml

// Keeps the keyboard focus inside the panel or dialog that is open: it moves
// in when the panel opens, Tab and Shift+Tab wrap round inside it, and when
// it closes the focus goes back to the control that opened it. Escape closes
// an open drop-down of the root screen, else the panel on top, the way its
// close control does.
QtObject {
    id: keeper

    property var root: null
    property var window: null
    // [panel, its close path] for every panel and dialog that opens over the
    // screen, and lists of such pairs for the parts that open over a panel.
    property var panels: []
    property var innerPanels: []
    // The open panels, latest last, each with the item that had the focus.
    property var stack: []
    // Typed, so that it turns null when the item goes away.
    property Item lastFocus: null

    function contains(panel, item) {
        return KeyNav.isInside(item, panel)
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
    // outside it: wrap round to the other end. The move waits for the focus
    // change under way to finish, which would otherwise undo it.
    function focusMoved() {
        var now = window ? window.activeFocusItem : null
        var before = lastFocus
        lastFocus = now
        var top = topPanel()
        if (!top || !now || !now.activeFocusOnTab || contains(top, now))
            return
        var forward = !before || before.nextItemInFocusChain(true) === now
        wrapTarget = forward ? firstIn(top) : lastIn(top)
        Qt.callLater(keeper.wrapRound)
    }

    property Item wrapTarget: null

    function wrapRound() {
        var target = wrapTarget
        wrapTarget = null
        if (target && target.visible)
            target.forceActiveFocus(Qt.TabFocusReason)
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
        innerPanels.forEach((list) => { panels = panels.concat(list) })
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
