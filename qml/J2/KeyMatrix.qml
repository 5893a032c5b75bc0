import QtQuick
import QtQml.Models
import modules.qml

// Key list: the working copy of the sixteen button assignments.
// Stand-in until the key list page lands: it keeps the rows and offers what
// the root screen calls.
Rectangle {
    id: keyMatrix

    property var mainRoot: null
    property int keyCount: 8
    // The button being hovered or edited (the mouse picture's selectKey).
    property int selectKey: -1
    property bool isSave: false
    property var keyMatrixLang: ["Key ", "Key Function", "", "", ""]
    property alias modKeys: modKeysModel
    property alias modKeys_tmp: modKeysTmpModel

    signal enterBtn(int index)
    signal leaveBtn(int index)
    signal clickBtn(int index)
    signal traced(string call)

    function init(isSendData, isRecovery) {
        traced("keyMatrix.init(" + isSendData + "," + isRecovery + ")")
        if (isSendData)
            modKeys.saveData()
    }

    width: 232
    height: 40 + 24 * keyCount + 2 * (keyCount - 1) + 8
    color: Theme.colorBlack

    ListModel {
        id: modKeysModel

        function saveData() {
            keyMatrix.traced("keyMatrix.saveData()")
        }

        // True only when the one left-click row left is the selected one.
        function checkOneLeftKey() {
            var count = 0
            var row = -1
            for (var i = 0; i < modKeysModel.count; ++i) {
                var r = modKeysModel.get(i)
                if (r.keyCode0 === 0 && r.keyCode2 === 0xF0) {
                    ++count
                    row = i
                }
            }
            return count === 1 && row === keyMatrix.selectKey
        }

        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF2; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF4; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF3; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 5; keyCode1: 0; keyCode2: 1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 5; keyCode1: 0; keyCode2: 2; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0xF0; keyCode2: 0x1E; keyCode3: 2 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0xFF; keyCode1: 0; keyCode2: 1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0xFF; keyCode1: 0; keyCode2: 2; keyCode3: 0 }
    }
    ListModel {
        id: modKeysTmpModel
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF2; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF4; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0xF3; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 5; keyCode1: 0; keyCode2: 1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 5; keyCode1: 0; keyCode2: 2; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0xF0; keyCode2: 0x1E; keyCode3: 2 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0; keyCode1: 0; keyCode2: 0; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0xFF; keyCode1: 0; keyCode2: 1; keyCode3: 0 }
        ListElement { keyText: ""; keyCode0: 0xFF; keyCode1: 0; keyCode2: 2; keyCode3: 0 }
    }

    Text {
        x: 8
        y: 12
        text: keyMatrix.keyMatrixLang[1]
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
        color: Theme.fontColor
    }

    Column {
        x: 8
        y: 40
        spacing: 2
        Repeater {
            model: 14
            // Delegates read their owner by id, which this qmllint cannot follow.
            // qmllint disable unqualified
            delegate: Rectangle {
                id: keyRow
                required property int index
                visible: keyMatrix.keyCount > index
                width: 216
                height: 24
                color: keyMatrix.selectKey === index || rowArea.containsMouse
                       ? Theme.colorOrange : "transparent"

                Text {
                    anchors.left: parent.left
                    anchors.leftMargin: 24
                    anchors.verticalCenter: parent.verticalCenter
                    text: keyMatrix.keyMatrixLang[0] + " " + (keyRow.index + 1)
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
                }
                Text {
                    anchors.centerIn: parent
                    text: keyRow.index < modKeysModel.count ? modKeysModel.get(keyRow.index).keyText : ""
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onEntered: keyMatrix.enterBtn(keyRow.index)
                    onExited: keyMatrix.leaveBtn(keyRow.index)
                    onClicked: keyMatrix.clickBtn(keyRow.index)
                }
            }
            // qmllint enable unqualified
        }
    }
}
