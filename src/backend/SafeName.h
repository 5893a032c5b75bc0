#pragma once

#include <QString>

// Names that callers hand in and that become part of a file path
// ("./modules/macro/" + name + ".bin", "./modules/i18n/" + code + ".ini").
// A safe name stays inside its folder: it is not empty, holds no path
// separator, drive colon, "..", NUL or other control character, and is of a
// reasonable length.
namespace SafeName {

constexpr int MaxLength = 128;

bool isSafe(const QString &name);

} // namespace SafeName
