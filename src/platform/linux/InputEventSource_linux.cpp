#include "platform/InputEvents.h"
#include "platform/linux/EvdevEventSource.h"
#include "platform/linux/XInputEventSource.h"

#include <QtGlobal>

namespace {

// Captures nothing: the program then runs without global keys and buttons,
// as it does when the hooks cannot be installed.
class NoInputEventSource final : public InputEventSource
{
public:
    bool install(InputEventSink *) override { return false; }
    void remove() override {}
    bool isInstalled() const override { return false; }
    const char *name() const override { return "none"; }
};

bool waylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qgetenv("XDG_SESSION_TYPE") == "wayland";
}

} // namespace

std::unique_ptr<InputEventSource> createInputEventSource()
{
    // Under Wayland the X server (XWayland) sees only its own clients' input,
    // so readable input devices are the better source there.
    if (waylandSession() && EvdevEventSource::available())
        return std::make_unique<EvdevEventSource>();
    auto x11 = std::make_unique<XInputEventSource>();
    if (x11->usable())
        return x11;
    x11.reset();
    if (EvdevEventSource::available())
        return std::make_unique<EvdevEventSource>();
    return std::make_unique<NoInputEventSource>();
}
