import QtQuick
import QtQml.Models
import modules.qml
import "RootLogic.js" as RootLogic

// The left column of the root screen: the key list, the editor entries, the
// report rate, the (hidden) lift-off distance and the system-setting entry.
Column {
    id: column

    property var mainRoot: null
    property var mainLang: []
    property int keyCount: 8
    property int selectKey: -1
    // The pages the key list works with, handed in by the root screen.
    required property Mouse mousePicture
    required property KeyAssigment keyDialog
    required property MacroEditor macroEditor
    required property GunControl gunPanel

    readonly property alias keyMatrixMain: keyMatrixMain
    readonly property alias macroBG: macroBG
    readonly property alias macroEntry: macroEntry
    readonly property alias gunEntry: gunEntry
    readonly property alias reportRateRect: reportRateRect
    readonly property alias reportRateLV: reportRateLV
    readonly property alias lodRect: lodRect
    readonly property alias lodLV: lodLV
    readonly property alias lodEnable: lodEnable
    readonly property alias systemEntry: systemEntry

    signal keyClicked(int index)
    signal macroEditorClicked()
    signal gunEditorClicked()
    signal systemSettingClicked()

    spacing: 8

    KeyMatrix {
        id: keyMatrixMain
        objectName: "keyMatrixMain"
        mainRoot: column.mainRoot
        mousePicture: column.mousePicture
        keyDialog: column.keyDialog
        macroEditor: column.macroEditor
        gunPanel: column.gunPanel
        keyCount: column.keyCount
        selectKey: column.selectKey
        // The hovered row marks its badge, unless the dialog holds a button.
        onEnterBtn: (index) => { column.mousePicture.selectKey = index }
        onLeaveBtn: (index) => {
            if (!column.keyDialog.visible)
                column.mousePicture.selectKey = -1
        }
        onClickBtn: (index) => column.keyClicked(index)
    }

    Rectangle {
        id: macroBG
        objectName: "macroBG"
        width: 232
        height: 76
        color: Theme.colorBlack

        Text {
            anchors.left: parent.left
            anchors.leftMargin: 8
            anchors.top: parent.top
            anchors.topMargin: 12
            text: column.mainLang[0]
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
            font.bold: true
            color: Theme.fontColor
        }
        Column {
            anchors.left: parent.left
            anchors.leftMargin: 8
            anchors.top: parent.top
            anchors.topMargin: 40
            spacing: 2

            TextButton {
                id: macroEntry
                objectName: "macroEntry"
                width: 216
                height: 24
                text: column.mainLang[1]
                normalColor: "transparent"
                onClicked: column.macroEditorClicked()
            }
            Rectangle {
                width: 216
                height: 1
                visible: false
                color: Theme.colorGray1
            }
            TextButton {
                id: gunEntry
                objectName: "gunEntry"
                width: 216
                height: 24
                visible: false
                text: column.mainLang[2]
                normalColor: "transparent"
                onClicked: column.gunEditorClicked()
            }
        }
    }

    Rectangle {
        id: reportRateRect
        objectName: "reportRateRect"
        width: 232
        height: 42
        z: 2
        color: Theme.colorBlack

        function init(isSendData) {
            var view = column.mainRoot.backend()
            var index = Numbers.toInt(view.getData("mouse/reportRate", false), 3)
            reportRateLV.currentSelect = index
            if (isSendData)
                view.mouseSetReportRate(RootLogic.reportRateValue(index))
        }

        Text {
            id: reportRateLabel
            anchors.left: parent.left
            anchors.leftMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            text: column.mainLang[3]
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
        }
        DropDownList {
            id: reportRateLV
            objectName: "reportRateLV"
            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            width: 120
            count: 4
            Accessible.name: reportRateLabel.text
            mdItems: ListModel {
                ListElement { textValue: "125Hz" }
                ListElement { textValue: "250Hz" }
                ListElement { textValue: "500Hz" }
                ListElement { textValue: "1000Hz" }
            }
            onBtnClick: column.mainRoot.mainFocus()
            onValueChange: (index) => {
                var view = column.mainRoot.backend()
                view.setData("mouse/reportRate", index)
                view.mouseSetReportRate(RootLogic.reportRateValue(index))
            }
        }
    }

    Rectangle {
        id: lodRect
        objectName: "lodRect"
        width: 232
        height: 66
        z: 1
        visible: false
        color: Theme.colorBlack

        property bool isLoading: false

        // Loading only shows the stored values; it neither stores nor
        // marks anything unsaved.
        function init(isSendData) {
            var view = column.mainRoot.backend()
            var v = Numbers.toInt(view.getData("mouse/lod", false), 3)
            lodEnable.isSelect = RootLogic.toBool(view.getData("mouse/lodEn", false))
            isLoading = true
            lodLV.setValue((v - 3) / 89)
            isLoading = false
            lodLV.textValue = RootLogic.lodText(v)
        }

        Text {
            id: lodLabel
            anchors.left: parent.left
            anchors.leftMargin: 8
            y: 4
            text: column.mainLang[11]
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
        }
        DropDownSlider {
            id: lodLV
            objectName: "lodLV"
            anchors.right: parent.right
            anchors.rightMargin: 8
            y: 4
            width: 120
            textValue: "10ms"
            Accessible.name: lodLabel.text

            property int tmpValue: 90
            property bool isSave: false

            onBtnClick: column.mainRoot.mainFocus()
            onValueChange: (index) => {
                if (lodRect.isLoading)
                    return
                lodLV.textValue = RootLogic.lodText(index)
                column.mainRoot.backend().setData("mouse/lod", index)
                lodLV.tmpValue = index
                lodLV.isSave = true
            }
        }
        CheckBox {
            id: lodEnable
            objectName: "lodEnable"
            anchors.left: parent.left
            anchors.leftMargin: 8
            y: 40
            textValue: "Enable"
            isSelect: true
            onBtnClick: {
                column.mainRoot.backend().setData("mouse/lodEn", !lodEnable.isSelect)
                lodLV.isSave = true
            }
        }
    }

    TextButton {
        id: systemEntry
        objectName: "systemEntry"
        width: 232
        height: 24
        text: column.mainLang[9]
        bold: true
        normalColor: Theme.colorBlack
        onClicked: column.systemSettingClicked()
    }
}
