#include "platform/linux/ActiveWindowSource.h"

#include "platform/linux/KWinActiveWindowWatcher.h"
#include "platform/linux/WindowManagerIpcWatcher.h"
#include "platform/linux/X11ActiveWindowWatcher.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace {

bool desktopIs(const QString &currentDesktop, const char *name)
{
    // A list such as "ubuntu:GNOME".
    const QStringList names = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return names.contains(QLatin1String(name), Qt::CaseInsensitive);
}

} // namespace

SessionFacts currentSessionFacts()
{
    SessionFacts facts;
    facts.x11Session = x11SessionTellsActiveWindow();
    facts.ipcSocket = qEnvironmentVariable("SWAYSOCK");
    if (facts.ipcSocket.isEmpty())
        facts.ipcSocket = qEnvironmentVariable("I3SOCK");
    facts.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    // One question to the bus, and only where it can decide.
    if (!facts.x11Session && facts.ipcSocket.isEmpty() && !desktopIs(facts.currentDesktop, "KDE")) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        facts.kwinOnBus = bus.isConnected() && bus.interface() &&
                          bus.interface()->isServiceRegistered(QStringLiteral("org.kde.KWin"));
    }
    return facts;
}

ActiveWindowSourceChoice chooseActiveWindowSource(const SessionFacts &facts)
{
    if (facts.x11Session)
        return {ActiveWindowSource::X11, {}};
    if (!facts.ipcSocket.isEmpty())
        return {ActiveWindowSource::WindowManagerIpc, {}};
    if (desktopIs(facts.currentDesktop, "KDE") || facts.kwinOnBus)
        return {ActiveWindowSource::KWinScript, {}};
    if (desktopIs(facts.currentDesktop, "GNOME"))
        return {ActiveWindowSource::None,
                QStringLiteral("GNOME on Wayland tells the active window only to GNOME Shell "
                               "extensions, and no extension reports it to this program.")};
    return {ActiveWindowSource::None,
            QStringLiteral("This desktop does not tell programs which window is active.")};
}

std::unique_ptr<ActiveWindowWatcher> createActiveWindowWatcher()
{
    const SessionFacts facts = currentSessionFacts();
    const ActiveWindowSourceChoice choice = chooseActiveWindowSource(facts);
    switch (choice.source) {
    case ActiveWindowSource::X11: {
        auto watcher = std::make_unique<X11ActiveWindowWatcher>();
        if (watcher->isAvailable())
            return watcher;
        return std::make_unique<NoActiveWindowWatcher>(
            QStringLiteral("The X server does not answer."));
    }
    case ActiveWindowSource::WindowManagerIpc:
        return std::make_unique<WindowManagerIpcWatcher>(facts.ipcSocket);
    case ActiveWindowSource::KWinScript:
        return std::make_unique<KWinActiveWindowWatcher>(QDBusConnection::sessionBus());
    case ActiveWindowSource::None:
        break;
    }
    return std::make_unique<NoActiveWindowWatcher>(choice.reason);
}
