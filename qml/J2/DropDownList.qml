import QtQuick
import QtQml.Models
import modules.qml

// A 24-high box showing the current entry; a click drops the list of
// entries below it. A chosen entry is reported once the list has closed.
Item {
    id: dropList

    property bool isDrop: false
    property int count: 0
    property ListModel mdItems: ListModel {}
    property int currentSelect: 2
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    readonly property int visibleRows: Math.min(count, 10)
    readonly property bool isAnimating: dropMove.running
    readonly property alias listView: entries
    property int modelRevision: 0
    property int pendingIndex: -1
    // The row the arrow keys have reached in the open list.
    property int keyRow: -1
    readonly property int litRow: isDrop && keyRow >= 0 ? keyRow : currentSelect
    readonly property string textValue: {
        var rows = mdItems ? mdItems.count : 0
        if (modelRevision < 0 || currentSelect < 0 || currentSelect >= rows)
            return ""
        var text = mdItems.get(currentSelect).textValue
        return text === undefined ? "" : String(text)
    }

    signal btnClick()
    signal valueChange(int index)
    signal dragSignal(bool isDrag)

    function animationTime() {
        return Math.max(0, 180 - 10 * count)
    }

    function openOrClose() {
        if (dropMove.running)
            return
        isDrop = !isDrop
        dropMove.duration = animationTime()
        dropMove.to = isDrop ? 0 : -listBody.height
        dropMove.start()
    }

    // Closes only a fully open list.
    function closeMenu() {
        if (!isDrop || dropMove.running)
            return
        openOrClose()
    }

    // The choice is reported once the list is closed; a list still opening
    // turns round at once.
    function choose(index) {
        currentSelect = index
        pendingIndex = index
        if (isDrop) {
            dropMove.stop()
            isDrop = false
            dropMove.duration = animationTime()
            dropMove.to = -listBody.height
            dropMove.start()
        } else if (!dropMove.running) {
            reportChoice()
        }
    }

    function pressBox() {
        btnClick()
        openOrClose()
    }

    // Closed, the arrows choose at once; open, they move through the rows
    // and Space or Enter chooses. Escape closes the list, choosing nothing.
    function handleKey(event) {
        var rows = mdItems ? mdItems.count : 0
        var target = KeyNav.listTarget(event, litRow, rows)
        if (KeyNav.isPress(event)) {
            if (isDrop && keyRow >= 0)
                choose(keyRow)
            else
                pressBox()
        } else if (event.key === Qt.Key_Escape && isDrop) {
            // Escape closes a list that is still opening as well.
            dropMove.complete()
            closeMenu()
        } else if (target < 0) {
            return false
        } else if (isDrop) {
            keyRow = target
            entries.positionViewAtIndex(target, ListView.Contain)
        } else if (target !== currentSelect) {
            choose(target)
        }
        return true
    }

    function reportChoice() {
        if (pendingIndex < 0)
            return
        var index = pendingIndex
        pendingIndex = -1
        valueChange(index)
    }

    width: 120
    height: 24
    Accessible.role: Accessible.ComboBox
    Accessible.name: textValue
    Accessible.description: textValue
    Accessible.onPressAction: dropList.pressBox()
    Accessible.focusable: true
    activeFocusOnTab: true
    Keys.onPressed: (event) => { event.accepted = dropList.handleKey(event) }
    onIsDropChanged: keyRow = isDrop ? currentSelect : -1
    onActiveFocusChanged: if (!activeFocus) closeMenu()

    Connections {
        target: dropList.mdItems
        function onDataChanged() { dropList.modelRevision++ }
    }

    FocusRing {}

    Rectangle {
        id: box
        anchors.fill: parent
        color: dropList.bgColor
        border.color: dropList.borderColor

        Text {
            anchors.centerIn: parent
            anchors.horizontalCenterOffset: dropList.horizontalOffset
            text: dropList.textValue
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
        }
        Image {
            anchors.right: parent.right
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            source: visible ? (dropList.isDrop ? Theme.sourceDropBtnU : Theme.sourceDropBtn) : ""
        }
        MouseArea {
            anchors.fill: parent
            onClicked: dropList.pressBox()
        }
    }

    Item {
        id: dropArea
        y: dropList.height
        width: dropList.width
        height: listBody.height
        clip: true
        visible: dropList.isDrop || dropMove.running

        Rectangle {
            id: listBody
            y: -height
            width: dropList.width
            height: 24 * dropList.visibleRows
            color: dropList.bgColor
            border.color: dropList.borderColor

            // Takes the clicks and the hover that the rows leave (their right
            // edge), so that none reaches what lies beneath the list.
            MouseArea {
                anchors.fill: parent
                hoverEnabled: true
            }

            ListView {
                id: entries
                anchors.fill: parent
                clip: true
                model: dropList.mdItems
                currentIndex: dropList.currentSelect
                boundsBehavior: Flickable.StopAtBounds
                interactive: dropList.count > 10

                // Delegates read their owner by id, which this qmllint cannot follow.
                // qmllint disable unqualified
                delegate: Rectangle {
                    id: row
                    required property int index
                    required property string textValue
                    width: ListView.view.width
                    height: 24
                    color: index === dropList.litRow || rowArea.containsMouse
                           ? Theme.colorOrange : dropList.bgColor
                    Accessible.role: Accessible.ListItem
                    Accessible.name: textValue
                    Accessible.selectable: true
                    Accessible.selected: index === dropList.currentSelect
                    Accessible.onPressAction: dropList.choose(row.index)

                    Text {
                        anchors.centerIn: parent
                        anchors.horizontalCenterOffset: dropList.horizontalOffset
                        text: row.textValue
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                        color: Theme.fontColor
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        anchors.rightMargin: 15
                        hoverEnabled: true
                        onClicked: dropList.choose(row.index)
                    }
                }
                // qmllint enable unqualified
            }

            Rectangle {
                id: scrollBar
                objectName: "scrollBar"
                visible: dropList.count > 10
                x: parent.width - width
                width: 12
                height: Math.max(12, listBody.height * entries.visibleArea.heightRatio)
                y: entries.visibleArea.yPosition * listBody.height
                color: "white"
                border.color: Theme.colorGray3
                Accessible.role: Accessible.ScrollBar
                Accessible.name: "Scroll"
                Accessible.onDecreaseAction: entries.contentY = Math.max(0, entries.contentY - 24)
                Accessible.onIncreaseAction: {
                    var maxY = Math.max(0, entries.contentHeight - entries.height)
                    entries.contentY = Math.min(maxY, entries.contentY + 24)
                }

                MouseArea {
                    anchors.fill: parent
                    property real pressY: 0
                    property real pressContentY: 0
                    onPressed: (mouse) => {
                        pressY = mapToItem(listBody, 0, mouse.y).y
                        pressContentY = entries.contentY
                        dropList.dragSignal(true)
                    }
                    onPositionChanged: (mouse) => {
                        var dy = mapToItem(listBody, 0, mouse.y).y - pressY
                        var maxY = Math.max(0, entries.contentHeight - entries.height)
                        var scale = entries.contentHeight / listBody.height
                        entries.contentY = Math.max(0, Math.min(maxY, pressContentY + dy * scale))
                    }
                    onReleased: dropList.dragSignal(false)
                }
            }
        }
    }

    NumberAnimation {
        id: dropMove
        target: listBody
        property: "y"
        easing.type: Easing.OutQuad
        onFinished: {
            if (!dropList.isDrop)
                dropList.reportChoice()
        }
    }
}
