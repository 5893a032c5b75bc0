import QtQuick
import QtQml.Models
import modules.qml

// A 24-high box showing the current entry; a click drops a grid of entries,
// three to a line, below it. Blank entries fill the last line.
Item {
    id: dropGrid

    property bool isDrop: false
    property ListModel mdItems: ListModel {}
    property int currentSelect: 0
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    readonly property int count: mdItems ? mdItems.count : 0
    readonly property int gridRows: Math.ceil(count / 3)
    readonly property bool isAnimating: dropMove.running
    property int modelRevision: 0
    // The cell the arrow keys have reached in the open grid.
    property int keyRow: -1
    readonly property int litRow: isDrop && keyRow >= 0 ? keyRow : currentSelect
    readonly property string textValue: {
        if (modelRevision < 0 || currentSelect < 0 || currentSelect >= count)
            return ""
        var text = mdItems.get(currentSelect).textValue
        return text === undefined ? "" : String(text)
    }

    signal btnClick()

    function openOrClose() {
        if (dropMove.running)
            return
        isDrop = !isDrop
        dropMove.duration = Math.max(0, 180 - 10 * count)
        dropMove.to = isDrop ? 0 : -gridBody.height
        dropMove.start()
    }

    function closeMenu() {
        if (!isDrop)
            return
        dropMove.stop()
        isDrop = false
        dropMove.duration = Math.max(0, 180 - 10 * count)
        dropMove.to = -gridBody.height
        dropMove.start()
    }

    // A blank cell keeps the current entry; the page re-applies it on btnClick.
    function choose(index) {
        var text = mdItems.get(index).textValue
        if (text !== undefined && String(text) !== "")
            currentSelect = index
        closeMenu()
        btnClick()
    }

    // Closed, the arrows choose at once; open, they move through the cells
    // (Up and Down by a line) and Space or Enter chooses. Escape closes.
    function handleKey(event) {
        var target = KeyNav.listTarget(event, litRow, count, 3)
        if (KeyNav.isPress(event)) {
            if (isDrop && keyRow >= 0)
                choose(keyRow)
            else
                openOrClose()
        } else if (event.key === Qt.Key_Escape && isDrop) {
            closeMenu()
        } else if (target < 0) {
            return false
        } else if (isDrop) {
            keyRow = target
        } else if (target !== currentSelect) {
            choose(target)
        }
        return true
    }

    width: 107
    height: 24
    Accessible.role: Accessible.ComboBox
    Accessible.name: textValue
    Accessible.description: textValue
    Accessible.onPressAction: dropGrid.openOrClose()
    Accessible.focusable: true
    activeFocusOnTab: true
    Keys.onPressed: (event) => { event.accepted = dropGrid.handleKey(event) }
    onIsDropChanged: keyRow = isDrop ? currentSelect : -1
    onActiveFocusChanged: if (!activeFocus) closeMenu()

    FocusRing {}

    Connections {
        target: dropGrid.mdItems
        function onDataChanged() { dropGrid.modelRevision++ }
    }

    Rectangle {
        anchors.fill: parent
        color: dropGrid.bgColor
        border.color: dropGrid.borderColor

        Text {
            anchors.centerIn: parent
            anchors.horizontalCenterOffset: dropGrid.horizontalOffset
            text: dropGrid.textValue
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
        }
        Image {
            anchors.right: parent.right
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            source: visible ? (dropGrid.isDrop ? Theme.sourceDropBtnU : Theme.sourceDropBtn) : ""
        }
        MouseArea {
            anchors.fill: parent
            onClicked: dropGrid.openOrClose()
        }
    }

    Item {
        y: dropGrid.height
        width: gridBody.width
        height: gridBody.height
        clip: true
        visible: dropGrid.isDrop || dropMove.running

        Rectangle {
            id: gridBody
            y: -height
            width: dropGrid.width * 3
            height: 24 * dropGrid.gridRows
            color: dropGrid.bgColor
            border.color: dropGrid.borderColor

            Grid {
                columns: 3
                Repeater {
                    model: dropGrid.mdItems
                    // Delegates read their owner by id, which this qmllint cannot follow.
                    // qmllint disable unqualified
                    delegate: Rectangle {
                        id: cell
                        required property int index
                        required property string textValue
                        width: dropGrid.width
                        height: 24
                        color: index === dropGrid.litRow || cellArea.containsMouse
                               ? Theme.colorOrange : dropGrid.bgColor
                        border.color: dropGrid.borderColor
                        // A blank cell has nothing to read out.
                        Accessible.ignored: textValue === ""
                        Accessible.role: Accessible.ListItem
                        Accessible.name: textValue
                        Accessible.selectable: true
                        Accessible.selected: index === dropGrid.currentSelect
                        Accessible.onPressAction: dropGrid.choose(cell.index)

                        Text {
                            anchors.centerIn: parent
                            text: cell.textValue
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontNormalSize
                            color: Theme.fontColor
                        }
                        MouseArea {
                            id: cellArea
                            anchors.fill: parent
                            hoverEnabled: true
                            onClicked: dropGrid.choose(cell.index)
                        }
                    }
                    // qmllint enable unqualified
                }
            }
        }
    }

    NumberAnimation {
        id: dropMove
        target: gridBody
        property: "y"
        easing.type: Easing.OutQuad
    }
}
