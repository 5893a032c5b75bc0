import QtQuick
import QtTest
import modules.qml

// The lighting page against the back-end double: effect list by device
// traits, slider rows on load and on choice, hue bar both ways, colour
// blocks and cover, and what saving stores and sends. Dragging the knob is
// checked end to end in tst_journey.
Item {
    id: scene
    width: 1024
    height: 640

    RecordingView { id: view }
    PageRoot { id: root; view: view }

    Component {
        id: pageComponent
        LightControl { mainRoot: root; x: 768; y: 320 }
    }

    TestCase {
        name: "LightPage"
        when: windowShown

        function init() {
            view.clear()
            root.isColorful = false
            root.is55328 = false
            view.profile = {
                "mouse/lightValue": "1, 2, 3",
                "mouse/colorValue": "255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 255, 0, 255, 255, 255, 127, 0, 96, 0, 255, 255, 255, 255"
            }
            view.defaults = {
                "mouse/lightValue": "3, 1, 1",
                "mouse/colorValue": "0, 128, 255, 1, 2, 3"
            }
        }

        function loadedPage() {
            var page = createTemporaryObject(pageComponent, scene)
            page.init(false, false)
            view.clear()
            return page
        }

        function part(page, name) {
            var item = findChild(page, name)
            verify(item !== null, name)
            return item
        }

        function knob(page) {
            return part(page, "colorKnob" + page.colorBlockRow.selectColorBlock)
        }

        function test_effectListByTraits_data() {
            return [
                { tag: "plain", colorful: false, chip55328: false, count: 4, last: "OFF" },
                { tag: "isColorful", colorful: true, chip55328: false, count: 11, last: "Spotlight" },
                { tag: "is55328", colorful: true, chip55328: true, count: 12, last: "Breath Loop" }
            ]
        }

        function test_effectListByTraits(data) {
            root.isColorful = data.colorful
            root.is55328 = data.chip55328
            var page = loadedPage()
            var entries = page.lightModel.mdItems
            compare(entries.count, data.count)
            compare(entries.get(entries.count - 1).textValue, data.last)
            // Appended once: later loads (profile change, restore) add nothing.
            page.init(true, false)
            page.init(false, true)
            page.init(false, false)
            compare(entries.count, data.count)
        }

        // Effect index -> rows shown on load and after the user picks it, and
        // the knob steps the choice leaves (loaded as 1 and 2).
        function test_rowsOnLoadAndOnChoice_data() {
            return [
                { tag: "0", effect: 0, load: [false, false], pick: [false, false], height: 176,
                  steps: [4, 4], shown: ["100%", "100%"] },
                { tag: "3", effect: 3, load: [true, false], pick: [true, false], height: 224,
                  steps: [4, 4], shown: ["100%", "100%"] },
                { tag: "7", effect: 7, load: [false, true], pick: [true, true], height: 264,
                  steps: [4, 4], shown: ["100%", "100%"] },
                { tag: "4", effect: 4, load: [false, true], pick: [false, true], height: 224,
                  steps: [4, 4], shown: ["100%", "100%"] },
                { tag: "4 on 55328", effect: 4, chip55328: true, load: [true, false],
                  pick: [true, false], height: 224, steps: [0, 2], shown: ["0%", "50%"] }
            ]
        }

        function test_rowsOnLoadAndOnChoice(data) {
            root.isColorful = true
            root.is55328 = data.chip55328 === true
            view.profile["mouse/lightValue"] = data.effect + ", 1, 2"
            var page = loadedPage()
            var rate = part(page, "rateContainer")
            var light = part(page, "lightnessContainer")
            compare([rate.visible, light.visible], data.load)
            verify(!page.isSave)

            page.lightModel.choose(data.effect)
            compare([rate.visible, light.visible], data.pick)
            compare(page.height, data.height)
            compare([page.rateSlider.segmentValue, page.lightnessSlider.segmentValue], data.steps)
            compare([percentShown(rate), percentShown(light)], data.shown)
            verify(page.isSave)
        }

        // The percentage a step row shows beside its bar.
        function percentShown(item) {
            for (var i = 0; i < item.children.length; ++i) {
                var child = item.children[i]
                if (typeof child.text === "string" && /%$/.test(child.text))
                    return child.text
                var inner = percentShown(child)
                if (inner !== "")
                    return inner
            }
            return ""
        }

        // Position on the bar -> colour, through the selected block's knob.
        function test_hueBarPositionToColour_data() {
            return [
                { tag: "left end", p: 0, colour: "#ff0000" },
                { tag: "segment 0", p: 15, colour: "#ff7f00" },
                { tag: "segment 1", p: 45, colour: "#80ff00" },
                { tag: "segment 2", p: 75, colour: "#00ff7f" },
                { tag: "segment 3", p: 105, colour: "#0080ff" },
                { tag: "segment 4", p: 135, colour: "#7f00ff" },
                { tag: "segment 5", p: 179, colour: "#ff0009" },
                { tag: "red zone 180", p: 180, colour: "#ff0000" },
                { tag: "red zone 182", p: 182, colour: "#ff0000" },
                { tag: "right end", p: 183, colour: "#ffffff" }
            ]
        }

        function test_hueBarPositionToColour(data) {
            view.profile["mouse/lightValue"] = "3, 1, 1"
            var page = loadedPage()
            page.applyHue(data.p)
            compare(page.blockColours[0], data.colour)
            compare(String(part(page, "colorBlock0").color), data.colour)
        }

        // Typed R, G, B -> knob position, one row per branch of the rule.
        function test_typedColourPlacesTheKnob_data() {
            return [
                { tag: "red to yellow", rgb: [255, 128, 0], p: 15, colour: "#ff8000" },
                { tag: "yellow to green", rgb: [128, 255, 0], p: 45, colour: "#80ff00" },
                { tag: "green to cyan", rgb: [0, 255, 128], p: 76, colour: "#00ff80" },
                { tag: "cyan to blue", rgb: [0, 128, 255], p: 106, colour: "#0080ff" },
                { tag: "blue to magenta", rgb: [128, 0, 255], p: 137, colour: "#8000ff" },
                { tag: "magenta to red", rgb: [255, 0, 128], p: 167, colour: "#ff0080" },
                { tag: "pure red", rgb: [255, 0, 0], p: 0, colour: "#ff0000" },
                { tag: "white", rgb: [255, 255, 255], p: 183, colour: "#ffffff" },
                { tag: "grey", rgb: [10, 20, 30], p: 0, colour: "#0a141e" },
                { tag: "out of range", rgb: [999, -4, "x"], p: 0, colour: "#ff0000",
                  shown: ["255", "0", "0"] }
            ]
        }

        function test_typedColourPlacesTheKnob(data) {
            view.profile["mouse/lightValue"] = "5, 1, 1"
            var page = loadedPage()
            mouseClick(part(page, "colorBlock1"), 7, 7)
            compare(page.colorBlockRow.selectColorBlock, 1)
            page.settingColorR.textValue = String(data.rgb[0])
            page.settingColorG.textValue = String(data.rgb[1])
            page.settingColorB.textValue = String(data.rgb[2])
            page.applyFields()
            compare(knob(page).pos, data.p)
            compare(page.blockColours[1], data.colour)
            compare(page.blockColours[0], "#ff0000")
            var shown = data.shown ? data.shown : data.rgb.map(String)
            compare([page.settingColorR.textValue, page.settingColorG.textValue,
                     page.settingColorB.textValue], shown)
            verify(page.isSave)
        }

        function test_storedColoursAndBlocks() {
            view.profile["mouse/lightValue"] = "0, 1, 1"
            view.profile["mouse/colorValue"] = "0, 128, 255, 300, -5, x"
            var page = loadedPage()
            compare(page.blockColours[0], "#0080ff")
            compare(page.blockColours[1], "#ff0000")
            compare(page.blockColours[2], "#0000ff") // missing: default
            compare(knob(page).pos, 106)
            compare(page.settingColorB.textValue, "255")
            // Effect 0: colour area covered, no blocks.
            verify(part(page, "colourCover").visible)
            verify(!page.colorBlockRow.visible)

            page.lightModel.choose(3)
            verify(!part(page, "colourCover").visible)
            verify(page.colorBlockRow.visible)
            page.dpiCount = 2
            var shown = []
            for (var k = 0; k < 8; ++k)
                shown.push(part(page, "colorBlock" + k).visible)
            compare(shown, [true, true, false, false, false, false, false, false])
            root.isColorful = true
            shown = []
            for (var j = 0; j < 8; ++j)
                shown.push(part(page, "colorBlock" + j).visible)
            compare(shown, [true, true, true, true, true, true, false, false])

            // Stored steps and effects outside the list are held at its ends.
            view.profile["mouse/lightValue"] = "25, 9, -3"
            page.init(false, false)
            compare([page.effect, page.rateSlider.segmentValue, page.lightnessSlider.segmentValue],
                    [3, 4, 0])
        }

        // A colour the bar does not hold survives a press on its knob.
        function test_pressingTheKnobKeepsTheColour() {
            view.profile["mouse/lightValue"] = "3, 1, 1"
            view.profile["mouse/colorValue"] = "18, 52, 86"
            var page = loadedPage()
            var k = knob(page)
            compare(k.pos, 0)
            mouseClick(k, 9, 14)
            compare(page.blockColours[0], "#123456")
            compare(page.settingColorB.textValue, "86")
            verify(page.isSave)
        }

        function test_saveStoresAndSendsByStep() {
            var page = loadedPage()
            page.saveData(true, 0)
            var colours = "255,0,0,0,255,0,0,0,255,255,0,255,0,255,255,255,127,0,96,0,255,255,255,255"
            compare(view.log, ["setDataList(mouse/lightValue,1,2,3)",
                               "setDataList(mouse/colorValue," + colours + ")",
                               "mouseSetRGBColor(0," + colours + ")",
                               "mouseSetRGBEffect(1,2,3)",
                               "mouseSetRGBColor(1," + colours + ")"])
            view.clear()
            page.saveData(true, 1)
            compare(view.log, ["setDataList(mouse/lightValue,1,2,3)",
                               "mouseSetRGBColor(0," + colours + ")",
                               "mouseSetRGBEffect(1,2,3)"])
            view.clear()
            page.saveData(false, 2)
            compare(view.log, ["setDataList(mouse/colorValue," + colours + ")"])

            // Colourful mice get colour and effect twice.
            root.isColorful = true
            view.clear()
            page.saveData(true, 0)
            compare(view.only(["mouseSet"]), ["mouseSetRGBColor(0," + colours + ")",
                                              "mouseSetRGBEffect(1,2,3)",
                                              "mouseSetRGBColor(0," + colours + ")",
                                              "mouseSetRGBEffect(1,2,3)"])
        }

        function test_55328ColourListEndsInZeros() {
            root.isColorful = true
            root.is55328 = true
            view.profile["mouse/lightValue"] = "2, 1, 1"
            var page = loadedPage()
            compare(page.blockColours[7], "#ffffff")
            page.saveData(true, 2)
            var stored = view.log[0].split(",")
            compare(stored.slice(stored.length - 3), ["0", "0", "0)"])
            compare(stored.length, 25)
            // Effect 4 keeps the eighth colour and shows colours 1..6 to edit.
            page.lightModel.choose(4)
            verify(page.colorBlockRow.visible)
            verify(part(page, "colorBlock5").visible)
            view.clear()
            page.saveData(false, 2)
            compare(view.log[0].slice(-12), "255,255,255)")
        }

        function test_restoreAndFocus() {
            var page = loadedPage()
            page.restore()
            verify(page.isSave)
            compare(page.effect, 3)
            compare(page.rateSlider.segmentValue, 1)
            compare(page.blockColours[0], "#0080ff")
            compare(view.only(["mouseSet", "setData"]), [])

            page.lightModel.openOrClose()
            tryCompare(page.lightModel, "isAnimating", false)
            page.isSave = false
            var field = page.settingColorR.input.txtInput
            field.forceActiveFocus()
            page.settingColorR.textValue = "12"
            page.lightControlFocus()
            verify(!field.activeFocus)
            tryCompare(page.lightModel, "isAnimating", false)
            verify(!page.lightModel.isDrop)
            // Leaving the field applied the typed colour.
            compare(page.blockColours[0], "#0c80ff")
            verify(page.isSave)
        }
    }
}
