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

    // Read on the GUI thread when a command is built.
    virtual QString linkChipType() const = 0;
    virtual int linkProfileNumber() const = 0;
};
