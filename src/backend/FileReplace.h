#pragma once

#include <QString>

// Replaces a file without ever leaving it half written or missing: the new
// content goes to a temporary file in the destination's folder, which is then
// renamed over the destination. When the source cannot be read, or the
// temporary file cannot be written, the destination stays as it was.
namespace FileReplace {

bool replaceWithCopyOf(const QString &source, const QString &destination);

} // namespace FileReplace
