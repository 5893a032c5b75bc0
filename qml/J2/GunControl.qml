import QtQuick
import QtQml.Models
import modules.qml
import "GunLogic.js" as GunLogic
import "RootParts.js" as RootParts

// Gun presets: six named guns with recoil offset, fire period and shot
// count, three of them in the mouse's gun slots. The periods of the three
// slot guns travel with every key matrix the key list sends.
Rectangle {
    id: gunControl

    property var mainRoot: null
    property bool isSave: false
    property int selectGun1: 0
    property int selectGun2: 1
    property int selectGun3: 2
    // The row shown in the editing controls.
    property int currentGun: 0
    property alias gunNumberModel: gunNumberModelData
    property alias gunNumber_lv: gunList
    property alias gunSelect: slotList
    property alias gunRate: rateLV
    property var gunControlLang: ["Gun editor", "Gun", "Select gun", "Cursor Adjust", "X Axis",
        "Y axis", "Fire adjust", "Rate", "Times", "Endness"]

    component GunLabel: Text {
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
        height: 24
        verticalAlignment: Text.AlignVCenter
    }

    // A number field with a frame, named for assistive tools by its label.
    component GunField: RectInput {
        id: field
        property string name: ""
        property bool readOnly: false
        txtInput.readOnly: readOnly
        border.color: Theme.colorGray1
        Accessible.role: Accessible.EditableText
        Accessible.name: name
        Accessible.description: textValue
        Accessible.readOnly: readOnly
        Accessible.onPressAction: field.txtInput.forceActiveFocus()
    }

    function backend() {
        return mainRoot ? mainRoot.backend() : null
    }

    function slotRows() {
        return [selectGun1, selectGun2, selectGun3]
    }

    function setSlots(rows) {
        selectGun1 = rows[0]
        selectGun2 = rows[1]
        selectGun3 = rows[2]
    }

    // The fire periods of the three slot guns, in slot order.
    function gunPeriods() {
        var rows = slotRows()
        var periods = []
        for (var i = 0; i < rows.length; ++i)
            periods.push(parseInt(gunNumberModelData.get(rows[i]).gunPeriod, 10))
        return periods
    }

    function init() {
        for (var k = 0; k < 3; ++k)
            slotNames.setProperty(k, "textValue", gunControlLang[1] + (k + 1))
        var view = backend()
        if (view) {
            for (var row = 0; row < GunLogic.rowCount; ++row) {
                var values = GunLogic.recordToRow(view.getGunData(row))
                if (values)
                    gunNumberModelData.set(row, values)
            }
            setSlots(GunLogic.slotsOf(view.getGlobalData("mouse/selectGun"), slotRows()))
        }
        slotList.currentSelect = 0
        gunList.currentIndex = selectGun1
        loadGunData(selectGun1)
    }

    function resetData() {
        setSlots([0, 1, 2])
        var view = backend()
        if (view)
            view.setGlobalData("mouse/selectGun", [0, 1, 2])
        var presetY = ["5", "7", "8"]
        for (var i = 0; i < 3; ++i) {
            gunNumberModelData.setProperty(i, "gunY", presetY[i])
            gunNumberModelData.setProperty(i, "gunPeriod", "9")
        }
        for (var j = 0; j < 3; ++j)
            saveData(j, false)
        for (var k = 0; k < 3; ++k)
            sendData(k)
        slotList.currentSelect = 0
        gunList.currentIndex = 0
        loadGunData(0)
    }

    // Slot index + 1 gets the shot count and offsets of the gun in it.
    function sendData(index) {
        var view = backend()
        if (!view || index < 0 || index > 2)
            return
        var row = gunNumberModelData.get(slotRows()[index])
        view.mouseSendGundata(index + 1, [parseInt(row.gunTimes, 10), parseInt(row.gunX, 10),
                                          parseInt(row.gunY, 10)])
    }

    function saveData(index, isAllSave) {
        isSave = true
        var view = backend()
        if (!view)
            return
        for (var row = 0; row < gunNumberModelData.count; ++row) {
            if (isAllSave || row === index)
                view.mouseSaveGundata(row, GunLogic.rowToRecord(gunNumberModelData.get(row)))
        }
    }

    // Shows row index in the editing controls.
    function loadGunData(index) {
        if (index < 0 || index >= gunNumberModelData.count)
            return
        currentGun = index
        var row = gunNumberModelData.get(index)
        yField.textValue = row.gunY
        redDot.y = GunLogic.dotTopOfY(row.gunY)
        rateLV.setValue(GunLogic.rateRatio(row.gunPeriod))
        timesField.textValue = row.gunTimes
        endless.isSelect = row.gunTimes === "0"
    }

    function gunControlFocus() {
        if (slotList.isDrop)
            slotList.closeMenu()
        if (rateLV.isDrop)
            rateLV.closeMenu()
        xField.closeFocus()
        yField.closeFocus()
        timesField.closeFocus()
    }

    // Puts row into the slot chosen in the slot list.
    function chooseGun(row) {
        gunControlFocus()
        var rows = slotRows()
        rows[Math.max(0, slotList.currentSelect)] = row
        setSlots(rows)
        var view = backend()
        if (view)
            view.setGlobalData("mouse/selectGun", rows)
        isSave = true
        gunList.currentIndex = row
        loadGunData(row)
    }

    function chooseSlot(slot) {
        var row = slotRows()[slot]
        gunList.currentIndex = row
        loadGunData(row)
    }

    function storeValue(role, value) {
        gunNumberModelData.setProperty(currentGun, role, String(value))
        saveData(currentGun, false)
    }

    function storeY(text) {
        var y = GunLogic.clampInt(text, 0, GunLogic.maxY, 0)
        yField.textValue = String(y)
        redDot.y = GunLogic.dotTopOfY(y)
        storeValue("gunY", y)
    }

    function storeTimes(text) {
        var times = GunLogic.clampInt(text, 0, GunLogic.maxTimes, 0)
        timesField.textValue = String(times)
        endless.isSelect = times === 0
        storeValue("gunTimes", times)
    }

    function storeEndless() {
        timesField.textValue = "0"
        storeValue("gunTimes", 0)
    }

    // The end of a knob drag stores the period the rate text shows.
    function storeRate() {
        storeValue("gunPeriod", GunLogic.periodOfRateText(rateLV.textValue))
    }

    function close() {
        gunControlFocus()
        visible = false
        if (mainRoot)
            mainRoot.maskVisible = false
        if (!isSave)
            return
        isSave = false
        sendData(0)
        sendData(1)
        sendData(2)
        var keys = RootParts.find(mainRoot, "keyMatrixMain")
        if (keys && keys.modKeys && typeof keys.modKeys.saveData === "function")
            keys.modKeys.saveData()
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

    ListModel {
        id: slotNames
        ListElement { textValue: "Gun1" }
        ListElement { textValue: "Gun2" }
        ListElement { textValue: "Gun3" }
    }

    // A press on the panel's free surface ends editing.
    MouseArea {
        anchors.fill: parent
        onPressed: gunControl.gunControlFocus()
    }

    PanelTitle {
        id: titleBar
        title: gunControl.gunControlLang[0]
        onCloseClicked: gunControl.close()
    }

    ListView {
        id: gunList
        objectName: "gunList"
        x: 16
        y: 56
        width: 248
        height: 58 * GunLogic.rowCount
        interactive: false
        model: gunNumberModelData
        Accessible.role: Accessible.List
        Accessible.name: gunControl.gunControlLang[1]
        Accessible.focusable: true
        activeFocusOnTab: true
        // The keys choose a gun as a click on its row does.
        signal rowPressed(int index, int button, real px, real py)
        onRowPressed: (index) => { if (index >= 0) gunControl.chooseGun(index) }
        Keys.onPressed: (event) => {
            event.accepted = KeyNav.pressRows(gunList, event, ListView.Contain, null)
        }
        FocusRing {
            parent: gunList
            z: 2
            gap: -Theme.focusWidth
        }

        // Delegates read their owner by id, which this qmllint cannot follow.
        // qmllint disable unqualified
        delegate: Rectangle {
            id: gunRow
            required property int index
            required property string gunName
            required property string gunImage
            width: 248
            height: 58
            color: gunList.currentIndex === index || gunRowArea.containsMouse
                   ? Theme.colorOrange : Theme.colorBlack
            Accessible.role: Accessible.ListItem
            Accessible.name: gunName
            Accessible.selected: gunList.currentIndex === index
            Accessible.onPressAction: gunControl.chooseGun(index)

            Image {
                x: 8
                anchors.verticalCenter: parent.verticalCenter
                width: 120
                height: 50
                fillMode: Image.PreserveAspectFit
                source: visible ? Theme.gunPicture(gunRow.gunImage) : ""
            }
            Text {
                x: 140
                anchors.verticalCenter: parent.verticalCenter
                text: gunRow.gunName
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontMiddleSize
                color: Theme.fontColor
            }
            MouseArea {
                id: gunRowArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: gunControl.chooseGun(gunRow.index)
            }
        }
        // qmllint enable unqualified
    }

    Column {
        x: 288
        y: 56
        spacing: 8

        GunLabel { text: gunControl.gunControlLang[2] }
        DropDownList {
            id: slotList
            objectName: "gunSlotList"
            z: 2
            width: 96
            count: 3
            currentSelect: 0
            mdItems: slotNames
            Accessible.role: Accessible.ComboBox
            Accessible.name: gunControl.gunControlLang[2]
            Accessible.description: textValue
            onBtnClick: {
                if (rateLV.isDrop)
                    rateLV.closeMenu()
            }
            onValueChange: (index) => gunControl.chooseSlot(index)
        }

        GunLabel { text: gunControl.gunControlLang[3] }
        Row {
            spacing: 24

            Image {
                id: target
                width: 190
                height: 190
                source: visible ? Theme.sourceTarget : ""

                Rectangle {
                    id: redDot
                    objectName: "redDot"
                    x: (target.width - width) / 2
                    y: GunLogic.dotTopOfY(10)
                    width: 8
                    height: 8
                    radius: 4
                    color: "red"
                    Accessible.role: Accessible.Slider
                    Accessible.name: gunControl.gunControlLang[5]
                    Accessible.description: yField.textValue
                    Accessible.onPressAction: yField.txtInput.forceActiveFocus()
                    Accessible.onIncreaseAction: gunControl.storeY(parseInt(yField.textValue, 10) + 1)
                    Accessible.onDecreaseAction: gunControl.storeY(parseInt(yField.textValue, 10) - 1)
                    Accessible.focusable: true
                    activeFocusOnTab: true
                    Keys.onPressed: (event) => {
                        var step = KeyNav.valueStep(event)
                        if (step !== 0) {
                            event.accepted = true
                            gunControl.storeY(parseInt(yField.textValue, 10) + step)
                        }
                    }

                    FocusRing { gap: 1 }

                    onYChanged: {
                        if (dotArea.drag.active)
                            yField.textValue = String(GunLogic.yOfDotTop(y))
                    }

                    MouseArea {
                        id: dotArea
                        anchors.fill: parent
                        anchors.margins: -4
                        drag.target: redDot
                        drag.axis: Drag.YAxis
                        drag.minimumY: GunLogic.dotTopMin
                        drag.maximumY: GunLogic.dotTopMin + GunLogic.dotTopRange
                        drag.threshold: 0
                        onPressed: gunControl.gunControlFocus()
                        onReleased: gunControl.storeY(yField.textValue)
                    }
                }
            }

            Grid {
                columns: 2
                rowSpacing: 12
                columnSpacing: 8
                y: 60

                GunLabel { text: gunControl.gunControlLang[4] }
                GunField {
                    id: xField
                    objectName: "gunXField"
                    name: gunControl.gunControlLang[4]
                    maxValue: GunLogic.maxY
                    readOnly: true
                }
                GunLabel { text: gunControl.gunControlLang[5] }
                GunField {
                    id: yField
                    objectName: "gunYField"
                    name: gunControl.gunControlLang[5]
                    maxValue: GunLogic.maxY
                    onEndInputSignal: gunControl.storeY(yField.textValue)
                }
            }
        }

        GunLabel { text: gunControl.gunControlLang[6] }
        Row {
            spacing: 12
            z: 1

            GunLabel {
                width: 48
                text: gunControl.gunControlLang[7]
            }
            DropDownSlider {
                id: rateLV
                objectName: "gunRate"
                width: 120
                textValue: "10ms"
                Accessible.role: Accessible.Slider
                Accessible.name: gunControl.gunControlLang[7]
                Accessible.description: textValue
                onBtnClick: {
                    if (slotList.isDrop)
                        slotList.closeMenu()
                }
                onValueChange: (index) => { rateLV.textValue = GunLogic.rateText(index) }
                // A press on the knob that does not move it stores nothing.
                property real dragStartX: -1
                onDragSignal: (isDrag) => {
                    if (isDrag)
                        dragStartX = sliderControl.knobX
                    else if (sliderControl.knobX !== dragStartX)
                        gunControl.storeRate()
                }
            }
        }
        Row {
            spacing: 12

            GunLabel {
                width: 48
                text: gunControl.gunControlLang[8]
            }
            GunField {
                id: timesField
                objectName: "gunTimesField"
                name: gunControl.gunControlLang[8]
                maxValue: GunLogic.maxTimes
                onEndInputSignal: gunControl.storeTimes(timesField.textValue)
            }
            CheckBox {
                id: endless
                objectName: "gunEndless"
                anchors.verticalCenter: parent.verticalCenter
                textValue: gunControl.gunControlLang[9]
                Accessible.role: Accessible.CheckBox
                Accessible.name: textValue
                Accessible.checkable: true
                Accessible.checked: isSelect
                // Handlers see the box before the click: ticking it means endless.
                onBtnClick: {
                    if (!endless.isSelect)
                        gunControl.storeEndless()
                }
            }
        }
    }
}
