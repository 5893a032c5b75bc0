#include "backend/SafeName.h"

namespace SafeName {

bool isSafe(const QString &name)
{
    if (name.isEmpty() || name.size() > MaxLength)
        return false;
    if (name.contains(QLatin1String("..")))
        return false;
    for (const QChar c : name) {
        // ':' names a drive or an alternate stream on Windows.
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return false;
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

} // namespace SafeName
