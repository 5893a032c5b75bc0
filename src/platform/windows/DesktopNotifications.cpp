#include "platform/DesktopNotifications.h"

// Windows always has a notification area; balloons go through the tray icon.
bool sendDesktopNotification(const QString &, const QString &, int)
{
    return false;
}
