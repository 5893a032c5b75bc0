#include "shell/OwnWindow.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QWindow>

namespace {

// The app_id a Wayland compositor knows this program by: the desktop file
// id where one is set, else the executable's name ("R770").
QString ownAppId()
{
    QString id = QGuiApplication::desktopFileName();
    if (id.endsWith(QLatin1String(".desktop")))
        id.chop(8);
    return id.isEmpty() ? QFileInfo(QCoreApplication::applicationFilePath()).fileName() : id;
}

} // namespace

bool isOwnWindow(const ActiveWindow &active)
{
    if (active.pid != 0 && active.pid == QCoreApplication::applicationPid())
        return true;
    // Wayland windows have no X11 id, and say who they are by app_id.
    if (active.id == 0)
        return !active.className.isEmpty() &&
               active.className.compare(ownAppId(), Qt::CaseInsensitive) == 0;
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    const QWindowList windows = QGuiApplication::allWindows();
    for (QWindow *window : windows) {
        // winId() would create a native window for one that has none yet.
        if (window->handle() && quint64(window->winId()) == active.id)
            return true;
    }
    return false;
}
