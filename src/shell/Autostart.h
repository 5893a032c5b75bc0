#pragma once

#include <QString>

// Starting the program at login: on Linux a desktop entry in the user's XDG
// autostart folder, on Windows the user's Run key. The started program runs
// with --hidden (tray, link and notifications, no window).
namespace Autostart {

// The desktop file id of the installed program.
constexpr const char *DesktopFileId = "r770config";

// $XDG_CONFIG_HOME/autostart/r770config.desktop (or the Run key's name on Windows).
QString entryPath();
// The entry that starts program (an absolute path) hidden at login.
QByteArray desktopEntry(const QString &program);
bool isEnabled();
// Writes or removes the entry for program; false with *error set when that failed.
bool setEnabled(bool enabled, const QString &program, QString *error);

} // namespace Autostart
