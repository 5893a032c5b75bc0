.pragma library

// A part of the root screen by name: a property of the root when it offers
// one, otherwise the item of that object name under it (or null).
function find(root, name) {
    if (!root)
        return null
    var offered = root[name]
    if (offered !== undefined && offered !== null && typeof offered === "object")
        return offered
    return search(root, name)
}

function search(item, name) {
    var kids = item.children
    if (!kids)
        return null
    for (var i = 0; i < kids.length; ++i) {
        if (kids[i].objectName === name)
            return kids[i]
        var found = search(kids[i], name)
        if (found)
            return found
    }
    return null
}
