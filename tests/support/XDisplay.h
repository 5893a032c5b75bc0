#pragma once

#include <QByteArray>
#include <QPoint>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The X display the end-to-end tests drive: running a tool (xdotool,
// import), finding the program's window and clicking into it.
namespace XDisplay {

// Runs a tool to its end (10 s at most); true when it exited with 0.
bool run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr,
         const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

struct Window
{
    QString id;    // empty: not found
    QPoint origin; // top-left corner on the display
};

// The visible 1024 x 640 window of the process, waiting up to timeoutMs.
Window findProgramWindow(qint64 pid, int timeoutMs = 15000);

// xdotool's steps that put the pointer on a point of the window.
QStringList moveTo(const Window &window, QPoint at);

// A click at a point of the window, then a pause for drop-down animations.
bool click(const Window &window, QPoint at, int button = 1, int settleMs = 400);

// A press at one point, a move through the middle to another, a release.
bool drag(const Window &window, QPoint from, QPoint to);

} // namespace XDisplay
