#include "platform/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

bool sendDesktopNotification(const QString &title, const QString &text, int msecs)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("ZERANT MOLTA MOUSE R770") << 0u << QStringLiteral("dialog-information")
         << title << text << QStringList() << QVariantMap() << msecs;
    // Asynchronous: a missing notification daemon must not stall the GUI thread.
    return bus.send(call);
}
