.pragma library

// Report rate: list index (125, 250, 500, 1000 Hz) to the mouse's rate
// value, the polling interval in milliseconds.
function reportRateValue(index) {
    switch (parseInt(index, 10)) {
    case 0:
        return 8
    case 1:
        return 4
    case 2:
        return 2
    default:
        return 1
    }
}

// Lift-off distance index 3..89 as the text of the slider box.
function lodText(value) {
    var v = Number(value)
    return String(parseInt((v - 3) * 2 / 86 * 10, 10) / 10) + "mm"
}

// A text array from the language file keeps the fixed positions of the
// default one: missing positions keep their English text, and an empty
// result (no file or no group) leaves the defaults in place.
function mergeLang(defaults, loaded) {
    var result = []
    var n = (loaded === undefined || loaded === null) ? 0 : loaded.length
    if (n === undefined || n === 0)
        return defaults.slice()
    for (var i = 0; i < n; ++i)
        result.push(loaded[i] === undefined || loaded[i] === null ? "" : String(loaded[i]))
    for (var j = n; j < defaults.length; ++j)
        result.push(defaults[j])
    return result
}

// Settings files hold text: "false" must not read as true.
function toBool(value) {
    if (value === true || value === false)
        return value
    if (value === undefined || value === null)
        return false
    if (typeof value === "number")
        return value !== 0
    var text = String(value).trim().toLowerCase()
    return text === "true" || (text !== "" && !isNaN(Number(text)) && Number(text) !== 0)
}

// Keeps a box of the given size inside the area.
function clampInto(pos, size, areaSize) {
    return Math.max(0, Math.min(areaSize - size, pos))
}

function centred(areaSize, size) {
    return (areaSize - size) / 2
}

function toText(value, fallback) {
    if (value === undefined || value === null || String(value) === "")
        return fallback
    return String(value)
}

var mainLangDefaults = ["Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config", "Reset",
                        "Reset factory setting", "Cancel", "OK", "System setting", "Save", "LOD",
                        "", "", ""]

