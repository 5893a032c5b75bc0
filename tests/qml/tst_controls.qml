import QtQuick
import QtQml.Models
import QtTest
import modules.qml

// The page controls: knob ranges and steps, drop-downs that report only
// after closing, check box order and the number field's fallback.
Item {
    id: scene
    width: 400
    height: 400

    TestCase {
        id: testCase
        name: "Controls"
        when: windowShown

        Component {
            id: sliderComponent
            SliderButton { x: 20; y: 20 }
        }
        Component {
            id: listComponent
            DropDownList { x: 20; y: 20 }
        }
        Component {
            id: gridComponent
            DropDownGrid {
                x: 20
                y: 20
                mdItems: ListModel {
                    ListElement { textValue: "Player" }
                    ListElement { textValue: "Next" }
                    ListElement { textValue: "Privous" }
                    ListElement { textValue: "Stop" }
                    ListElement { textValue: "Mute" }
                    ListElement { textValue: "Play/Pause" }
                    ListElement { textValue: "Volumn+" }
                    ListElement { textValue: "Volumn-" }
                    ListElement { textValue: "" }
                }
            }
        }
        Component {
            id: dropSliderComponent
            DropDownSlider { x: 20; y: 20 }
        }
        Component {
            id: checkComponent
            CheckBox { x: 20; y: 20; textValue: "Enable" }
        }
        Component {
            id: radioComponent
            RadioButton { x: 20; y: 20; textValue: "DPI+"; index: 3 }
        }
        Component {
            id: inputComponent
            RectInput { x: 20; y: 20 }
        }
        Component {
            id: spyComponent
            SignalSpy {}
        }
        Component {
            id: underneathComponent
            MouseArea { anchors.fill: parent }
        }

        function spyOn(target, signalName) {
            return createTemporaryObject(spyComponent, scene, { target: target, signalName: signalName })
        }

        function fillList(list, n) {
            for (var i = 0; i < n; ++i)
                list.mdItems.append({ "textValue": "entry" + i })
            list.count = n
        }

        function test_sliderKnobRangeAndRatio() {
            var slider = createTemporaryObject(sliderComponent, scene, { width: 104 })
            var changes = spyOn(slider, "valueChange")
            slider.setRatioValue(0)
            compare(slider.knobX, 4)
            slider.setRatioValue(1)
            compare(slider.knobX, 90)
            slider.setRatioValue(0.5)
            compare(slider.knobX, 47)
            compare(changes.count, 3)
            compare(changes.signalArguments[0][0], 4)
            compare(changes.signalArguments[1][0], 90)

            // A click far outside either end stops at the knob range 3..89.
            slider.clickAt(-50)
            tryCompare(slider, "isAnimating", false)
            compare(slider.knobX, 3)
            slider.clickAt(500)
            tryCompare(slider, "isAnimating", false)
            compare(slider.knobX, 89)

            slider.setValue(40)
            compare(slider.knobX, 40)
            compare(changes.count, 5)

            // A ratio between two pixels takes the lower one: 86 * 0.3 is 25.8.
            slider.setRatioValue(0.3)
            compare(slider.knobX, 29)
        }

        function test_sliderSteps() {
            var slider = createTemporaryObject(sliderComponent, scene,
                                               { width: 96, segment: 4, isScale: true })
            var changes = spyOn(slider, "valueChange")
            var expected = [3, 22.5, 42, 61.5, 81]
            for (var i = 0; i <= 4; ++i) {
                slider.setIndexValue(i, false)
                compare(slider.knobX, expected[i])
                compare(slider.segmentValue, i)
            }
            compare(changes.count, 0)
            slider.setIndexValue(2, true)
            compare(changes.count, 1)
        }

        function test_sliderClickSnapsToNextStep() {
            var slider = createTemporaryObject(sliderComponent, scene,
                                               { width: 96, segment: 4, isScale: true })
            var clicks = spyOn(slider, "btnClick")
            var changes = spyOn(slider, "valueChange")
            var delayed = spyOn(slider, "valueChangeDelay")
            // Pointer at 30 aims the knob at 24, just past step 1 (22.5): step 2.
            mouseClick(slider, 30, 3)
            compare(clicks.count, 1)
            compare(slider.segmentValue, 2)
            compare(changes.count, 0)
            tryCompare(delayed, "count", 1)
            compare(changes.count, 1)
            compare(slider.knobX, 42)
            compare(changes.signalArguments[0][0], 42)

            // Exactly on a step stays there.
            slider.clickAt(22.5 + 6)
            tryCompare(delayed, "count", 2)
            compare(slider.segmentValue, 1)
            compare(slider.knobX, 22.5)
        }

        function test_sliderDrag() {
            var slider = createTemporaryObject(sliderComponent, scene,
                                               { width: 96, segment: 4, isScale: true })
            var drags = spyOn(slider, "dragSignal")
            var changes = spyOn(slider, "valueChange")
            var delayed = spyOn(slider, "valueChangeDelay")
            // Dragged to 23: within a pixel of step 1 (22.5).
            mousePress(slider, 9, 3)
            compare(drags.count, 1)
            compare(drags.signalArguments[0][0], true)
            mouseMove(slider, 29, 3, -1, Qt.LeftButton)
            compare(slider.knobX, 23)
            compare(changes.count, 0)
            mouseRelease(slider, 29, 3)
            compare(slider.knobX, 22.5)
            compare(slider.segmentValue, 1)
            compare(delayed.count, 1)
            compare(drags.count, 2)
            compare(drags.signalArguments[1][0], false)

            // 24 is beyond that pixel: step 2.
            mousePress(slider, 28, 3)
            mouseMove(slider, 30, 3, -1, Qt.LeftButton)
            compare(slider.knobX, 24.5)
            mouseRelease(slider, 30, 3)
            compare(slider.knobX, 42)
            compare(slider.segmentValue, 2)

            // A plain slider reports every move and clamps at its ends.
            slider.isScale = false
            slider.setValue(3)
            mousePress(slider, 9, 3)
            mouseMove(slider, 20, 3, -1, Qt.LeftButton)
            compare(changes.count, 1)
            compare(changes.signalArguments[0][0], 14)
            mouseMove(slider, 300, 3, -1, Qt.LeftButton)
            compare(slider.knobX, 81)
            mouseRelease(slider, 300, 3)
            compare(slider.knobX, 81)

            // The press's own work lets the drag through before it returns,
            // as a command to the mouse does while it waits: the drag counts.
            slider.btnClick.connect(function() {
                mouseMove(slider, 47, 3, -1, Qt.LeftButton)
                mouseRelease(slider, 47, 3)
            })
            mousePress(slider, 87, 3)
            tryCompare(slider, "knobX", 41)
            tryCompare(drags, "count", 8)
        }

        function test_listReportsAfterClosing() {
            var list = createTemporaryObject(listComponent, scene)
            fillList(list, 4)
            list.currentSelect = 0
            var clicks = spyOn(list, "btnClick")
            var chosen = spyOn(list, "valueChange")
            compare(list.textValue, "entry0")

            mouseClick(list, 60, 12)
            compare(clicks.count, 1)
            verify(list.isDrop)
            tryCompare(list, "isAnimating", false)

            // Row 2 sits 24 pixels per row below the box.
            mouseClick(list, 40, 24 + 2 * 24 + 12)
            compare(list.currentSelect, 2)
            compare(list.textValue, "entry2")
            compare(chosen.count, 0)
            verify(!list.isDrop)
            verify(list.isAnimating)
            tryCompare(chosen, "count", 1)
            compare(chosen.signalArguments[0][0], 2)

            // The rightmost 15 pixels of a row take no clicks, and let none
            // through to what lies beneath.
            var underneath = createTemporaryObject(underneathComponent, scene, { z: -1 })
            var fallen = spyOn(underneath, "clicked")
            mouseClick(list, 60, 12)
            tryCompare(list, "isAnimating", false)
            mouseClick(list, list.width - 5, 24 + 3 * 24 + 12)
            compare(list.currentSelect, 2)
            verify(list.isDrop)
            compare(fallen.count, 0)

            list.currentSelect = 7
            compare(list.textValue, "")
        }

        function test_rowClickedWhileOpeningClosesAndReports() {
            var list = createTemporaryObject(listComponent, scene)
            fillList(list, 2)
            list.currentSelect = -1
            var chosen = spyOn(list, "valueChange")
            list.openOrClose()
            // Half-way down, a row is under the top of the drop area.
            var body = list.listView.parent
            for (var i = 0; i < 200 && body.y <= -body.height / 2; ++i)
                wait(2)
            verify(list.isAnimating)
            mouseClick(list, 40, 24 + 12)
            verify(list.currentSelect !== -1)
            verify(!list.isDrop)
            tryCompare(chosen, "count", 1)
            compare(chosen.signalArguments[0][0], list.currentSelect)
            verify(!list.isAnimating)
        }

        function test_listScrollBarAndCloseRules() {
            var list = createTemporaryObject(listComponent, scene)
            fillList(list, 12)
            compare(list.visibleRows, 10)
            list.openOrClose()
            verify(findChild(list, "scrollBar").visible)
            tryCompare(list, "isAnimating", false)
            list.closeMenu()
            tryCompare(list, "isAnimating", false)

            // closeMenu acts only on a fully open list.
            list.openOrClose()
            verify(list.isAnimating)
            list.closeMenu()
            verify(list.isDrop)
            tryCompare(list, "isAnimating", false)
            list.closeMenu()
            verify(!list.isDrop)

            var small = createTemporaryObject(listComponent, scene)
            fillList(small, 4)
            small.openOrClose()
            verify(!findChild(small, "scrollBar").visible)
        }

        function test_gridBlankCellKeepsEntry() {
            var grid = createTemporaryObject(gridComponent, scene)
            var clicks = spyOn(grid, "btnClick")
            compare(grid.textValue, "Player")
            grid.openOrClose()
            compare(clicks.count, 0)
            tryCompare(grid, "isAnimating", false)
            // Cell 8 (third line, third column) is blank.
            mouseClick(grid, 2 * grid.width + 10, 24 + 2 * 24 + 12)
            compare(grid.currentSelect, 0)
            compare(clicks.count, 1)
            verify(!grid.isDrop)
            tryCompare(grid, "isAnimating", false)

            grid.openOrClose()
            tryCompare(grid, "isAnimating", false)
            mouseClick(grid, grid.width + 10, 24 + 24 + 12)
            compare(grid.currentSelect, 4)
            compare(grid.textValue, "Mute")
            compare(clicks.count, 2)
        }

        function test_dropSliderSetValue() {
            var dropSlider = createTemporaryObject(dropSliderComponent, scene)
            var changes = spyOn(dropSlider, "valueChange")
            compare(dropSlider.sliderControl.width, 104)
            dropSlider.setValue(0)
            compare(changes.count, 1)
            compare(changes.signalArguments[0][0], 4)
            var clicks = spyOn(dropSlider, "btnClick")
            mouseClick(dropSlider, 50, 12)
            compare(clicks.count, 1)
            verify(dropSlider.isDrop)
            tryCompare(dropSlider, "isAnimating", false)
            dropSlider.closeMenu()
            verify(!dropSlider.isDrop)
        }

        function test_checkBoxHandlerSeesOldState() {
            var check = createTemporaryObject(checkComponent, scene, { index: 5 })
            var seen = []
            check.btnClick.connect(function(index) { seen.push([index, check.isSelect]) })
            mouseClick(check, 5, 6)
            compare(seen.length, 1)
            compare(seen[0][0], 5)
            compare(seen[0][1], false)
            verify(check.isSelect)
            mouseClick(check, 5, 6)
            compare(seen[1][1], true)
            verify(!check.isSelect)
        }

        function test_radioSelectsThenReports() {
            var radio = createTemporaryObject(radioComponent, scene)
            var seen = []
            radio.btnClick.connect(function(index) { seen.push([index, radio.isSelect]) })
            // The click area reaches 6 pixels beyond the button.
            mouseClick(radio, -4, 5)
            compare(seen.length, 1)
            compare(seen[0][0], 3)
            compare(seen[0][1], true)
            mouseClick(radio, 5, 5)
            verify(radio.isSelect)
        }

        function test_rectInputEmptyBecomesZero() {
            var input = createTemporaryObject(inputComponent, scene, { minValue: 1, maxValue: 65535 })
            var started = spyOn(input, "inputSignal")
            var ended = spyOn(input, "endInputSignal")
            compare(input.textValue, "0")
            input.txtInput.forceActiveFocus()
            compare(started.count, 1)
            input.textValue = ""
            input.txtInput.focus = false
            compare(input.textValue, "0")
            compare(ended.count, 1)

            input.txtInput.forceActiveFocus()
            input.txtInput.selectAll()
            keyClick(Qt.Key_1)
            keyClick(Qt.Key_2)
            keyClick(Qt.Key_3)
            keyClick(Qt.Key_4)
            keyClick(Qt.Key_5)
            compare(input.textValue, "1234")
            keyClick(Qt.Key_Return)
            verify(!input.txtInput.focus)
            compare(input.textValue, "1234")
            compare(ended.count, 2)

            input.txtInput.forceActiveFocus()
            input.txtInput.selectAll()
            input.closeFocus()
            verify(!input.txtInput.focus)
            compare(input.txtInput.selectedText, "")
        }
    }
}
