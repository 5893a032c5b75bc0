import QtQuick
import modules.qml

// The right-click menu of the macro editor's lists: a column of entries
// that opens where the pointer is and closes when an entry is chosen.
Rectangle {
    id: menu

    property var entries: []

    signal chosen(int index)

    // Opens at (px, py) of the parent, kept inside the parent.
    function popup(px, py) {
        x = Math.max(0, Math.min(px, parent.width - width))
        y = Math.max(0, Math.min(py, parent.height - height))
        visible = true
    }

    function choose(index) {
        visible = false
        chosen(index)
    }

    visible: false
    z: 10
    width: 150
    height: column.height + 2
    color: Theme.colorBlack
    border.color: Theme.colorGray1

    Accessible.role: Accessible.PopupMenu
    Accessible.name: entries.length > 0 ? entries[0] : ""

    Column {
        id: column
        x: 1
        y: 1

        Repeater {
            model: menu.entries
            // Delegates read their owner by id, which this qmllint cannot follow.
            // qmllint disable unqualified
            delegate: Rectangle {
                id: entry
                required property int index
                required property string modelData
                width: menu.width - 2
                height: 24
                color: entryArea.containsMouse ? Theme.colorOrange : Theme.colorBlack

                Accessible.role: Accessible.MenuItem
                Accessible.name: entry.modelData
                Accessible.onPressAction: menu.choose(entry.index)
                Accessible.focusable: true
                activeFocusOnTab: true
                // Up and Down go through the entries like Shift+Tab and Tab.
                Keys.onPressed: (event) => {
                    var step = KeyNav.plain(event) ? (event.key === Qt.Key_Down ? 1
                                                      : event.key === Qt.Key_Up ? -1 : 0) : 0
                    if (KeyNav.isPress(event))
                        menu.choose(entry.index)
                    else if (step !== 0)
                        entry.nextItemInFocusChain(step > 0).forceActiveFocus(Qt.TabFocusReason)
                    else
                        return
                    event.accepted = true
                }

                FocusRing { gap: -Theme.focusWidth }

                Text {
                    anchors.left: parent.left
                    anchors.leftMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    text: entry.modelData
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
                }
                MouseArea {
                    id: entryArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: menu.choose(entry.index)
                }
            }
            // qmllint enable unqualified
        }
    }
}
