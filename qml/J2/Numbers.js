.pragma library

// Numbers read from settings files and text fields, which hold text.

// The whole number at the start of the text, or fallback when there is none.
function toInt(value, fallback) {
    var n = parseInt(value, 10)
    return isNaN(n) ? fallback : n
}

function clamp(value, low, high) {
    return Math.max(low, Math.min(high, value))
}
