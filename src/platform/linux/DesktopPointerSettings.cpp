#include "platform/linux/PointerBackends.h"

DesktopPointerSettings::DesktopPointerSettings(
    std::vector<std::unique_ptr<PointerBackend>> desktopBackends)
    : backends(std::move(desktopBackends))
{
}

// Every backend gets the value: GNOME, KDE and the running X session may all
// be in use on one machine.
bool DesktopPointerSettings::setMouseSpeed(unsigned speed)
{
    bool taken = false;
    for (const auto &backend : backends)
        taken = backend->setMouseSpeed(speed) || taken;
    return taken;
}

bool DesktopPointerSettings::setDoubleClickTime(unsigned milliseconds)
{
    bool taken = false;
    for (const auto &backend : backends)
        taken = backend->setDoubleClickTime(milliseconds) || taken;
    return taken;
}

bool DesktopPointerSettings::setWheelScrollLines(unsigned lines)
{
    bool taken = false;
    for (const auto &backend : backends)
        taken = backend->setWheelScrollLines(lines) || taken;
    return taken;
}

double gnomeMouseSpeed(unsigned speed)
{
    // Two straight pieces meeting at the neutral speed 10 (GNOME 0).
    const double value = static_cast<double>(speed);
    return speed <= 10 ? (value - 10.0) / 9.0 : (value - 10.0) / 10.0;
}

std::unique_ptr<PointerSettings> createPointerSettings()
{
    std::vector<std::unique_ptr<PointerBackend>> backends;
    if (GSettingsPointerBackend::available())
        backends.push_back(std::make_unique<GSettingsPointerBackend>());
    backends.push_back(std::make_unique<KdeGlobalsPointerBackend>());
    backends.push_back(std::make_unique<X11PointerBackend>());
    return std::make_unique<DesktopPointerSettings>(std::move(backends));
}
