.pragma library

// Macro events, their stored form and the bytes a macro slot of the mouse
// holds. Events are {type, info}: 0 delay (info: milliseconds), 1 key down,
// 2 key up, 3 mouse button down, 4 mouse button up (info: the key's name).

var Delay = 0
var KeyDown = 1
var KeyUp = 2
var ButtonDown = 3
var ButtonUp = 4

// The slot holds 128 bytes; recording and insertion stop once the encoding
// reaches the limit.
var SlotBytes = 128
var LengthLimit = 126
var MaxMacros = 100
var MaxNameLength = 128
// The name list stores a list of one with this second entry: no macro may take it.
var NameListMarker = "loadermorvel"
// Codes from here on are mouse buttons.
var FirstButtonCode = 0xF0
// Ten-millisecond units: one byte below this, a long-delay record from here.
var LongGap = 127
// The largest gap unit 3 (100 ms) takes.
var MaxGapUnits = 599999

// The names of a list model of macros (role textValue).
function modelNames(model) {
    var names = []
    for (var i = 0; i < model.count; ++i)
        names.push(model.get(i).textValue)
    return names
}

// The events of a list model of event rows (roles type and info).
function modelEvents(model) {
    var events = []
    for (var i = 0; i < model.count; ++i) {
        var row = model.get(i)
        events.push({ "type": row.type, "info": row.info })
    }
    return events
}

function eventText(event) {
    return event.type + "," + event.info
}

// The event of a stored string, or null when the string is not one.
function parseEvent(text) {
    var match = /^([0-4]),(.*)$/.exec(String(text))
    if (!match)
        return null
    return { "type": parseInt(match[1], 10), "info": match[2] }
}

// What the back end loaded (event strings, then the repeat count) as
// {events, repeat}; strings that are not events are left out.
function readLoaded(loaded) {
    var events = []
    if (!loaded || loaded.length === 0)
        return { "events": events, "repeat": 1 }
    for (var i = 0; i < loaded.length - 1; ++i) {
        var event = parseEvent(loaded[i])
        if (event !== null)
            events.push(event)
    }
    return { "events": events, "repeat": repeatValue(loaded[loaded.length - 1]) }
}

// The same, or null when what was loaded is not the content of a macro file.
function parseLoaded(loaded) {
    if (!loaded || loaded.length === 0)
        return null
    var repeatText = String(loaded[loaded.length - 1])
    if (!/^[0-9]+$/.test(repeatText))
        return null
    var events = []
    for (var i = 0; i < loaded.length - 1; ++i) {
        var event = parseEvent(loaded[i])
        if (event === null)
            return null
        events.push(event)
    }
    // A file without a "config/repeat" key reads "0" there and holds nothing.
    if (events.length === 0 && repeatText === "0")
        return null
    return { "events": events, "repeat": parseInt(repeatText, 10) }
}

function isRelease(type) {
    return type === KeyUp || type === ButtonUp
}

// The event row for a key transition; codes from 0xF0 are mouse buttons.
function keyEvent(isDown, usbCode, name) {
    var button = usbCode >= FirstButtonCode
    var type = isDown ? (button ? ButtonDown : KeyDown) : (button ? ButtonUp : KeyUp)
    return { "type": type, "info": name }
}

function delayMs(info) {
    var ms = parseInt(info, 10)
    return isNaN(ms) || ms < 0 ? 0 : ms
}

// The long-delay record of a gap of 127 units or more: unit code, value.
function longGapRecord(units) {
    if (units < 100000)
        return [1, Math.floor(units / 2)]
    if (units < 300000)
        return [2, Math.floor(units / 5)]
    return [3, Math.floor(Math.min(units, MaxGapUnits) / 10)]
}

function clampRepeat(repeat) {
    var n = parseInt(repeat, 10)
    if (isNaN(n) || n < 0)
        return 0
    return Math.min(n, 0xFFFF)
}

// The device bytes of a macro. codeOf(name) gives the key code of a name.
// Gaps are summed in milliseconds and rounded to whole 10 ms units.
function encode(events, repeat, codeOf) {
    var count = clampRepeat(repeat)
    var bytes = [(count >> 8) & 0xFF, count & 0xFF]
    var first = 0
    while (first < events.length && events[first].type === Delay)
        ++first
    if (first >= events.length)
        return bytes

    var pair = bytes.length
    var released = isRelease(events[first].type)
    bytes.push(0, codeOf(events[first].info) & 0xFF)
    var gapMs = 0
    for (var i = first + 1; i < events.length; ++i) {
        var event = events[i]
        if (event.type === Delay) {
            gapMs += delayMs(event.info)
            continue
        }
        var units = Math.round(gapMs / 10)
        var releaseBit = released ? 0x80 : 0
        if (units === 0) {
            bytes[pair] = 1 | releaseBit
        } else if (units < LongGap) {
            bytes[pair] = units | releaseBit
        } else {
            var record = longGapRecord(units)
            bytes[pair] = releaseBit
            bytes.push(0, record[0], (record[1] >> 8) & 0xFF, record[1] & 0xFF)
        }
        gapMs = 0
        pair = bytes.length
        released = isRelease(event.type)
        bytes.push(0, codeOf(event.info) & 0xFF)
    }
    bytes[pair] = 1 | (released ? 0x80 : 0)
    bytes.push(0, 0)
    return bytes
}

// The encoded length: 2 for the repeat count, 2 per event, 4 more per long
// gap, 2 for the end.
function encodedLength(events) {
    return encode(events, 0, function() { return 0 }).length
}

// The bytes that go to the slot: a list too long for it (an imported or
// hand-edited macro) loses its last events, so the slot always ends with
// the end pair.
function deviceData(events, repeat, codeOf) {
    var kept = events.slice(0)
    var eventRows = 0
    for (var i = 0; i < kept.length; ++i) {
        if (kept[i].type !== Delay && ++eventRows > (SlotBytes - 4) / 2) {
            kept = kept.slice(0, i)
            break
        }
    }
    var bytes = encode(kept, repeat, codeOf)
    while (bytes.length > SlotBytes) {
        var last = kept.length - 1
        while (last >= 0 && kept[last].type === Delay)
            --last
        kept = kept.slice(0, last)
        bytes = encode(kept, repeat, codeOf)
    }
    return bytes
}

// Whether rows may be added to events: below the limit before, and still
// fitting the slot after.
function canAdd(events, after) {
    return encodedLength(events) < LengthLimit && encodedLength(after) <= SlotBytes
}

// The first name "Macro_0" .. "Macro_99" not in names and, when given,
// for which hasFile(name) is false (a file the list lost is someone's
// macro), or "".
function freeName(names, hasFile) {
    for (var n = 0; n < MaxMacros; ++n) {
        var name = "Macro_" + n
        if (names.indexOf(name) < 0 && !(hasFile && hasFile(name)))
            return name
    }
    return ""
}

// A name that can be the name of a macro file in its folder.
function isStorableName(name) {
    if (name.length === 0 || name.length > MaxNameLength || name.indexOf("..") >= 0)
        return false
    for (var i = 0; i < name.length; ++i) {
        var c = name.charCodeAt(i)
        if (c < 0x20 || c === 0x7F || name[i] === "/" || name[i] === "\\" || name[i] === ":")
            return false
    }
    return true
}

// A rename is taken only for a storable name no macro has yet.
function canRename(names, newName) {
    return isStorableName(newName) && newName !== NameListMarker && names.indexOf(newName) < 0
}

// Where Insert Key puts its two rows: at the end when the last row (or
// none) is selected, else before the selected row.
function keyInsertIndex(selected, count) {
    return selected < 0 || selected >= count - 1 ? count : selected
}

// Where the click entries put theirs: at the end, else after the selected row.
function clickInsertIndex(selected, count) {
    return selected < 0 || selected >= count - 1 ? count : selected + 1
}

// A typed delay: its integer value in 0..65535, or null when it is not a number.
function typedDelay(text) {
    if (!/^\s*[0-9]+\s*$/.test(String(text)))
        return null
    var ms = parseInt(text, 10)
    return ms > 65535 ? null : ms
}

// The repeat count field as a number; an empty or broken field counts 0.
function repeatValue(text) {
    var n = parseInt(text, 10)
    return isNaN(n) || n < 0 ? 0 : n
}
