.pragma library

// Value rules of the gun panel: the rate knob, the red dot on the aiming
// picture and the records as the back end stores them.

var rowCount = 6
var maxY = 64
var maxTimes = 255
// The red dot's top edge runs over this range inside the aiming picture.
var dotTopMin = 89
var dotTopRange = 94

// Knob position p (3..89) of the rate slider as its text, 4..90 ms.
function rateText(knobX) {
    return String(Math.round(knobX) + 1) + "MS"
}

// The period a rate text stands for: "10MS" is 10, "9MS" is 9.
function periodOfRateText(text) {
    var t = String(text)
    return t.length > 3 ? t.substring(0, 2) : t.substring(0, 1)
}

// Where the rate knob goes for a stored period; the knob covers 4..90 ms.
function rateRatio(period) {
    return (clampInt(period, 4, 90, 10) - 5) / 86
}

function yOfDotTop(top) {
    var y = Math.floor((top - dotTopMin) / dotTopRange * maxY)
    return Math.max(0, Math.min(maxY, y))
}

function dotTopOfY(y) {
    var v = clampInt(y, 0, maxY, 0)
    return dotTopRange * v / maxY + dotTopMin
}

function clampInt(value, low, high, fallback) {
    var v = parseInt(value, 10)
    if (isNaN(v))
        return fallback
    return Math.max(low, Math.min(high, v))
}

// A stored record [name, key, period, x, y, times] as row values, or null
// when it is not a full record.
function recordToRow(record) {
    if (!record || record.length === undefined || record.length < 6)
        return null
    return {
        "gunName": String(record[0]),
        "gunKey": String(record[1]),
        "gunPeriod": String(clampInt(record[2], 1, 255, 10)),
        "gunX": "0",
        "gunY": String(clampInt(record[4], 0, maxY, 10)),
        "gunTimes": String(clampInt(record[5], 0, maxTimes, 0))
    }
}

function rowToRecord(row) {
    return [row.gunName, row.gunKey, row.gunPeriod, row.gunX, row.gunY, row.gunTimes]
}

// The three slot rows from the stored selection; anything that is not a
// row index keeps the slot's current gun.
function slotsOf(stored, current) {
    var out = current.slice()
    if (!stored || stored.length === undefined)
        return out
    for (var i = 0; i < 3 && i < stored.length; ++i)
        out[i] = clampInt(stored[i], 0, rowCount - 1, out[i])
    return out
}
