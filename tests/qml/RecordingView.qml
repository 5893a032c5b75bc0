import QtQuick

// Stands in for the back end ("ui_View"): answers from small tables and
// writes every call, in order, into `log`; tests pick the calls they look
// at with `only`. Values too long for a log line (the macro slots and key
// matrices handed over) are kept beside it as well.
QtObject {
    id: recorder

    property var log: []
    property bool enabled: true
    property int currentDpi: 3
    property var globals: ({})
    property var profile: ({})
    property var lang: ({})
    property var guns: ({})
    // What the next open dialog of an import answers: picked or cancelled.
    property bool importPicks: true
    // The profile's default values, answered for reads with isRecovery.
    property var defaults: ({})
    // Macro files, each in the form loadMacroIni returns (event strings,
    // then the repeat count); the name lists by type; the file an import
    // picks (same form; null: the user cancels); the slots written.
    property var macros: ({})
    property var nameLists: ({})
    property var importFile: null
    property var sentMacros: []
    // Key definitions by button ("mouseKeyMatrix/" n of the profile and of
    // the default profile) and every key matrix handed over.
    property var keyDefines: ({})
    property var defaultKeyDefines: ({})
    property var keyMatrixSends: []

    // What the root screen reports of itself, by the native side's names;
    // kept apart from the log, which holds what the pages ask for.
    property var screen: ({})

    function report(name, value) {
        var next = Object.assign({}, screen)
        next[name] = value
        screen = next
    }
    function setScreenProfiles(names, numbers) {
        report("profileNames", names)
        report("profileNumbers", numbers)
    }
    function setScreenProfileNo(no) { report("profileNo", no) }
    function setScreenDpiStage(stage) { report("dpiStage", stage) }
    function setScreenStarted(started) { report("started", started) }
    function setScreenLocked(locked) { report("locked", locked) }
    function setScreenPanelOpen(open) { report("panelOpen", open) }
    function setScreenUnsaved(unsaved) { report("unsaved", unsaved) }

    function note(call) {
        log = log.concat([call])
    }
    function clear() {
        log = []
        sentMacros = []
        keyMatrixSends = []
    }
    // Calls whose text starts with one of the prefixes, in order.
    function only(prefixes) {
        return log.filter(function(call) {
            return prefixes.some(function(p) { return call.indexOf(p) === 0 })
        })
    }

    function getGlobalData(key) {
        note("getGlobalData(" + key + ")")
        return globals[key]
    }
    function setGlobalData(key, value) {
        note("setGlobalData(" + key + "," + value + ")")
        globals[key] = value
    }
    function getData(key, isRecovery) {
        note("getData(" + key + "," + isRecovery + ")")
        return isRecovery ? defaults[key] : profile[key]
    }
    function setData(key, value) {
        note("setData(" + key + "," + value + ")")
        profile[key] = value
    }
    // Lists come back as the settings file gives them: texts.
    function getDataList(key, isRecovery) {
        note("getDataList(" + key + "," + isRecovery + ")")
        var list = isRecovery ? defaults[key] : profile[key]
        if (list === undefined || list === null)
            return []
        return String(list).split(",").map(function(v) { return v.trim() })
    }
    function setDataList(key, list) {
        note("setDataList(" + key + "," + list.join(",") + ")")
        profile[key] = list.join(", ")
    }
    function mouseSetDpi(count, sensor, values) {
        note("mouseSetDpi(" + count + "," + sensor + "," + values.join(",") + ")")
    }
    function mouseSetRGBEffect(effect, option1, option2) {
        note("mouseSetRGBEffect(" + effect + "," + option1 + "," + option2 + ")")
    }
    function mouseSetRGBColor(type, colours) {
        note("mouseSetRGBColor(" + type + "," + colours.join(",") + ")")
    }
    function mouseSetCursorSpeed(level) { note("mouseSetCursorSpeed(" + level + ")") }
    function mouseSetDoubleClickSpeed(level) { note("mouseSetDoubleClickSpeed(" + level + ")") }
    function mouseSetVerticalScrollLines(lines) { note("mouseSetVerticalScrollLines(" + lines + ")") }
    function getLangStrings(group, language) {
        note("getLangStrings(" + group + "," + language + ")")
        return lang[group] === undefined ? [] : lang[group]
    }
    function setEnabled(isEnable) {
        note("setEnabled(" + isEnable + ")")
        enabled = isEnable
    }
    function mouseGetRight() { note("mouseGetRight()") }
    function setCurrentProfile(n) { note("setCurrentProfile(" + n + ")") }
    function mouseGetCurrentDPI() {
        note("mouseGetCurrentDPI()")
        return currentDpi
    }
    function mouseSetReportRate(rate) { note("mouseSetReportRate(" + rate + ")") }
    function resetProfile(n) { note("resetProfile(" + n + ")") }
    function mouseSetCurrentDPI(n) { note("mouseSetCurrentDPI(" + n + ")") }
    function deleteMacroUpdateProfile(name) { note("deleteMacroUpdateProfile(" + name + ")") }
    function modifyMacroNameUpdateProfile(oldName, newName) {
        note("modifyMacroNameUpdateProfile(" + oldName + "," + newName + ")")
    }
    function loadProfile(n) {
        note("loadProfile(" + n + ")")
        return importPicks
    }
    function saveProfile(n) { note("saveProfile(" + n + ")") }
    function getGunData(row) {
        note("getGunData(" + row + ")")
        return guns[row] === undefined ? [] : guns[row]
    }
    function mouseSaveGundata(row, record) {
        note("mouseSaveGundata(" + row + "," + record + ")")
        guns[row] = record
    }
    function mouseSendGundata(slot, values) {
        note("mouseSendGundata(" + slot + "," + values + ")")
    }

    function createMacroIni(name, macroIndex) {
        note("createMacroIni(" + name + "," + macroIndex + ")")
        macros[name] = ["1"]
        return true
    }
    function saveMacroIni(name, events, repeat) {
        note("saveMacroIni(" + name + "," + events.join("|") + "," + repeat + ")")
        if (macros[name] === undefined)
            return false
        macros[name] = events.concat([String(repeat)])
        return true
    }
    function loadMacroIni(name) {
        note("loadMacroIni(" + name + ")")
        return macros[name] === undefined ? [] : macros[name].slice()
    }
    function deleteMacroIni(name) {
        note("deleteMacroIni(" + name + ")")
        var existed = macros[name] !== undefined
        delete macros[name]
        return existed
    }
    function updataNameList(type, nameList) {
        note("updataNameList(" + type + "," + nameList.join("|") + ")")
        nameLists[type] = nameList.length === 1 ? [nameList[0], "loadermorvel"] : nameList.slice()
        return true
    }
    function getNameList(type) {
        note("getNameList(" + type + ")")
        return nameLists[type] === undefined ? [] : nameLists[type].slice()
    }
    function loadMacroFile(name) {
        note("loadMacroFile(" + name + ")")
        if (importFile === null)
            return false
        if (macros[name] === undefined)
            macros[name] = importFile.slice()
        return true
    }
    function saveMacroFile(name) { note("saveMacroFile(" + name + ")") }
    function mouseSendMacroData(macroData, macroIndex) {
        note("mouseSendMacroData(" + macroIndex + ")")
        sentMacros = sentMacros.concat([{ "slot": macroIndex, "data": macroData.slice() }])
        return true
    }
    function mouseGetKeydefine(index, isRecovery) {
        note("mouseGetKeydefine(" + index + "," + isRecovery + ")")
        var table = isRecovery ? defaultKeyDefines : keyDefines
        return table[index] === undefined ? [] : table[index]
    }
    function mouseSetKeyMatrix(src64, isSendData, otherParam) {
        note("mouseSetKeyMatrix(" + isSendData + "," + otherParam + ")")
        keyMatrixSends = keyMatrixSends.concat([{ "src64": src64, "isSendData": isSendData,
                                                  "otherParam": otherParam }])
    }
}
