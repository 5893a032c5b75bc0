import QtQuick
import QtQml.Models
import modules.qml
import "basic/RootLogic.js" as RootLogic

// The root screen: shared style values, the fixed parts of the window, every
// page, the busy lock and the functions the native side calls.
Item {
    id: mainIten

    // The back end ("ui_View") and the window controller ("ui_Ctl"). The
    // native side publishes them only after this item exists, so they are
    // looked up on first use; tests set these two to their own doubles.
    property var uiView: null
    property var uiCtl: null

    property var mainLang: RootLogic.mainLangDefaults.slice()
    property string language: "ChineseSimplified"
    property string url: "https://www.zerant.example/"
    property bool isColorful: false
    property bool isGun: true
    property string icType: "553"
    property bool is55328: false
    property bool isPownOn: false
    property int skin_No: 1

    property string fontFamily: Theme.fontFamily
    property int fontNormalSize: Theme.fontNormalSize
    property int fontMiddleSize: Theme.fontMiddleSize
    property int fontMaxSize: Theme.fontMaxSize
    property int fontMinSize: Theme.fontMinSize
    property color fontColor: Theme.fontColor
    property color colorGray0: Theme.colorGray0
    property color colorGray1: Theme.colorGray1
    property color colorGray2: Theme.colorGray2
    property color colorGray3: Theme.colorGray3
    property color colorBlue: Theme.colorBlue
    property color colorOrange: Theme.colorOrange
    property color colorBlack: Theme.colorBlack

    property url sourceBackground: Theme.sourceBackground
    property url sourceTitleBar: Theme.sourceTitleBar
    property url sourceTitleLogo: Theme.sourceTitleLogo
    property url sourcePowerOn: Theme.sourcePowerOn
    property url sourceCompany: Theme.sourceCompany
    property url sourceAsk: Theme.sourceAsk
    property url sourceAskH: Theme.sourceAskH
    property url sourceMinBtn: Theme.sourceMinBtn
    property url sourceMinBtnH: Theme.sourceMinBtnH
    property url sourceCloseBtn: Theme.sourceCloseBtn
    property url sourceCloseBtnH: Theme.sourceCloseBtnH
    property url sourceRestBtn: Theme.sourceRestBtn
    property url sourceRestBtnH: Theme.sourceRestBtnH
    property url sourceRestBtnP: Theme.sourceRestBtnP
    property url sourceBack: Theme.sourceBack
    property url sourceBackH: Theme.sourceBackH
    property url sourceDropBtn: Theme.sourceDropBtn
    property url sourceDropBtnU: Theme.sourceDropBtnU
    property url sourceCheckBtn: Theme.sourceCheckBtn
    property url sourceSlide: Theme.sourceSlide
    property url sourceSureBtn: Theme.sourceSureBtn
    property url sourceMouseFront: Theme.sourceMouseFront
    property url sourceMouse0: Theme.sourceMouse0
    property url sourceColorBar: Theme.sourceColorBar
    property url sourceSpeedScale: Theme.sourceSpeedScale
    property url sourceMacroKeyDelay: Theme.sourceMacroKeyDelay
    property url sourceMacroKeyPress: Theme.sourceMacroKeyPress
    property url sourceMacroKeyRelease: Theme.sourceMacroKeyRelease
    property url sourceMacroMousePress: Theme.sourceMacroMousePress
    property url sourceMacroMouseRelease: Theme.sourceMacroMouseRelease
    property url sourceM416: Theme.sourceM416
    property url sourceAKM: Theme.sourceAKM
    property url sourceM16A4: Theme.sourceM16A4
    property url sourceSCARL: Theme.sourceSCARL
    property url sourceThomson: Theme.sourceThomson
    property url sourceUNP9: Theme.sourceUNP9
    property url sourceTarget: Theme.sourceTarget

    // Pages reach the overlay and one another through these.
    property alias maskVisible: mainMask.visible
    readonly property alias keyCodeTable: _KeyCodeString
    readonly property bool anyUnsaved: keyMatrixMain.isSave || dpiSettingMain.isSave
                                       || lightControlMain.isSave || lodLV.isSave

    signal emptyAreaPressed()
    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int brinCode, int x, int y)

    onSkin_NoChanged: Theme.skin_No = skin_No

    function backend() {
        // qmllint disable unqualified
        if (uiView === null && typeof ui_View !== "undefined")
            uiView = ui_View
        // qmllint enable unqualified
        return uiView
    }

    function controller() {
        // qmllint disable unqualified
        if (uiCtl === null && typeof ui_Ctl !== "undefined")
            uiCtl = ui_Ctl
        // qmllint enable unqualified
        return uiCtl
    }

    function setViewEnabled(isEnable) {
        var view = backend()
        if (view)
            view.setEnabled(isEnable)
    }

    function initUI() {
        setProtectUI(1000)
        visible = true
        var view = backend()
        if (!isPownOn) {
            isColorful = RootLogic.toBool(view.getGlobalData("mouse/isColorful"))
            icType = RootLogic.toText(view.getGlobalData("mouse/icType"), icType)
            is55328 = RootLogic.toBool(view.getGlobalData("mouse/is55328"))
            isGun = RootLogic.toBool(view.getGlobalData("mouse/isGun"))
            mouseMain.keyCount = RootLogic.toInt(view.getGlobalData("mouse/keyCount"),
                                                 mouseMain.keyCount)
            language = RootLogic.toText(view.getGlobalData("common/language"), language)
            url = RootLogic.toText(view.getGlobalData("common/url"), url)

            loadLanguage(view)

            reportRateRect.init(false)
            lodRect.init(false)
            lodLV.isSave = false

            profileMain.init()
            profileMain.profileNo = RootLogic.toInt(view.getGlobalData("mouse/profileNo"), 0)
            upItem.profileBtn.currentSelect = profileMain.profileNo

            view.mouseGetRight()
            upItem.profileBtn.closeMenu()
            console.log("profileNo", profileMain.profileNo)
            view.setCurrentProfile(profileMain.profileNo)

            macroEditorMain.init()
            gunControlMain.init()
            keyAssigmentMain.init()

            keyMatrixMain.init(false, false)
            dpiSettingMain.init(false, false)
            lightControlMain.init(false, false)
            systemSettingMain.init(false, false)

            isPownOn = true
        }
        dpiSettingMain.currentDPI = RootLogic.toInt(view.mouseGetCurrentDPI(), 1) - 1
    }

    // Every text array from the language file; the "other" group sets the
    // texts of the DPI-switch notices on the native side.
    function loadLanguage(view) {
        function load(group, defaults) {
            return RootLogic.mergeLang(defaults, view.getLangStrings(group, language))
        }
        mainLang = load("main", mainLang)
        keyMatrixMain.keyMatrixLang = load("keyMatrix", keyMatrixMain.keyMatrixLang)
        keyAssigmentMain.keyAssigmentLang = load("keyAssigment", keyAssigmentMain.keyAssigmentLang)
        dpiSettingMain.dpiSettingLang = load("dpiSetting", dpiSettingMain.dpiSettingLang)
        lightControlMain.lightControlLang = load("lightControl", lightControlMain.lightControlLang)
        macroEditorMain.macroEditorLang = load("macroEditor", macroEditorMain.macroEditorLang)
        systemSettingMain.systemSettingLang = load("systemSetting",
                                                   systemSettingMain.systemSettingLang)
        gunControlMain.gunControlLang = load("gunControl", gunControlMain.gunControlLang)
        profileMain.profileLang = load("profile", profileMain.profileLang)
        _KeyCodeString.keyCodeStr = load("keyCode", _KeyCodeString.keyCodeStr)
        view.getLangStrings("other", language)
    }

    function run() {
        keyMatrixMain.init(false, false)
    }

    // Locks the screen for interval ms; 0 unlocks before returning.
    function setProtectUI(interval) {
        var ms = RootLogic.toInt(interval, 0)
        protectUIItem.setBusy(true)
        setViewEnabled(false)
        tmrProtectUI.stop()
        if (ms <= 0) {
            endProtectUI()
            return
        }
        tmrProtectUI.interval = ms
        tmrProtectUI.start()
    }

    function endProtectUI() {
        setViewEnabled(true)
        protectUIItem.setBusy(false)
        if (powerOnLogo.visible) {
            powerOnLogo.visible = false
            envItem.visible = true
            panelleft.visible = true
            bottomBar.visible = true
            panelRight.visible = true
            upItem.visible = true
            mouseMain.visible = true
            infoText1.visible = true
            infoText2.visible = true
        }
    }

    function setCurrentDPI(dpiValue) {
        var stage = parseInt(dpiValue, 10)
        if (isNaN(stage) || stage === 0)
            return
        dpiSettingMain.currentDPI = stage - 1
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, brinCode, x, y) {
        msg_MS(isDown, brinCode, x, y)
    }

    function mainFocus() {
        var lists = [reportRateLV, lodLV, dpiSettingMain.dpiSegment, upItem.profileBtn,
                     lightControlMain.lightModel]
        for (var i = 0; i < lists.length; ++i) {
            if (lists[i].isDrop)
                lists[i].closeMenu()
        }
    }

    function controlUIEnable(isEnable) {
        protectUIItem.setBusy(!isEnable)
        setViewEnabled(isEnable)
    }

    function dragWindow(dx, dy) {
        var ctl = controller()
        if (!ctl)
            return
        ctl.onXChanged(dx)
        ctl.onYChanged(dy)
    }

    function centre(panel) {
        panel.x = RootLogic.centred(width, panel.width)
        panel.y = RootLogic.centred(height, panel.height)
    }

    function moveBox(box, dx, dy) {
        box.x = RootLogic.clampInto(box.x + dx, box.width, width)
        box.y = RootLogic.clampInto(box.y + dy, box.height, height)
    }

    function openMacroEditor() {
        mainFocus()
        macroEditorMain.visible = true
        centre(macroEditorMain)
        mainMask.visible = true
    }

    function openSystemSetting() {
        mainMask.visible = true
        systemSettingMain.visible = true
        centre(systemSettingMain)
    }

    function openProfiles() {
        mainFocus()
        profileMain.visible = true
        mainMask.visible = true
        centre(profileMain)
    }

    function openFactoryReset() {
        mainFocus()
        factorysure.visible = true
        mainMask.visible = true
    }

    function closeProfileList() {
        upItem.profileBtn.closeMenu()
    }

    // Opens the key assignment dialog for a button, unless it is the last
    // button left doing a left click.
    function openKeyAssigment(index) {
        mouseMain.selectKey = index
        if (keyMatrixMain.modKeys.checkOneLeftKey()) {
            mouseMain.selectKey = -1
            return
        }
        keyAssigmentMain.show(index)
        mainMask.visible = true
        mainFocus()
    }

    function saveAll() {
        mainFocus()
        if (keyMatrixMain.isSave || dpiSettingMain.isSave || lightControlMain.isSave)
            controlUIEnable(false)
        if (keyMatrixMain.isSave) {
            keyMatrixMain.isSave = false
            keyMatrixMain.modKeys.saveData()
        }
        if (dpiSettingMain.isSave) {
            dpiSettingMain.isSave = false
            dpiSettingMain.saveData(true)
        }
        if (lightControlMain.isSave) {
            lightControlMain.isSave = false
            lightControlMain.saveData(true, 0)
        }
        if (lodLV.isSave)
            lodLV.isSave = false
        controlUIEnable(true)
    }

    // Every page reloads the current profile and sends it to the mouse.
    function reloadPages() {
        keyMatrixMain.init(true, false)
        reportRateRect.init(true)
        lodRect.init(true)
        dpiSettingMain.init(true, false)
        lightControlMain.init(true, false)
        systemSettingMain.init(true, false)
    }

    function factoryReset() {
        var view = backend()
        controlUIEnable(false)
        factorysure.visible = false
        mainMask.visible = false
        view.resetProfile(profileMain.profileNo)
        reloadPages()
        view.mouseSetCurrentDPI(2)
        dpiSettingMain.currentDPI = 1
        gunControlMain.resetData()
        controlUIEnable(true)
        keyMatrixMain.isSave = false
        dpiSettingMain.isSave = false
        lightControlMain.isSave = false
        lodLV.isSave = false
    }

    function switchProfile(tmpProfileNo) {
        var view = backend()
        controlUIEnable(false)
        profileMain.profileNo = tmpProfileNo
        view.setGlobalData("mouse/profileNo", profileMain.profileNo)
        view.setCurrentProfile(profileMain.profileNo)
        reloadPages()
        dpiSettingMain.currentDPI = RootLogic.toInt(view.mouseGetCurrentDPI(), 1) - 1
        controlUIEnable(true)
    }

    // The macro bound to a button slot, by name.
    function macroSlotName(slot) {
        var name = backend().getData("mouseMacroKey/" + slot, false)
        return name === undefined || name === null ? "" : String(name)
    }

    width: 1024
    height: 640
    visible: false

    DragArea {
        id: dragRegion
        objectName: "dragRegion"
        anchors.fill: parent
        hoverEnabled: true
        onPressed: {
            mainIten.emptyAreaPressed()
            mainIten.mainFocus()
        }
        onDragged: (dx, dy) => mainIten.dragWindow(dx, dy)
    }

    Image {
        id: powerOnLogo
        objectName: "powerOnLogo"
        anchors.centerIn: parent
        source: mainIten.sourcePowerOn
    }

    BusyIndicator {
        id: protectUIItem
        objectName: "protectUIItem"
        anchors.centerIn: parent
        z: 99
    }

    Timer {
        id: tmrProtectUI
        objectName: "tmrProtectUI"
        interval: 1000
        repeat: false
        onTriggered: mainIten.endProtectUI()
    }

    Environment {
        id: envItem
        objectName: "envItem"
        x: 0
        y: 0
        visible: false
        url: mainIten.url
    }

    Column {
        id: panelleft
        objectName: "panelleft"
        x: 24
        y: 88
        spacing: 8
        visible: false

        KeyMatrix {
            id: keyMatrixMain
            objectName: "keyMatrixMain"
            mainRoot: mainIten
            keyCount: mouseMain.keyCount
            selectKey: mouseMain.selectKey
            onEnterBtn: (index) => { mouseMain.selectKey = index }
            onLeaveBtn: (index) => {
                if (!keyAssigmentMain.visible)
                    mouseMain.selectKey = -1
            }
            onClickBtn: (index) => mainIten.openKeyAssigment(index)
        }

        Rectangle {
            id: macroBG
            width: 232
            height: 76
            color: mainIten.colorBlack

            Text {
                anchors.left: parent.left
                anchors.leftMargin: 8
                anchors.top: parent.top
                anchors.topMargin: 12
                text: mainIten.mainLang[0]
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontMiddleSize
                font.bold: true
                color: mainIten.fontColor
            }
            Column {
                anchors.left: parent.left
                anchors.leftMargin: 8
                anchors.top: parent.top
                anchors.topMargin: 40
                spacing: 2

                TextButton {
                    id: macroEntry
        objectName: "macroEntry"
                    width: 216
                    height: 24
                    text: mainIten.mainLang[1]
                    normalColor: "transparent"
                    onClicked: mainIten.openMacroEditor()
                }
                Rectangle {
                    width: 216
                    height: 1
                    visible: false
                    color: mainIten.colorGray1
                }
                TextButton {
                    id: gunEntry
                    width: 216
                    height: 24
                    visible: false
                    text: mainIten.mainLang[2]
                    normalColor: "transparent"
                    onClicked: {
                        mainIten.mainFocus()
                        gunControlMain.visible = true
                        mainMask.visible = true
                    }
                }
            }
        }

        Rectangle {
            id: reportRateRect
        objectName: "reportRateRect"
            width: 232
            height: 42
            z: 2
            color: mainIten.colorBlack

            function init(isSendData) {
                var view = mainIten.backend()
                var index = RootLogic.toInt(view.getData("mouse/reportRate", false), 3)
                reportRateLV.currentSelect = index
                if (isSendData)
                    view.mouseSetReportRate(RootLogic.reportRateValue(index))
            }

            Text {
                anchors.left: parent.left
                anchors.leftMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                text: mainIten.mainLang[3]
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontNormalSize
                color: mainIten.fontColor
            }
            DropDownList {
                id: reportRateLV
        objectName: "reportRateLV"
                anchors.right: parent.right
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                width: 120
                count: 4
                mdItems: ListModel {
                    ListElement { textValue: "125Hz" }
                    ListElement { textValue: "250Hz" }
                    ListElement { textValue: "500Hz" }
                    ListElement { textValue: "1000Hz" }
                }
                onBtnClick: mainIten.mainFocus()
                onValueChange: (index) => {
                    var view = mainIten.backend()
                    view.setData("mouse/reportRate", index)
                    view.mouseSetReportRate(RootLogic.reportRateValue(index))
                }
            }
        }

        Rectangle {
            id: lodRect
        objectName: "lodRect"
            width: 232
            height: 66
            z: 1
            visible: false
            color: mainIten.colorBlack

            property bool isLoading: false

            // Loading only shows the stored values; it neither stores nor
            // marks anything unsaved.
            function init(isSendData) {
                var view = mainIten.backend()
                var v = RootLogic.toInt(view.getData("mouse/lod", false), 3)
                lodEnable.isSelect = RootLogic.toBool(view.getData("mouse/lodEn", false))
                isLoading = true
                lodLV.setValue((v - 3) / 89)
                isLoading = false
                lodLV.textValue = RootLogic.lodText(v)
            }

            Text {
                anchors.left: parent.left
                anchors.leftMargin: 8
                y: 4
                text: mainIten.mainLang[11]
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontNormalSize
                color: mainIten.fontColor
            }
            DropDownSlider {
                id: lodLV
        objectName: "lodLV"
                anchors.right: parent.right
                anchors.rightMargin: 8
                y: 4
                width: 120
                textValue: "10ms"

                property int tmpValue: 90
                property bool isSave: false

                onBtnClick: mainIten.mainFocus()
                onValueChange: (index) => {
                    if (lodRect.isLoading)
                        return
                    lodLV.textValue = RootLogic.lodText(index)
                    mainIten.backend().setData("mouse/lod", index)
                    lodLV.tmpValue = index
                    lodLV.isSave = true
                }
            }
            CheckBox {
                id: lodEnable
        objectName: "lodEnable"
                anchors.left: parent.left
                anchors.leftMargin: 8
                y: 40
                textValue: "Enable"
                isSelect: true
                onBtnClick: {
                    mainIten.backend().setData("mouse/lodEn", !lodEnable.isSelect)
                    lodLV.isSave = true
                }
            }
        }

        TextButton {
            id: systemEntry
        objectName: "systemEntry"
            width: 232
            height: 24
            text: mainIten.mainLang[9]
            bold: true
            normalColor: mainIten.colorBlack
            onClicked: mainIten.openSystemSetting()
        }
    }

    Row {
        id: bottomBar
        objectName: "bottomBar"
        anchors.right: parent.right
        anchors.rightMargin: 24
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 8
        spacing: 16
        visible: false

        TextButton {
            id: profileBtn
        objectName: "profileBtn"
            text: mainIten.mainLang[4]
            onClicked: mainIten.openProfiles()
        }
        TextButton {
            id: resetBtn
        objectName: "resetBtn"
            text: mainIten.mainLang[5]
            onClicked: mainIten.openFactoryReset()
        }
        TextButton {
            id: saveBtn
            objectName: "saveBtn"
            text: mainIten.mainLang[10]
            normalColor: mainIten.anyUnsaved ? "#ff3030" : mainIten.colorBlue
            onClicked: mainIten.saveAll()
        }
    }

    Column {
        id: panelRight
        objectName: "panelRight"
        x: 768
        y: 56
        spacing: 8
        visible: false

        DpiSetting {
            id: dpiSettingMain
            objectName: "dpiSettingMain"
            mainRoot: mainIten
            z: 1
        }
        LightControl {
            id: lightControlMain
            objectName: "lightControlMain"
            mainRoot: mainIten
        }
    }

    Menu_Up {
        id: upItem
        objectName: "upItem"
        x: 920
        y: 16
        visible: false
        profileModel: profileMain.profileDataModel0
        onBtnClicked: (btnIndex) => {
            var ctl = mainIten.controller()
            if (btnIndex === 0 && ctl)
                ctl.onMinimize()
            else if (btnIndex === 1 && ctl)
                ctl.onClose()
            else if (btnIndex === 2)
                versionWnd.visible = true
        }
        onProfileChosen: (index) => profileMain.changeProfile(index)
    }

    Mouse {
        id: mouseMain
        objectName: "mouseMain"
        anchors.fill: parent
        visible: false
        onBtnClick: mainIten.mainFocus()
        onBadgeClicked: (index) => {
            if (keyMatrixMain.modKeys.checkOneLeftKey()) {
                mouseMain.selectKey = -1
                return
            }
            mouseMain.btnClick()
            mainMask.visible = true
            keyAssigmentMain.show(index)
        }
    }

    Text {
        id: infoText1
        objectName: "infoText1"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 24
        visible: false
        text: "MOLTA R770"
        color: "Red"
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMiddleSize + 6
    }

    Text {
        id: infoText2
        objectName: "infoText2"
        anchors.left: parent.left
        anchors.leftMargin: 24
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 24
        visible: false
        // The address the click opens, without its scheme.
        text: mainIten.url.replace(/^[a-z]+:\/\//i, "").replace(/\/$/, "")
        color: "Red"
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMiddleSize + 6

        MouseArea {
            anchors.fill: parent
            onClicked: Qt.openUrlExternally(mainIten.url)
        }
    }

    Rectangle {
        id: mainMask
        objectName: "mainMask"
        anchors.fill: parent
        visible: false
        color: "#90000000"

        DragArea {
            anchors.fill: parent
            onPressed: {
                mainIten.emptyAreaPressed()
                mainIten.mainFocus()
                if (macroEditorMain.visible)
                    macroEditorMain.macroEditorFocus()
                if (profileMain.visible)
                    profileMain.profileFocus()
                if (gunControlMain.visible)
                    gunControlMain.gunControlFocus()
                if (lightControlMain.visible)
                    lightControlMain.lightControlFocus()
                if (systemSettingMain.visible)
                    systemSettingMain.systemSettingFocus()
            }
            onDragged: (dx, dy) => mainIten.dragWindow(dx, dy)
        }
    }

    MacroEditor {
        id: macroEditorMain
        objectName: "macroEditorMain"
        mainRoot: mainIten
        visible: false
    }

    GunControl {
        id: gunControlMain
        objectName: "gunControlMain"
        mainRoot: mainIten
        x: (mainIten.width - width) / 2
        y: (mainIten.height - height) / 2
        visible: false
    }

    SystemSetting {
        id: systemSettingMain
        objectName: "systemSettingMain"
        mainRoot: mainIten
        visible: false
    }

    KeyAssigment {
        id: keyAssigmentMain
        objectName: "keyAssigmentMain"
        mainRoot: mainIten
        x: (mainIten.width - width) / 2
        y: (mainIten.height - height) / 2
        visible: false

        function show(index) {
            visible = true
            x = (mainIten.width - width) / 2
            var row = keyMatrixMain.modKeys.get(index)
            keyString = row.keyText
            keyCode0 = row.keyCode0
            keyCode1 = row.keyCode1
            keyCode2 = row.keyCode2
            keyCode3 = row.keyCode3
        }

        onClosed: {
            mainMask.visible = false
            mouseMain.selectKey = -1
        }
    }

    Profile {
        id: profileMain
        objectName: "profileMain"
        mainRoot: mainIten
        visible: false
        onChangeProfile: (tmpProfileNo) => mainIten.switchProfile(tmpProfileNo)
    }

    VersionBox {
        id: versionWnd
        objectName: "versionWnd"
        x: (mainIten.width - width) / 2
        y: (mainIten.height - height) / 2
        visible: false
        onDragged: (dx, dy) => mainIten.moveBox(versionWnd, dx, dy)
        onReportClicked: if (mainIten.controller()) mainIten.controller().saveReport()
        onCloseClicked: {
            versionWnd.visible = false
            mainMask.visible = false
        }
    }

    ResetConfirm {
        id: factorysure
        objectName: "factorysure"
        x: (mainIten.width - width) / 2
        y: (mainIten.height - height) / 2
        visible: false
        title: mainIten.mainLang[5]
        question: mainIten.mainLang[6]
        okText: mainIten.mainLang[8]
        cancelText: mainIten.mainLang[7]
        onDragged: (dx, dy) => mainIten.moveBox(factorysure, dx, dy)
        onAccepted: mainIten.factoryReset()
        onRejected: {
            factorysure.visible = false
            mainMask.visible = false
        }
    }

    KeyCodeString {
        id: _KeyCodeString
    }

    Connections {
        target: mainIten
        function onMsg_KB(isDown, usbCode) {
            var listIndex = macroEditorMain.macroNumber_lv.currentIndex
            if (macroEditorMain.isInputting && listIndex !== -1)
                macroEditorMain.detectKeyboard(isDown, usbCode)
            if (macroEditorMain.isInsertting && listIndex !== -1)
                macroEditorMain.detectInput(isDown, usbCode)
            if (keyAssigmentMain.isFireInput)
                keyAssigmentMain.detectKeyboard(isDown, usbCode, 0)
            if (keyAssigmentMain.isComboInput)
                keyAssigmentMain.detectKeyboard(isDown, usbCode, 1)
        }
    }

    // The key list follows the macro editor: deleted and renamed macros and
    // changed macro contents reach the buttons that use them.
    Connections {
        target: macroEditorMain
        function onDeleteMacro(macroName) {
            var keys = keyMatrixMain.modKeys
            var rows = RootLogic.macroRows(keys, mainIten.macroSlotName, macroName)
            for (var i = 0; i < rows.length; ++i) {
                keys.set(rows[i], RootLogic.copyRow(keyMatrixMain.modKeys_tmp.get(rows[i])))
                keys.saveData()
            }
            mainIten.backend().deleteMacroUpdateProfile(macroName)
        }
        function onModifyMacroName(oldMacroName, newMacroName) {
            var keys = keyMatrixMain.modKeys
            var rows = RootLogic.macroRows(keys, mainIten.macroSlotName, oldMacroName)
            for (var i = 0; i < rows.length; ++i) {
                var slot = keys.get(rows[i]).keyCode2
                mainIten.backend().setData("mouseMacroKey/" + slot, newMacroName)
                keys.setProperty(rows[i], "keyText", newMacroName)
            }
            mainIten.backend().modifyMacroNameUpdateProfile(oldMacroName, newMacroName)
        }
        function onModifyMacroData(macroName) {
            var rows = RootLogic.macroRows(keyMatrixMain.modKeys, mainIten.macroSlotName, macroName)
            for (var i = 0; i < rows.length; ++i)
                macroEditorMain.sendMacro(rows[i], macroName)
        }
    }
}
