import QtQuick
import QtQml.Models
import modules.qml

// DPI stages. Stand-in until the DPI page lands.
Rectangle {
    id: dpiSetting

    property var mainRoot: null
    property int currentDPI: 0
    property int dpiCount: 4
    property int currentDpiCount: 4
    property int minDPI: 200
    property int maxDPI: 6000
    property string sensorType: "3360"
    property int dpiBase: 50
    property var dpiValueArray: [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000]
    property bool isSave: false
    property alias dpiSegment: dpiSegmentLV
    property var dpiSettingLang: ["DPI"]

    signal traced(string call)

    function init(isSendData, isRecovery) {
        traced("dpiSetting.init(" + isSendData + "," + isRecovery + ")")
        if (isSendData)
            saveData(true)
    }

    function saveData(isSendData) {
        traced("dpiSetting.saveData(" + isSendData + ")")
    }

    width: 232
    height: 256
    color: Theme.colorBlack

    Text {
        x: 8
        y: 12
        text: dpiSetting.dpiSettingLang[0]
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
        color: Theme.fontColor
    }

    DropDownList {
        id: dpiSegmentLV
        anchors.right: parent.right
        anchors.rightMargin: 40
        y: 8
        z: 2
        width: 64
        count: 8
        horizontalOffset: -8
        currentSelect: dpiSetting.currentDpiCount - 1
        mdItems: ListModel {
            ListElement { textValue: "1" }
            ListElement { textValue: "2" }
            ListElement { textValue: "3" }
            ListElement { textValue: "4" }
            ListElement { textValue: "5" }
            ListElement { textValue: "6" }
            ListElement { textValue: "7" }
            ListElement { textValue: "8" }
        }
        onBtnClick: dpiSetting.mainRoot.mainFocus()
    }

    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        y: 56
        spacing: 14
        Repeater {
            model: dpiSetting.currentDpiCount
            // Delegates read their owner by id, which this qmllint cannot follow.
            // qmllint disable unqualified
            delegate: Rectangle {
                id: stage
                required property int index
                width: 6
                height: 176
                radius: 3
                color: stage.index === dpiSetting.currentDPI ? Theme.colorOrange : Theme.colorBlue
            }
            // qmllint enable unqualified
        }
    }
}
