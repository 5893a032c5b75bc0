#pragma once

#include <QString>

// Shows a transient desktop notification where the desktop has no tray to
// carry balloon messages. Returns false when no notification service answered.
bool sendDesktopNotification(const QString &title, const QString &text, int msecs);
