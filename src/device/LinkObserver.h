#pragma once

#include <QString>

// What the device link needs from the window around it. The link may call the
// effect functions from its listener thread; implementations carry each
// effect out on the GUI thread, in call order.
class LinkObserver
{
public:
    virtual ~LinkObserver() = default;

    virtual void linkBalloon(const QString &title, const QString &text, int msecs) = 0;
    virtual void linkSetCurrentDPI(int stage) = 0;
    virtual void linkSetRightHand(bool rightHand) = 0;
    virtual void linkRunUI() = 0;
    virtual void linkSetViewEnabled(bool enabled) = 0;
    // The listener saw the mouse go away: the same as a device-change notice
    // (the system's own notices may have come while the listener still ran).
    virtual void linkDeviceChange() {}
    // Detection found a device of the table but could not open it (on Linux:
    // this user may not open its HID nodes) and connected none.
    virtual void linkDeviceNotOpened(unsigned short vendorId, unsigned short productId)
    {
        Q_UNUSED(vendorId);
        Q_UNUSED(productId);
    }

    // Read on the GUI thread when a command is built.
    virtual QString linkChipType() const = 0;
    virtual int linkProfileNumber() const = 0;
};
