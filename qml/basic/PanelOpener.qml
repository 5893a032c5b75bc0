import QtQml
import "RootLogic.js" as RootLogic

// Opens the modal panels of the root `root` centred over the dim overlay,
// hands a press on the overlay to the panels that are open and captured keys
// to the panels that wait for them, and runs the title-bar pictures.
QtObject {
    id: opener

    property var root: null
    // Pause is no capture's key: a keyboard user ends the capture that runs
    // with it, since every other key is captured (Tab and Escape too).
    readonly property int stopKey: 0x48

    function centre(panel) {
        panel.x = RootLogic.centred(root.width, panel.width)
        panel.y = RootLogic.centred(root.height, panel.height)
    }

    function openMacroEditor() {
        root.mainFocus()
        root.macroEditorMain.visible = true
        centre(root.macroEditorMain)
        root.maskVisible = true
    }

    // Leaves open drop-downs alone.
    function openSystemSetting() {
        root.maskVisible = true
        root.systemSettingMain.visible = true
        centre(root.systemSettingMain)
    }

    function openGunControl() {
        root.mainFocus()
        root.gunControlMain.visible = true
        root.maskVisible = true
    }

    function openProfiles() {
        root.mainFocus()
        root.profileMain.visible = true
        root.maskVisible = true
        centre(root.profileMain)
    }

    function openFactoryReset() {
        root.mainFocus()
        root.factorysure.visible = true
        root.maskVisible = true
    }

    // The key assignment dialog for a button, unless it is the last button
    // left doing a left click.
    function openKeyAssigment(index) {
        root.mouseMain.selectKey = index
        if (root.keyMatrixMain.modKeys.checkOneLeftKey()) {
            root.mouseMain.selectKey = -1
            return
        }
        root.keyAssigmentMain.show(index)
        root.maskVisible = true
        root.mainFocus()
    }

    // A badge has already selected its button.
    function overlayPressed() {
        var r = root
        r.emptyAreaPressed()
        r.mainFocus()
        if (r.macroEditorMain.visible)
            r.macroEditorMain.macroEditorFocus()
        if (r.profileMain.visible)
            r.profileMain.profileFocus()
        if (r.gunControlMain.visible)
            r.gunControlMain.gunControlFocus()
        if (r.lightControlMain.visible)
            r.lightControlMain.lightControlFocus()
        if (r.systemSettingMain.visible)
            r.systemSettingMain.systemSettingFocus()
    }

    // Ends each capture the way its pointer control does: the combination
    // is confirmed, the recording stopped, the key to insert taken. A fire
    // capture takes Pause itself: any key ends it.
    function stopCaptures() {
        var editor = root.macroEditorMain
        var dialog = root.keyAssigmentMain
        if (dialog.isComboInput)
            dialog.confirmCombo()
        if (editor.isInsertting)
            editor.acceptInsertKey()
        if (editor.isInputting)
            editor.toggleRecord()
    }

    function routeKey(isDown, usbCode) {
        var editor = root.macroEditorMain
        var dialog = root.keyAssigmentMain
        if (usbCode === stopKey && !dialog.isFireInput) {
            if (isDown)
                stopCaptures()
            return
        }
        var listIndex = editor.macroNumber_lv.currentIndex
        if (editor.isInputting && listIndex !== -1)
            editor.detectKeyboard(isDown, usbCode)
        if (editor.isInsertting && listIndex !== -1)
            editor.detectInput(isDown, usbCode)
        if (dialog.isFireInput)
            dialog.detectKeyboard(isDown, usbCode, 0)
        if (dialog.isComboInput)
            dialog.detectKeyboard(isDown, usbCode, 1)
    }

    // 0 minimise, 1 close (hide), 2 the version box.
    function titleButton(btnIndex) {
        var ctl = root.controller()
        if (btnIndex === 0 && ctl)
            ctl.onMinimize()
        else if (btnIndex === 1 && ctl)
            ctl.onClose()
        else if (btnIndex === 2)
            root.versionWnd.visible = true
    }
}
