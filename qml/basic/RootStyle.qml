import QtQuick
import modules.qml

// The root screen's style values and picture addresses. They are the values
// of the Theme singleton that the controls read: a change on either side is
// seen on the other, so pages and controls never disagree.
Item {
    id: rootStyle

    property int skin_No: Theme.skin_No

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

    // Every property above, kept equal to Theme's of the same name in both
    // directions. A name being copied is not copied back.
    readonly property var themeNames: ["skin_No", "fontFamily", "fontNormalSize", "fontMiddleSize",
        "fontMaxSize", "fontMinSize", "fontColor", "colorGray0", "colorGray1", "colorGray2",
        "colorGray3", "colorBlue", "colorOrange", "colorBlack", "sourceBackground",
        "sourceTitleBar", "sourceTitleLogo", "sourcePowerOn", "sourceCompany", "sourceAsk",
        "sourceAskH", "sourceMinBtn", "sourceMinBtnH", "sourceCloseBtn", "sourceCloseBtnH",
        "sourceRestBtn", "sourceRestBtnH", "sourceRestBtnP", "sourceBack", "sourceBackH",
        "sourceDropBtn", "sourceDropBtnU", "sourceCheckBtn", "sourceSlide", "sourceSureBtn",
        "sourceMouseFront", "sourceMouse0", "sourceColorBar", "sourceSpeedScale",
        "sourceMacroKeyDelay", "sourceMacroKeyPress", "sourceMacroKeyRelease",
        "sourceMacroMousePress", "sourceMacroMouseRelease", "sourceM416", "sourceAKM",
        "sourceM16A4", "sourceSCARL", "sourceThomson", "sourceUNP9", "sourceTarget"]
    readonly property var copying: ({})

    function copyStyle(from, to, name) {
        if (copying[name])
            return
        copying[name] = true
        to[name] = from[name]
        copying[name] = false
    }

    property var themeLinks: []

    Component.onCompleted: {
        var links = []
        themeNames.forEach(function(name) {
            // A plain value from here on: following Theme through a binding
            // as well would write Theme's own bound values back over their
            // bindings.
            rootStyle[name] = Theme[name]
            var fromTheme = function() { rootStyle.copyStyle(Theme, rootStyle, name) }
            rootStyle[name + "Changed"].connect(function() {
                rootStyle.copyStyle(rootStyle, Theme, name)
            })
            Theme[name + "Changed"].connect(fromTheme)
            links.push([name, fromTheme])
        })
        themeLinks = links
    }
    // Theme outlives this item.
    Component.onDestruction: {
        themeLinks.forEach(function(link) { Theme[link[0] + "Changed"].disconnect(link[1]) })
    }
}
