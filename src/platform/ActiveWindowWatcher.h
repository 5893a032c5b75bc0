#pragma once

#include <QObject>
#include <QString>

#include <memory>

// The window the desktop reports as active. Rules match instanceName and
// className: on X11 the two parts of WM_CLASS; a Wayland window's app_id
// (KWin: its resource class) is its className.
struct ActiveWindow
{
    quint64 id = 0; // X11 window id; 0 for none and for Wayland windows
    QString instanceName;
    QString className;
    qint64 pid = 0; // 0 where the desktop does not tell
};

// Follows the desktop's active window without polling. Where the desktop
// does not tell, the watcher is unavailable, says why, and never reports.
class ActiveWindowWatcher : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool isAvailable() const = 0;
    // Where the reports come from: "X11", "sway/i3 IPC", "KWin script", "none".
    virtual QString sourceName() const = 0;
    // A short English text for the profiles page; empty while available.
    virtual QString unavailableReason() const { return {}; }
    // Reports the window active now, then every change.
    virtual void start() = 0;

signals:
    void activeWindowChanged(const ActiveWindow &window);
};

// An unavailable watcher for sessions that cannot tell.
class NoActiveWindowWatcher final : public ActiveWindowWatcher
{
public:
    explicit NoActiveWindowWatcher(QString reason) : reason(std::move(reason)) {}
    bool isAvailable() const override { return false; }
    QString sourceName() const override { return QStringLiteral("none"); }
    QString unavailableReason() const override { return reason; }
    void start() override {}

private:
    QString reason;
};

// The watcher this session offers: X11, the sway/i3 IPC socket, a KWin
// script, or none with its reason.
std::unique_ptr<ActiveWindowWatcher> createActiveWindowWatcher();
