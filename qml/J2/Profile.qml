import QtQuick
import QtQml.Models
import modules.qml

// Named profiles. Stand-in until the profiles page lands.
Rectangle {
    id: profile

    property var mainRoot: null
    property int profileNo: -1
    property alias profileDataModel0: profileRows
    property var profileLang: ["config", "New", "Import", "Delete", "Export", "Standard",
        "", "", "", "", "", "", "", "", "", "", "", "", "", ""]

    signal changeProfile(int tmpProfileNo)
    signal listViewFocus()
    signal traced(string call)

    function init() {
        traced("profile.init()")
        if (profileRows.count === 0)
            profileRows.append({ "textValue": profileLang[5], "profileNo": 0 })
        else
            profileRows.setProperty(0, "textValue", profileLang[5])
    }
    function profileFocus() {
        listViewFocus()
    }

    width: 415
    height: 288
    color: Theme.colorGray0

    ListModel { id: profileRows }

    PanelTitle {
        title: profile.profileLang[0]
        onCloseClicked: {
            profile.visible = false
            profile.listViewFocus()
            profile.mainRoot.maskVisible = false
            profile.mainRoot.closeProfileList()
        }
    }
}
