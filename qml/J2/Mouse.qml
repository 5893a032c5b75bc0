import QtQuick
import modules.qml

// The mouse picture with a numbered badge per button.
// Stand-in until the mouse picture page lands.
Item {
    id: mousePicture

    property int keyCount: 8
    property int selectKey: -1
    property bool isSide: false
    readonly property var leaderPos: [[400, 72], [540, 165], [458, 160], [514, 133],
                                      [391, 173], [394, 335], [580, 268], [640, 254]]
    readonly property var badgePos: [[436, 153], [552, 153], [494, 124], [490, 214],
                                     [367, 254], [370, 335], [616, 256], [616, 335]]

    signal btnClick()
    signal badgeClicked(int index)

    width: 1024
    height: 640

    Image {
        anchors.horizontalCenter: parent.horizontalCenter
        y: 32
        width: 243
        height: 527
        source: Theme.sourceMouseFront
    }

    Repeater {
        model: 8
        // Delegates read their owner by id, which this qmllint cannot follow.
        // qmllint disable unqualified
        delegate: Item {
            id: button
            required property int index
            visible: index < mousePicture.keyCount

            Image {
                x: mousePicture.leaderPos[button.index][0]
                y: mousePicture.leaderPos[button.index][1]
                width: 60
                height: 93
                source: Theme.sourceMouse0
            }
            Rectangle {
                x: mousePicture.badgePos[button.index][0]
                y: mousePicture.badgePos[button.index][1]
                width: 36
                height: 36
                radius: 18
                color: mousePicture.selectKey === button.index || badgeArea.containsMouse
                       ? Theme.colorOrange : Theme.colorGray0
                border.color: mousePicture.selectKey === button.index || badgeArea.containsMouse
                              ? Theme.colorOrange : Theme.colorGray1

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
                    onClicked: {
                        mousePicture.selectKey = button.index
                        mousePicture.badgeClicked(button.index)
                    }
                }
            }
        }
        // qmllint enable unqualified
    }
}
