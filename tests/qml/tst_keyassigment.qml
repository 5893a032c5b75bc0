import QtQuick
import QtTest

// The key list, the mouse picture and the key assignment dialog on the root
// screen, against the recording back end: the code table and its texts, key
// capture, macros, the last-left-click rule, restoring and what Save sends.
Item {
    id: scene
    width: 1024
    height: 640

    RecordingView { id: view }
    RecordingControler { id: ctl }

    TestCase {
        id: testCase
        name: "KeyAssigment"
        when: windowShown

        property var main: null

        function init() {
            view.clear()
            view.globals = { "mouse/icType": "553", "mouse/keyCount": "8", "mouse/profileNo": "0",
                             "common/language": "English" }
            view.profile = {}
            view.lang = {}
            view.keyDefines = {}
            view.defaultKeyDefines = {}
        }

        function start() {
            var component = Qt.createComponent("qrc:/modules/qml/main.qml")
            verify(component.status === Component.Ready, component.errorString())
            main = createTemporaryObject(component, scene, { uiView: view, uiCtl: ctl })
            main.initUI()
            tryCompare(part("powerOnLogo"), "visible", false, 3000)
            view.clear()
            return main
        }

        function part(name) {
            var item = findChild(main, name)
            verify(item !== null, name)
            return item
        }

        // The visible control whose text is `text`.
        function byText(item, text) {
            var kids = item.children
            for (var i = 0; i < kids.length; ++i) {
                if (kids[i].textValue === text)
                    return kids[i]
                var found = byText(kids[i], text)
                if (found !== null)
                    return found
            }
            return null
        }

        // Scrolls the dialog's body so that the item can be clicked.
        function reveal(item) {
            var scroll = part("keyAssigmentMain").scrollArea
            var y = item.mapToItem(scroll.contentItem, 0, 0).y
            scroll.contentY = Math.max(0, Math.min(y - 40, scroll.contentHeight - scroll.height))
        }

        function openButton(n) {
            mouseClick(part("keyRow" + n))
            var dialog = part("keyAssigmentMain")
            verify(dialog.visible)
            return dialog
        }

        function codesOf(o) {
            return [o.keyCode0, o.keyCode1, o.keyCode2, o.keyCode3]
        }

        function chooseInGrid(gridName, index) {
            var grid = part(gridName)
            reveal(grid)
            mouseClick(grid, 30, 12)
            tryCompare(grid, "isAnimating", false)
            verify(grid.isDrop)
            mouseClick(grid, (index % 3) * grid.width + 30, 24 + Math.floor(index / 3) * 24 + 12)
            tryCompare(grid, "isAnimating", false)
        }

        function test_codeTable_data() {
            return [
                { tag: "Left Key", radio: true, codes: [0, 0, 0xF0, 0] },
                { tag: "Middle Key", radio: true, codes: [0, 0, 0xF2, 0] },
                { tag: "Right Key", radio: true, codes: [0, 0, 0xF1, 0] },
                { tag: "Forward Key", radio: true, codes: [0, 0, 0xF4, 0] },
                { tag: "Back Key", radio: true, codes: [0, 0, 0xF3, 0] },
                { tag: "Double Fire", radio: true, codes: [0, 0xF0, 0x1E, 0x02] },
                { tag: "Disable", radio: true, codes: [0, 0, 0, 0] },
                { tag: "Player", grid: "mediaControl", cell: 0, codes: [3, 0, 0x83, 0x01] },
                { tag: "Next", grid: "mediaControl", cell: 1, codes: [3, 0, 0xB5, 0] },
                { tag: "Privous", grid: "mediaControl", cell: 2, codes: [3, 0, 0xB6, 0] },
                { tag: "Stop", grid: "mediaControl", cell: 3, codes: [3, 0, 0xB7, 0] },
                { tag: "Mute", grid: "mediaControl", cell: 4, codes: [3, 0, 0xE2, 0] },
                { tag: "Play/Pause", grid: "mediaControl", cell: 5, codes: [3, 0, 0xCD, 0] },
                { tag: "Volumn+", grid: "mediaControl", cell: 6, codes: [3, 0, 0xE9, 0] },
                { tag: "Volumn-", grid: "mediaControl", cell: 7, codes: [3, 0, 0xEA, 0] },
                { tag: "DPI+", radio: true, codes: [5, 0, 1, 0] },
                { tag: "DPI-", radio: true, codes: [5, 0, 2, 0] },
                { tag: "DPI LOOP", radio: true, codes: [5, 0, 3, 0] },
                { tag: "Sniper Key", radio: true, codes: [5, 0, 4, 0] },
                { tag: "My PC", grid: "windowsGrid", cell: 0, codes: [6, 0, 0x94, 0x01] },
                { tag: "Index", grid: "windowsGrid", cell: 1, codes: [6, 0, 0x23, 0x02] },
                { tag: "Search", grid: "windowsGrid", cell: 2, codes: [6, 0, 0x21, 0x02] },
                { tag: "Max", grid: "windowsGrid", cell: 3, codes: [6, 0x04, 0x2C, 0x1B] },
                { tag: "Min", grid: "windowsGrid", cell: 4, codes: [6, 0x04, 0x2C, 0x11] },
                { tag: "Desktop", grid: "windowsGrid", cell: 5, codes: [6, 0, 0xE3, 0x07] },
                { tag: "Run", grid: "windowsGrid", cell: 6, codes: [6, 0, 0xE3, 0x15] },
                { tag: "New", grid: "shortCutGrid", cell: 0, codes: [7, 0, 0xE0, 0x11] },
                { tag: "Cut", grid: "shortCutGrid", cell: 1, codes: [7, 0, 0xE0, 0x1B] },
                { tag: "Copy", grid: "shortCutGrid", cell: 2, codes: [7, 0, 0xE0, 0x06] },
                { tag: "Paste", grid: "shortCutGrid", cell: 3, codes: [7, 0, 0xE0, 0x19] },
                { tag: "Save", grid: "shortCutGrid", cell: 4, codes: [7, 0, 0xE0, 0x16] },
                { tag: "Print", grid: "shortCutGrid", cell: 5, codes: [7, 0, 0xE0, 0x13] },
                { tag: "Find", grid: "shortCutGrid", cell: 6, codes: [7, 0, 0xE0, 0x09] },
                { tag: "Redo", grid: "shortCutGrid", cell: 7, codes: [7, 0, 0xE0, 0x1C] },
                { tag: "Undo", grid: "shortCutGrid", cell: 8, codes: [7, 0, 0xE0, 0x1D] },
                { tag: "Select All", grid: "shortCutGrid", cell: 9, codes: [7, 0, 0xE0, 0x04] },
                // Gun buttons come only from stored assignments.
                { tag: "One Gun", codes: [8, 0, 1, 0] },
                { tag: "Two Gun", codes: [8, 0, 2, 0] },
                { tag: "Three Gun", codes: [8, 0, 3, 0] },
                { tag: "fire key", codes: [1, 0x2C, 10, 0], text: "Space" },
                { tag: "combination", codes: [2, 0x85, 0x04, 0x1D], text: "LCtrl+LAlt+RWin+A+Z" },
                { tag: "combination without keys", codes: [2, 0x02, 0, 0], text: "LShift" },
                { tag: "macro", codes: [4, 1, 2, 0], text: "Burst" },
                { tag: "other mouse value", codes: [0, 0, 0x55, 0], text: "Double Fire" },
                { tag: "unknown media pair", codes: [3, 0, 0xE9, 0x01], text: "" },
                { tag: "Windows pair of another first value", codes: [6, 9, 0x2C, 0x1B], text: "Max" },
                { tag: "unknown DPI function", codes: [5, 0, 9, 0], text: "" },
                { tag: "unknown gun count", codes: [8, 0, 4, 0], text: "" },
                { tag: "key without a name", codes: [1, 0x74, 10, 0], text: "" },
                { tag: "no function", codes: [0xFF, 0, 1, 0], text: "" }
            ]
        }

        // Each entry of the dialog gives its codes and its text, and the
        // codes name it again.
        function test_codeTable(data) {
            start()
            view.profile = { "mouseMacroKey/2": "Burst" }
            var dialog = openButton(2)
            var text = data.text === undefined ? data.tag : data.text
            compare(dialog.keyCodeToString(data.codes[0], data.codes[1], data.codes[2],
                                           data.codes[3]), text)
            if (data.radio) {
                var radio = byText(dialog, data.tag)
                verify(radio !== null)
                reveal(radio)
                mouseClick(radio, 4, radio.height / 2)
                verify(radio.isSelect)
            } else if (data.grid) {
                chooseInGrid(data.grid, data.cell)
            } else {
                return
            }
            compare(codesOf(dialog), data.codes)
            compare(dialog.keyString, data.tag)
        }

        function test_gridBlankCellKeepsTheChoice() {
            start()
            var dialog = openButton(2)
            chooseInGrid("windowsGrid", 5)
            compare(dialog.keyString, "Desktop")
            dialog.keyCode0 = 0
            // The blank cell right of "Run" applies "Desktop" again.
            chooseInGrid("windowsGrid", 7)
            compare(codesOf(dialog), [6, 0, 0xE3, 0x07])
            compare(part("windowsGrid").textValue, "Desktop")
        }

        function test_combinationCapture() {
            start()
            var dialog = openButton(2)
            var box = part("comboBox")
            compare(box.text, "Click Input")

            // Cancel after typing, and confirm with nothing typed: no change.
            mouseClick(box, 20, 12)
            verify(dialog.isComboInput)
            compare(box.text, "")
            main.detectKeyboard(true, 0xE0)
            main.detectKeyboard(true, 0x04)
            mouseClick(part("comboCancel"))
            verify(!dialog.isComboInput)
            compare(box.text, "Click Input")
            mouseClick(box, 20, 12)
            mouseClick(part("comboConfirm"))
            compare(box.text, "Click Input")
            compare(codesOf(dialog), [0, 0, 0xF1, 0])
            compare(dialog.keyString, "Right Key")

            // Ctrl, Shift and two letters; releases, a repeated Ctrl and a
            // third letter do not count.
            mouseClick(box, 20, 12)
            main.detectKeyboard(true, 0xE0)
            main.detectKeyboard(true, 0xE1)
            main.detectKeyboard(true, 0x04)
            main.detectKeyboard(false, 0x04)
            main.detectKeyboard(true, 0xE0)
            main.detectKeyboard(true, 0x05)
            main.detectKeyboard(true, 0x06)
            compare(box.text, "LCtrl + LShift + A + B")
            compare(codesOf(dialog), [0, 0, 0xF1, 0])
            mouseClick(part("comboConfirm"))
            verify(!dialog.isComboInput)
            compare(codesOf(dialog), [2, 0x03, 0x04, 0x05])
            compare(dialog.keyString, "LCtrl + LShift + A + B")
            compare(part("keyAssigmentTitle").text, "Key 2 : LCtrl + LShift + A + B")
            // Keys after the capture change nothing.
            main.detectKeyboard(true, 0x07)
            compare(codesOf(dialog), [2, 0x03, 0x04, 0x05])

            mouseClick(part("keyCloseBtn"))
            var keys = part("keyMatrixMain")
            verify(keys.isSave)
            compare(codesOf(keys.modKeys.get(1)), [2, 0x03, 0x04, 0x05])
            compare(keys.modKeys.get(1).keyText, "LCtrl + LShift + A + B")
            mouseClick(part("saveBtn"), 10, 10)
            compare(view.keyMatrixSends.length, 1)
            compare(view.keyMatrixSends[0].src64.slice(4, 8), [2, 0x03, 0x04, 0x05])
        }

        function test_fireCaptureAndRate() {
            start()
            var dialog = openButton(2)
            var box = part("fireBox")
            var rate = part("selectRate")
            compare(rate.textValue, "10ms")
            mouseClick(box, 20, 12)
            verify(dialog.isFireInput)
            compare(box.text, "Click Input")
            // A release ends the capture as well as a press.
            main.detectKeyboard(false, 0x2C)
            verify(!dialog.isFireInput)
            compare(box.text, "Space")
            compare(codesOf(dialog), [1, 0x2C, 10, 0])
            compare(dialog.keyString, "Space")

            // Dragging the knob 30 pixels from 3: rate 34, and the body
            // does not flick meanwhile.
            mouseClick(rate, 20, 12)
            tryCompare(rate, "isAnimating", false)
            var slider = rate.sliderControl
            var scroll = dialog.scrollArea
            mousePress(slider, slider.knobX + 6, 3)
            mouseMove(slider, slider.knobX + 6 + 10, 3, -1, Qt.LeftButton)
            verify(!scroll.interactive)
            mouseMove(slider, slider.knobX + 6 + 20, 3, -1, Qt.LeftButton)
            mouseRelease(slider, slider.knobX + 6, 3)
            verify(scroll.interactive)
            compare(slider.knobX, 33)
            compare(rate.textValue, "34MS")
            compare(dialog.keyCode2, 34)

            var times = part("selectTimesRect")
            var endless = part("endless")
            times.txtInput.forceActiveFocus()
            times.textValue = "5"
            times.closeFocus()
            compare(dialog.keyCode3, 5)
            verify(!endless.isSelect)
            mouseClick(endless, 2, endless.height / 2)
            verify(endless.isSelect)
            compare(times.textValue, "0")
            compare(dialog.keyCode3, 0)

            // A new capture takes the rate shown.
            mouseClick(box, 20, 12)
            main.detectKeyboard(true, 0x04)
            compare(codesOf(dialog), [1, 0x04, 34, 0])
        }

        function test_macroOnButton3() {
            start()
            var keys = part("keyMatrixMain")
            var dialog = part("keyAssigmentMain")
            dialog.macroList.addData(["Macro_0", "Macro_1"], true)
            openButton(3)
            var list = part("macroList")
            var mode1 = byText(dialog, "Macro runs endless loop until any button is pressed")
            reveal(mode1)
            mouseClick(mode1, 4, mode1.height / 2)
            reveal(list)
            mouseClick(list, 40, 12)
            tryCompare(list, "isAnimating", false)
            mouseClick(list, 40, 24 + 24 + 12)
            tryCompare(dialog, "keyCode0", 4)
            compare(codesOf(dialog), [4, 1, 2, 0])
            compare(dialog.keyString, "Macro_1")
            compare(part("keyAssigmentTitle").text, "Key 3 : Macro_1")
            mouseClick(part("keyCloseBtn"))
            compare(codesOf(keys.modKeys.get(2)), [4, 1, 2, 0])
            compare(keys.modKeys.get(2).keyText, "Macro_1")
            compare(view.only(["loadMacroIni", "mouseSendMacroData", "setData"]),
                    ["loadMacroIni(Macro_1)", "mouseSendMacroData(2)",
                     "setData(mouseMacroKey/2,Macro_1)"])
            compare(view.profile["mouseMacroKey/2"], "Macro_1")
            verify(keys.isSave)

            // Another macro in the same slot has the same codes, yet it is a change.
            view.clear()
            openButton(3)
            reveal(list)
            mouseClick(list, 40, 12)
            tryCompare(list, "isAnimating", false)
            mouseClick(list, 40, 24 + 12)
            tryCompare(dialog, "keyString", "Macro_0")
            mouseClick(part("keyCloseBtn"))
            compare(view.only(["loadMacroIni", "mouseSendMacroData", "setData"]),
                    ["loadMacroIni(Macro_0)", "mouseSendMacroData(2)",
                     "setData(mouseMacroKey/2,Macro_0)"])
            compare(keys.modKeys.get(2).keyText, "Macro_0")
        }

        function test_lastLeftClickStays() {
            start()
            var dialog = part("keyAssigmentMain")
            var mouse = part("mouseMain")
            mouseClick(part("badge1"))
            verify(!dialog.visible)
            verify(!part("mainMask").visible)
            compare(mouse.selectKey, -1)
            mouseClick(part("keyRow1"))
            verify(!dialog.visible)
            compare(mouse.selectKey, -1)

            // Once button 2 clicks left too, button 1 may change.
            openButton(2)
            mouseClick(byText(dialog, "Left Key"), 4, 6)
            mouseClick(part("keyCloseBtn"))
            mouseClick(part("badge1"))
            verify(dialog.visible)
            verify(part("mainMask").visible)
            compare(mouse.selectKey, 0)
            compare(part("keyAssigmentTitle").text, "Key 1 : Left Key")
        }

        function test_restoreAllWithAMacroDefault() {
            view.defaultKeyDefines = { 3: ["4", "0", "3", "0"], 5: ["3", "0", "233", "0"] }
            view.keyDefines = { 3: ["1", "4", "10", "0"] }
            view.profile = { "mouseMacroKey/3": "Burst" }
            start()
            var keys = part("keyMatrixMain")
            compare(keys.modKeys.get(3).keyText, "A")
            compare(keys.modKeys_tmp.get(3).keyText, "Burst")
            mouseClick(part("keyResetBtn"))
            compare(codesOf(keys.modKeys.get(3)), [4, 0, 3, 0])
            compare(keys.modKeys.get(3).keyText, "Burst")
            compare(codesOf(keys.modKeys.get(5)), [3, 0, 233, 0])
            compare(keys.modKeys.get(5).keyText, "Volumn+")
            compare(view.only(["loadMacroIni", "mouseSendMacroData", "setData"]),
                    ["loadMacroIni(Burst)", "mouseSendMacroData(3)",
                     "setData(mouseMacroKey/3,Burst)"])
            verify(keys.isSave)
            compare(view.keyMatrixSends.length, 0)
            compare(part("keyRow6").Accessible.description, "Volumn+")
        }

        // The stored rows of the profile, as the settings file gives them.
        function storedRows() {
            var rows = {}
            for (var i = 0; i < 16; ++i)
                rows[i] = [String(i < 14 ? 1 : 0xFF), String(4 + i), "10", String(i % 3)]
            rows[2] = ["5", "0", "3", "0"]
            return rows
        }

        function test_fiveButtonsShowFiveAndSendSixteen() {
            view.globals["mouse/keyCount"] = "5"
            view.keyDefines = storedRows()
            start()
            var keys = part("keyMatrixMain")
            for (var n = 1; n <= 8; ++n) {
                compare(part("keyRow" + n).visible, n <= 5, "row " + n)
                compare(part("badge" + n).visible, n <= 5, "badge " + n)
            }
            compare(keys.height, 40 + 24 * 5 + 2 * 4 + 8)
            compare(part("keyRow1").children[1].text, "A")
            compare(part("keyRow3").children[1].text, "DPI LOOP")
            compare(keys.modKeys.get(15).keyText, "")

            keys.isSave = true
            mouseClick(part("saveBtn"), 10, 10)
            compare(view.keyMatrixSends.length, 1)
            var sent = view.keyMatrixSends[0]
            var expected = []
            var rows = storedRows()
            for (var i = 0; i < 16; ++i)
                expected = expected.concat(rows[i].map(function(v) { return parseInt(v, 10) }))
            compare(sent.src64, expected)
            verify(sent.isSendData)
            compare(sent.otherParam, [10, 10, 10])
        }

        function test_closingWithoutAChangeSendsNothing() {
            start()
            var keys = part("keyMatrixMain")
            var dialog = openButton(4)
            compare(part("keyAssigmentTitle").text, "Key 4 : Forward Key")
            // The default is what the button does: restoring changes nothing.
            mouseClick(part("keyRestoreBtn"))
            // Dragged far away, the dialog stays inside the window.
            mousePress(dialog, 200, 20)
            mouseMove(dialog, 200 + 900, 20 + 900, -1, Qt.LeftButton)
            mouseRelease(dialog, 200 + 900, 20 + 900)
            compare(dialog.x, 1024 - 416)
            compare(dialog.y, 640 - 404)
            mouseClick(part("keyCloseBtn"))
            verify(!dialog.visible)
            verify(!part("mainMask").visible)
            compare(part("mouseMain").selectKey, -1)
            verify(!keys.isSave)
            compare(view.log, [])
            mouseClick(part("saveBtn"), 10, 10)
            compare(view.keyMatrixSends.length, 0)
        }
    }
}
