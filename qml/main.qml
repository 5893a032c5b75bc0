import QtQuick
import modules.qml
import "basic/RootLogic.js" as RootLogic
import "J2/Numbers.js" as Numbers

// The root screen: the fixed parts of the window, every page and the
// functions the native side calls; its parts and flows live in basic/.
RootStyle {
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

    // Pages reach the overlay, one another and the parts through these.
    property alias maskVisible: mainMask.visible
    readonly property alias keyCodeTable: _KeyCodeString
    readonly property alias keyMatrixMain: panelleft.keyMatrixMain
    readonly property alias macroEntry: panelleft.macroEntry
    readonly property alias gunEntry: panelleft.gunEntry
    readonly property alias reportRateRect: panelleft.reportRateRect
    readonly property alias reportRateLV: panelleft.reportRateLV
    readonly property alias lodRect: panelleft.lodRect
    readonly property alias lodLV: panelleft.lodLV
    readonly property alias lodEnable: panelleft.lodEnable
    readonly property alias systemEntry: panelleft.systemEntry
    readonly property alias profileBtn: bottomBar.profileBtn
    readonly property alias resetBtn: bottomBar.resetBtn
    readonly property alias saveBtn: bottomBar.saveBtn
    readonly property alias dpiSettingMain: panelRight.dpiSettingMain
    readonly property alias lightControlMain: panelRight.lightControlMain
    readonly property alias upItem: upItem
    readonly property alias mouseMain: mouseMain
    readonly property alias macroEditorMain: macroEditorMain
    readonly property alias gunControlMain: gunControlMain
    readonly property alias systemSettingMain: systemSettingMain
    readonly property alias keyAssigmentMain: keyAssigmentMain
    readonly property alias profileMain: profileMain
    readonly property alias versionWnd: versionWnd
    readonly property alias factorysure: factorysure
    readonly property bool anyUnsaved: keyMatrixMain.isSave || dpiSettingMain.isSave
                                       || lightControlMain.isSave || lodLV.isSave

    signal emptyAreaPressed()
    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int brinCode, int x, int y)

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

    function initUI() {
        setProtectUI(1000)
        visible = true
        var view = backend()
        if (!isPownOn) {
            startUp.loadOnce(view)
            isPownOn = true
        }
        dpiSettingMain.currentDPI = Numbers.toInt(view.mouseGetCurrentDPI(), 1) - 1
    }

    function run() {
        keyMatrixMain.init(false, false)
    }

    // Locks the screen for interval ms; 0 unlocks before returning.
    function setProtectUI(interval) {
        startUp.protect(Numbers.toInt(interval, 0), protectUIItem, tmrProtectUI)
    }

    // The first unlock replaces the start picture by the screen.
    function endProtectUI() {
        startUp.unlock(protectUIItem)
        if (powerOnLogo.visible)
            startUp.reveal(powerOnLogo, [envItem, panelleft, bottomBar, panelRight, upItem,
                                         mouseMain, infoText1, infoText2])
    }

    function setCurrentDPI(dpiValue) {
        var stage = parseInt(dpiValue, 10)
        if (!isNaN(stage) && stage !== 0)
            dpiSettingMain.currentDPI = stage - 1
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, brinCode, x, y) {
        msg_MS(isDown, brinCode, x, y)
    }

    function dropDowns() {
        return [reportRateLV, lodLV, dpiSettingMain.dpiSegment, upItem.profileBtn,
                lightControlMain.lightModel]
    }

    function mainFocus() {
        var lists = dropDowns()
        for (var i = 0; i < lists.length; ++i) {
            if (lists[i].isDrop)
                lists[i].closeMenu()
        }
    }

    function anyDropOpen() {
        return dropDowns().some((list) => list.isDrop)
    }

    function controlUIEnable(isEnable) {
        protectUIItem.setBusy(!isEnable)
        startUp.setViewEnabled(isEnable)
    }

    // The first step of a drag asks the window system to move the window
    // (the only way on Wayland); where it cannot, the window moves itself.
    function dragWindow(area, dx, dy) {
        var ctl = controller()
        if (!ctl)
            return
        if (ctl.startSystemMove()) {
            area.handedOver = true
            return
        }
        ctl.onXChanged(dx)
        ctl.onYChanged(dy)
    }

    // Moves a box inside the window, never out of it.
    function moveBox(box, dx, dy) {
        box.x = RootLogic.clampInto(box.x + dx, box.width, width)
        box.y = RootLogic.clampInto(box.y + dy, box.height, height)
    }

    // The Save button's work; the tray's Quit calls it when the user says so.
    function saveAll() {
        profileFlow.saveAll()
    }

    function closeProfileList() {
        upItem.profileBtn.closeMenu()
    }

    // The title bar's list and the control interface choose a row; each row
    // carries the number of its own profile file.
    function switchToRow(row) {
        var number = profileMain.profileNoAt(row)
        if (number >= 0)
            profileMain.changeProfile(number)
    }

    onMsg_KB: (isDown, usbCode) => panels.routeKey(isDown, usbCode)

    // Keys no control used arrive here; before any control has the focus, all do.
    focus: true
    Keys.onPressed: (event) => { event.accepted = focusKeeper.handleKey(event) }

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
        onDragged: (dx, dy) => mainIten.dragWindow(dragRegion, dx, dy)
    }

    Image {
        id: powerOnLogo
        objectName: "powerOnLogo"
        anchors.centerIn: parent
        // Decoded when the root is first shown, released when the screen replaces it.
        source: visible ? mainIten.sourcePowerOn : ""
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
        onTriggered: mainIten.endProtectUI()
    }

    Environment {
        id: envItem
        objectName: "envItem"
        visible: false
        url: mainIten.url
    }

    Menu_Up {
        id: upItem
        objectName: "upItem"
        x: 920
        y: 16
        // Over the columns: its profile list drops over the right one.
        z: 1
        visible: false
        profileModel: profileMain.profileDataModel0
        onBtnClicked: (btnIndex) => panels.titleButton(btnIndex)
        // The list shows rows; each row carries the number of its own file.
        onProfileChosen: (index) => mainIten.switchToRow(index)
    }

    LeftColumn {
        id: panelleft
        objectName: "panelleft"
        x: 24
        y: 88
        visible: false
        mainRoot: mainIten
        mainLang: mainIten.mainLang
        keyCount: mouseMain.keyCount
        selectKey: mouseMain.selectKey
        onKeyClicked: (index) => panels.openKeyAssigment(index)
        onMacroEditorClicked: panels.openMacroEditor()
        onGunEditorClicked: panels.openGunControl()
        onSystemSettingClicked: panels.openSystemSetting()
    }

    Mouse {
        id: mouseMain
        objectName: "mouseMain"
        anchors.fill: parent
        visible: false
        onBtnClick: mainIten.mainFocus()
    }

    RightColumn {
        id: panelRight
        objectName: "panelRight"
        x: 768
        y: 56
        visible: false
        mainRoot: mainIten
    }

    BottomBar {
        id: bottomBar
        objectName: "bottomBar"
        anchors.right: parent.right
        anchors.rightMargin: 24
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 8
        visible: false
        mainLang: mainIten.mainLang
        anyUnsaved: mainIten.anyUnsaved
        onProfileClicked: panels.openProfiles()
        onResetClicked: panels.openFactoryReset()
        onSaveClicked: profileFlow.saveAll()
    }

    InfoText {
        id: infoText1
        objectName: "infoText1"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 24
        visible: false
        text: "MOLTA R770"
    }

    InfoText {
        id: infoText2
        objectName: "infoText2"
        anchors.left: parent.left
        anchors.leftMargin: 24
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 24
        visible: false
        // The address the click opens, without its scheme.
        text: mainIten.url.replace(/^[a-z]+:\/\//i, "").replace(/\/$/, "")
        link: mainIten.url
    }

    Rectangle {
        id: mainMask
        objectName: "mainMask"
        anchors.fill: parent
        visible: false
        color: "#90000000"

        DragArea {
            id: overlayDrag
            anchors.fill: parent
            onPressed: panels.overlayPressed()
            onDragged: (dx, dy) => mainIten.dragWindow(overlayDrag, dx, dy)
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
        onChangeProfile: (tmpProfileNo) => profileFlow.switchProfile(tmpProfileNo)
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
        onAccepted: profileFlow.factoryReset()
        onRejected: {
            factorysure.visible = false
            mainMask.visible = false
        }
    }

    KeyCodeString {
        id: _KeyCodeString
    }

    StartUp { id: startUp; root: mainIten }
    PanelOpener { id: panels; root: mainIten }
    ProfileFlow { id: profileFlow; root: mainIten }
    FocusKeeper {
        id: focusKeeper
        root: mainIten
        window: mainIten.Window.window
        // The close path of each, as its close control runs it.
        panels: [[versionWnd, () => versionWnd.closeClicked()],
                 [factorysure, () => factorysure.rejected()],
                 [macroEditorMain, () => macroEditorMain.closeEditor()],
                 [gunControlMain, () => gunControlMain.close()],
                 [systemSettingMain, () => systemSettingMain.close()],
                 [keyAssigmentMain, () => keyAssigmentMain.close()],
                 [profileMain, () => profileMain.close()]]
        innerPanels: [macroEditorMain.keyPanels, profileMain.keyPanels]
    }
}
