.pragma library

// What a button can do, as the key assignment dialog offers it. Each entry is
// the index of its text in the dialog's language array and its code: an
// 8-digit hex text of the category and the three values, two digits each.

var mouseEntries = [
    { label: 2, code: "0000F000" },
    { label: 3, code: "0000F200" },
    { label: 4, code: "0000F100" },
    { label: 5, code: "0000F400" },
    { label: 6, code: "0000F300" },
    { label: 7, code: "00f01e02" },
    { label: 57, code: "00000000" }
]

var mediaEntries = [
    { label: 27, code: "03008301" },
    { label: 28, code: "0300b500" },
    { label: 29, code: "0300b600" },
    { label: 30, code: "0300b700" },
    { label: 31, code: "0300e200" },
    { label: 32, code: "0300cd00" },
    { label: 33, code: "0300e900" },
    { label: 34, code: "0300ea00" }
]

var windowsEntries = [
    { label: 35, code: "06009401" },
    { label: 36, code: "06002302" },
    { label: 37, code: "06002102" },
    { label: 38, code: "06042c1b" },
    { label: 39, code: "06042c11" },
    { label: 40, code: "0600e307" },
    { label: 41, code: "0600e315" }
]

var shortcutEntries = [
    { label: 42, code: "0700e011" },
    { label: 43, code: "0700e01b" },
    { label: 44, code: "0700e006" },
    { label: 45, code: "0700e019" },
    { label: 46, code: "0700e016" },
    { label: 47, code: "0700e013" },
    { label: 48, code: "0700e009" },
    { label: 49, code: "0700e01c" },
    { label: 50, code: "0700e01d" },
    { label: 51, code: "0700e004" }
]

var dpiEntries = [
    { label: 22, code: "05000100" },
    { label: 23, code: "05000200" },
    { label: 24, code: "05000300" },
    { label: 56, code: "05000400" }
]

var gunEntries = [
    { label: 53, code: "08000100" },
    { label: 54, code: "08000200" },
    { label: 55, code: "08000300" }
]

// Each grid fills its last line of three with blank entries.
function gridLength(entries) {
    return Math.ceil(entries.length / 3) * 3
}

// "0300e900" -> [3, 0, 0xE9, 0]
function keyCodeStrProc(code) {
    var text = String(code)
    var values = []
    for (var i = 0; i < 4; ++i) {
        var v = parseInt(text.substr(2 * i, 2), 16)
        values.push(isNaN(v) ? 0 : v)
    }
    return values
}

// The entry of a media, Windows or shortcut grid for a value pair; the first
// value is not compared.
function entryOfPair(entries, code2, code3) {
    for (var i = 0; i < entries.length; ++i) {
        var c = keyCodeStrProc(entries[i].code)
        if (c[2] === code2 && c[3] === code3)
            return entries[i]
    }
    return null
}

// Display text of a definition. `lang` is the dialog's text array,
// `keyName(code)` names a key usage, `macroName(slot)` the macro of a slot.
function keyCodeToString(lang, keyName, macroName, code0, code1, code2, code3) {
    var c0 = Number(code0), c1 = Number(code1), c2 = Number(code2), c3 = Number(code3)
    var entry = null
    switch (c0) {
    case 0:
        switch (c2) {
        case 0xF0: return lang[2]
        case 0xF2: return lang[3]
        case 0xF1: return lang[4]
        case 0xF4: return lang[5]
        case 0xF3: return lang[6]
        case 0x00: return lang[57]
        default: return lang[7]
        }
    case 1:
        return keyName(c1)
    case 2:
        return comboNames(keyName, c1, c2, c3).join("+")
    case 3:
        entry = entryOfPair(mediaEntries, c2, c3)
        break
    case 6:
        entry = entryOfPair(windowsEntries, c2, c3)
        break
    case 7:
        entry = entryOfPair(shortcutEntries, c2, c3)
        break
    case 4:
        return macroName(c2)
    case 5:
        return c2 >= 1 && c2 <= 4 ? lang[dpiEntries[c2 - 1].label] : ""
    case 8:
        return c2 >= 1 && c2 <= 3 ? lang[gunEntries[c2 - 1].label] : ""
    default:
        return ""
    }
    return entry === null ? "" : lang[entry.label]
}

// Names of a key combination: the modifiers of the mask from bit 0 (0xE0)
// to bit 7 (0xE7), then the keys that are set.
function comboNames(keyName, mask, key1, key2) {
    var names = []
    for (var bit = 0; bit < 8; ++bit) {
        if (mask & (1 << bit))
            names.push(keyName(0xE0 + bit))
    }
    if (key1 !== 0)
        names.push(keyName(key1))
    if (key2 !== 0)
        names.push(keyName(key2))
    return names
}

function isModifier(usage) {
    return usage >= 0xE0 && usage <= 0xE7
}

// The rate text for a knob position: one more than the position, in ms.
function rateText(knobX) {
    return String(Math.floor(knobX) + 1) + "MS"
}

// The rate in a rate text: the number without its two-letter unit.
function rateOfText(text) {
    var v = parseInt(String(text).slice(0, -2), 10)
    return isNaN(v) ? 0 : v
}

// A definition read from the profile: four integers 0..255, or null when the
// stored value is missing or damaged (the row then stays as it is).
function toCodes(list) {
    if (list === undefined || list === null || list.length === undefined || list.length < 4)
        return null
    var codes = []
    for (var i = 0; i < 4; ++i) {
        var v = parseInt(list[i], 10)
        if (isNaN(v) || v < 0 || v > 255)
            return null
        codes.push(v)
    }
    return codes
}

// A plain copy of a key-list row, fit for ListModel.set.
function copyRow(row) {
    return {
        "keyText": row.keyText,
        "keyCode0": row.keyCode0,
        "keyCode1": row.keyCode1,
        "keyCode2": row.keyCode2,
        "keyCode3": row.keyCode3
    }
}

// The 64 values of the sixteen rows of a key list, row by row.
function matrixValues(model) {
    var values = []
    for (var i = 0; i < 16; ++i) {
        var row = model.get(i)
        values.push(row.keyCode0, row.keyCode1, row.keyCode2, row.keyCode3)
    }
    return values
}

// Rows of a key list that run the macro `name`: macro rows (category 4)
// whose slot (the second value) carries that name.
function macroRows(model, slotName, name) {
    var rows = []
    for (var i = 0; i < model.count; ++i) {
        var row = model.get(i)
        if (row.keyCode0 === 4 && slotName(row.keyCode2) === name)
            rows.push(i)
    }
    return rows
}
