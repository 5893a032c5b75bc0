#pragma once

// Linux key codes (as evdev reports them; X key codes are 8 higher) turned
// into the scan code, extended flag and message that the Windows low-level
// keyboard hook reports for the same physical key.

struct HookKeyEvent
{
    unsigned message = 0; // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    unsigned scanCode = 0;
    unsigned flags = 0; // LLKHF_EXTENDED, LLKHF_ALTDOWN
};

// The scan code and extended flag of a key, without modifier effects; false
// for keys the Windows hook would not show with a Set 1 code.
bool linuxKeyToScanCode(unsigned linuxKey, unsigned *scanCode, bool *extended);

// Button 1 (left), 2 (middle) or 3 (right) -> WM_xBUTTONDOWN/UP; 0 for any other.
unsigned buttonMessage(unsigned button, bool isDown);

// Follows Alt and Ctrl to report the keys that change with them as Windows
// does: Alt+Print Screen as 0x54 and Ctrl+Pause (Break) as extended 0x46.
class LinuxKeyTranslator
{
public:
    bool translate(unsigned linuxKey, bool isDown, HookKeyEvent *event);

private:
    bool leftAlt = false;
    bool rightAlt = false;
    bool leftCtrl = false;
    bool rightCtrl = false;
};
