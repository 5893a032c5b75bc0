import QtQuick
import modules.qml

// The right column of the root screen: the DPI page over the lighting page.
Column {
    id: column

    property var mainRoot: null
    readonly property alias dpiSettingMain: dpiSettingMain
    readonly property alias lightControlMain: lightControlMain

    spacing: 8

    DpiSetting {
        id: dpiSettingMain
        objectName: "dpiSettingMain"
        mainRoot: column.mainRoot
        z: 1
    }
    LightControl {
        id: lightControlMain
        objectName: "lightControlMain"
        mainRoot: column.mainRoot
        dpiCount: dpiSettingMain.dpiCount
    }
}
