import QtQml
import "RootLogic.js" as RootLogic
import "../J2/Numbers.js" as Numbers

// The start-up of the root screen `root`: the busy lock and the part that
// runs once per process (device traits, texts, the current profile and the
// first load of every page).
QtObject {
    id: startUp

    property var root: null

    function setViewEnabled(isEnable) {
        var view = root.backend()
        if (view)
            view.setEnabled(isEnable)
    }

    function protect(ms, busy, timer) {
        busy.setBusy(true)
        setViewEnabled(false)
        timer.stop()
        if (ms <= 0) {
            root.endProtectUI()
            return
        }
        timer.interval = ms
        timer.start()
    }

    function unlock(busy) {
        setViewEnabled(true)
        busy.setBusy(false)
    }

    // The start picture gives way to the parts of the screen.
    function reveal(logo, parts) {
        logo.visible = false
        for (var i = 0; i < parts.length; ++i)
            parts[i].visible = true
    }

    function loadOnce(view) {
        var r = root
        r.isColorful = RootLogic.toBool(view.getGlobalData("mouse/isColorful"))
        r.icType = RootLogic.toText(view.getGlobalData("mouse/icType"), r.icType)
        r.is55328 = RootLogic.toBool(view.getGlobalData("mouse/is55328"))
        r.isGun = RootLogic.toBool(view.getGlobalData("mouse/isGun"))
        r.mouseMain.keyCount = Numbers.toInt(view.getGlobalData("mouse/keyCount"),
                                             r.mouseMain.keyCount)
        r.language = RootLogic.toText(view.getGlobalData("common/language"), r.language)
        r.url = RootLogic.toText(view.getGlobalData("common/url"), r.url)

        loadLanguage(view)

        r.reportRateRect.init(false)
        r.lodRect.init(false)
        r.lodLV.isSave = false

        r.profileMain.init()
        r.profileMain.profileNo = Numbers.toInt(view.getGlobalData("mouse/profileNo"), 0)
        r.upItem.profileBtn.currentSelect = r.profileMain.profileNo

        view.mouseGetRight()
        r.upItem.profileBtn.closeMenu()
        console.log("profileNo", r.profileMain.profileNo)
        view.setCurrentProfile(r.profileMain.profileNo)

        r.macroEditorMain.init()
        r.gunControlMain.init()
        r.keyAssigmentMain.init()

        r.keyMatrixMain.init(false, false)
        r.dpiSettingMain.init(false, false)
        r.lightControlMain.init(false, false)
        r.systemSettingMain.init(false, false)
    }

    // Every text array from the language file; the "other" group sets the
    // texts of the DPI-switch notices on the native side.
    function loadLanguage(view) {
        var r = root
        function load(group, defaults) {
            return RootLogic.mergeLang(defaults, view.getLangStrings(group, r.language))
        }
        r.mainLang = load("main", r.mainLang)
        r.keyMatrixMain.keyMatrixLang = load("keyMatrix", r.keyMatrixMain.keyMatrixLang)
        r.keyAssigmentMain.keyAssigmentLang = load("keyAssigment",
                                                   r.keyAssigmentMain.keyAssigmentLang)
        r.dpiSettingMain.dpiSettingLang = load("dpiSetting", r.dpiSettingMain.dpiSettingLang)
        r.lightControlMain.lightControlLang = load("lightControl",
                                                   r.lightControlMain.lightControlLang)
        r.macroEditorMain.macroEditorLang = load("macroEditor", r.macroEditorMain.macroEditorLang)
        r.systemSettingMain.systemSettingLang = load("systemSetting",
                                                     r.systemSettingMain.systemSettingLang)
        r.gunControlMain.gunControlLang = load("gunControl", r.gunControlMain.gunControlLang)
        r.profileMain.profileLang = load("profile", r.profileMain.profileLang)
        r.keyCodeTable.keyCodeStr = load("keyCode", r.keyCodeTable.keyCodeStr)
        view.getLangStrings("other", r.language)
    }
}
