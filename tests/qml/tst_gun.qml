import QtQuick
import QtTest
import modules.qml

// The gun panel against a recording back end: the factory presets, the rate
// knob's text rule and what a click or a drag stores, and what closing sends.
Item {
    id: scene
    width: 1024
    height: 640

    RecordingView { id: view }

    // The parts of the root screen the panel reaches.
    Item {
        id: fakeRoot
        property bool maskVisible: true
        function backend() { return view }
        function mainFocus() {}
    }
    QtObject {
        id: keyListStandIn
        property QtObject modKeys: QtObject {
            function saveData() { view.note("keyMatrix.saveData()") }
        }
    }

    TestCase {
        name: "GunPanel"
        when: windowShown

        Component {
            id: gunComponent
            GunControl { x: 192; y: 96; mainRoot: fakeRoot; keyList: keyListStandIn }
        }

        function init() {
            view.clear()
            view.globals = {}
            view.guns = {}
        }

        function startedPanel() {
            var panel = createTemporaryObject(gunComponent, scene)
            panel.init()
            view.clear()
            return panel
        }

        function test_startAndFactoryReset() {
            view.guns = {
                "0": ["M416", "L-Click", "12", "0", "20", "3"],
                "1": ["AKM", "L-Click", "30", "0", "40", "0"],
                // Not a full record: the row keeps its defaults.
                "2": ["M16A4", "L-Click"],
                // Unreadable values: period 10, Y 10, times 0.
                "3": ["SCAR-L", "L-Click", "x", "0", "y", "z"]
            }
            view.globals = { "mouse/selectGun": ["1", "4", "junk"] }
            var panel = createTemporaryObject(gunComponent, scene)
            panel.init()
            compare([panel.selectGun1, panel.selectGun2, panel.selectGun3], [1, 4, 2])
            compare(panel.gunNumberModel.get(0).gunPeriod, "12")
            compare(panel.gunNumberModel.get(2).gunPeriod, "10")
            compare(panel.gunPeriods(), [30, 10, 10])
            var unreadable = panel.gunNumberModel.get(3)
            compare([unreadable.gunPeriod, unreadable.gunY, unreadable.gunTimes], ["10", "10", "0"])
            // Slot 1's gun is shown.
            compare(panel.currentGun, 1)
            compare(findChild(panel, "gunYField").textValue, "40")
            compare(findChild(panel, "gunRate").textValue, "30MS")
            verify(findChild(panel, "gunEndless").isSelect)

            view.clear()
            panel.resetData()
            compare(view.log, [
                "setGlobalData(mouse/selectGun,0,1,2)",
                "mouseSaveGundata(0,M416,L-Click,9,0,5,3)",
                "mouseSaveGundata(1,AKM,L-Click,9,0,7,0)",
                "mouseSaveGundata(2,M16A4,L-Click,9,0,8,0)",
                "mouseSendGundata(1,3,0,5)", "mouseSendGundata(2,0,0,7)",
                "mouseSendGundata(3,0,0,8)"])
            // What the next key matrix carries.
            compare(panel.gunPeriods(), [9, 9, 9])
            compare([panel.selectGun1, panel.selectGun2, panel.selectGun3], [0, 1, 2])
            compare(findChild(panel, "gunSlotList").currentSelect, 0)
            compare(panel.currentGun, 0)
            compare(findChild(panel, "gunRate").textValue, "9MS")
            compare(findChild(panel, "gunYField").textValue, "5")
        }

        function test_rateText_data() {
            return [
                { tag: "10 ms", period: "10", text: "10MS" },
                { tag: "shortest", period: "4", text: "4MS" },
                { tag: "one digit", period: "9", text: "9MS" },
                { tag: "longest", period: "90", text: "90MS" }
            ]
        }

        // A stored period places the knob where the text shows it again.
        function test_rateText(data) {
            var panel = startedPanel()
            panel.gunNumberModel.setProperty(3, "gunPeriod", data.period)
            panel.loadGunData(3)
            var rate = findChild(panel, "gunRate")
            compare(rate.textValue, data.text)
        }

        function test_rateClickShowsDragStores() {
            var panel = startedPanel()
            var rate = findChild(panel, "gunRate")
            mouseClick(rate, 20, 12)
            tryCompare(rate, "isAnimating", false)
            verify(rate.isDrop)
            var slider = rate.sliderControl

            // A click on the track moves the knob and the text, nothing more.
            mouseClick(slider, 60, 3)
            tryCompare(slider, "isAnimating", false)
            verify(rate.textValue !== "10MS", rate.textValue)
            compare(panel.gunNumberModel.get(0).gunPeriod, "10")
            compare(view.only(["mouseSaveGundata"]), [])
            verify(!panel.isSave)

            // A press on the knob that does not move it stores nothing.
            var kx = slider.knobX + 6
            mousePress(slider, kx, 3)
            mouseRelease(slider, kx, 3)
            compare(view.only(["mouseSaveGundata"]), [])

            // The end of a drag stores the text's period.
            mousePress(slider, kx, 3)
            mouseMove(slider, kx + 10, 3)
            mouseMove(slider, kx + 20, 3)
            mouseRelease(slider, kx + 20, 3)
            var period = String(parseInt(rate.textValue, 10))
            verify(period !== "10")
            compare(panel.gunNumberModel.get(0).gunPeriod, period)
            compare(view.only(["mouseSaveGundata"]),
                    ["mouseSaveGundata(0,M416,L-Click," + period + ",0,10,0)"])
            verify(panel.isSave)

            // Dragged to the left end: 4 ms, stored without its unit.
            kx = slider.knobX + 6
            mousePress(slider, kx, 3)
            mouseMove(slider, kx - 30, 3)
            mouseMove(slider, 0, 3)
            mouseRelease(slider, 0, 3)
            compare(rate.textValue, "4MS")
            compare(panel.gunNumberModel.get(0).gunPeriod, "4")
        }

        // Dragged to the bottom of the picture, the dot stands for the largest Y.
        function test_draggingTheDotToTheBottom() {
            var panel = startedPanel()
            panel.visible = true
            var dot = findChild(panel, "redDot")
            var picture = dot.parent
            var x = dot.x + 4
            mousePress(picture, x, dot.y + 4)
            for (var y = dot.y + 14; y < picture.height + 40; y += 10)
                mouseMove(picture, x, y)
            mouseRelease(picture, x, picture.height + 40)
            compare(findChild(panel, "gunYField").textValue, "64")
        }

        function test_slotChoiceAndCloseSend() {
            var panel = startedPanel()
            panel.visible = true
            fakeRoot.maskVisible = true
            var slots = findChild(panel, "gunSlotList")
            slots.currentSelect = 1
            var list = findChild(panel, "gunList")
            // The fifth gun goes into slot 2.
            mouseClick(list, 100, 58 * 4 + 29)
            compare(view.log, ["setGlobalData(mouse/selectGun,0,4,2)"])
            compare(panel.currentGun, 4)
            verify(panel.isSave)

            panel.close()
            verify(!panel.visible)
            verify(!fakeRoot.maskVisible)
            verify(!panel.isSave)
            compare(view.log.slice(1), ["mouseSendGundata(1,0,0,10)", "mouseSendGundata(2,0,0,10)",
                                        "mouseSendGundata(3,0,0,10)", "keyMatrix.saveData()"])
            // Closed again without a change: nothing is sent.
            view.clear()
            panel.close()
            compare(view.log, [])
        }
    }
}
