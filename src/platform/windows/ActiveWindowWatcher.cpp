#include "platform/ActiveWindowWatcher.h"

// Per-program profiles follow the active window of Linux desktops; Windows has none of it yet.
std::unique_ptr<ActiveWindowWatcher> createActiveWindowWatcher()
{
    return std::make_unique<NoActiveWindowWatcher>(
        QStringLiteral("Per-program profiles are not available on Windows yet."));
}
