import QtQuick
import QtQml.Models
import modules.qml

// Macro editor panel. Stand-in until the macro editor lands.
Rectangle {
    id: macroEditor

    property var mainRoot: null
    property bool isInputting: false
    property bool isInsertting: false
    property alias macroListModel: macroNumberModel
    property alias macroNumber_lv: macroNumberLV
    property var macroEditorLang: ["Macro Editor", "Macro Name", "New", "Delete", "Action",
        "Stop Record", "Times", "OK", "Start Record", "Delay", "Delete", "Import", "Export",
        "Insert Delay", "Insert Key", "Insert Left Key", "Insert Middle Key",
        "Insert Right Key", "", ""]

    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)
    signal listViewFocus()
    signal traced(string call)

    function init() {
        traced("macroEditor.init()")
    }
    function sendMacro(index, macroName) {
        traced("macroEditor.sendMacro(" + index + "," + macroName + ")")
    }
    function detectKeyboard(isDown, usbCode) {
        traced("macroEditor.detectKeyboard(" + isDown + "," + usbCode + ")")
    }
    function detectInput(isDown, usbCode) {
        traced("macroEditor.detectInput(" + isDown + "," + usbCode + ")")
    }
    function macroEditorFocus() {
        listViewFocus()
    }
    function autoSave() {
    }

    width: 640
    height: 448
    color: Theme.colorGray0

    ListModel { id: macroNumberModel }

    PanelTitle {
        title: macroEditor.macroEditorLang[0]
        onCloseClicked: {
            macroEditor.isInputting = false
            macroEditor.visible = false
            macroEditor.mainRoot.maskVisible = false
            macroEditor.macroEditorFocus()
        }
    }

    ListView {
        id: macroNumberLV
        x: 16
        y: 72
        width: 168
        height: 328
        clip: true
        model: macroNumberModel
        currentIndex: -1
        delegate: Item {
            width: 168
            height: 27
        }
        Rectangle {
            anchors.fill: parent
            z: -1
            color: Theme.colorBlack
        }
    }
}
