import QtQuick
import modules.qml

// The macro editor's event list: index, type picture and text of each
// event, rows 27 high. The time of a delay row can be edited in place.
ListView {
    id: eventList

    property int editingIndex: -1
    property string editText: ""
    readonly property var icons: [Theme.sourceMacroKeyDelay, Theme.sourceMacroKeyPress,
        Theme.sourceMacroKeyRelease, Theme.sourceMacroMousePress, Theme.sourceMacroMouseRelease]
    // What a row says to a screen reader, by type.
    property var typeNames: ["Delay", "Key press", "Key release", "Mouse button press",
        "Mouse button release"]

    signal rowPressed(int index, int button, real px, real py)
    signal delayEditRequested(int index)
    signal delayCommitted(int index, string text)

    function rowText(type, info) {
        return type === 0 ? info + " ms" : info
    }

    function beginDelayEdit(index) {
        endDelayEdit()
        if (index < 0 || index >= count || model.get(index).type !== 0)
            return
        editText = model.get(index).info
        editingIndex = index
    }

    function endDelayEdit() {
        if (editingIndex < 0)
            return
        var index = editingIndex
        editingIndex = -1
        delayCommitted(index, editText)
    }

    width: 424
    height: 328
    clip: true
    currentIndex: -1
    boundsBehavior: Flickable.StopAtBounds
    highlightFollowsCurrentItem: false

    Accessible.role: Accessible.List
    Accessible.focusable: true
    activeFocusOnTab: true
    Keys.onPressed: (event) => {
        event.accepted = KeyNav.pressRows(eventList, event, ListView.Contain, eventList.delayEditRequested)
    }

    // Inside the edge: the list clips what lies outside it.
    FocusRing {
        parent: eventList
        z: 2
        gap: -Theme.focusWidth
    }

    Rectangle {
        parent: eventList
        anchors.fill: parent
        z: -1
        color: Theme.colorBlack
    }
    // A right click below the last row opens the menu too.
    MouseArea {
        parent: eventList
        anchors.fill: parent
        z: -0.5
        acceptedButtons: Qt.RightButton
        onClicked: (event) => eventList.rowPressed(-1, event.button, event.x, event.y)
    }

    // Delegates read their owner by id, which this qmllint cannot follow.
    // qmllint disable unqualified
    delegate: Rectangle {
        id: row
        required property int index
        required property int type
        required property string info
        readonly property bool editing: eventList.editingIndex === index
        width: eventList.width
        height: 27
        color: eventList.currentIndex === index ? Theme.colorOrange : Theme.colorBlack

        Accessible.role: Accessible.ListItem
        Accessible.name: (row.index + 1) + " " + eventList.typeNames[row.type] + " "
                         + eventList.rowText(row.type, row.info)
        Accessible.selectable: true
        Accessible.selected: eventList.currentIndex === row.index
        Accessible.onPressAction: eventList.rowPressed(row.index, Qt.LeftButton, row.x, row.y)

        Text {
            x: 12
            width: 40
            anchors.verticalCenter: parent.verticalCenter
            text: row.index + 1
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
        }
        Image {
            x: 56
            anchors.verticalCenter: parent.verticalCenter
            source: visible ? eventList.icons[row.type] : ""
        }
        Text {
            x: 88
            anchors.verticalCenter: parent.verticalCenter
            visible: !row.editing
            text: eventList.rowText(row.type, row.info)
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
        }
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onClicked: (event) => {
                var p = mapToItem(eventList, event.x, event.y)
                eventList.rowPressed(row.index, event.button, p.x, p.y)
            }
            onDoubleClicked: (event) => {
                if (event.button === Qt.LeftButton)
                    eventList.delayEditRequested(row.index)
            }
        }
        Loader {
            x: 88
            width: 120
            height: parent.height
            active: row.editing
            // The field shows as a black box with an orange frame while editing.
            sourceComponent: Rectangle {
                color: Theme.colorBlack
                border.color: Theme.colorOrange

                TextInput {
                    anchors.fill: parent
                    anchors.margins: 1
                    leftPadding: 4
                    verticalAlignment: TextInput.AlignVCenter
                    text: eventList.editText
                    maximumLength: 5
                    selectByMouse: true
                    clip: true
                    validator: IntValidator { bottom: 0; top: 65535 }
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
                    selectionColor: Theme.colorBlue

                    Accessible.role: Accessible.EditableText
                    Accessible.name: eventList.typeNames[0]
                    Accessible.description: eventList.editText

                    Component.onCompleted: {
                        selectAll()
                        forceActiveFocus()
                    }
                    onTextEdited: eventList.editText = text
                    Keys.onReturnPressed: eventList.endDelayEdit()
                    Keys.onEnterPressed: eventList.endDelayEdit()
                }
            }
        }
    }
    // qmllint enable unqualified
}
