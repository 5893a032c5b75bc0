pragma Singleton
import QtQuick

// Which keys the controls answer and how they move through lists. A key
// held with Ctrl, Alt or Shift is left to whoever uses the combination
// (Shift+Tab, shortcuts).
QtObject {
    id: keyNav

    function plain(event) {
        return (event.modifiers & ~Qt.KeypadModifier) === Qt.NoModifier
    }

    // Space and Enter press the focused control.
    function isPress(event) {
        return keyNav.plain(event) && (event.key === Qt.Key_Space || event.key === Qt.Key_Return
                                || event.key === Qt.Key_Enter)
    }

    // A value control: Right and Up raise it (1), Left and Down lower it (-1).
    function valueStep(event) {
        if (!keyNav.plain(event))
            return 0
        if (event.key === Qt.Key_Right || event.key === Qt.Key_Up)
            return 1
        if (event.key === Qt.Key_Left || event.key === Qt.Key_Down)
            return -1
        return 0
    }

    // Home (-1) and End (1) go to the ends.
    function endStep(event) {
        if (!keyNav.plain(event))
            return 0
        return event.key === Qt.Key_Home ? -1 : (event.key === Qt.Key_End ? 1 : 0)
    }

    // The row a list of `count` rows moves to from `current` (Down and Up by
    // `lineStep`, Right and Left by one, Home and End to the ends), or -1 when
    // the key does not move through lists.
    function listTarget(event, current, count, lineStep) {
        if (count <= 0 || !keyNav.plain(event))
            return -1
        var line = lineStep === undefined ? 1 : lineStep
        var target
        switch (event.key) {
        case Qt.Key_Home: target = 0; break
        case Qt.Key_End: target = count - 1; break
        case Qt.Key_Down: target = current < 0 ? 0 : current + line; break
        case Qt.Key_Up: target = current < 0 ? 0 : current - line; break
        case Qt.Key_Right: target = current < 0 ? 0 : current + 1; break
        case Qt.Key_Left: target = current < 0 ? 0 : current - 1; break
        default: return -1
        }
        return Math.max(0, Math.min(count - 1, target))
    }

    // A capture that ended within this many milliseconds still owns the key
    // that ended it: the input hook may report the key before the window does.
    readonly property int captureGrace: 250

    function justEnded(endedAt) {
        return endedAt > 0 && Date.now() - endedAt < keyNav.captureGrace
    }

    // A list whose rows report rowPressed(index, button, x, y) when clicked: the
    // arrows, Home and End select a row as a left click does, Space and Enter
    // click the current row, the menu key (or Shift+F10) right-clicks it and F2
    // asks to edit it. `containMode` is ListView.Contain.
    function pressRows(list, event, containMode, editRequest) {
        var row = list.currentIndex
        var target = keyNav.listTarget(event, row, list.count)
        var menuKey = event.key === Qt.Key_Menu
                || (event.key === Qt.Key_F10 && event.modifiers === Qt.ShiftModifier)
        var button = Qt.LeftButton
        if (target >= 0) {
            row = target
        } else if (menuKey) {
            button = Qt.RightButton
        } else if (event.key === Qt.Key_F2 && keyNav.plain(event) && editRequest) {
            if (row >= 0)
                editRequest(row)
            return true
        } else if (!keyNav.isPress(event)) {
            return false
        }
        if (row < 0 && button === Qt.LeftButton)
            return true
        if (row >= 0)
            list.positionViewAtIndex(row, containMode)
        var item = row >= 0 ? list.itemAtIndex(row) : null
        var x = item ? item.x - list.contentX : 0
        var y = item ? item.y - list.contentY + item.height : 0
        list.rowPressed(row, button, x, y)
        return true
    }

    // Whether item lies inside ancestor (or is it).
    function isInside(item, ancestor) {
        for (var it = item; it; it = it.parent) {
            if (it === ancestor)
                return true
        }
        return false
    }
}
