.pragma library

// The pointer-speed and double-click sliders are 352 long: knob positions
// 3..337. A position gives the level of the first entry above it, 0..10.
var compareValue = [4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338]
var knobMin = 3
var knobMax = 337
var screenLines = 1000

function level(x) {
    for (var i = 0; i < compareValue.length; ++i) {
        if (compareValue[i] > x)
            return i
    }
    return compareValue.length - 1
}

// The leftmost knob position of a level, for stepping with assistive tools.
function levelPosition(level) {
    var l = Math.max(0, Math.min(compareValue.length - 1, level))
    return l === 0 ? knobMin : compareValue[l - 1]
}

// A stored knob position, held inside the track; unreadable ones start at
// the left end.
function knobPosition(stored) {
    var x = parseInt(stored, 10)
    if (isNaN(x))
        return knobMin
    return Math.max(knobMin, Math.min(knobMax, x))
}

// Text of the lines field after editing: empty or non-positive becomes "1",
// more than the field allows becomes 100.
function linesText(text) {
    var n = parseInt(text, 10)
    if (isNaN(n) || n < 1)
        return "1"
    return String(Math.min(100, n))
}
