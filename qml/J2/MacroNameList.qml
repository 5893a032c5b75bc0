import QtQuick
import modules.qml

// The macro editor's list of macro names, rows 27 high; a name can be
// edited in place (beginRename, endRename).
ListView {
    id: nameList

    property int editingIndex: -1
    property string editText: ""

    signal rowPressed(int index, int button, real px, real py)
    signal renameRequested(int index)
    signal renameCommitted(int index, string text)

    function beginRename(index) {
        endRename()
        if (index < 0 || index >= count)
            return
        editText = model.get(index).textValue
        editingIndex = index
    }

    // Hands the edited text on; the editor decides whether it is taken.
    function endRename() {
        if (editingIndex < 0)
            return
        var index = editingIndex
        editingIndex = -1
        renameCommitted(index, editText)
    }

    width: 168
    height: 328
    clip: true
    currentIndex: -1
    boundsBehavior: Flickable.StopAtBounds
    highlightFollowsCurrentItem: false

    Accessible.role: Accessible.List
    Accessible.focusable: true
    activeFocusOnTab: true
    Keys.onPressed: (event) => {
        event.accepted = KeyNav.pressRows(nameList, event, ListView.Contain, nameList.renameRequested)
    }

    // Inside the edge: the list clips what lies outside it.
    FocusRing {
        parent: nameList
        z: 2
        gap: -Theme.focusWidth
    }

    Rectangle {
        parent: nameList
        anchors.fill: parent
        z: -1
        color: Theme.colorBlack
    }
    // A right click below the last row opens the menu too.
    MouseArea {
        parent: nameList
        anchors.fill: parent
        z: -0.5
        acceptedButtons: Qt.RightButton
        onClicked: (event) => nameList.rowPressed(-1, event.button, event.x, event.y)
    }

    // Delegates read their owner by id, which this qmllint cannot follow.
    // qmllint disable unqualified
    delegate: Rectangle {
        id: row
        required property int index
        required property string textValue
        readonly property bool editing: nameList.editingIndex === index
        width: nameList.width
        height: 27
        color: nameList.currentIndex === index || rowArea.containsMouse
               ? Theme.colorOrange : Theme.colorBlack

        Accessible.role: Accessible.ListItem
        Accessible.name: row.textValue
        Accessible.selectable: true
        Accessible.selected: nameList.currentIndex === row.index
        Accessible.onPressAction: nameList.rowPressed(row.index, Qt.LeftButton, row.x, row.y)

        Text {
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            visible: !row.editing
            text: row.textValue
            elide: Text.ElideRight
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
        }
        MouseArea {
            id: rowArea
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onClicked: (event) => {
                var p = mapToItem(nameList, event.x, event.y)
                nameList.rowPressed(row.index, event.button, p.x, p.y)
            }
            onDoubleClicked: (event) => {
                if (event.button === Qt.LeftButton)
                    nameList.renameRequested(row.index)
            }
        }
        Loader {
            anchors.fill: parent
            active: row.editing
            // The field shows as a black box with an orange frame while editing.
            sourceComponent: Rectangle {
                color: Theme.colorBlack
                border.color: Theme.colorOrange

                TextInput {
                    anchors.fill: parent
                    anchors.margins: 1
                    leftPadding: 12
                    verticalAlignment: TextInput.AlignVCenter
                    text: nameList.editText
                    maximumLength: 128
                    selectByMouse: true
                    clip: true
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    color: Theme.fontColor
                    selectionColor: Theme.colorBlue

                    Accessible.role: Accessible.EditableText
                    Accessible.name: nameList.editText

                    Component.onCompleted: {
                        selectAll()
                        forceActiveFocus()
                    }
                    onTextEdited: nameList.editText = text
                    Keys.onReturnPressed: nameList.endRename()
                    Keys.onEnterPressed: nameList.endRename()
                }
            }
        }
    }
    // qmllint enable unqualified
}
