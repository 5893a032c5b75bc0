#pragma once

#include <QObject>
#include <QString>

class VirtualMouse;

// The demo mouse's physical events and state on the session bus: service
// "com.zerant.molta.R770", object "/VirtualMouse".
class VirtualMouseBus : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zerant.molta.R770.VirtualMouse")
public:
    explicit VirtualMouseBus(VirtualMouse &mouse, QObject *parent = nullptr);
    // Registers service and object; false when there is no session bus.
    bool registerOnSessionBus();

public slots:
    void PressDpiButton(uchar stage);
    void SetRightHand(bool on);
    void Unplug();
    void Plug();
    // Whether this user may open the mouse's HID nodes (false: as without the udev rule).
    void SetAccess(bool allowed);
    // The n-th command-side transfer from now gets the fault "error",
    // "stall", "unplug" or "garbage"; false for an unknown fault or n < 1.
    bool FailCall(int n, const QString &fault);
    QString State();

private:
    VirtualMouse &mouse;
};
