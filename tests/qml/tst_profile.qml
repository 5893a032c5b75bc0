import QtQuick
import QtTest
import modules.qml

// The profiles page against a recording back end: the stored name list,
// New after a deletion, the six-row limit, what cannot be deleted, renaming,
// and each row reaching its own profile file.
Item {
    id: scene
    width: 1024
    height: 640

    RecordingView { id: view }

    // The parts of the root screen the page reaches.
    Item {
        id: fakeRoot
        property bool maskVisible: true
        function backend() { return view }
        // Empty: a session where per-program profiles can be set; else why not.
        property string unavailableReason: ""
        function controller() {
            var reason = unavailableReason
            return { "appProfilesAvailable": function() { return reason === "" },
                     "appProfilesUnavailableReason": function() { return reason } }
        }
        function closeProfileList() { view.note("closeProfileList()") }
    }
    Menu_Up { id: titleBarStandIn; visible: false }

    TestCase {
        name: "ProfilesPage"
        when: windowShown

        Component {
            id: pageComponent
            Profile { x: 300; y: 176; mainRoot: fakeRoot; titleBar: titleBarStandIn }
        }

        function init() {
            view.clear()
            view.nameLists = {}
            view.globals = {}
            view.importPicks = true
            fakeRoot.unavailableReason = ""
        }

        function startedPage(names, active) {
            view.nameLists = { "2": names }
            var page = createTemporaryObject(pageComponent, scene)
            page.init()
            page.profileNo = active
            page.visible = true
            view.clear()
            return page
        }

        function rowTexts(page) {
            var out = []
            for (var i = 0; i < page.profileDataModel0.count; ++i) {
                var r = page.profileDataModel0.get(i)
                out.push(r.textValue + "/" + r.profileNo)
            }
            return out
        }

        function test_storedNameList_data() {
            return [
                { tag: "one name and the marker", names: ["Mine0", "loadermorvel"],
                  rows: ["Standard/0"], stored: "Standard0" },
                { tag: "numbers out of order", names: ["x0", "Fast2", "Slow1"],
                  rows: ["Standard/0", "Fast/2", "Slow/1"], stored: "Standard0|Fast2|Slow1" },
                { tag: "nothing stored", names: [], rows: ["Standard/0"], stored: "Standard0" },
                { tag: "entries without a free number", names: ["A0", "B", "C0", "D9", "E3"],
                  rows: ["Standard/0", "E/3"], stored: "Standard0|E3" }
            ]
        }

        function test_storedNameList(data) {
            view.nameLists = { "2": data.names }
            var page = createTemporaryObject(pageComponent, scene)
            page.init()
            compare(rowTexts(page), data.rows)
            compare(view.only(["getNameList", "updataNameList"]),
                    ["getNameList(2)", "updataNameList(2," + data.stored + ")"])
            compare(page.profileList.currentIndex, 0)
        }

        function test_newAfterDeletionAndSixRowLimit() {
            var page = startedPage(["Standard0", "profile_01", "profile_12"], 0)
            page.deleteRow(1)
            compare(rowTexts(page), ["Standard/0", "profile_1/2"])
            // The file of the deleted row is left alone.
            compare(view.log, ["updataNameList(2,Standard0|profile_12)"])

            view.clear()
            mouseClick(findChild(page, "profileNew"), 10, 10)
            compare(rowTexts(page), ["Standard/0", "profile_1/2", "profile_0/1"])
            compare(page.profileList.currentIndex, 2)
            compare(view.log, ["updataNameList(2,Standard0|profile_12|profile_01)", "resetProfile(1)"])

            page.newProfile()
            page.newProfile()
            page.newProfile()
            compare(page.profileDataModel0.count, 6)
            compare(view.only(["resetProfile"]),
                    ["resetProfile(1)", "resetProfile(3)", "resetProfile(4)", "resetProfile(5)"])
            view.clear()
            page.newProfile()
            compare(page.profileDataModel0.count, 6)
            compare(view.log, [])
        }

        function test_rowZeroAndActiveStay() {
            var page = startedPage(["Standard0", "A1", "B2"], 2)
            var list = findChild(page, "profileList")
            var menu = findChild(page, "profileMenu")
            var rows = ["Standard/0", "A/1", "B/2"]
            // Row 0 and the active row: the menu's Delete does nothing.
            for (var r = 0; r < 3; r += 2) {
                mouseClick(list, 50, 27 * r + 13, Qt.RightButton)
                verify(menu.visible)
                mouseClick(findChild(page, "profileDelete"), 10, 10)
                verify(!menu.visible)
                compare(rowTexts(page), rows)
            }
            compare(view.log, [])
            mouseClick(list, 50, 27 + 13, Qt.RightButton)
            mouseClick(findChild(page, "profileDelete"), 10, 10)
            compare(rowTexts(page), ["Standard/0", "B/2"])
        }

        // After a deletion positions and numbers differ: every action on a
        // row reaches the row's own file.
        function test_rowsKeepTheirOwnFile() {
            var page = startedPage(["Standard0", "A1", "B2", "C3"], 2)
            titleBarStandIn.profileBtn.currentSelect = 2
            page.deleteRow(1)
            // The title-bar list follows the active row to its new position.
            compare(titleBarStandIn.profileBtn.currentSelect, 1)
            compare(page.profileNoAt(1), 2)
            compare(page.profileNoAt(2), 3)
            compare(page.profileNoAt(5), -1)

            view.clear()
            var list = findChild(page, "profileList")
            mouseClick(list, 50, 27 * 2 + 13, Qt.RightButton)
            mouseClick(findChild(page, "profileExport"), 10, 10)
            compare(view.log, ["saveProfile(3)"])

            // Import appends a row with the first free number and fills its file.
            view.clear()
            mouseClick(findChild(page, "profileImport"), 10, 10)
            compare(rowTexts(page), ["Standard/0", "B/2", "C/3", "profile_0/1"])
            compare(view.only(["loadProfile"]), ["loadProfile(1)"])

            // With six rows it goes into the selected row; into the active one
            // the pages reload.
            page.newProfile()
            page.newProfile()
            var spy = createTemporaryObject(spyComponent, scene,
                                            { target: page, signalName: "changeProfile" })
            mouseClick(list, 50, 27 * 1 + 13)
            view.clear()
            page.importProfile()
            compare(page.profileDataModel0.count, 6)
            compare(view.log, ["loadProfile(2)"])
            compare(spy.count, 1)
            compare(spy.signalArguments[0][0], 2)
            // Cancelled: nothing to reload.
            view.importPicks = false
            page.importProfile()
            compare(spy.count, 1)
        }

        // Each row's programs and the fallback are stored by the row's number;
        // a deleted row leaves no rule behind for the next row of that number.
        function test_programRulesFollowTheirRow() {
            view.globals = { "appProfile/2": "xterm", "appProfile/fallback": "2" }
            var page = startedPage(["Standard0", "A1", "B2"], 0)
            var editor = findChild(page, "appProgramsEditor")
            page.profileList.currentIndex = 2
            page.openPrograms()
            compare(editor.programs, "xterm")
            compare(editor.isFallback, true)
            editor.isFallback = false
            editor.accepted()
            compare(editor.visible, false)
            compare(view.only(["setGlobalData"]),
                    ["setGlobalData(appProfile/2,xterm)", "setGlobalData(appProfile/fallback,0)"])

            view.clear()
            page.setPrograms(1, " gimp,inkscape ", true)
            compare(view.only(["setGlobalData"]),
                    ["setGlobalData(appProfile/1,gimp inkscape)",
                     "setGlobalData(appProfile/fallback,1)"])
            view.clear()
            page.deleteRow(1)
            compare(view.only(["setGlobalData"]),
                    ["setGlobalData(appProfile/1,)", "setGlobalData(appProfile/fallback,0)"])
            page.newProfile()
            compare(rowTexts(page), ["Standard/0", "B/2", "profile_0/1"])
            compare(page.programsOf(1), "")
            compare(view.only(["setGlobalData"]).length, 2)
        }

        // Where the desktop cannot tell the active window (or stopped telling
        // since the page was loaded), the page says why, also to screen
        // readers, and stores nothing.
        function test_unavailableSaysWhy() {
            var reason = "The connection to the window manager broke (closed)."
            view.globals = { "appProfile/0": "xterm" }
            var page = startedPage(["Standard0"], 0)
            fakeRoot.unavailableReason = reason
            var editor = findChild(page, "appProgramsEditor")
            page.openPrograms()
            var button = findChild(page, "profilePrograms")
            verify(button.Accessible.description.indexOf(reason) > 0, button.Accessible.description)
            compare(editor.available, false)
            compare(findChild(editor, "appOk").visible, false)
            verify(editor.texts[5].indexOf(reason) > 0)
            editor.accepted()
            compare(view.only(["setGlobalData"]), [])
        }

        function test_rename_data() {
            return [
                { tag: "new name", name: "Work", rows: ["Standard/0", "Work/1", "B/2"] },
                { tag: "empty", name: "", rows: ["Standard/0", "A/1", "B/2"] },
                { tag: "blank", name: "   ", rows: ["Standard/0", "A/1", "B/2"] },
                { tag: "list separator", name: "a,b", rows: ["Standard/0", "A/1", "B/2"] },
                { tag: "another row's", name: "B", rows: ["Standard/0", "A/1", "B/2"] }
            ]
        }

        function test_rename(data) {
            var page = startedPage(["Standard0", "A1", "B2"], 0)
            var list = findChild(page, "profileList")
            mouseDoubleClickSequence(list, 50, 27 + 13)
            var field = findChild(page, "profileRename")
            verify(field.visible)
            compare(field.selectedText, "A")
            field.text = data.name
            keyClick(Qt.Key_Return)
            verify(!field.visible)
            compare(rowTexts(page), data.rows)
            var written = data.rows[1] === "A/1" ? [] : ["updataNameList(2,Standard0|Work1|B2)"]
            compare(view.only(["updataNameList"]), written)
        }

        function test_closeEndsRenameAndHides() {
            var page = startedPage(["Standard0", "A1"], 0)
            fakeRoot.maskVisible = true
            page.startRename(1)
            findChild(page, "profileRename").text = "Game"
            page.close()
            verify(!page.visible)
            verify(!fakeRoot.maskVisible)
            compare(rowTexts(page), ["Standard/0", "Game/1"])
            compare(view.log, ["updataNameList(2,Standard0|Game1)", "closeProfileList()"])
        }

        Component {
            id: spyComponent
            SignalSpy {}
        }
    }
}
