import QtQuick
import QtQml.Models
import modules.qml

// Lighting effect and colours. Stand-in until the lighting page lands.
Rectangle {
    id: lightControl

    property var mainRoot: null
    property bool isSave: false
    property alias lightModel: lightModelLV
    property var lightControlLang: ["Light", "Static", "Breath", "Neon", "OFF", "Speed", "Color",
        "Brightness", "Twinkling", "Wave", "Gliding", "Finger Moving", "Vertical Flipping",
        "YO-YO", "Spotlight", "Breath Loop", "", "", "", ""]

    signal traced(string call)

    function init(isSendData, isRecovery) {
        traced("lightControl.init(" + isSendData + "," + isRecovery + ")")
        for (var i = 0; i < 4; ++i)
            lightEntries.setProperty(i, "textValue", lightControlLang[i + 1])
        if (isSendData)
            saveData(true, 0)
    }

    function saveData(isSendData, isStep) {
        traced("lightControl.saveData(" + isSendData + "," + isStep + ")")
    }

    function lightControlFocus() {
        lightModelLV.closeMenu()
    }

    width: 232
    height: 224
    color: Theme.colorBlack

    Text {
        x: 8
        y: 12
        text: lightControl.lightControlLang[0]
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
        color: Theme.fontColor
    }

    DropDownList {
        id: lightModelLV
        anchors.right: parent.right
        anchors.rightMargin: 40
        y: 8
        z: 2
        width: 120
        count: lightEntries.count
        currentSelect: 1
        mdItems: ListModel {
            id: lightEntries
            ListElement { textValue: "Static" }
            ListElement { textValue: "Breath" }
            ListElement { textValue: "Neon" }
            ListElement { textValue: "OFF" }
        }
        onBtnClick: lightControl.mainRoot.mainFocus()
    }
}
