#pragma once

#include <memory>

// The desktop's pointer settings, in the units of the Windows control panel.
// Each call applies the value persistently for the user and returns false
// when the desktop did not take it.
class PointerSettings
{
public:
    virtual ~PointerSettings() = default;
    // Pointer speed on the 1..20 scale (10 = unaccelerated).
    virtual bool setMouseSpeed(unsigned speed) = 0;
    // Longest time between the two clicks of a double click, in milliseconds.
    virtual bool setDoubleClickTime(unsigned milliseconds) = 0;
    // Lines one wheel notch scrolls; 1000 asks for a whole screen.
    virtual bool setWheelScrollLines(unsigned lines) = 0;
};

std::unique_ptr<PointerSettings> createPointerSettings();
