#pragma once

#include <QObject>
#include <QString>

#include <memory>

// The window the desktop reports as active, by its X11 identity.
struct ActiveWindow
{
    quint64 id = 0;
    QString instanceName; // first part of WM_CLASS
    QString className;    // second part of WM_CLASS
};

// Follows the desktop's active window without polling. Where the desktop
// does not tell (Wayland, no X display) the watcher is unavailable and never
// reports anything.
class ActiveWindowWatcher : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool isAvailable() const = 0;
    // Reports the window active now, then every change.
    virtual void start() = 0;

signals:
    void activeWindowChanged(const ActiveWindow &window);
};

// An unavailable watcher for sessions that cannot tell.
class NoActiveWindowWatcher final : public ActiveWindowWatcher
{
public:
    bool isAvailable() const override { return false; }
    void start() override {}
};

// Whether this session can tell the active window at all (X11, not Wayland).
bool activeWindowTrackingAvailable();

std::unique_ptr<ActiveWindowWatcher> createActiveWindowWatcher();
