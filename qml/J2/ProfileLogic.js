.pragma library

// The profile list as the name file keeps it: one string per row, the
// display name followed by the row's profile number as one digit.

var maxRows = 6
var singleNameMarker = "loadermorvel"
// Lists are stored comma-separated: a name must not hold the separator.
var listSeparator = ","

// Rows {textValue, profileNo} of a stored name list. Entries that do not end
// in a free profile number 0..5 are left out.
function rowsOfNames(names) {
    var list = []
    if (names && names.length !== undefined) {
        for (var i = 0; i < names.length; ++i)
            list.push(String(names[i]))
    }
    if (list.length === 2 && list[1] === singleNameMarker)
        list.pop()
    var rows = []
    var used = {}
    for (var j = 0; j < list.length && rows.length < maxRows; ++j) {
        var s = list[j]
        var no = parseInt(s.charAt(s.length - 1), 10)
        if (s.length < 1 || isNaN(no) || no >= maxRows || used[no])
            continue
        used[no] = true
        rows.push({ "textValue": s.substring(0, s.length - 1), "profileNo": no })
    }
    return rows
}

function rowsOfModel(model) {
    var rows = []
    for (var i = 0; i < model.count; ++i) {
        var r = model.get(i)
        rows.push({ "textValue": r.textValue, "profileNo": r.profileNo })
    }
    return rows
}

function namesOfRows(rows) {
    var names = []
    for (var i = 0; i < rows.length; ++i)
        names.push(rows[i].textValue + String(rows[i].profileNo))
    return names
}

function hasName(rows, name, exceptRow) {
    for (var i = 0; i < rows.length; ++i) {
        if (i !== exceptRow && rows[i].textValue === name)
            return true
    }
    return false
}

// "profile_" and the first number 0..11 no row's name uses.
function freeName(rows) {
    for (var n = 0; n < 12; ++n) {
        if (!hasName(rows, "profile_" + n, -1))
            return "profile_" + n
    }
    return "profile_" + rows.length
}

// The first profile number 0..5 no row uses, or -1.
function freeNumber(rows) {
    for (var n = 0; n < maxRows; ++n) {
        var taken = false
        for (var i = 0; i < rows.length; ++i)
            taken = taken || rows[i].profileNo === n
        if (!taken)
            return n
    }
    return -1
}

// A new name for row `row` is taken when it is not empty, holds no list
// separator and no other row has it.
function renameAllowed(rows, row, name) {
    var text = String(name)
    return text.trim().length > 0 && text.indexOf(listSeparator) < 0
        && !hasName(rows, text, row)
}

function rowOfNumber(rows, no) {
    for (var i = 0; i < rows.length; ++i) {
        if (rows[i].profileNo === no)
            return i
    }
    return -1
}

// Per-program rules, kept in apConfig: "appProfile/" + profile number holds
// the window classes of the row's programs, blank-separated;
// "appProfile/fallback" the number of the row used when no rule matches.
var programsGroup = "appProfile/"
var fallbackKey = "appProfile/fallback"

function programsKey(no) {
    return programsGroup + no
}

// A stored or typed programs text as blank-separated window classes.
function programsText(value) {
    if (value === undefined || value === null)
        return ""
    var text = (typeof value === "object" && value.length !== undefined)
        ? Array.prototype.join.call(value, " ") : String(value)
    return text.split(/[\s,]+/).filter(function(s) { return s.length > 0 }).join(" ")
}

function fallbackOf(value) {
    var no = parseInt(value, 10)
    return isNaN(no) || no < 0 || no >= maxRows ? 0 : no
}
