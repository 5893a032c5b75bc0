import QtQuick
import QtTest
import modules.qml

// The root screen in parts: its style values are Theme's in both directions,
// its children keep their stacking order, and the parts declared in the
// columns and the bottom bar are reachable from the root.
Item {
    id: scene
    width: 1024
    height: 640

    TestCase {
        name: "RootParts"
        when: windowShown

        function createMain() {
            var component = Qt.createComponent("qrc:/modules/qml/main.qml")
            verify(component.status === Component.Ready, component.errorString())
            return createTemporaryObject(component, scene)
        }

        function cleanup() {
            Theme.sourceSureBtn = Theme.picture("index", "sureBtn.png")
            Theme.colorOrange = "#cf3e00"
            Theme.fontNormalSize = 12
        }

        function test_styleValuesAreTheThemes() {
            var main = createMain()
            var save = findChild(main, "saveBtn")
            main.colorOrange = "#123456"
            compare(Theme.colorOrange, Qt.color("#123456"))
            compare(save.hoverColor, Qt.color("#123456"))
            Theme.fontNormalSize = 20
            compare(main.fontNormalSize, 20)
            compare(save.fontSize, 20)

            // A picture address too, and the way back.
            var address = "qrc:/modules/img/titleBar.png"
            Theme.sourceSureBtn = address
            compare(main.sourceSureBtn, address)
        }

        function test_childrenInStackingOrderAndPartsReachable() {
            var main = createMain()
            var names = []
            for (var c = 0; c < main.children.length; ++c)
                names.push(main.children[c].objectName)
            // The screen's parts in reading order, which Tab follows.
            compare(names, ["dragRegion", "powerOnLogo", "protectUIItem", "envItem", "upItem",
                            "panelleft", "mouseMain", "panelRight", "bottomBar", "infoText1",
                            "infoText2", "mainMask", "macroEditorMain", "gunControlMain",
                            "systemSettingMain", "keyAssigmentMain", "profileMain", "versionWnd",
                            "factorysure"])
            var parts = ["keyMatrixMain", "macroEntry", "reportRateRect", "reportRateLV", "lodRect",
                         "lodLV", "lodEnable", "systemEntry", "profileBtn", "resetBtn", "saveBtn",
                         "dpiSettingMain", "lightControlMain"]
            for (var i = 0; i < parts.length; ++i)
                verify(main[parts[i]] === findChild(main, parts[i]), parts[i])
        }
    }
}
