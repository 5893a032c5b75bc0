#include "virtualmouse/VirtualMouseBus.h"

#include "virtualmouse/VirtualMouse.h"

#include <QDBusConnection>
#include <QJsonDocument>

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

QString VirtualMouseBus::State()
{
    return QString::fromUtf8(QJsonDocument(mouse.stateJson()).toJson(QJsonDocument::Compact));
}
