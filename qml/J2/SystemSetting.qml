import QtQuick
import modules.qml

// Windows pointer settings. Stand-in until the system settings page lands.
Rectangle {
    id: systemSetting

    property var mainRoot: null
    property var systemSettingLang: ["System Setting", "Mouse Speed", "Double Click Speed",
        "Slow", "Fast", "Scroll Speed", "Number of Rows", "Scroll one Screen",
        "", "", "", "", "", "", ""]

    signal traced(string call)

    function init(isSendData, isRecovery) {
        traced("systemSetting.init(" + isSendData + "," + isRecovery + ")")
        if (isSendData)
            saveData(true, 0)
    }
    function saveData(isSendData, isStep) {
        traced("systemSetting.saveData(" + isSendData + "," + isStep + ")")
    }
    function systemSettingFocus() {
    }

    width: 416
    height: 312
    color: Theme.colorGray0

    PanelTitle {
        title: systemSetting.systemSettingLang[0]
        onCloseClicked: {
            systemSetting.visible = false
            systemSetting.mainRoot.maskVisible = false
        }
    }
}
