import QtQml
import "../J2/Numbers.js" as Numbers

// What Save, the factory reset and a profile switch do across the pages of
// the root screen `root`, with the screen locked while the mouse is written.
QtObject {
    id: flow

    property var root: null

    // Sends what the key list, the DPI page and the lighting page hold unsent.
    function saveAll() {
        var r = root
        r.mainFocus()
        if (r.keyMatrixMain.isSave || r.dpiSettingMain.isSave || r.lightControlMain.isSave)
            r.controlUIEnable(false)
        if (r.keyMatrixMain.isSave) {
            r.keyMatrixMain.isSave = false
            r.keyMatrixMain.modKeys.saveData()
        }
        if (r.dpiSettingMain.isSave) {
            r.dpiSettingMain.isSave = false
            r.dpiSettingMain.saveData(true)
        }
        if (r.lightControlMain.isSave) {
            r.lightControlMain.isSave = false
            r.lightControlMain.saveData(true, 0)
        }
        if (r.lodLV.isSave)
            r.lodLV.isSave = false
        r.controlUIEnable(true)
    }

    // Every page reloads the current profile and sends it to the mouse.
    function reloadPages() {
        root.keyMatrixMain.init(true, false)
        root.reportRateRect.init(true)
        root.lodRect.init(true)
        root.dpiSettingMain.init(true, false)
        root.lightControlMain.init(true, false)
        root.systemSettingMain.init(true, false)
    }

    function factoryReset() {
        var r = root
        var view = r.backend()
        r.controlUIEnable(false)
        r.factorysure.visible = false
        r.maskVisible = false
        view.resetProfile(r.profileMain.profileNo)
        reloadPages()
        view.mouseSetCurrentDPI(2)
        r.dpiSettingMain.currentDPI = 1
        r.gunControlMain.resetData()
        r.controlUIEnable(true)
        r.keyMatrixMain.isSave = false
        r.dpiSettingMain.isSave = false
        r.lightControlMain.isSave = false
        r.lodLV.isSave = false
    }

    function switchProfile(tmpProfileNo) {
        var r = root
        var view = r.backend()
        r.controlUIEnable(false)
        r.profileMain.profileNo = tmpProfileNo
        view.setGlobalData("mouse/profileNo", r.profileMain.profileNo)
        view.setCurrentProfile(r.profileMain.profileNo)
        reloadPages()
        r.dpiSettingMain.currentDPI = Numbers.toInt(view.mouseGetCurrentDPI(), 1) - 1
        r.controlUIEnable(true)
    }
}
