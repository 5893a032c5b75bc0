import QtQuick
import QtQml.Models
import QtTest
import modules.qml

// The page controls from the keyboard: each row presses keys on a focused
// control and names what must follow (a signal and its first argument, or
// a property's value). Every control shows the focus frame while focused.
Item {
    id: scene
    width: 400
    height: 400

    // Keys no control takes land here, as on the root screen.
    Item {
        id: catcher
        anchors.fill: parent
        property var unused: []
        Keys.onPressed: (event) => unused.push(event.key)
    }

    Component { id: textButton; TextButton {} }
    Component { id: releaseButton; TextButton { pressOnRelease: true } }
    Component { id: hoverImage; HoverImage { width: 20; height: 20 } }
    Component { id: radio; RadioButton { textValue: "DPI+"; index: 3 } }
    Component { id: check; CheckBox { textValue: "Enable"; index: 5 } }
    Component { id: slider; SliderButton { width: 104 } }
    Component { id: steppedSlider; SliderButton { width: 96; segment: 4; isScale: true } }
    Component { id: ownSlider; SliderButton { width: 104; ownSteps: true } }
    Component { id: dropSlider; DropDownSlider {} }
    Component { id: captureBox; CaptureBox { width: 96 } }
    Component { id: input; RectInput {} }
    Component {
        id: list
        DropDownList {
            count: 4
            currentSelect: 1
            mdItems: ListModel {
                ListElement { textValue: "125Hz" }
                ListElement { textValue: "250Hz" }
                ListElement { textValue: "500Hz" }
                ListElement { textValue: "1000Hz" }
            }
        }
    }
    Component {
        id: grid
        DropDownGrid {
            mdItems: ListModel {
                ListElement { textValue: "My PC" }
                ListElement { textValue: "Index" }
                ListElement { textValue: "Search" }
                ListElement { textValue: "Max" }
                ListElement { textValue: "Min" }
                ListElement { textValue: "" }
            }
        }
    }
    Component { id: spyComponent; SignalSpy {} }

    TestCase {
        name: "ControlKeys"
        when: windowShown

        function init() {
            catcher.unused = []
        }

        // A control under the catcher, focused as Tab would leave it.
        function focused(component, properties) {
            var control = createTemporaryObject(component, catcher, properties || {})
            control.x = 40
            control.y = 40
            control.forceActiveFocus(Qt.TabFocusReason)
            verify(control.activeFocus)
            return control
        }

        function pressKeys(keys) {
            keys.forEach(function(key) {
                if (Array.isArray(key))
                    keyClick(key[0], key[1])
                else
                    keyClick(key)
            })
        }

        // make: the control; keys: pressed in turn; signal, count and arg:
        // how often it must follow and its last first argument; property
        // and value: the state after; unused: the keys the control leaves.
        function test_keys_data() {
            return [
                { tag: "button space", make: textButton, keys: [Qt.Key_Space], signal: "clicked", count: 1 },
                { tag: "button enter", make: textButton, keys: [Qt.Key_Return, Qt.Key_Enter], signal: "clicked", count: 2 },
                { tag: "button leaves arrows", make: textButton, keys: [Qt.Key_Down], signal: "clicked", count: 0, unused: [Qt.Key_Down] },
                { tag: "button leaves ctrl+enter", make: textButton, keys: [[Qt.Key_Return, Qt.ControlModifier]], signal: "clicked", count: 0, unused: [Qt.Key_Control, Qt.Key_Return] },
                { tag: "picture", make: hoverImage, keys: [Qt.Key_Space], signal: "clicked", count: 1 },
                { tag: "radio", make: radio, keys: [Qt.Key_Space], signal: "btnClick", count: 1, arg: 3, property: "isSelect", value: true },
                { tag: "check twice", make: check, keys: [Qt.Key_Space, Qt.Key_Return], signal: "btnClick", count: 2, arg: 5, property: "isSelect", value: false },
                { tag: "slider right", make: slider, keys: [Qt.Key_Right], signal: "valueChangeDelay", count: 1, property: "knobX", value: 3 + 8.6 },
                { tag: "slider up then down", make: slider, keys: [Qt.Key_Up, Qt.Key_Up, Qt.Key_Down], signal: "valueChange", count: 3, property: "knobX", value: 3 + 8.6 },
                { tag: "slider end", make: slider, keys: [Qt.Key_End], signal: "valueChange", count: 1, arg: 89, property: "knobX", value: 89 },
                { tag: "slider home", make: slider, keys: [Qt.Key_End, Qt.Key_Home], signal: "valueChangeDelay", count: 2, arg: 3, property: "knobX", value: 3 },
                { tag: "slider left stops", make: slider, keys: [Qt.Key_Left], signal: "valueChange", count: 1, arg: 3 },
                { tag: "stepped right", make: steppedSlider, keys: [Qt.Key_Right, Qt.Key_Right], signal: "valueChange", count: 2, arg: 42, property: "segmentValue", value: 2 },
                { tag: "stepped end", make: steppedSlider, keys: [Qt.Key_End], signal: "valueChange", count: 1, arg: 81, property: "segmentValue", value: 4 },
                { tag: "own steps", make: ownSlider, keys: [Qt.Key_Right, Qt.Key_Down], signal: "stepRequested", count: 2, arg: -1, property: "knobX", value: 3 },
                { tag: "own steps home", make: ownSlider, keys: [Qt.Key_Home], signal: "stepRequested", count: 1, arg: -100000 },
                { tag: "drop slider arrows", make: dropSlider, keys: [Qt.Key_End], signal: "valueChange", count: 1, arg: 89, property: "isDrop", value: false },
                { tag: "drop slider opens", make: dropSlider, keys: [Qt.Key_Space], signal: "btnClick", count: 1, property: "isDrop", value: true },
                { tag: "drop slider escape", make: dropSlider, keys: [Qt.Key_Space, Qt.Key_Escape], signal: "btnClick", count: 1, property: "isDrop", value: false },
                { tag: "closed list down", make: list, keys: [Qt.Key_Down], signal: "valueChange", count: 1, arg: 2, property: "textValue", value: "500Hz" },
                { tag: "closed list end", make: list, keys: [Qt.Key_End], signal: "valueChange", count: 1, arg: 3 },
                { tag: "closed list home", make: list, keys: [Qt.Key_Home], signal: "valueChange", count: 1, arg: 0 },
                { tag: "closed list stays", make: list, keys: [Qt.Key_Home, Qt.Key_Up], signal: "valueChange", count: 1, arg: 0 },
                { tag: "list opens", make: list, keys: [Qt.Key_Return], signal: "btnClick", count: 1, property: "isDrop", value: true },
                { tag: "open list moves only", make: list, keys: [Qt.Key_Space, Qt.Key_Down, Qt.Key_Down], signal: "valueChange", count: 0, property: "keyRow", value: 3 },
                { tag: "open list escape", make: list, keys: [Qt.Key_Space, Qt.Key_Down, Qt.Key_Escape], signal: "valueChange", count: 0, property: "isDrop", value: false },
                { tag: "open list chooses", make: list, keys: [Qt.Key_Space, Qt.Key_End, Qt.Key_Return], signal: "valueChange", count: 1, arg: 3, property: "currentSelect", value: 3 },
                { tag: "grid down a line", make: grid, keys: [Qt.Key_Space, Qt.Key_Down, Qt.Key_Right, Qt.Key_Space], signal: "btnClick", count: 1, property: "textValue", value: "Min" },
                { tag: "grid blank keeps", make: grid, keys: [Qt.Key_Space, Qt.Key_End, Qt.Key_Space], signal: "btnClick", count: 1, property: "currentSelect", value: 0 },
                { tag: "grid escape", make: grid, keys: [Qt.Key_Space, Qt.Key_Right, Qt.Key_Escape], signal: "btnClick", count: 0, property: "currentSelect", value: 0 },
                { tag: "closed grid right", make: grid, keys: [Qt.Key_Right], signal: "btnClick", count: 1, property: "textValue", value: "Index" }
            ]
        }

        function test_keys(data) {
            var control = focused(data.make)
            var spy = createTemporaryObject(spyComponent, scene, { target: control, signalName: data.signal })
            verify(findChild(control, "focusRing").visible, "focus frame")
            pressKeys(data.keys)
            // Drop-downs report a choice once their list has closed.
            if (data.count > 0)
                tryCompare(spy, "count", data.count)
            wait(250)
            compare(spy.count, data.count)
            if (data.arg !== undefined)
                compare(spy.signalArguments[spy.count - 1][0], data.arg)
            if (typeof data.value === "number")
                fuzzyCompare(control[data.property], data.value, 0.001)
            else if (data.property !== undefined)
                compare(control[data.property], data.value)
            compare(catcher.unused, data.unused || [])
        }

        // A button that starts a capture acts when its key is let go.
        function test_pressOnRelease() {
            var button = focused(releaseButton)
            var spy = createTemporaryObject(spyComponent, scene, { target: button, signalName: "clicked" })
            keyPress(Qt.Key_Return)
            wait(20)
            compare(spy.count, 0)
            keyRelease(Qt.Key_Return)
            tryCompare(spy, "count", 1)
        }

        // While it captures, the box keeps every key (Tab and Escape too),
        // and the key that ended the capture a moment ago as well.
        function test_captureBoxKeepsKeys() {
            var box = focused(captureBox)
            var spy = createTemporaryObject(spyComponent, scene, { target: box, signalName: "clicked" })
            box.clicked.connect(function() { box.isCapturing = true })
            keyPress(Qt.Key_Space)
            compare(spy.count, 0)
            keyRelease(Qt.Key_Space)
            tryCompare(spy, "count", 1)
            pressKeys([Qt.Key_Tab, Qt.Key_Escape, Qt.Key_A, Qt.Key_Return])
            verify(box.activeFocus)
            compare(catcher.unused, [])
            compare(spy.count, 1)
            box.isCapturing = false
            keyClick(Qt.Key_Escape)
            compare(catcher.unused, [])
            wait(300)
            keyClick(Qt.Key_Escape)
            compare(catcher.unused, [Qt.Key_Escape])
        }

        function test_numberFieldTakesTab() {
            var field = createTemporaryObject(input, catcher)
            field.txtInput.forceActiveFocus(Qt.TabFocusReason)
            verify(findChild(field, "focusRing").visible)
            verify(field.txtInput.activeFocusOnTab)
            verify(field.txtInput.Accessible.focusable)
        }
    }
}
