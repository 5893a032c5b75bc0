.pragma library

// Knob geometry of a slider track: the 12-pixel knob keeps a quarter of its
// width clear of either end, so a track of width w has knob positions
// q .. w - 15 and a usable length of w - 18.
var knobWidth = 12
var quarter = knobWidth / 4

function minX() {
    return quarter
}

function maxX(width) {
    return width - knobWidth - quarter
}

function usableLength(width) {
    return width - knobWidth - 2 * quarter
}

function clampX(width, x) {
    return Math.max(minX(), Math.min(maxX(width), x))
}

// Ratio 0..1 to knob position; the extra pixel lets ratio 0 land inside.
function ratioToX(width, ratio) {
    return Math.trunc(usableLength(width) * ratio) + quarter + 1
}

function indexToX(width, segment, index) {
    return usableLength(width) / segment * index + quarter
}

// The step a stepped knob goes to: the first step at or beyond x (with
// `slack` pixels of tolerance), or the last one.
function snapIndex(width, segment, x, slack) {
    var step = usableLength(width) / segment
    for (var i = 0; i < segment; ++i) {
        if (x <= quarter + i * step + slack)
            return i
    }
    return segment
}

// A click on the track aims the knob's left edge half a knob left of the
// pointer.
function clickTarget(width, clickX) {
    return clampX(width, clickX - knobWidth / 2)
}
