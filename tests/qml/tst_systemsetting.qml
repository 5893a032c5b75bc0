import QtQuick
import QtTest
import modules.qml

// The system settings panel against the back-end double: knob positions to
// levels, scroll lines, immediate store and apply, and dragging it about.
Item {
    id: scene
    width: 1024
    height: 640

    RecordingView { id: view }
    PageRoot { id: root; view: view; x: 0; y: 0 }

    Component {
        id: pageComponent
        SystemSetting { mainRoot: root; x: 304; y: 164 }
    }

    TestCase {
        name: "SystemPage"
        when: windowShown

        function init() {
            view.clear()
            view.profile = { "mouse/mouseRate": "170", "mouse/doubleRate": "188",
                             "mouse/scrollRate": "3" }
            view.defaults = { "mouse/mouseRate": "104", "mouse/doubleRate": "337",
                              "mouse/scrollRate": "1000" }
            root.maskVisible = true
            root.focusCalls = 0
        }

        function loadedPage() {
            var page = createTemporaryObject(pageComponent, root)
            page.init(false, false)
            view.clear()
            return page
        }

        // Stored knob position -> the level both sliders send.
        function test_levelTable_data() {
            var rows = [
                { tag: "left end", x: "3", knob: 3, level: 0 },
                { tag: "first step", x: "4", knob: 4, level: 1 },
                { tag: "middle", x: "170", knob: 170, level: 5 },
                { tag: "just below the top step", x: "304", knob: 304, level: 9 },
                { tag: "top step", x: "305", knob: 305, level: 10 },
                { tag: "right end", x: "337", knob: 337, level: 10 },
                { tag: "past the end", x: "5000", knob: 337, level: 10 },
                { tag: "unreadable", x: "quick", knob: 3, level: 0 }
            ]
            // Each step's first position and the one before it.
            var steps = [4, 37, 70, 104, 138, 172, 205, 239, 272, 305]
            for (var i = 1; i < steps.length; ++i) {
                rows.push({ tag: "below " + steps[i], x: String(steps[i] - 1), knob: steps[i] - 1,
                            level: i })
                rows.push({ tag: "at " + steps[i], x: String(steps[i]), knob: steps[i], level: i + 1 })
            }
            return rows
        }

        function test_levelTable(data) {
            view.profile["mouse/mouseRate"] = data.x
            view.profile["mouse/doubleRate"] = data.x
            var page = createTemporaryObject(pageComponent, root)
            page.init(true, false)
            compare(page.mouseRate.knobX, data.knob)
            compare(view.only(["setData", "mouseSet"]), [
                "setData(mouse/mouseRate," + data.knob + ")",
                "setData(mouse/doubleRate," + data.knob + ")",
                "setData(mouse/scrollRate,3)",
                "mouseSetCursorSpeed(" + data.level + ")",
                "mouseSetDoubleClickSpeed(" + data.level + ")",
                "mouseSetVerticalScrollLines(3)"])
        }

        function test_wholeScreenScroll() {
            view.profile["mouse/scrollRate"] = "1000"
            var page = createTemporaryObject(pageComponent, root)
            page.init(false, false)
            compare(view.only(["setData", "mouseSet"]), [])
            view.clear()
            verify(page.scrollRate2.isSelect)
            verify(!page.scrollRate1.isSelect)
            page.saveData(true, 3)
            compare(view.log, ["setData(mouse/mouseRate,170)", "setData(mouse/doubleRate,188)",
                               "setData(mouse/scrollRate,1000)", "mouseSetVerticalScrollLines(1000)"])

            // Back to lines: the field's number goes out at once.
            view.clear()
            mouseClick(page.scrollRate1, 5, 5)
            verify(page.scrollRate1.isSelect)
            verify(!page.scrollRate2.isSelect)
            compare(view.only(["mouseSet"]), ["mouseSetVerticalScrollLines(1)"])
        }

        function test_emptyLinesFieldBecomesOne() {
            var page = loadedPage()
            var field = page.scrollRateInput.txtInput
            mouseClick(field, 5, 5)
            verify(field.activeFocus)
            compare(root.focusCalls, 1)
            field.selectAll()
            keyClick(Qt.Key_Delete)
            compare(field.text, "")
            page.systemSettingFocus()
            verify(!field.activeFocus)
            compare(field.text, "1")
            compare(view.only(["setData(mouse/scrollRate", "mouseSet"]),
                    ["setData(mouse/scrollRate,1)", "mouseSetVerticalScrollLines(1)"])

            // More than the field allows cannot be typed.
            view.clear()
            mouseClick(field, 5, 5)
            field.selectAll()
            keyClick(Qt.Key_4)
            keyClick(Qt.Key_0)
            keyClick(Qt.Key_0)
            keyClick(Qt.Key_0)
            keyClick(Qt.Key_Return)
            verify(!field.activeFocus)
            verify(Number(field.text) <= 100, field.text)
            compare(view.only(["mouseSet"]), ["mouseSetVerticalScrollLines(" + field.text + ")"])
        }

        function test_releasingAKnobStoresAndAppliesOnlyThatSetting() {
            var page = loadedPage()
            var bar = page.doubleRate
            mousePress(bar, 188 + 6, 3)
            mouseMove(bar, 188 + 6 + 120, 3, -1, Qt.LeftButton)
            compare(view.log, [])
            mouseRelease(bar, 188 + 6 + 120, 3)
            compare(bar.xPosition, 308)
            compare(view.log, ["setData(mouse/mouseRate,170)", "setData(mouse/doubleRate,308)",
                               "setData(mouse/scrollRate,3)", "mouseSetDoubleClickSpeed(10)"])

            // Assistive tools step by whole levels.
            view.clear()
            bar.Accessible.decreaseAction()
            compare(bar.xPosition, 272)
            compare(view.only(["mouseSet"]), ["mouseSetDoubleClickSpeed(9)"])
        }

        function test_restoreAppliesTheDefaults() {
            var page = loadedPage()
            mouseClick(findChild(page, "systemRestore"), 8, 8)
            verify(page.scrollRate2.isSelect)
            compare(page.mouseRate.knobX, 104)
            compare(view.only(["setData", "mouseSet"]), [
                "setData(mouse/mouseRate,104)", "setData(mouse/doubleRate,337)",
                "setData(mouse/scrollRate,1000)", "mouseSetCursorSpeed(4)",
                "mouseSetDoubleClickSpeed(10)", "mouseSetVerticalScrollLines(1000)"])
        }

        function test_dragStaysInsideTheWindowAndCloseHides() {
            var page = loadedPage()
            mousePress(page, 200, 150)
            mouseMove(page, 100, 100, -1, Qt.LeftButton)
            mouseRelease(page, 100, 100)
            compare(page.x, 204)
            compare(page.y, 114)
            page.moveBy(-5000, 5000)
            compare(page.x, 0)
            compare(page.y, 640 - 312)
            page.moveBy(5000, -5000)
            compare(page.x, 1024 - 416)
            compare(page.y, 0)

            mouseClick(page, 416 - 24, 20)
            verify(!page.visible)
            verify(!root.maskVisible)
        }
    }
}
