#include "platform/ActiveWindowWatcher.h"

namespace {

// Per-program profiles follow X11's active window; Windows has none of it yet.
class NoActiveWindowWatcher final : public ActiveWindowWatcher
{
public:
    bool isAvailable() const override { return false; }
    void start() override {}
};

} // namespace

bool activeWindowTrackingAvailable()
{
    return false;
}

std::unique_ptr<ActiveWindowWatcher> createActiveWindowWatcher()
{
    return std::make_unique<NoActiveWindowWatcher>();
}
