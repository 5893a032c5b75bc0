import QtQuick
import modules.qml

// Key assignment dialog. Stand-in until the dialog lands: it keeps the
// assignment being edited and names the mouse functions.
Rectangle {
    id: keyAssigment

    property var mainRoot: null
    property string keyCode: "00000000"
    property int keyCode0: 0
    property int keyCode1: 0
    property int keyCode2: 0
    property int keyCode3: 0
    property string keyString: ""
    property bool isFireInput: false
    property bool isComboInput: false
    property alias macroList: macroListLV
    property var keyAssigmentLang: ["Key ", "Mouse Function", "Left Key", "Middle Key",
        "Right Key", "Forward Key", "Back Key", "Double Fire", "Fire Function", "Key Value",
        "Click Input", "Rate", "Times", "Endness", "Group Function", "Media Function",
        "Macro Function", "Macro Editor", "Macro runs one-time after pressing the button",
        "Macro runs endless loop until any button is pressed",
        "Macro runs endless loop until button is released", "DPI Function", "DPI+", "DPI-",
        "DPI LOOP", "Windows Function", "Shortcut Function", "Player", "Next", "Privous", "Stop",
        "Mute", "Play/Pause", "Volumn+", "Volumn-", "My PC", "Index", "Search", "Max", "Min",
        "Desktop", "Run", "New", "Cut", "Copy", "Paste", "Save", "Print", "Find", "Redo", "Undo",
        "Select All", "Gun Function", "One Gun", "Two Gun", "Three Gun", "Sniper Key", "Disable",
        "", ""]

    signal closed()
    signal traced(string call)

    function init() {
        traced("keyAssigment.init()")
        macroListLV.closeMenu()
    }

    function keyCodeToString(code0, code1, code2, code3) {
        var lang = keyAssigmentLang
        if (code0 === 0) {
            switch (code2) {
            case 0xF0: return lang[2]
            case 0xF2: return lang[3]
            case 0xF1: return lang[4]
            case 0xF4: return lang[5]
            case 0xF3: return lang[6]
            case 0x00: return lang[57]
            default: return lang[7]
            }
        }
        if (code0 === 5 && code2 >= 1 && code2 <= 4)
            return [lang[22], lang[23], lang[24], lang[56]][code2 - 1]
        return ""
    }

    function detectKeyboard(isDown, usbCode, index) {
        traced("keyAssigment.detectKeyboard(" + isDown + "," + usbCode + "," + index + ")")
    }

    function keyAssigmentFocus() {
        macroListLV.closeMenu()
    }

    width: 416
    height: 404
    color: Theme.colorGray0

    PanelTitle {
        title: keyAssigment.keyAssigmentLang[0] + " : " + keyAssigment.keyString
        onCloseClicked: {
            keyAssigment.visible = false
            keyAssigment.keyAssigmentFocus()
            keyAssigment.closed()
        }
    }

    DropDownList {
        id: macroListLV
        x: 16
        y: 64
        width: 160
        currentSelect: -1
        count: mdItems.count

        function addData(macroData, isInit) {
            mdItems.clear()
            for (var i = 0; i < macroData.length; ++i)
                mdItems.append({ "textValue": String(macroData[i]) })
        }
    }
}
