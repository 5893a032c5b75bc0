.pragma library
.import "Numbers.js" as Numbers

// Rules of the lighting page: the hue bar, colour texts, which rows and
// blocks an effect shows, and the colour list the mouse receives.
var barWidth = 185
var barEnd = 183
var blockCount = 8
var defaultColours = ["#ff0000", "#00ff00", "#0000ff", "#ff00ff", "#00ffff", "#ff7f00",
                      "#6000ff", "#ffffff"]

function channel(value) {
    return Numbers.clamp(Numbers.toInt(value, 0), 0, 255)
}

function hex2(value) {
    var text = channel(value).toString(16)
    return text.length < 2 ? "0" + text : text
}

function colourText(r, g, b) {
    return "#" + hex2(r) + hex2(g) + hex2(b)
}

// "#rrggbb" to [r, g, b]; anything else reads as black.
function channels(colour) {
    var text = String(colour)
    var m = /^#?([0-9a-fA-F]{2})([0-9a-fA-F]{2})([0-9a-fA-F]{2})$/.exec(text)
    if (!m)
        return [0, 0, 0]
    return [parseInt(m[1], 16), parseInt(m[2], 16), parseInt(m[3], 16)]
}

// Position along the hue bar (0..183) to a colour: six segments of 30
// pixels; past them red, and white only at the very end.
function hueColour(p) {
    var w = Math.trunc((barWidth - 2) / 6)
    var s = Math.floor(p / w)
    var f = Math.floor((p - s * w) * 255 / w)
    switch (s) {
    case 0: return colourText(255, f, 0)
    case 1: return colourText(255 - f, 255, 0)
    case 2: return colourText(0, 255, f)
    case 3: return colourText(0, 255 - f, 255)
    case 4: return colourText(f, 0, 255)
    case 5: return colourText(255, 0, 255 - f)
    default:
        if (s < 0)
            return colourText(255, 0, 0)
        return p > barEnd - 1 ? "#ffffff" : "#ff0000"
    }
}

// A colour to its place on the hue bar; colours the bar does not hold go to
// its left end.
function huePosition(colour) {
    var c = channels(colour)
    var r = c[0], g = c[1], b = c[2]
    var d = 30.5
    var step = d / 256
    var p = 0
    if (r === 255 && b === 0)
        p = g * step
    else if (r === 0 && b === 255)
        p = 3 * d + (255 - g) * step
    else if (g === 255 && b === 0)
        p = d + (255 - r) * step
    else if (g === 0 && b === 255)
        p = 4 * d + r * step
    else if (r === 0 && g === 255)
        p = 2 * d + b * step
    else if (r === 255 && g === 0)
        p = 5 * d + (255 - b) * step
    else if (r === 255 && g === 255 && b === 255)
        p = barEnd
    return Math.trunc(p)
}

// Speed and brightness rows an effect shows when a profile is loaded.
function rowsOnLoad(effect, is55328) {
    switch (effect) {
    case 0: return { speed: false, brightness: false }
    case 3: return { speed: true, brightness: false }
    case 4: return is55328 ? { speed: true, brightness: false } : { speed: false, brightness: true }
    case 5:
    case 7: return { speed: false, brightness: true }
    default: return { speed: true, brightness: true }
    }
}

// Rows and knob steps when the user picks an effect; a step of -1 leaves
// that knob alone, and null leaves rows and knobs as they are.
function rowsOnChoice(effect, is55328) {
    if (effect >= 11)
        return null
    var rows = rowsOnLoad(effect, is55328)
    if (effect === 7)
        rows = { speed: true, brightness: true }
    rows.speedStep = 4
    rows.brightnessStep = 4
    if (effect === 4 && is55328) {
        rows.speedStep = 0
        rows.brightnessStep = -1
    }
    return rows
}

function panelHeight(speedShown, brightnessShown) {
    if (speedShown && brightnessShown)
        return 264
    if (!speedShown && !brightnessShown)
        return 176
    return 224
}

function percentText(step) {
    return String(step * 25) + "%"
}

// The dark cover hides the colour controls of effects without colours.
function colourCovered(effect) {
    return [3, 4, 5, 9, 10].indexOf(effect) < 0
}

// On 55328 mice the row shows for effect 4 as well: that is the one effect
// whose extra colours 2..6 exist, and its colour area is not covered.
function blockRowShown(effect, is55328) {
    return [3, 5, 9, 10].indexOf(effect) >= 0 || (is55328 && effect === 4)
}

function blockShown(k, effect, dpiCount, isColorful, is55328) {
    if (k === 0)
        return dpiCount > 0 || isColorful
    if (k >= 6)
        return false
    if (is55328)
        return effect === 4
    return dpiCount > k || isColorful
}

// Block colours from a stored list of 24 numbers; missing entries keep the
// defaults, values outside 0..255 are held at the nearest end.
function storedColours(stored) {
    var colours = []
    for (var k = 0; k < blockCount; ++k) {
        var ok = stored && stored.length >= 3 * k + 3
        colours.push(ok ? colourText(stored[3 * k], stored[3 * k + 1], stored[3 * k + 2])
                        : defaultColours[k])
    }
    return colours
}

// The 24 values the mouse receives; this chip keeps the eighth colour black
// except for effect 4.
function colourList(colours, effect, is55328) {
    var list = []
    for (var k = 0; k < blockCount; ++k)
        list = list.concat(channels(colours[k]))
    if (is55328 && effect !== 4) {
        list[21] = 0
        list[22] = 0
        list[23] = 0
    }
    return list
}
