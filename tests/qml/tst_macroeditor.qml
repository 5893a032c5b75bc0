import QtQuick
import QtTest
import modules.qml

// The macro editor against the recording back end: slot bytes written by
// hand from the device format, recording and its length limit, the macro
// list and its names, insertion places, the repeat field, import, sending,
// closing and dragging.
Item {
    id: scene
    width: 1024
    height: 640

    RecordingView { id: view }
    KeyCodeString { id: keyTable }

    // The key dialog as the editor sees it: its macro list.
    QtObject {
        id: keyDialog
        property QtObject macroList: QtObject {
            property var calls: []
            property int closes: 0
            function addData(names, isInit) {
                calls = calls.concat([names.join("|") + (isInit ? " init" : "")])
            }
            function closeMenu() { closes++ }
        }
    }

    // The root screen as the editor sees it.
    Item {
        id: root
        width: 1024
        height: 640
        property bool maskVisible: true
        property var keyCodeTable: keyTable
        function backend() { return view }
    }

    Component {
        id: editorComponent
        MacroEditor { mainRoot: root }
    }

    TestCase {
        id: testCase
        name: "MacroEditor"
        when: windowShown

        function init() {
            failOnWarning(/.*/)
            view.clear()
            view.macros = {}
            view.nameLists = {}
            view.importFile = null
            keyDialog.macroList.calls = []
            keyDialog.macroList.closes = 0
            root.maskVisible = true
        }

        function createEditor(names) {
            view.nameLists = { "0": names || [] }
            for (var i = 0; names && i < names.length; ++i) {
                if (names[i] !== "loadermorvel" && view.macros[names[i]] === undefined)
                    view.macros[names[i]] = ["1"]
            }
            var editor = createTemporaryObject(editorComponent, root,
                                               { x: 192, y: 96, keyDialog: keyDialog })
            verify(editor !== null)
            editor.init()
            view.clear()
            return editor
        }

        function ev(type, info) {
            return { "type": type, "info": info }
        }

        function rows(editor) {
            var out = []
            for (var i = 0; i < editor.macroDataModel.count; ++i) {
                var row = editor.macroDataModel.get(i)
                out.push(row.type + "," + row.info)
            }
            return out
        }

        function names(editor) {
            return editor.macroNames()
        }

        function nameRow(editor, index) {
            editor.macroNumber_lv.forceLayout()
            return editor.macroNumber_lv.itemAtIndex(index)
        }

        function eventRow(editor, index) {
            editor.macroData_lv.forceLayout()
            return editor.macroData_lv.itemAtIndex(index)
        }

        // A macro with these stored events, selected in the editor.
        function editorWith(events, repeat) {
            view.macros["Macro_0"] = events.concat([String(repeat === undefined ? 1 : repeat)])
            var editor = createEditor(["Macro_0", "loadermorvel"])
            mouseClick(nameRow(editor, 0))
            view.clear()
            return editor
        }

        function test_slotBytes_data() {
            var manyDelays = [ev(1, "A")]
            for (var i = 0; i < 92; ++i)
                manyDelays.push(ev(0, "65535"))
            manyDelays.push(ev(2, "A"))
            return [
                { tag: "press A, 200 ms, release A",
                  events: [ev(1, "A"), ev(0, "200"), ev(2, "A")], repeat: 1,
                  bytes: [0x00, 0x01, 0x14, 0x04, 0x81, 0x04, 0x00, 0x00] },
                { tag: "the same without delays",
                  events: [ev(1, "A"), ev(2, "A")], repeat: 1,
                  bytes: [0x00, 0x01, 0x01, 0x04, 0x81, 0x04, 0x00, 0x00] },
                { tag: "5000 ms after a press",
                  events: [ev(1, "A"), ev(0, "5000"), ev(2, "A")], repeat: 1,
                  bytes: [0x00, 0x01, 0x00, 0x04, 0x00, 0x01, 0x00, 0xFA, 0x81, 0x04,
                          0x00, 0x00] },
                { tag: "a release before a long gap",
                  events: [ev(1, "A"), ev(2, "A"), ev(0, "3000"), ev(0, "2000"), ev(1, "B")],
                  repeat: 1,
                  bytes: [0x00, 0x01, 0x01, 0x04, 0x80, 0x04, 0x00, 0x01, 0x00, 0xFA, 0x01, 0x05,
                          0x00, 0x00] },
                { tag: "leading and trailing delays",
                  events: [ev(0, "300"), ev(0, "40"), ev(1, "A"), ev(2, "A"), ev(0, "100")],
                  repeat: 1,
                  bytes: [0x00, 0x01, 0x01, 0x04, 0x81, 0x04, 0x00, 0x00] },
                { tag: "a single event", events: [ev(1, "Z")], repeat: 2,
                  bytes: [0x00, 0x02, 0x01, 0x1D, 0x00, 0x00] },
                { tag: "delays only", events: [ev(0, "50")], repeat: 300, bytes: [0x01, 0x2C] },
                { tag: "mouse buttons and a 1260 ms gap",
                  events: [ev(3, "MS-L"), ev(0, "1260"), ev(4, "MS-L"), ev(1, "")], repeat: 1,
                  bytes: [0x00, 0x01, 0x7E, 0xF0, 0x81, 0xF0, 0x01, 0x00, 0x00, 0x00] },
                { tag: "typed delays round to 10 ms",
                  events: [ev(1, "A"), ev(0, "55"), ev(2, "A"), ev(0, "54"), ev(1, "A")],
                  repeat: 1,
                  bytes: [0x00, 0x01, 0x06, 0x04, 0x85, 0x04, 0x01, 0x04, 0x00, 0x00] },
                { tag: "a gap past 100 minutes is capped",
                  events: manyDelays, repeat: 1,
                  bytes: [0x00, 0x01, 0x00, 0x04, 0x00, 0x03, 0xEA, 0x5F, 0x81, 0x04,
                          0x00, 0x00] }
            ]
        }

        function test_slotBytes(data) {
            var editor = createEditor([])
            compare(editor.deCode(data.events, data.repeat), data.bytes)
            // The editor shows the same list: its length counts the same bytes.
            for (var i = 0; i < data.events.length; ++i)
                editor.macroDataModel.append(data.events[i])
            compare(editor.recordCount(), data.bytes.length)
        }

        function test_recordingFromTheCapture() {
            var editor = createEditor(["Macro_0", "loadermorvel"])
            var dataSpy = createTemporaryObject(spyComponent, testCase,
                                                { target: editor, signalName: "modifyMacroData" })
            var record = findChild(editor, "recordButton")
            // Nothing selected: nothing records.
            mouseClick(record)
            verify(!editor.isInputting)

            mouseClick(nameRow(editor, 0))
            mouseClick(findChild(editor, "delayRecord"))
            mouseClick(record)
            verify(editor.isInputting)
            verify(editor.macroRecord.running)
            compare(editor.macroRecord.interval, 10)
            compare(record.text, "Stop Record")
            editor.detectKeyboard(true, 0x04)
            wait(200)
            editor.detectKeyboard(false, 0x04)
            var shown = rows(editor)
            compare(shown.length, 3)
            compare(shown[0], "1,A")
            compare(shown[2], "2,A")
            var delay = parseInt(shown[1].split(",")[1], 10)
            verify(shown[1].indexOf("0,") === 0 && delay % 10 === 0 && delay >= 200
                   && delay < 400, shown[1])
            compare(eventRow(editor, 1).Accessible.name, "2 Delay " + delay + " ms")
            view.clear()
            mouseClick(record)
            verify(!editor.isInputting)
            verify(!editor.macroRecord.running)
            compare(view.only(["saveMacroIni"]), ["saveMacroIni(Macro_0,1,A|0," + delay + "|2,A,1)"])
            compare(dataSpy.count, 1)
            compare(dataSpy.signalArguments[0][0], "Macro_0")

            // Without delays; mouse codes give button rows; a new recording
            // starts from an empty list.
            mouseClick(findChild(editor, "delayRecord"))
            mouseClick(record)
            compare(rows(editor), [])
            editor.detectKeyboard(true, 0x05)
            wait(30)
            editor.detectKeyboard(true, 0xF1)
            editor.detectKeyboard(false, 0xF1)
            editor.detectKeyboard(false, 0x05)
            compare(rows(editor), ["1,B", "3,MS-R", "4,MS-R", "2,B"])

            // Closing stops the recording and saves it.
            view.clear()
            editor.closeEditor()
            verify(!editor.isInputting)
            verify(!editor.visible)
            verify(!root.maskVisible)
            compare(keyDialog.macroList.closes, 1)
            compare(view.only(["saveMacroIni"]), ["saveMacroIni(Macro_0,1,B|3,MS-R|4,MS-R|2,B,1)"])
            // Events after the stop are not recorded.
            editor.detectKeyboard(true, 0x06)
            compare(rows(editor).length, 4)
        }

        function test_lengthLimit() {
            var editor = createEditor(["Macro_0", "loadermorvel"])
            mouseClick(nameRow(editor, 0))
            editor.startRecord()
            // 2 + 2 per event + 2: event 61 brings the length to 126.
            for (var i = 0; i < 70; ++i)
                editor.detectKeyboard(i % 2 === 0, 0x04)
            compare(editor.macroDataModel.count, 61)
            compare(editor.recordCount(), 126)
            editor.stopRecord()
            editor.macroData_lv.currentIndex = 10
            editor.insertDelay()
            editor.insertClick(0xF0)
            editor.openInsertKey()
            editor.detectInput(true, 0x04)
            editor.acceptInsertKey()
            compare(editor.macroDataModel.count, 61)

            // At 124 an event still fits, but not with a long gap before it:
            // that one would push the end of the slot past its 128 bytes.
            editor.startRecord()
            for (var j = 0; j < 60; ++j)
                editor.detectKeyboard(j % 2 === 0, 0x04)
            compare(editor.recordCount(), 124)
            editor.delayRecord.isSelect = true
            editor.recordStart -= 2000
            editor.detectKeyboard(true, 0x05)
            compare(editor.macroDataModel.count, 60)
            editor.delayRecord.isSelect = false
            editor.detectKeyboard(true, 0x05)
            compare(editor.macroDataModel.count, 61)
            compare(editor.recordCount(), 126)
            editor.stopRecord()

            // A list from elsewhere that is too long loses its last events.
            var longList = []
            for (var k = 0; k < 80; ++k)
                longList.push(ev(k % 2 ? 2 : 1, "A"))
            var bytes = editor.deCode(longList, 1)
            compare(bytes.length, 128)
            compare(bytes.slice(124), [0x81, 0x04, 0x00, 0x00])
            // Long gaps overflow the slot with fewer events: the last ones go,
            // the first press stays.
            var gapped = [ev(1, "A")]
            for (var g = 1; g < 40; ++g)
                gapped.push(ev(0, "2000"), ev(g % 2 ? 2 : 1, "A"))
            bytes = editor.deCode(gapped, 1)
            compare(bytes.length, 126)
            compare(bytes.slice(0, 8), [0x00, 0x01, 0x00, 0x04, 0x00, 0x01, 0x00, 0x64])
            compare(bytes.slice(122), [0x01, 0x04, 0x00, 0x00])
        }

        function test_macroList() {
            var editor = createEditor(["Solo", "loadermorvel"])
            compare(names(editor), ["Solo"])
            compare(editor.macroNumber_lv.currentIndex, -1)
            // A listed macro without its file gets an empty one when chosen.
            delete view.macros["Solo"]
            mouseClick(nameRow(editor, 0))
            compare(view.only(["createMacroIni"]), ["createMacroIni(Solo,0)"])
            view.clear()

            var deleteSpy = createTemporaryObject(spyComponent, testCase,
                                                  { target: editor, signalName: "deleteMacro" })
            keyDialog.macroList.calls = []
            mouseClick(findChild(editor, "newMacroButton"))
            mouseClick(findChild(editor, "newMacroButton"))
            mouseClick(findChild(editor, "newMacroButton"))
            compare(names(editor), ["Solo", "Macro_0", "Macro_1", "Macro_2"])
            compare(editor.macroNumber_lv.currentIndex, 3)
            compare(view.only(["createMacroIni", "updataNameList"]).slice(0, 2),
                    ["createMacroIni(Macro_0,0)", "updataNameList(0,Solo|Macro_0)"])
            compare(keyDialog.macroList.calls[2], "Solo|Macro_0|Macro_1|Macro_2")

            // Delete the first "Macro_": the next row is selected and shown,
            // and New takes the freed name again.
            view.macros["Macro_1"] = ["1,C", "2,C", "4"]
            mouseClick(nameRow(editor, 1))
            view.clear()
            mouseClick(findChild(editor, "deleteMacroButton"))
            compare(view.only(["deleteMacroIni", "loadMacroIni", "updataNameList"]),
                    ["deleteMacroIni(Macro_0)", "loadMacroIni(Macro_1)",
                     "updataNameList(0,Solo|Macro_1|Macro_2)"])
            compare(deleteSpy.count, 1)
            compare(deleteSpy.signalArguments[0][0], "Macro_0")
            compare(editor.macroNumber_lv.currentIndex, 1)
            compare(rows(editor), ["1,C", "2,C"])
            compare(editor.countRecordInput.textValue, "4")
            compare(keyDialog.macroList.calls[keyDialog.macroList.calls.length - 1],
                    "Solo|Macro_1|Macro_2")
            editor.newMacro()
            compare(names(editor), ["Solo", "Macro_1", "Macro_2", "Macro_0"])

            // At most 100: New and Import do nothing more.
            while (editor.macroListModel.count < 100)
                editor.newMacro()
            view.clear()
            editor.newMacro()
            view.importFile = ["1,A", "2,A", "1"]
            editor.importMacro()
            compare(editor.macroListModel.count, 100)
            compare(view.only(["createMacroIni", "loadMacroFile", "updataNameList"]), [])

            // A fresh start reads two names back as they are.
            var second = createEditor(["Solo", "Macro_1"])
            compare(names(second), ["Solo", "Macro_1"])
            compare(keyDialog.macroList.calls[keyDialog.macroList.calls.length - 1],
                    "Solo|Macro_1 init")
        }

        // Files the name list lost (a crash between the file and the names)
        // are someone's macros: New and Import pass their names by.
        function test_newAndImportPassFilesTheListLost() {
            var editor = createEditor(["Solo"])
            view.macros["Macro_0"] = ["1,A", "2,A", "3"]
            editor.newMacro()
            compare(names(editor), ["Solo", "Macro_1"])
            view.macros["Macro_2"] = ["1"]
            view.importFile = ["1,B", "2,B", "1"]
            editor.importMacro()
            compare(names(editor), ["Solo", "Macro_3", "Macro_1"])
            compare(view.macros["Macro_0"], ["1,A", "2,A", "3"])
            compare(view.macros["Macro_2"], ["1"])
        }

        function test_rename_data() {
            var tooLong = ""
            for (var i = 0; i < 129; ++i)
                tooLong += "x"
            return [
                { tag: "a new name", name: "Burst", taken: true },
                { tag: "another macro's name", name: "Macro_1", taken: false },
                { tag: "unchanged", name: "Macro_0", taken: false },
                { tag: "empty", name: "", taken: false },
                { tag: "a slash", name: "a/b", taken: false },
                { tag: "a backslash", name: "a\\b", taken: false },
                { tag: "two dots", name: "..", taken: false },
                { tag: "a colon", name: "c:x", taken: false },
                { tag: "a control character", name: "a\tb", taken: false },
                { tag: "too long", name: tooLong, taken: false },
                { tag: "a file left in the folder", name: "Ghost", taken: false },
                { tag: "the name list's marker", name: "loadermorvel", taken: false }
            ]
        }

        function test_rename(data) {
            var editor = createEditor(["Macro_0", "Macro_1"])
            view.macros["Ghost"] = ["1"]
            var spy = createTemporaryObject(spyComponent, testCase,
                                            { target: editor, signalName: "modifyMacroName" })
            var list = editor.macroNumber_lv
            mouseDoubleClickSequence(nameRow(editor, 0))
            compare(list.editingIndex, 0)
            list.editText = data.name
            // A press elsewhere in the editor ends the edit.
            mousePress(editor, 300, 20)
            mouseRelease(editor, 300, 20)
            compare(list.editingIndex, -1)
            compare(spy.count, data.taken ? 1 : 0)
            compare(names(editor)[0], data.taken ? data.name : "Macro_0")
            compare(view.only(["updataNameList"]).length, data.taken ? 1 : 0)
            if (data.taken) {
                compare(spy.signalArguments[0][0], "Macro_0")
                compare(spy.signalArguments[0][1], data.name)
                var calls = keyDialog.macroList.calls
                compare(calls[calls.length - 1], "Burst|Macro_1")
            }
        }

        function test_insertPlaces_data() {
            return [
                { tag: "key before the selected row", action: "key", selected: 1,
                  rows: ["1,A", "1,K", "2,K", "2,A", "1,B", "2,B"] },
                { tag: "key after the last row", action: "key", selected: 3,
                  rows: ["1,A", "2,A", "1,B", "2,B", "1,K", "2,K"] },
                { tag: "left click after the selected row", action: "left", selected: 1,
                  rows: ["1,A", "2,A", "3,MS-L", "4,MS-L", "1,B", "2,B"] },
                { tag: "middle click after the first row", action: "middle", selected: 0,
                  rows: ["1,A", "3,MS-M", "4,MS-M", "2,A", "1,B", "2,B"] },
                { tag: "right click after the last row", action: "right", selected: 3,
                  rows: ["1,A", "2,A", "1,B", "2,B", "3,MS-R", "4,MS-R"] },
                { tag: "delay before the selected row", action: "delay", selected: 2,
                  rows: ["1,A", "2,A", "0,50", "1,B", "2,B"] },
                { tag: "delete", action: "delete", selected: 2, rows: ["1,A", "2,A", "2,B"] }
            ]
        }

        function test_insertPlaces(data) {
            var editor = editorWith(["1,A", "2,A", "1,B", "2,B"], 2)
            var menu = findChild(editor, "actionMenu")
            var entries = { "delete": 0, "delay": 1, "key": 2, "left": 3, "middle": 4, "right": 5 }
            mouseClick(eventRow(editor, data.selected), 20, 10, Qt.RightButton)
            verify(menu.visible)
            compare(editor.macroData_lv.currentIndex, data.selected)
            mouseClick(menu, 40, 1 + 24 * entries[data.action] + 12)
            verify(!menu.visible)
            if (data.action === "key") {
                var dialog = findChild(editor, "insertKeyDialog")
                verify(dialog.visible)
                verify(editor.isInsertting)
                editor.detectInput(true, 0x0E)
                // Mouse buttons do not show in the box.
                editor.detectInput(true, 0xF0)
                editor.detectInput(false, 0xF0)
                compare(dialog.keyName, "K")
                mouseClick(findChild(editor, "insertKeyOk"))
                verify(!dialog.visible)
                verify(!editor.isInsertting)
            }
            compare(rows(editor), data.rows)
            if (data.action === "delay")
                compare(editor.macroData_lv.currentIndex, data.selected)
            compare(view.only(["saveMacroIni"]),
                    ["saveMacroIni(Macro_0," + data.rows.join("|") + ",2)"])
        }

        function test_delayEditing() {
            var editor = editorWith(["1,A", "0,200", "2,A"])
            var list = editor.macroData_lv
            // Only delay rows open the field.
            mouseDoubleClickSequence(eventRow(editor, 0))
            compare(list.editingIndex, -1)
            mouseDoubleClickSequence(eventRow(editor, 1))
            compare(list.editingIndex, 1)
            keyClick(Qt.Key_7)
            keyClick(Qt.Key_5)
            keyClick(Qt.Key_Return)
            compare(rows(editor), ["1,A", "0,75", "2,A"])
            compare(view.only(["saveMacroIni"]), ["saveMacroIni(Macro_0,1,A|0,75|2,A,1)"])
            // Text that is no number leaves the old time.
            mouseDoubleClickSequence(eventRow(editor, 1))
            list.editText = ""
            editor.macroEditorFocus()
            compare(rows(editor)[1], "0,75")
        }

        function test_repeatField() {
            var editor = editorWith(["1,A", "2,A"], 3)
            var field = editor.countRecordInput
            compare(field.textValue, "3")
            compare(field.maxValue, 65535)
            field.txtInput.forceActiveFocus()
            field.txtInput.selectAll()
            for (var i = 0; i < 5; ++i)
                keyClick(Qt.Key_9)
            compare(field.textValue, "9999")
            keyClick(Qt.Key_Return)
            compare(view.only(["saveMacroIni"]), ["saveMacroIni(Macro_0,1,A|2,A,9999)"])
            compare(editor.deCode().slice(0, 2), [0x27, 0x0F])

            // Emptied, it leaves "0" behind and saves 0.
            view.clear()
            field.txtInput.forceActiveFocus()
            field.txtInput.selectAll()
            keyClick(Qt.Key_Backspace)
            editor.macroEditorFocus()
            compare(field.textValue, "0")
            compare(view.only(["saveMacroIni"]), ["saveMacroIni(Macro_0,1,A|2,A,0)"])

            // A new macro starts at 1.
            editor.newMacro()
            compare(field.textValue, "1")
        }

        function test_import_data() {
            return [
                { tag: "a macro file", file: ["1,A", "0,30", "2,A", "7"],
                  rows: ["1,A", "0,30", "2,A"], repeat: "7" },
                { tag: "endless", file: ["1,A", "2,A", "0"], rows: ["1,A", "2,A"], repeat: "0" },
                { tag: "cancelled", file: null, rows: [], repeat: "1" },
                { tag: "not a macro file", file: ["\u0089PNG", "0"], rows: [], repeat: "1" },
                { tag: "a broken event", file: ["1,A", "9,zz", "1"], rows: [], repeat: "1" }
            ]
        }

        function test_import(data) {
            view.macros["Macro_1"] = ["1,B", "2,B", "1"]
            var editor = createEditor(["Macro_0", "Macro_1"])
            var before = JSON.stringify(view.macros["Macro_1"])
            view.importFile = data.file
            mouseClick(nameRow(editor, 1), 20, 10, Qt.RightButton)
            var menu = findChild(editor, "nameMenu")
            verify(menu.visible)
            mouseClick(menu, 40, 1 + 24 + 12)
            // The new macro comes before the selected one and is selected.
            compare(names(editor), ["Macro_0", "Macro_2", "Macro_1"])
            compare(editor.macroNumber_lv.currentIndex, 1)
            compare(rows(editor), data.rows)
            compare(editor.countRecordInput.textValue, data.repeat)
            compare(view.macros["Macro_2"], data.rows.concat([data.repeat]))
            compare(JSON.stringify(view.macros["Macro_1"]), before)
            compare(view.only(["updataNameList"]), ["updataNameList(0,Macro_0|Macro_2|Macro_1)"])

            // Export writes the selected macro out.
            view.clear()
            mouseClick(nameRow(editor, 2), 20, 10, Qt.RightButton)
            mouseClick(menu, 40, 1 + 48 + 12)
            compare(view.only(["saveMacroFile"]), ["saveMacroFile(Macro_1)"])
        }

        function test_sendMacro() {
            view.macros["Burst"] = ["1,A", "0,200", "2,A", "5"]
            var editor = editorWith(["1,Z"], 9)
            editor.sendMacro(2, "Burst")
            compare(view.sentMacros.length, 1)
            compare(view.sentMacros[0].slot, 2)
            compare(view.sentMacros[0].data, [0x00, 0x05, 0x14, 0x04, 0x81, 0x04, 0x00, 0x00])
            // A macro that is gone clears the slot.
            editor.sendMacro(11, "Nothing")
            compare(view.sentMacros[1].data, [0x00, 0x01])
        }

        function test_dragStaysInTheWindowAndKeyDialogMayBeMissing() {
            var editor = createEditor([])
            mouseDrag(editor, 300, 20, -1000, -1000)
            compare(editor.x, 0)
            compare(editor.y, 0)
            mouseDrag(editor, 300, 20, 2000, 2000)
            compare(editor.x, 1024 - 640)
            compare(editor.y, 640 - 448)

            // A key dialog without a macro list, or none at all: nothing breaks.
            editor.keyDialog = {}
            editor.newMacro()
            editor.closeEditor()
            editor.keyDialog = null
            editor.newMacro()
            compare(names(editor), ["Macro_0", "Macro_1"])
        }

        function test_everyControlIsAccessible() {
            var editor = editorWith(["1,A", "0,20"])
            var named = [["newMacroButton", Accessible.Button, "New"],
                         ["deleteMacroButton", Accessible.Button, "Delete"],
                         ["recordButton", Accessible.Button, "Start Record"],
                         ["countRecordInput", Accessible.EditableText, "Times"],
                         ["delayRecord", Accessible.CheckBox, "Delay"]]
            for (var i = 0; i < named.length; ++i) {
                var item = findChild(editor, named[i][0])
                compare(item.Accessible.role, named[i][1], named[i][0])
                compare(item.Accessible.name, named[i][2], named[i][0])
            }
            compare(findChild(editor, "countRecordInput").Accessible.description, "1")
            compare(nameRow(editor, 0).Accessible.name, "Macro_0")
            compare(nameRow(editor, 0).Accessible.role, Accessible.ListItem)
            compare(eventRow(editor, 0).Accessible.name, "1 Key press A")
            // Pressing through the accessibility actions works as a click.
            findChild(editor, "recordButton").Accessible.pressAction()
            verify(editor.isInputting)
            findChild(editor, "delayRecord").Accessible.pressAction()
            verify(editor.delayRecord.isSelect)
        }

        Component {
            id: spyComponent
            SignalSpy {}
        }
    }
}
