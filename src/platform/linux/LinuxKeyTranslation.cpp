#include "platform/linux/LinuxKeyTranslation.h"

#include "platform/InputEvents.h"

#include <linux/input-event-codes.h>

namespace {

struct ExtendedKey
{
    unsigned linuxKey;
    unsigned scanCode;
    bool extended;
};

// Keys whose Linux code is not their Set 1 scan code, or which Windows sees
// with the extended flag although the Linux code matches.
constexpr ExtendedKey specialKeys[] = {
    {KEY_RIGHTSHIFT, 0x36, true}, // the Windows hook marks right Shift extended
    {KEY_NUMLOCK, 0x45, true},    // Num Lock is extended 0x45; Pause is plain 0x45
    {KEY_102ND, 0x56, false},     {KEY_F11, 0x57, false},      {KEY_F12, 0x58, false},
    {KEY_KPENTER, 0x1C, true},    {KEY_RIGHTCTRL, 0x1D, true}, {KEY_KPSLASH, 0x35, true},
    {KEY_SYSRQ, 0x37, true},      {KEY_RIGHTALT, 0x38, true},  {KEY_HOME, 0x47, true},
    {KEY_UP, 0x48, true},         {KEY_PAGEUP, 0x49, true},    {KEY_LEFT, 0x4B, true},
    {KEY_RIGHT, 0x4D, true},      {KEY_END, 0x4F, true},       {KEY_DOWN, 0x50, true},
    {KEY_PAGEDOWN, 0x51, true},   {KEY_INSERT, 0x52, true},    {KEY_DELETE, 0x53, true},
    {KEY_PAUSE, 0x45, false},     {KEY_LEFTMETA, 0x5B, true},  {KEY_RIGHTMETA, 0x5C, true},
    {KEY_COMPOSE, 0x5D, true},    {KEY_F13, 0x64, false},      {KEY_F14, 0x65, false},
    {KEY_F15, 0x66, false},       {KEY_F16, 0x67, false},      {KEY_F17, 0x68, false},
    {KEY_F18, 0x69, false},       {KEY_F19, 0x6A, false},      {KEY_F20, 0x6B, false},
    {KEY_F21, 0x6C, false},       {KEY_F22, 0x6D, false},      {KEY_F23, 0x6E, false},
    {KEY_F24, 0x76, false},
};

} // namespace

bool linuxKeyToScanCode(unsigned linuxKey, unsigned *scanCode, bool *extended)
{
    for (const ExtendedKey &key : specialKeys) {
        if (key.linuxKey == linuxKey) {
            *scanCode = key.scanCode;
            *extended = key.extended;
            return true;
        }
    }
    // Escape to keypad '.': the Linux code is the scan code.
    if (linuxKey >= KEY_ESC && linuxKey <= KEY_KPDOT) {
        *scanCode = linuxKey;
        *extended = false;
        return true;
    }
    return false;
}

unsigned buttonMessage(unsigned button, bool isDown)
{
    switch (button) {
    case 1:
        return isDown ? HookEvent::LButtonDown : HookEvent::LButtonUp;
    case 2:
        return isDown ? HookEvent::MButtonDown : HookEvent::MButtonUp;
    case 3:
        return isDown ? HookEvent::RButtonDown : HookEvent::RButtonUp;
    default:
        return 0;
    }
}

bool LinuxKeyTranslator::translate(unsigned linuxKey, bool isDown, HookKeyEvent *event)
{
    unsigned scanCode = 0;
    bool extended = false;
    if (!linuxKeyToScanCode(linuxKey, &scanCode, &extended))
        return false;

    const bool altHeld = leftAlt || rightAlt;
    const bool ctrlHeld = leftCtrl || rightCtrl;
    if (linuxKey == KEY_SYSRQ && altHeld) {
        scanCode = 0x54; // Alt+Print Screen is the old SysRq code
        extended = false;
    } else if (linuxKey == KEY_PAUSE && ctrlHeld) {
        scanCode = 0x46; // Ctrl+Pause is Break
        extended = true;
    }

    switch (linuxKey) {
    case KEY_LEFTALT:
        leftAlt = isDown;
        break;
    case KEY_RIGHTALT:
        rightAlt = isDown;
        break;
    case KEY_LEFTCTRL:
        leftCtrl = isDown;
        break;
    case KEY_RIGHTCTRL:
        rightCtrl = isDown;
        break;
    default:
        break;
    }

    // Windows marks keys typed with Alt (and Alt itself) as system keys.
    const bool altNow = leftAlt || rightAlt;
    const bool system = altNow && !(leftCtrl || rightCtrl);
    event->scanCode = scanCode;
    event->flags =
        (extended ? HookEvent::FlagExtended : 0u) | (altNow ? HookEvent::FlagAltDown : 0u);
    if (isDown)
        event->message = system ? HookEvent::SysKeyDown : HookEvent::KeyDown;
    else
        event->message = system ? HookEvent::SysKeyUp : HookEvent::KeyUp;
    return true;
}
