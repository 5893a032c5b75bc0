import QtQuick

// Stands in for the back end ("ui_View"): answers from small tables and
// writes every call, in order, into `log`.
QtObject {
    id: recorder

    property var log: []
    property bool enabled: true
    property int currentDpi: 3
    property var globals: ({})
    property var profile: ({})
    property var lang: ({})
    // Key definitions by button ("mouseKeyMatrix/" n of the profile and of
    // the default profile) and every key matrix handed over, kept apart
    // from `log`.
    property var keyDefines: ({})
    property var defaultKeyDefines: ({})
    property var keyMatrixSends: []

    function note(call) {
        log = log.concat([call])
    }
    function clear() {
        log = []
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
        return profile[key]
    }
    function setData(key, value) {
        note("setData(" + key + "," + value + ")")
        profile[key] = value
    }
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
    function mouseGetKeydefine(index, isRecovery) {
        var table = isRecovery ? defaultKeyDefines : keyDefines
        return table[index] === undefined ? [] : table[index]
    }
    function mouseSetKeyMatrix(src64, isSendData, otherParam) {
        keyMatrixSends = keyMatrixSends.concat([{ "src64": src64, "isSendData": isSendData,
                                                  "otherParam": otherParam }])
    }
}
