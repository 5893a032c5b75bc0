#include "virtualmouse/VirtualMouseBus.h"

#include "virtualmouse/VirtualMouse.h"

#include <QDBusConnection>
#include <QJsonDocument>
#include <QMap>

VirtualMouseBus::VirtualMouseBus(VirtualMouse &virtualMouse, QObject *parent)
    : QObject(parent), mouse(virtualMouse)
{
}

bool VirtualMouseBus::registerOnSessionBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(QStringLiteral("/VirtualMouse"), this, QDBusConnection::ExportAllSlots))
        return false;
    return bus.registerService(QStringLiteral("com.zerant.molta.R770"));
}

void VirtualMouseBus::PressDpiButton(uchar stage)
{
    mouse.pressDpiButton(stage);
}

void VirtualMouseBus::SetRightHand(bool on)
{
    mouse.setRightHand(on);
}

void VirtualMouseBus::Unplug()
{
    mouse.unplug();
}

void VirtualMouseBus::Plug()
{
    mouse.plug();
}

void VirtualMouseBus::SetAccess(bool allowed)
{
    mouse.setOpenRefused(!allowed);
}

bool VirtualMouseBus::FailCall(int n, const QString &fault)
{
    static const QMap<QString, HidFault> byName{{QStringLiteral("error"), HidFault::Error},
                                                {QStringLiteral("stall"), HidFault::Stall},
                                                {QStringLiteral("unplug"), HidFault::Unplug},
                                                {QStringLiteral("garbage"), HidFault::Garbage}};
    const auto it = byName.find(fault);
    if (n < 1 || it == byName.end())
        return false;
    mouse.failCall(n, it.value());
    return true;
}

QString VirtualMouseBus::State()
{
    return QString::fromUtf8(QJsonDocument(mouse.stateJson()).toJson(QJsonDocument::Compact));
}
