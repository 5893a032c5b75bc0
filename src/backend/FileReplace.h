#pragma once

#include <QString>

// Replaces a file without ever leaving it half written or missing: the new
// content goes to a temporary file in the destination's folder, which is then
// renamed over the destination. When the source cannot be read, or the
// temporary file cannot be written, the destination stays as it was.
//
// The settings reader keeps what it read of a file and reads it again only
// when the file's size or modification time changed. A replacement of the
// same size whose time stamp the file system rounds to the old one (2 s on
// FAT, one clock tick elsewhere) therefore gets a time stamp of its own.
namespace FileReplace {

bool replaceWithCopyOf(const QString &source, const QString &destination);

} // namespace FileReplace
