.pragma library
.import "Numbers.js" as Numbers

// Stage values of the DPI page. The vertical sliders are 176 long, so their
// knobs run from 3 to 161: 158 pixel steps span the range minDPI..maxDPI,
// and every value lands on the dpiBase grid.
var knobSteps = 158
var knobFirst = 3
var stageCount = 8
var defaultValues = [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000]

// Where a stage value puts the knob, 0..1; values outside the range sit at
// its ends.
function knobRatio(value, minDPI, maxDPI) {
    var span = maxDPI - minDPI
    var v = Number(value)
    if (!(span > 0) || isNaN(v))
        return 0
    return Numbers.clamp((v - minDPI) / span, 0, 1)
}

// Value of a knob position: the grid value at or below the point the knob
// stands for, kept on the grid inside the range.
function positionToValue(p, minDPI, maxDPI, dpiBase) {
    var base = dpiBase > 0 ? dpiBase : 1
    var raw = (p - knobFirst) * (maxDPI - minDPI) / knobSteps + minDPI
    var value = Math.floor(raw / base) * base
    var lowest = Math.ceil(minDPI / base) * base
    var highest = Math.floor(maxDPI / base) * base
    if (highest < lowest)
        return lowest
    return Numbers.clamp(value, lowest, highest)
}

// The knob position `steps` grid steps away from position p: the first one
// whose value reaches the value wanted, within the knob's run (so a grid finer
// than a knob pixel still moves at least one step).
function stepPosition(p, steps, minDPI, maxDPI, dpiBase) {
    var base = dpiBase > 0 ? dpiBase : 1
    var wanted = positionToValue(p, minDPI, maxDPI, dpiBase) + steps * base
    var last = knobFirst + knobSteps
    for (var q = knobFirst; q < last; ++q) {
        if (positionToValue(q, minDPI, maxDPI, dpiBase) >= wanted)
            return q
    }
    return last
}

// Eight stage values from a stored list; missing or unreadable entries take
// the defaults.
function stageValues(stored) {
    var values = []
    for (var k = 0; k < stageCount; ++k) {
        var entry = (stored && k < stored.length) ? stored[k] : undefined
        values.push(Numbers.toInt(entry, defaultValues[k]))
    }
    return values
}

// Slider column offset from the panel top, spacing between sliders and label
// spacing for each number of active stages; -1 keeps the previous spacing.
var layouts = [
    null,
    { offset: 128, spacing: -1, labelSpacing: -1 },
    { offset: 109, spacing: 33, labelSpacing: 10 },
    { offset: 90, spacing: 33, labelSpacing: 12 },
    { offset: 69, spacing: 33, labelSpacing: 14 },
    { offset: 50, spacing: 33, labelSpacing: 14 },
    { offset: 46, spacing: 27, labelSpacing: 10 },
    { offset: 38, spacing: 24, labelSpacing: 8 },
    { offset: 30, spacing: 22, labelSpacing: 4 }
]

function layoutFor(activeStages) {
    return layouts[Numbers.clamp(activeStages, 1, stageCount)]
}
