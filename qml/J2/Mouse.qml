import QtQuick
import modules.qml
import "RootParts.js" as RootParts

// The mouse picture with a numbered badge and a leader line per button. A
// click on a badge opens the key assignment dialog for that button, except
// for the last button left doing a left click.
Item {
    id: mousePicture

    // The picture fills the root screen, so its parent is the root.
    property var mainRoot: parent
    property int keyCount: 8
    // The button being hovered or edited; -1 for none.
    property int selectKey: -1
    property bool isSide: false
    readonly property var leaderPos: [[400, 72], [540, 165], [458, 160], [514, 133],
                                      [391, 173], [394, 335], [580, 268], [640, 254]]
    readonly property var badgePos: [[436, 153], [552, 153], [494, 124], [490, 214],
                                     [367, 254], [370, 335], [616, 256], [616, 335]]

    signal btnClick()

    function clickBadge(index) {
        selectKey = index
        var keyList = RootParts.find(mainRoot, "keyMatrixMain")
        if (keyList === null || keyList.modKeys.checkOneLeftKey()) {
            selectKey = -1
            return
        }
        btnClick()
        mainRoot.maskVisible = true
        RootParts.find(mainRoot, "keyAssigmentMain").show(index)
    }

    width: 1024
    height: 640

    Image {
        anchors.horizontalCenter: parent.horizontalCenter
        y: 32
        width: 243
        height: 527
        source: visible ? Theme.sourceMouseFront : ""
    }

    Repeater {
        model: 8
        // Delegates read their owner by id, which this qmllint cannot follow.
        // qmllint disable unqualified
        delegate: Item {
            id: button
            required property int index
            readonly property bool isLit: mousePicture.selectKey === index || badgeArea.containsMouse
            visible: index < mousePicture.keyCount

            Image {
                x: mousePicture.leaderPos[button.index][0]
                y: mousePicture.leaderPos[button.index][1]
                width: 60
                height: 93
                source: visible ? Theme.sourceMouse0 : ""
            }
            Rectangle {
                objectName: "badge" + (button.index + 1)
                x: mousePicture.badgePos[button.index][0]
                y: mousePicture.badgePos[button.index][1]
                width: 36
                height: 36
                radius: 18
                color: button.isLit ? Theme.colorOrange : Theme.colorGray0
                border.color: button.isLit ? Theme.colorOrange : Theme.colorGray1

                Accessible.role: Accessible.Button
                Accessible.name: "Button " + (button.index + 1)
                Accessible.onPressAction: mousePicture.clickBadge(button.index)
                Accessible.focusable: true
                activeFocusOnTab: true
                Keys.onPressed: (event) => {
                    if (KeyNav.isPress(event)) {
                        event.accepted = true
                        if (!event.isAutoRepeat)
                            mousePicture.clickBadge(button.index)
                    }
                }

                FocusRing { radius: width / 2 }

                Text {
                    anchors.centerIn: parent
                    text: button.index + 1
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
                }
                MouseArea {
                    id: badgeArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: mousePicture.clickBadge(button.index)
                }
            }
        }
        // qmllint enable unqualified
    }
}
