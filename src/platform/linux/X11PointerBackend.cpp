#include "platform/linux/PointerBackends.h"

#include <X11/Xlib.h>

namespace {

// Pointer speed multipliers of the 1..20 scale, in 32nds.
constexpr int multipliers[20] = {1,  2,  4,  8,  12, 16, 20, 24, 28,  32,
                                 40, 48, 56, 64, 72, 80, 88, 96, 104, 112};

} // namespace

int x11AccelerationIn32nds(unsigned speed)
{
    return speed >= 1 && speed <= 20 ? multipliers[speed - 1] : 0;
}

bool X11PointerBackend::setMouseSpeed(unsigned speed)
{
    const int numerator = x11AccelerationIn32nds(speed);
    if (numerator == 0)
        return false;
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    // Threshold 1: the factor applies to every movement, as on Windows.
    XChangePointerControl(display, True, True, numerator, 32, 1);
    XSync(display, False);
    XCloseDisplay(display);
    return true;
}
