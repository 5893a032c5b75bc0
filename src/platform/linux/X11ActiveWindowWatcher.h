#pragma once

#include "platform/ActiveWindowWatcher.h"

#include <xcb/xcb.h>

class QSocketNotifier;

// Whether the program runs on an X server that sees every window: X11, not
// the X server of a Wayland session (it knows only its own clients).
bool x11SessionTellsActiveWindow();

// Reads _NET_ACTIVE_WINDOW of the root window whenever the window manager
// changes it (PropertyNotify), and the WM_CLASS of the window it names.
// Its own connection: errors of vanished windows come back as replies here
// and touch nothing else in the process.
class X11ActiveWindowWatcher final : public ActiveWindowWatcher
{
    Q_OBJECT
public:
    X11ActiveWindowWatcher();
    ~X11ActiveWindowWatcher() override;

    bool isAvailable() const override { return connection != nullptr; }
    QString sourceName() const override { return QStringLiteral("X11"); }
    void start() override;

private:
    void readEvents();
    void reportActiveWindow();
    xcb_atom_t atom(const char *name) const;

    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
    xcb_atom_t activeAtom = XCB_ATOM_NONE;
    QSocketNotifier *notifier = nullptr;
    quint64 lastWindow = ~quint64(0);
};
