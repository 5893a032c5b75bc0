import QtQuick
import QtQml.Models
import modules.qml

// Gun presets. Stand-in until the gun panel lands.
Rectangle {
    id: gunControl

    property var mainRoot: null
    property bool isSave: false
    property int selectGun1: 0
    property int selectGun2: 1
    property int selectGun3: 2
    property alias gunNumberModel: gunNumberModelData
    property var gunControlLang: ["Gun editor", "Gun", "Select gun", "Cursor Adjust", "X Axis",
        "Y axis", "Fire adjust", "Rate", "Times", "Endness"]

    signal traced(string call)

    function init() {
        traced("gunControl.init()")
    }
    function resetData() {
        traced("gunControl.resetData()")
    }
    function sendData(index) {
        traced("gunControl.sendData(" + index + ")")
    }
    function saveData(index, isAllSave) {
        isSave = true
        traced("gunControl.saveData(" + index + "," + isAllSave + ")")
    }
    function gunControlFocus() {
    }

    width: 640
    height: 448
    color: Theme.colorGray0

    ListModel {
        id: gunNumberModelData
        ListElement { gunName: "M416"; gunImage: "M416.png"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
        ListElement { gunName: "AKM"; gunImage: "AKM.png"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
        ListElement { gunName: "M16A4"; gunImage: "M16A4.png"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
        ListElement { gunName: "SCAR-L"; gunImage: "SCAR-L.png"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
        ListElement { gunName: "UNP9"; gunImage: "UNP9.png"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
        ListElement { gunName: "Thomson"; gunImage: "Thomson.png"; gunKey: "L-Click"; gunPeriod: "10"; gunX: "0"; gunY: "10"; gunTimes: "0" }
    }

    PanelTitle {
        title: gunControl.gunControlLang[0]
        onCloseClicked: {
            gunControl.visible = false
            gunControl.mainRoot.maskVisible = false
        }
    }
}
