import QtQuick
import QtQml.Models
import modules.qml

// Title bar buttons (ask, minimise, close) and, left of them, the profile
// drop-down, which comes first from the keyboard as it does to the eye.
Item {
    id: menuUp

    property alias profileBtn: profileBtnLV
    property ListModel profileModel: ListModel {}

    signal btnClicked(int btnIndex)
    signal profileChosen(int index)

    width: buttons.width
    height: buttons.height

    DropDownList {
        id: profileBtnLV
        anchors.right: buttons.left
        anchors.rightMargin: 16
        anchors.verticalCenter: buttons.verticalCenter
        width: 144
        height: 24
        mdItems: menuUp.profileModel
        count: menuUp.profileModel ? menuUp.profileModel.count : 0
        onValueChange: (index) => menuUp.profileChosen(index)
        // The profile shown is its value.
        Accessible.name: "Profile"
    }

    Row {
        id: buttons
        spacing: 16

        HoverImage {
            id: askBtn
            normalSource: Theme.sourceAsk
            hoverSource: Theme.sourceAskH
            Accessible.name: "Version"
            onClicked: menuUp.btnClicked(2)
        }
        HoverImage {
            id: minBtn
            normalSource: Theme.sourceMinBtn
            hoverSource: Theme.sourceMinBtnH
            Accessible.name: "Minimise"
            onClicked: menuUp.btnClicked(0)
        }
        HoverImage {
            id: closeBtn
            normalSource: Theme.sourceCloseBtn
            hoverSource: Theme.sourceCloseBtnH
            Accessible.name: "Close"
            onClicked: menuUp.btnClicked(1)
        }
    }
}
