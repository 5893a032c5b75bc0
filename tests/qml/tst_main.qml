import QtQuick
import QtTest

// The root screen against recording doubles of the back end and the window
// controller: start-up and busy lock, language wiring, report rate, Save,
// factory reset, profile switch, keyboard wiring, window and box dragging.
Item {
    id: scene
    width: 1024
    height: 640

    RecordingView { id: view }
    RecordingControler { id: ctl }

    TestCase {
        id: testCase
        name: "RootScreen"
        when: windowShown

        function init() {
            view.clear()
            ctl.log = []
            view.enabled = true
            view.currentDpi = 3
            view.guns = {}
            view.globals = {
                "mouse/isColorful": "false", "mouse/icType": "560", "mouse/is55328": "false",
                "mouse/isGun": "false", "mouse/keyCount": "6", "common/language": "French",
                "common/url": "https://zerant.example/fr", "mouse/profileNo": "2"
            }
            view.profile = { "mouse/reportRate": "1", "mouse/lod": "46", "mouse/lodEn": "false" }
            view.lang = {
                "main": ["Editeur", "Editeur de macros"],
                "keyCode": ["AA"],
                "profile": ["configuration", "Nouveau", "Importer", "Supprimer", "Exporter", "Standard FR"]
            }
        }

        function createMain() {
            var component = Qt.createComponent("qrc:/modules/qml/main.qml")
            verify(component.status === Component.Ready, component.errorString())
            var main = createTemporaryObject(component, scene, { uiView: view, uiCtl: ctl })
            verify(main !== null)
            return main
        }

        // Each call with its first argument only: enough to tell the sends apart.
        function heads(calls) {
            return calls.map(function(call) { return call.replace(/,.*\)$/, ")") })
        }

        function part(main, name) {
            var item = findChild(main, name)
            verify(item !== null, name)
            return item
        }

        // Starts the screen and waits for the first lock to end.
        function startedMain() {
            var main = createMain()
            main.initUI()
            tryCompare(part(main, "powerOnLogo"), "visible", false, 3000)
            view.clear()
            return main
        }

        function test_startPictureThenFullScreen() {
            var main = createMain()
            verify(!main.visible)
            var logo = part(main, "powerOnLogo")
            var busy = part(main, "protectUIItem")
            var shown = ["envItem", "panelleft", "bottomBar", "panelRight", "upItem", "mouseMain",
                         "infoText1", "infoText2"]
            var started = Date.now()
            main.initUI()
            compare(view.log[0], "setEnabled(false)")
            verify(main.visible)
            verify(logo.visible)
            verify(busy.isBusy)
            verify(busy.visible)
            verify(!view.enabled)
            for (var i = 0; i < shown.length; ++i)
                verify(!part(main, shown[i]).visible, shown[i])

            tryCompare(logo, "visible", false, 3000)
            var elapsed = Date.now() - started
            verify(elapsed >= 950, "locked for " + elapsed + " ms")
            verify(!busy.isBusy)
            verify(view.enabled)
            for (var j = 0; j < shown.length; ++j)
                verify(part(main, shown[j]).visible, shown[j])
        }

        function test_initUIRunsOnceThenOnlyRefreshesTheStage() {
            var main = createMain()
            main.initUI()
            verify(main.isPownOn)
            // Settings text "false" is false.
            verify(!main.isColorful)
            verify(!main.isGun)
            compare(main.icType, "560")
            compare(main.language, "French")
            compare(main.url, "https://zerant.example/fr")
            compare(part(main, "infoText2").text, "zerant.example/fr")
            compare(part(main, "mouseMain").keyCount, 6)
            compare(part(main, "profileMain").profileNo, 2)
            compare(part(main, "upItem").profileBtn.currentSelect, 2)
            compare(part(main, "dpiSettingMain").currentDPI, 2)
            compare(part(main, "reportRateLV").currentSelect, 1)

            // Each page shows by its first read: the profiles' and the macros' name
            // lists, the gun records, the key definitions, the DPI stages, the
            // lighting and the pointer settings.
            var order = view.only(["getLangStrings", "getNameList", "mouseGetRight",
                                   "setCurrentProfile", "getGunData(0)", "mouseGetKeydefine(0,false)",
                                   "getData(mouse/dpiCount", "getDataList(mouse/lightValue",
                                   "getData(mouse/mouseRate", "mouseGetCurrentDPI"])
            compare(order, [
                "getLangStrings(main,French)", "getLangStrings(keyMatrix,French)",
                "getLangStrings(keyAssigment,French)", "getLangStrings(dpiSetting,French)",
                "getLangStrings(lightControl,French)", "getLangStrings(macroEditor,French)",
                "getLangStrings(systemSetting,French)", "getLangStrings(gunControl,French)",
                "getLangStrings(profile,French)", "getLangStrings(keyCode,French)",
                "getLangStrings(other,French)",
                "getNameList(2)", "mouseGetRight()", "setCurrentProfile(2)",
                "getNameList(0)", "getGunData(0)", "mouseGetKeydefine(0,false)",
                "getData(mouse/dpiCount,false)", "getDataList(mouse/lightValue,false)",
                "getData(mouse/mouseRate,false)", "mouseGetCurrentDPI()"])
            // Loading shows the stored values without storing or sending them.
            compare(view.only(["setData", "mouseSet", "mouseSend", "mouseSave"]), [])
            verify(!main.anyUnsaved)

            // A second device check: one-second lock and the stage, nothing else.
            view.clear()
            view.currentDpi = 5
            main.initUI()
            compare(view.log, ["setEnabled(false)", "mouseGetCurrentDPI()"])
            compare(part(main, "dpiSettingMain").currentDPI, 4)
        }

        function test_languageArraysKeepPositionsAndDefaults() {
            var main = createMain()
            main.initUI()
            compare(main.mainLang[0], "Editeur")
            compare(main.mainLang[1], "Editeur de macros")
            compare(main.mainLang[10], "Save")
            compare(main.mainLang.length, 15)
            compare(part(main, "profileMain").profileLang[5], "Standard FR")
            // Groups the file lacks keep their English texts.
            compare(part(main, "dpiSettingMain").dpiSettingLang[0], "DPI")
            compare(part(main, "keyAssigmentMain").keyAssigmentLang[57], "Disable")
            // Key names follow the file by position; codes stay.
            compare(main.keyCodeTable.keycodeTostr(0x04), "AA")
            compare(main.keyCodeTable.keycodeTostr(0x05), "B")
            compare(main.keyCodeTable.strTokeycode("AA"), 0x04)
        }

        function test_protectAndStage() {
            var main = startedMain()
            var busy = part(main, "protectUIItem")
            main.setProtectUI(5000)
            verify(busy.isBusy)
            verify(!view.enabled)
            main.setProtectUI(0)
            verify(!busy.isBusy)
            verify(view.enabled)

            main.controlUIEnable(false)
            verify(busy.isBusy)
            compare(view.log[view.log.length - 1], "setEnabled(false)")
            main.controlUIEnable(true)
            verify(!busy.isBusy)
            verify(view.enabled)

            var dpi = part(main, "dpiSettingMain")
            main.setCurrentDPI(3)
            compare(dpi.currentDPI, 2)
            main.setCurrentDPI(0)
            compare(dpi.currentDPI, 2)
            main.setCurrentDPI("4")
            compare(dpi.currentDPI, 3)
        }

        function test_reportRateStoresIndexAndSendsRate_data() {
            return [
                { tag: "125Hz", index: 0, rate: 8 },
                { tag: "250Hz", index: 1, rate: 4 },
                { tag: "500Hz", index: 2, rate: 2 },
                { tag: "1000Hz", index: 3, rate: 1 }
            ]
        }

        function test_reportRateStoresIndexAndSendsRate(data) {
            var main = startedMain()
            var list = part(main, "reportRateLV")
            mouseClick(list, 40, 12)
            tryCompare(list, "isAnimating", false)
            mouseClick(list, 40, 24 + data.index * 24 + 12)
            tryCompare(view, "log", ["setData(mouse/reportRate," + data.index + ")",
                                     "mouseSetReportRate(" + data.rate + ")"])
            compare(view.profile["mouse/reportRate"], data.index)
        }

        function test_saveButtonColourAndOrder() {
            var main = startedMain()
            var save = part(main, "saveBtn")
            mouseMove(main, 600, 600)
            compare(save.color, main.colorBlue)

            part(main, "dpiSettingMain").isSave = true
            compare(save.color, Qt.color("#ff3030"))
            part(main, "dpiSettingMain").isSave = false
            part(main, "lodLV").isSave = true
            compare(save.color, Qt.color("#ff3030"))
            part(main, "keyMatrixMain").isSave = true
            part(main, "lightControlMain").isSave = true
            part(main, "dpiSettingMain").isSave = true

            mouseClick(save, 10, 10)
            compare(heads(view.only(["setEnabled", "mouseSet"])), ["setEnabled(false)",
                "mouseSetKeyMatrix(true)", "mouseSetDpi(4)", "mouseSetRGBColor(0)",
                "mouseSetRGBEffect(1)", "mouseSetRGBColor(1)", "setEnabled(true)"])
            verify(!main.anyUnsaved)
            mouseMove(save, 30, 12)
            mouseMove(main, 600, 600)
            tryCompare(save, "color", main.colorBlue)

            // Nothing to save: only the unlock.
            view.clear()
            mouseClick(save, 10, 10)
            compare(view.log, ["setEnabled(true)"])

            // The tray's Quit saves through the root's saveAll, as the button does.
            part(main, "dpiSettingMain").isSave = true
            view.clear()
            main.saveAll()
            compare(heads(view.only(["mouseSet"])), ["mouseSetDpi(4)"])
            verify(!main.anyUnsaved)
        }

        function test_factoryReset() {
            var main = startedMain()
            var confirm = part(main, "factorysure")
            var mask = part(main, "mainMask")
            mouseClick(part(main, "resetBtn"), 10, 10)
            verify(confirm.visible)
            verify(mask.visible)
            mouseClick(part(main, "factoryCancel"), 10, 10)
            verify(!confirm.visible)
            verify(!mask.visible)
            compare(view.log, [])

            part(main, "keyMatrixMain").isSave = true
            part(main, "lodLV").isSave = true
            mouseClick(part(main, "resetBtn"), 10, 10)
            mouseClick(part(main, "factoryOk"), 10, 10)
            verify(!confirm.visible)
            verify(!mask.visible)
            var order = view.only(["setEnabled", "resetProfile", "mouseSet", "getData(mouse/lod",
                                   "setData(mouse/lod", "setData(mouse/reportRate",
                                   "setGlobalData", "mouseSaveGundata", "mouseSendGundata"])
            compare(heads(order), ["setEnabled(false)", "resetProfile(2)",
                "mouseSetKeyMatrix(true)", "mouseSetReportRate(4)",
                "getData(mouse/lod)", "getData(mouse/lodEn)",
                "mouseSetDpi(4)", "mouseSetRGBColor(0)", "mouseSetRGBEffect(1)",
                "mouseSetRGBColor(1)", "mouseSetCursorSpeed(0)", "mouseSetDoubleClickSpeed(0)",
                "mouseSetVerticalScrollLines(1)", "mouseSetCurrentDPI(2)",
                "setGlobalData(mouse/selectGun)", "mouseSaveGundata(0)", "mouseSaveGundata(1)",
                "mouseSaveGundata(2)", "mouseSendGundata(1)", "mouseSendGundata(2)",
                "mouseSendGundata(3)", "setEnabled(true)"])
            compare(part(main, "dpiSettingMain").currentDPI, 1)
            verify(!main.anyUnsaved)
        }

        function test_profileSwitch() {
            var main = startedMain()
            view.currentDpi = 4
            var profiles = part(main, "profileMain")
            profiles.changeProfile(3)
            compare(profiles.profileNo, 3)
            var order = view.only(["setEnabled", "setGlobalData", "setCurrentProfile", "mouseSet",
                                   "setData(mouse/lod", "setData(mouse/reportRate",
                                   "mouseGetCurrentDPI"])
            compare(heads(order), ["setEnabled(false)", "setGlobalData(mouse/profileNo)",
                "setCurrentProfile(3)", "mouseSetKeyMatrix(true)", "mouseSetReportRate(4)",
                "mouseSetDpi(4)", "mouseSetRGBColor(0)", "mouseSetRGBEffect(1)",
                "mouseSetRGBColor(1)", "mouseSetCursorSpeed(0)", "mouseSetDoubleClickSpeed(0)",
                "mouseSetVerticalScrollLines(1)", "mouseGetCurrentDPI()", "setEnabled(true)"])
            compare(view.only(["setGlobalData"]), ["setGlobalData(mouse/profileNo,3)"])
            compare(part(main, "dpiSettingMain").currentDPI, 3)
            // Reloading the lift-off box does not leave Save red.
            verify(!main.anyUnsaved)

            // The title-bar list switches too, by entry position.
            view.clear()
            part(main, "upItem").profileBtn.choose(0)
            compare(profiles.profileNo, 0)
            compare(view.only(["setCurrentProfile"]), ["setCurrentProfile(0)"])
        }

        function test_keyboardEventsReachCapturingPages() {
            var main = startedMain()
            var spy = createTemporaryObject(spyComponent, scene, { target: main, signalName: "msg_KB" })
            main.detectKeyboard(true, 4)
            compare(spy.count, 1)
            compare(spy.signalArguments[0][0], true)
            compare(spy.signalArguments[0][1], 4)
            compare(view.log, [])

            // The macro editor records and offers keys only with a macro chosen.
            var editor = part(main, "macroEditorMain")
            var events = editor.macroDataModel
            editor.isInputting = true
            main.detectKeyboard(true, 5)
            compare(events.count, 0)
            editor.macroListModel.append({ "textValue": "Macro_0" })
            editor.macroNumber_lv.currentIndex = 0
            editor.isInsertting = true
            main.detectKeyboard(false, 6)
            compare(events.count, 1)
            compare(events.get(0).info, "C")
            compare(part(main, "insertKeyDialog").keyName, "C")

            // Pause is no capture's key: it takes the key to insert and stops recording.
            part(main, "insertKeyDialog").visible = true
            main.detectKeyboard(true, 0x48)
            main.detectKeyboard(false, 0x48)
            verify(!editor.isInputting)
            verify(!editor.isInsertting)
            verify(!part(main, "insertKeyDialog").visible)
            compare(events.count, 3)
            for (var i = 0; i < events.count; ++i)
                compare(events.get(i).info, "C")
            view.clear()

            // The key dialog takes the same key as fire key and into a combination.
            editor.isInputting = false
            editor.isInsertting = false
            var dialog = part(main, "keyAssigmentMain")
            dialog.isFireInput = true
            dialog.isComboInput = true
            main.detectKeyboard(true, 0xE0)
            compare([dialog.keyCode0, dialog.keyCode1], [1, 0xE0])
            compare(dialog.comboMask, 0x01)
            compare(dialog.comboText, "LCtrl")
            // Capturing writes nothing yet.
            compare(view.log, [])

            var mouseSpy = createTemporaryObject(spyComponent, scene, { target: main, signalName: "msg_MS" })
            main.detectMouse(false, 0xF1, 300, 200)
            compare(mouseSpy.count, 1)
            compare(mouseSpy.signalArguments[0][2], 300)
        }

        function test_keyDialogOpensExceptForTheLastLeftClick() {
            var main = startedMain()
            var list = part(main, "keyMatrixMain")
            var mouse = part(main, "mouseMain")
            var dialog = part(main, "keyAssigmentMain")
            var mask = part(main, "mainMask")

            // Hovering a row marks its button; leaving clears it.
            mouseMove(list, 50, 40 + 3 * 26 + 12)
            compare(mouse.selectKey, 3)
            mouseMove(main, 600, 600)
            compare(mouse.selectKey, -1)

            // Row 2 (the right button): the dialog shows that row.
            mouseClick(list, 50, 40 + 1 * 26 + 12)
            verify(dialog.visible)
            verify(mask.visible)
            compare(mouse.selectKey, 1)
            compare(dialog.keyCode0, 0)
            compare(dialog.keyCode2, 0xF1)
            compare(dialog.x, (1024 - 416) / 2)
            dialog.closed()
            verify(!mask.visible)
            compare(mouse.selectKey, -1)
            dialog.visible = false

            // Row 1 is the only left click: nothing opens.
            mouseClick(list, 50, 40 + 12)
            verify(!dialog.visible)
            verify(!mask.visible)
            compare(mouse.selectKey, -1)

            // The badge of button 2 opens the same dialog.
            mouseClick(main, 552 + 18, 153 + 18)
            verify(dialog.visible)
            verify(mask.visible)
            compare(mouse.selectKey, 1)
        }

        function test_panelsOpenCentredOverTheOverlay() {
            var main = startedMain()
            var mask = part(main, "mainMask")
            var rate = part(main, "reportRateLV")

            // The macro entry closes open drop-downs first.
            rate.openOrClose()
            tryCompare(rate, "isAnimating", false)
            mouseClick(part(main, "macroEntry"), 20, 12)
            var editor = part(main, "macroEditorMain")
            verify(editor.visible)
            verify(mask.visible)
            compare(editor.x, (1024 - 640) / 2)
            compare(editor.y, (640 - 448) / 2)
            verify(!rate.isDrop)
            editor.visible = false
            mask.visible = false

            // The system-setting entry leaves them alone.
            tryCompare(rate, "isAnimating", false)
            rate.openOrClose()
            tryCompare(rate, "isAnimating", false)
            mouseClick(part(main, "systemEntry"), 20, 12)
            var system = part(main, "systemSettingMain")
            verify(system.visible)
            verify(mask.visible)
            compare(system.x, (1024 - 416) / 2)
            compare(system.y, (640 - 312) / 2)
            verify(rate.isDrop)
            system.visible = false
            mask.visible = false
            rate.closeMenu()
            tryCompare(rate, "isAnimating", false)

            mouseClick(part(main, "profileBtn"), 20, 12)
            var profiles = part(main, "profileMain")
            verify(profiles.visible)
            verify(mask.visible)
            compare(profiles.x, (1024 - 415) / 2)
            compare(profiles.y, (640 - 288) / 2)

            // Nothing under the overlay takes a click.
            mouseClick(part(main, "saveBtn"), 10, 10)
            compare(view.only(["setEnabled"]), [])
        }

        function test_titleButtonsAndWindowDrag() {
            var main = startedMain()
            var up = part(main, "upItem")
            up.btnClicked(0)
            up.btnClicked(1)
            compare(ctl.log, ["onMinimize()", "onClose()"])
            up.btnClicked(2)
            verify(part(main, "versionWnd").visible)
            verify(!part(main, "mainMask").visible)

            // Without a window system that moves it, the window moves itself.
            ctl.log = []
            mousePress(main, 300, 600)
            mouseMove(main, 310, 605, -1, Qt.LeftButton)
            mouseRelease(main, 310, 605)
            compare(ctl.log, ["startSystemMove()", "onXChanged(10)", "onYChanged(5)"])

            // Where it does, it is asked once per drag and the window stays put.
            ctl.systemMoves = true
            for (var drag = 0; drag < 2; ++drag) {
                ctl.log = []
                mousePress(main, 300, 600)
                mouseMove(main, 310, 605, -1, Qt.LeftButton)
                mouseMove(main, 330, 615, -1, Qt.LeftButton)
                mouseRelease(main, 330, 615)
                compare(ctl.log, ["startSystemMove()"])
            }
            ctl.systemMoves = false
        }

        function test_boxesStayInsideTheWindow() {
            var main = startedMain()
            var box = part(main, "versionWnd")
            box.visible = true
            compare(box.x, 312)
            compare(box.y, 200)
            mousePress(box, 200, 150)
            mouseMove(box, 150, 130, -1, Qt.LeftButton)
            mouseRelease(box, 150, 130)
            compare(box.x, 262)
            compare(box.y, 180)
            main.moveBox(box, -1000, -1000)
            compare(box.x, 0)
            compare(box.y, 0)
            main.moveBox(box, 5000, 5000)
            compare(box.x, 624)
            compare(box.y, 400)
            // The window itself stays put.
            compare(ctl.log, [])

            var confirm = part(main, "factorysure")
            main.moveBox(confirm, 2000, -500)
            compare(confirm.x, 1024 - 427)
            compare(confirm.y, 0)
        }

        function test_mainFocusClosesDropDowns() {
            var main = startedMain()
            var list = part(main, "reportRateLV")
            mouseClick(list, 40, 12)
            tryCompare(list, "isAnimating", false)
            verify(list.isDrop)
            mousePress(main, 300, 600)
            mouseRelease(main, 300, 600)
            verify(!list.isDrop)
        }

        function focusOf(main) {
            return main.Window.activeFocusItem
        }

        // The part of the screen an item belongs to, in reading order.
        function screenPart(main, item) {
            var parts = [["envItem", "title"], ["upItem", "title"], ["panelleft", "left"],
                         ["mouseMain", "badges"], ["panelRight", "right"],
                         ["infoText2", "bottom"], ["bottomBar", "bottom"]]
            for (var it = item; it; it = it.parent) {
                for (var i = 0; i < parts.length; ++i) {
                    if (it === part(main, parts[i][0]))
                        return parts[i][1]
                }
            }
            return "elsewhere"
        }

        // Tab stops until the focus returns to where it started.
        function tabRound(main, key) {
            var first = focusOf(main)
            var stops = []
            for (var i = 0; i < 200; ++i) {
                keyClick(key)
                wait(0)
                if (focusOf(main) === first)
                    return stops
                stops.push(focusOf(main))
            }
            fail("the focus never came round")
        }

        function test_tabGoesRoundTheScreenInReadingOrder() {
            var main = startedMain()
            part(main, "upItem").profileBtn.forceActiveFocus(Qt.TabFocusReason)
            var stops = tabRound(main, Qt.Key_Tab)
            var order = []
            stops.forEach(function(item) {
                var name = screenPart(main, item)
                if (order[order.length - 1] !== name)
                    order.push(name)
                verify(item.Accessible.focusable, name)
            })
            compare(order, ["title", "left", "badges", "right", "bottom", "title"])
            // Left to right in the title bar: the profile list, then the pictures.
            compare(stops[0].Accessible.name, "Version")
            // Six buttons: six badges, six rows.
            compare(stops.filter((item) => screenPart(main, item) === "badges").length, 6)
            compare(tabRound(main, Qt.Key_Backtab).length, stops.length)
        }

        // A panel and a dialog from the keyboard: the focus moves in, stays
        // in, Escape closes them as their close picture does, and the focus
        // goes back to what opened them.
        function test_panelsKeepTheFocusAndEscapeCloses() {
            var main = startedMain()
            var mask = part(main, "mainMask")
            var entry = part(main, "systemEntry")
            var system = part(main, "systemSettingMain")
            entry.forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Space)
            verify(system.visible)
            var inside = tabRound(main, Qt.Key_Tab).concat(tabRound(main, Qt.Key_Backtab))
            verify(inside.length > 4)
            inside.forEach((item) => verify(screenPart(main, item) === "elsewhere"
                                            && system.contains(system.mapFromItem(item, 1, 1))))
            keyClick(Qt.Key_Escape)
            verify(!system.visible)
            verify(!mask.visible)
            compare(focusOf(main), entry)

            // Button 2's badge opens its dialog; the middle button is chosen
            // by keys, and Escape writes it into the key list.
            var badge = findChild(main, "badge2")
            var dialog = part(main, "keyAssigmentMain")
            var keyList = part(main, "keyMatrixMain")
            badge.forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Return)
            verify(dialog.visible)
            for (var i = 0; i < 40 && focusOf(main).textValue !== "Middle Key"; ++i)
                keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Space)
            compare(dialog.keyCode2, 0xF2)
            // Not in the list before the dialog closes.
            compare(keyList.modKeys.get(1).keyCode2, 0xF1)

            // Pause ends the combination capture as its tick does.
            for (i = 0; i < 40 && focusOf(main) !== findChild(dialog, "comboBox"); ++i)
                keyClick(Qt.Key_Tab)
            keyPress(Qt.Key_Space)
            keyRelease(Qt.Key_Space)
            tryCompare(dialog, "isComboInput", true)
            main.detectKeyboard(true, 0xE0)
            main.detectKeyboard(true, 0x06)
            keyClick(Qt.Key_Escape)
            main.detectKeyboard(true, 0x29)
            main.detectKeyboard(true, 0x48)
            verify(!dialog.isComboInput)
            verify(dialog.visible)
            compare([dialog.keyCode0, dialog.keyCode1, dialog.keyCode2, dialog.keyCode3],
                     [2, 1, 0x06, 0x29])

            wait(300)
            keyClick(Qt.Key_Escape)
            verify(!dialog.visible)
            verify(!mask.visible)
            compare(focusOf(main), badge)
            compare(keyList.modKeys.get(1).keyCode0, 2)
            verify(keyList.isSave)
        }

        Component {
            id: spyComponent
            SignalSpy {}
        }
    }
}
