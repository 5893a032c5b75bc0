#include "platform/ActiveWindowWatcher.h"

bool activeWindowTrackingAvailable()
{
    return false;
}

// Per-program profiles follow X11's active window; Windows has none of it yet.
std::unique_ptr<ActiveWindowWatcher> createActiveWindowWatcher()
{
    return std::make_unique<NoActiveWindowWatcher>();
}
