#pragma once

#include "platform/ActiveWindowWatcher.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QTemporaryFile>

#include <functional>

class QDBusMessage;
class QDBusPendingCall;

// Follows the active window on KDE Plasma: a small script loaded into KWin
// through its scripting interface on the session bus calls WindowActivated
// on this object ("/ActiveWindow") with each activated window's resource
// class. Only KWin's reports count. The script is unloaded again when the
// watcher goes (at quit).
class KWinActiveWindowWatcher final : public ActiveWindowWatcher, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zerant.molta.R770.ActiveWindow")
public:
    static constexpr const char *ObjectPath = "/ActiveWindow";
    static constexpr const char *InterfaceName = "com.zerant.molta.R770.ActiveWindow";
    static constexpr const char *PluginName = "r770-active-window";

    explicit KWinActiveWindowWatcher(const QDBusConnection &connection);
    ~KWinActiveWindowWatcher() override;

    bool isAvailable() const override { return unavailable.isEmpty(); }
    QString sourceName() const override { return QStringLiteral("KWin script"); }
    QString unavailableReason() const override { return unavailable; }
    void start() override;

    // The script, calling back the bus connection named service.
    static QString script(const QString &service);

public slots:
    // KWin's script passes everything as text; the pid is empty when unknown.
    Q_SCRIPTABLE void WindowActivated(const QString &resourceClass, const QString &resourceName,
                                      const QString &pid);

private:
    QDBusMessage scriptingCall(const char *method) const;
    void loadScript();
    // Calls onReply with the answer, or fails with failure and the error.
    void whenAnswered(const QDBusPendingCall &call, const QString &failure,
                      std::function<void(const QDBusMessage &)> onReply);
    void fail(const QString &reason);

    QDBusConnection bus;
    QTemporaryFile scriptFile;
    QString kwinConnection; // the unique bus name that owns org.kde.KWin
    QString unavailable;
    bool registered = false;
    bool loadSent = false;
};
