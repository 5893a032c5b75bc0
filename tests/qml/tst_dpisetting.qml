import QtQuick
import QtTest
import modules.qml

// The DPI page against the back-end double: knob-to-value grid, the stage
// count list and layout, saving eight values, restore. Pressing and dragging
// a stage is checked end to end in tst_journey.
Item {
    id: scene
    width: 1024
    height: 640

    RecordingView { id: view }
    PageRoot { id: root; view: view }

    Component {
        id: pageComponent
        DpiSetting { mainRoot: root }
    }

    TestCase {
        name: "DpiPage"
        when: windowShown

        function init() {
            view.clear()
            view.globals = { "mouse/minDPI": "200", "mouse/maxDPI": "6000",
                             "mouse/sensorType": "3360", "mouse/dpiBase": "50" }
            view.profile = { "mouse/dpiCount": "8", "mouse/currentDpiCount": "4",
                             "mouse/dpiValueArray": "500, 1000, 1500, 2000, 3000, 4000, 5000, 6000" }
            view.defaults = { "mouse/dpiValueArray": "800, 1600, 2400, 3200, 4000, 4800, 5600, 6000" }
            root.focusCalls = 0
        }

        function loadedPage() {
            var page = createTemporaryObject(pageComponent, scene, { x: 768, y: 56 })
            page.init(false, false)
            view.clear()
            return page
        }

        function part(page, name) {
            var item = findChild(page, name)
            verify(item !== null, name)
            return item
        }

        function texts(page) {
            var out = []
            for (var k = 0; k < 8; ++k)
                out.push(part(page, "dpi" + k + "TXT").text)
            return out
        }

        // Stored value of stage 0 -> knob position and the value shown.
        function test_storedValuesOnTheGrid_data() {
            return [
                { tag: "500", stored: "500", knob: 12, shown: "500" },
                { tag: "6000", stored: "6000", knob: 162, shown: "6000" },
                { tag: "200", stored: "200", knob: 4, shown: "200" },
                { tag: "off the grid", stored: "1033", knob: 26, shown: "1000" },
                { tag: "above the range", stored: "9000", knob: 162, shown: "6000" },
                { tag: "below the range", stored: "50", knob: 4, shown: "200" },
                { tag: "not a number", stored: "fast", knob: 12, shown: "500" }
            ]
        }

        function test_storedValuesOnTheGrid(data) {
            view.profile["mouse/dpiValueArray"] = data.stored + ", 1000, 1500"
            var page = loadedPage()
            compare(part(page, "dpi0").knobX, data.knob)
            compare(part(page, "dpi0TXT").text, data.shown)
            // Missing entries take the page's defaults.
            compare(part(page, "dpi7TXT").text, "6000")
        }

        // Keys on a stage (value 1000, a knob pixel about 37 dpi): whole
        // 50 dpi steps, the ends of the range with Home and End.
        function test_keysStepByTheGrid_data() {
            return [
                { tag: "up", keys: [Qt.Key_Up], shown: "1050" },
                { tag: "up four", keys: [Qt.Key_Up, Qt.Key_Up, Qt.Key_Up, Qt.Key_Up], shown: "1200" },
                { tag: "down", keys: [Qt.Key_Down], shown: "950" },
                { tag: "up and back", keys: [Qt.Key_Right, Qt.Key_Up, Qt.Key_Left], shown: "1050" },
                { tag: "end", keys: [Qt.Key_End], shown: "6000" },
                { tag: "home", keys: [Qt.Key_Home], shown: "200" }
            ]
        }

        function test_keysStepByTheGrid(data) {
            var page = loadedPage()
            var stage = part(page, "dpi1")
            stage.forceActiveFocus()
            for (var i = 0; i < data.keys.length; ++i)
                keyClick(data.keys[i])
            compare(part(page, "dpi1TXT").text, data.shown)
            verify(page.isSave)
            compare(view.only(["mouseSetDpi", "setData"]), [])
        }

        function test_stageListShrinksAndLayoutFollows() {
            view.profile["mouse/dpiCount"] = "6"
            view.profile["mouse/currentDpiCount"] = "3"
            var page = loadedPage()
            var list = page.dpiSegment
            compare(list.mdItems.count, 6)
            compare(list.currentSelect, 2)
            compare(list.textValue, "3")
            verify(part(page, "dpi2").visible)
            verify(!part(page, "dpi3").visible)
            verify(!part(page, "dpi3TXT").visible)
            compare(page.sliderSpacing, 33)
            compare(page.labelSpacing, 12)

            // A larger count later does not bring entries back.
            view.profile["mouse/dpiCount"] = "8"
            page.init(false, false)
            compare(list.mdItems.count, 6)
            // More active stages than the list offers: as many as it has.
            view.profile["mouse/currentDpiCount"] = "12"
            page.init(false, false)
            compare(page.currentDpiCount, 6)
            compare(list.textValue, "6")

            // Two to eight stages: slider and label spacing of each layout;
            // one stage keeps the spacing.
            list.mdItems.append({ "textValue": "7" })
            list.mdItems.append({ "textValue": "8" })
            var spacings = [[33, 10], [33, 12], [33, 14], [33, 14], [27, 10], [24, 8], [22, 4]]
            for (var i = 0; i < spacings.length; ++i) {
                list.dpiCountControl(i + 1)
                compare([page.sliderSpacing, page.labelSpacing], spacings[i], "stages " + (i + 2))
            }
            compare(page.currentDpiCount, 8)
            list.dpiCountControl(0)
            compare(page.currentDpiCount, 1)
            compare(page.sliderSpacing, 22)
            // The upright sliders stand side by side, first one left.
            list.dpiCountControl(3)
            var first = part(page, "dpi0")
            var second = part(page, "dpi1")
            tryVerify(function() {
                return Math.round(second.mapToItem(page, 3, 88).x - first.mapToItem(page, 3, 88).x) === 39
            })
            verify(Math.abs(first.mapToItem(page, 3, 88).y - 131) <= 1)
        }

        function test_oneStageStillStoresAndSendsEight() {
            var page = loadedPage()
            // Picking a stage (here by an assistive tool) switches the mouse at once.
            part(page, "dpi2").Accessible.pressAction()
            compare(view.log, ["mouseSetCurrentDPI(3)"])
            compare(page.currentDPI, 2)
            compare(part(page, "dpi2").colorS, Theme.colorOrange)
            verify(!page.isSave)
            page.dpiSegment.choose(0)
            verify(page.isSave)
            compare(page.currentDpiCount, 1)
            verify(part(page, "dpi0").visible)
            verify(!part(page, "dpi1").visible)
            view.clear()
            page.saveData(true)
            compare(view.log, [
                "setDataList(mouse/dpiValueArray,500,1000,1500,2000,3000,4000,5000,6000)",
                "setData(mouse/currentDpiCount,1)",
                "mouseSetDpi(1,3360,500,1000,1500,2000,3000,4000,5000,6000)"])
        }

        function test_restoreShowsDefaultsAndKeepsTheCount() {
            view.profile["mouse/currentDpiCount"] = "2"
            var page = loadedPage()
            view.profile["mouse/currentDpiCount"] = "7"
            page.restore()
            verify(page.isSave)
            compare(page.currentDpiCount, 2)
            compare(texts(page), ["800", "1600", "2400", "3200", "4000", "4800", "5600", "6000"])
            compare(view.only(["mouseSet", "setData"]), [])

            // Sending on a profile change stores and sends what is shown.
            view.clear()
            page.init(true, false)
            compare(view.only(["mouseSetDpi"]),
                    ["mouseSetDpi(7,3360,500,1000,1500,2000,3000,4000,5000,6000)"])
        }
    }
}
