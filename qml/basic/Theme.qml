pragma Singleton
import QtQuick

// Style values and picture addresses shared by the root screen, the pages and
// the controls. The root screen's properties of the same names are these
// values (RootStyle keeps both sides equal); the controls read them here so
// that they also work outside the root screen.
QtObject {
    property int skin_No: 1

    property string fontFamily: "微软雅黑"
    property int fontNormalSize: 12
    property int fontMiddleSize: 14
    property int fontMaxSize: 16
    property int fontMinSize: 10
    property color fontColor: "#ffffff"
    property color colorGray0: "#1a1a1a"
    property color colorGray1: "#3c3c3c"
    property color colorGray2: "#969696"
    property color colorGray3: "#d1d1d1"
    property color colorBlue: "#09347f"
    property color colorOrange: "#cf3e00"
    property color colorBlack: Qt.rgba(0, 0, 0, 1)
    // The frame around the control that has the keyboard focus.
    property color focusColor: colorOrange
    property int focusWidth: 2

    // Pictures of a skin live under a prefix named after their group.
    function picture(group, fileName) {
        return "qrc:/" + group + "/modules/img/skin" + skin_No + "/" + group + "/" + fileName
    }
    // The gun pictures exist in skin 1 only.
    function gunPicture(fileName) {
        return "qrc:/gun/modules/img/skin1/gun/" + fileName
    }

    property url sourceBackground: "qrc:/modules/img/background.png"
    property url sourceTitleBar: "qrc:/modules/img/titleBar.png"
    property url sourceTitleLogo: "qrc:/modules/img/titleLogo.png"

    property url sourcePowerOn: picture("index", "powerOn.png")
    property url sourceCompany: picture("index", "company.png")
    property url sourceAsk: picture("index", "ask.png")
    property url sourceAskH: picture("index", "askH.png")
    property url sourceMinBtn: picture("index", "minBtn.png")
    property url sourceMinBtnH: picture("index", "minBtnH.png")
    property url sourceCloseBtn: picture("index", "closeBtn.png")
    property url sourceCloseBtnH: picture("index", "closeBtnH.png")
    property url sourceRestBtn: picture("index", "restBtn.png")
    property url sourceRestBtnH: picture("index", "restBtnH.png")
    property url sourceRestBtnP: picture("index", "restBtnP.png")
    property url sourceBack: picture("index", "back.png")
    property url sourceBackH: picture("index", "backH.png")
    property url sourceDropBtn: picture("index", "dropBtn.png")
    property url sourceDropBtnU: picture("index", "dropBtnU.png")
    property url sourceCheckBtn: picture("index", "checkBtn.png")
    property url sourceSlide: picture("index", "slide.png")
    property url sourceSureBtn: picture("index", "sureBtn.png")

    property url sourceMouseFront: picture("mouse", "MouseFront.png")
    property url sourceMouse0: picture("mouse", "Mouse0.png")

    property url sourceColorBar: picture("lightControl", "colorBar.png")
    property url sourceSpeedScale: picture("lightControl", "speedScale.png")

    property url sourceMacroKeyDelay: picture("macros", "macroKeyDelay.png")
    property url sourceMacroKeyPress: picture("macros", "macroKeyPress.png")
    property url sourceMacroKeyRelease: picture("macros", "macroKeyRelease.png")
    property url sourceMacroMousePress: picture("macros", "macroMousePress.png")
    property url sourceMacroMouseRelease: picture("macros", "macroMouseRelease.png")

    property url sourceM416: gunPicture("M416.png")
    property url sourceAKM: gunPicture("AKM.png")
    property url sourceM16A4: gunPicture("M16A4.png")
    property url sourceSCARL: gunPicture("SCAR-L.png")
    property url sourceThomson: gunPicture("Thomson.png")
    property url sourceUNP9: gunPicture("UNP9.png")
    property url sourceTarget: gunPicture("target.png")
}
