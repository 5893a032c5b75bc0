#pragma once

#include <QString>

// Which way this session can tell the active window, and why none if none.
enum class ActiveWindowSource
{
    X11,
    WindowManagerIpc,
    KWinScript,
    None
};

struct SessionFacts
{
    bool x11Session = false; // the program runs on an X server that sees every window
    QString ipcSocket;       // SWAYSOCK, else I3SOCK
    QString currentDesktop;  // XDG_CURRENT_DESKTOP
    bool kwinOnBus = false;  // org.kde.KWin has an owner on the session bus
};

struct ActiveWindowSourceChoice
{
    ActiveWindowSource source = ActiveWindowSource::None;
    QString reason; // for None: what is missing
};

SessionFacts currentSessionFacts();

ActiveWindowSourceChoice chooseActiveWindowSource(const SessionFacts &facts);
