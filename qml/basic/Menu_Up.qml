import QtQuick
import QtQml.Models
import modules.qml

// Title bar buttons (ask, minimise, close) and the profile drop-down.
Row {
    id: menuUp

    property alias profileBtn: profileBtnLV
    property ListModel profileModel: ListModel {}

    signal btnClicked(int btnIndex)
    signal profileChosen(int index)

    spacing: 16

    HoverImage {
        id: askBtn
        normalSource: Theme.sourceAsk
        hoverSource: Theme.sourceAskH
        Accessible.name: "Version"
        onClicked: menuUp.btnClicked(2)

        DropDownList {
            id: profileBtnLV
            anchors.right: parent.left
            anchors.rightMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            width: 144
            height: 24
            mdItems: menuUp.profileModel
            count: menuUp.profileModel ? menuUp.profileModel.count : 0
            onValueChange: (index) => menuUp.profileChosen(index)
        }
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
