import QtQuick
import QtTest
import modules.qml
import "qrc:/modules/qml/basic/RootLogic.js" as RootLogic

// The key-name table and the root screen's small rules.
TestCase {
    name: "KeyCodeStringAndRules"

    KeyCodeString { id: table }

    function test_tableShape() {
        compare(table.keyCode.length, 133)
        compare(table.keyCodeStr.length, 133)
        compare(table.keyCode[0], 0x04)
        compare(table.keyCodeStr[0], "A")
        compare(table.keyCode[128], 0xF0)
        // Codes rise through the table; mouse buttons come last.
        for (var i = 1; i < table.keyCode.length; ++i)
            verify(table.keyCode[i] > table.keyCode[i - 1], "code order at " + i)
    }

    function test_lookups_data() {
        return [
            { tag: "Intl3", code: 0x89, name: "Intl3" },
            { tag: "letter", code: 0x1D, name: "Z" },
            { tag: "zero", code: 0x27, name: "0" },
            { tag: "grave", code: 0x35, name: "`" },
            { tag: "keypad enter", code: 0x58, name: "KPEnter" },
            { tag: "arrow", code: 0x52, name: "▲" },
            { tag: "F13", code: 0x68, name: "F13" },
            { tag: "F24", code: 0x73, name: "F24" },
            { tag: "Lang2", code: 0x91, name: "Lang2" },
            { tag: "right GUI", code: 0xE7, name: "RWin" },
            { tag: "mouse left", code: 0xF0, name: "MS-L" },
            { tag: "mouse back", code: 0xF4, name: "MS-B5" }
        ]
    }

    function test_lookups(data) {
        compare(table.keycodeTostr(data.code), data.name)
        compare(table.strTokeycode(data.name), data.code)
    }

    function test_unknownAndDuplicates() {
        compare(table.strTokeycode("NoSuchKey"), 0)
        compare(table.keycodeTostr(0x86), "")
        compare(table.keycodeTostr(0x00), "")
        // Two usages share the backslash name: the first one wins.
        compare(table.keycodeTostr(0x31), "\\")
        compare(table.keycodeTostr(0x32), "\\")
        compare(table.strTokeycode("\\"), 0x31)
    }

    function test_reportRateIndexToRate() {
        compare(RootLogic.reportRateValue(0), 8)
        compare(RootLogic.reportRateValue(1), 4)
        compare(RootLogic.reportRateValue(2), 2)
        compare(RootLogic.reportRateValue(3), 1)
        compare(RootLogic.reportRateValue("2"), 2)
        compare(RootLogic.reportRateValue(undefined), 1)
    }

    function test_lodText() {
        compare(RootLogic.lodText(3), "0mm")
        compare(RootLogic.lodText(89), "2mm")
        compare(RootLogic.lodText(46), "1mm")
        compare(RootLogic.lodText(50), "1mm")
        compare(RootLogic.lodText(60), "1.3mm")
    }

    function test_mergeLang() {
        var defaults = ["Editor", "Macro Editor", "Save"]
        compare(RootLogic.mergeLang(defaults, []), defaults)
        compare(RootLogic.mergeLang(defaults, undefined), defaults)
        compare(RootLogic.mergeLang(defaults, ["编辑", ""]), ["编辑", "", "Save"])
        compare(RootLogic.mergeLang(defaults, ["a", "b", "c", "d"]), ["a", "b", "c", "d"])
    }

    function test_settingsTextToBool() {
        verify(!RootLogic.toBool("false"))
        verify(RootLogic.toBool("true"))
        verify(!RootLogic.toBool("0"))
        verify(RootLogic.toBool("1"))
        verify(!RootLogic.toBool(undefined))
        verify(!RootLogic.toBool(""))
        verify(RootLogic.toBool(true))
    }

    function test_clamp() {
        compare(RootLogic.clampInto(-20, 400, 1024), 0)
        compare(RootLogic.clampInto(700, 400, 1024), 624)
        compare(RootLogic.clampInto(100, 400, 1024), 100)
    }

    function test_pictureAddresses() {
        compare(String(Theme.sourceCloseBtn), "qrc:/index/modules/img/skin1/index/closeBtn.png")
        compare(String(Theme.sourceMouseFront), "qrc:/mouse/modules/img/skin1/mouse/MouseFront.png")
        compare(String(Theme.sourceBackground), "qrc:/modules/img/background.png")
        compare(String(Theme.sourceSCARL), "qrc:/gun/modules/img/skin1/gun/SCAR-L.png")
        Theme.skin_No = 2
        compare(String(Theme.sourceSlide), "qrc:/index/modules/img/skin2/index/slide.png")
        // Gun pictures exist in skin 1 only.
        compare(String(Theme.sourceTarget), "qrc:/gun/modules/img/skin1/gun/target.png")
        Theme.skin_No = 1
        compare(String(Theme.sourceSlide), "qrc:/index/modules/img/skin1/index/slide.png")
    }
}
