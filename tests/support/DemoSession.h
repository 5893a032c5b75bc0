#pragma once

#include "AccessibleApp.h"
#include "ProgramCopy.h"
#include "XDisplay.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QJsonObject>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QDBusInterface;

// A copy of the real program (ProgramCopy) in demo mode on the X display,
// driven like a user: its own session bus (the virtual mouse's D-Bus object
// lives there), its own desktop settings folder, xdotool for the pointer and
// the keys, its accessibility tree to find the controls a user clicks by
// their names. Window positions are relative to the program's 1024 x 640
// window.
class DemoSession
{
public:
    enum class Display
    {
        Needed,
        Optional
    };

    DemoSession();
    // Ends the program; after a failed check, prints what it printed.
    ~DemoSession();

    // For a test function: a session whose copy has chip in its settings
    // (the shipped one when empty) and its files changed by prepare, started
    // with launch(). Null when it did not start, the reason given to the
    // test: skipped where the display or a tool is missing, failed (with
    // the program's output) where the program or a check in prepare fails.
    static std::unique_ptr<DemoSession>
    startCopy(const QString &chip = {}, const std::function<void(ProgramCopy &)> &prepare = {},
              const QStringList &tools = {});

    // The private session bus; false (with a reason) when the display (unless
    // optional: the program then runs offscreen), the accessibility bus that
    // goes with it or a tool is missing.
    bool startBus(QString *whyNot, Display display = Display::Needed,
                  const QStringList &tools = {});
    QString busAddress() const { return address; }
    // The test's own connection to that bus, for services it stands in for.
    QDBusConnection bus() const;
    QProcessEnvironment environment() const;

    // The rows of a data function, one a chip family: "553" and "560" in
    // the column "chip".
    static void addChipRows();

    // The copy of the built program that this session starts.
    ProgramCopy &copy() { return programCopy; }

    // Starts the copy (demo mode unless told otherwise) and waits for the
    // device, its window, its accessibility tree and the end of the start-up lock.
    bool launch(const QStringList &arguments = {QStringLiteral("--virtual-mouse")});
    // Only starts it: for a program without a display or a test that waits itself.
    bool start(const QStringList &arguments);
    QProcess &program() { return *process; }
    // Everything the program printed so far.
    QByteArray output();
    // Waits until the program's output holds text.
    bool waitForOutput(const QByteArray &text, int timeoutMs);
    // Waits for the program to end by itself; kills it after timeoutMs.
    bool waitForExit(int timeoutMs);
    // Ends the program now.
    void kill();
    struct Run
    {
        int code = -1; // -1: it did not end within 30 s
        QByteArray out;
        QByteArray err;
    };
    // Another start of the copy in the same session (a second instance,
    // "--quit", a control option), run to its end.
    Run runAgain(const QStringList &arguments);
    // A tool in the program's environment ("gsettings"); true on exit code 0.
    bool runInSession(const QString &tool, const QStringList &arguments,
                      QByteArray *output = nullptr);

    // The desktop's mouse pointer speed in the session's settings; NaN when
    // it cannot be read.
    double pointerSpeed();

    // The program's window: false when it is not shown within timeoutMs.
    bool findWindow(int timeoutMs = 15000);
    bool windowVisible();
    QString windowId() const { return window.id; }
    // Where the window was when it was found.
    QPoint windowOrigin() const { return window.origin; }

    // The program as a screen reader sees it.
    AccessibleApp &accessible() { return a11y; }
    // Where the control of that name and role (below under) is in the
    // window, waiting for it to show; empty, with a warning that names it,
    // when it does not.
    QRect where(const QString &name, const QString &role = {},
                const AccessibleApp::Node &under = {});
    // The middle of the knob of DPI stage n (from 1); null when the stage
    // is not on screen.
    QPoint dpiKnob(int stage);
    // A click at the middle of that control.
    bool click(const QString &name, const QString &role = {}, const AccessibleApp::Node &under = {},
               int button = 1);

    bool click(QPoint at, int button = 1, int settleMs = 400);
    bool drag(QPoint from, QPoint to);
    // The pointer to a point of the window, then further steps ("mousedown", "1").
    bool moveTo(QPoint at, const QStringList &then = {});
    bool xdotool(const QStringList &arguments, QByteArray *output = nullptr);

    // The virtual mouse's state; empty when it does not answer within timeoutMs.
    QJsonObject state(int timeoutMs = 5000);
    // Calls a method of the virtual mouse; false when it fails or times out.
    bool callMouse(const QString &method, const QVariantList &arguments = {}, int timeoutMs = 5000);
    // A screenshot of the whole display into folder/name.png; false when
    // "import" is missing or fails.
    bool shoot(const QString &folder, const QString &name);

private:
    QDBusInterface &mouse();

    QProcess busDaemon;
    QString address;
    AccessibleApp a11y;
    bool accessibleTree = false;
    QString connectionName;
    QTemporaryDir desktopConfig;
    ProgramCopy programCopy;
    std::unique_ptr<QProcess> process;
    QByteArray printed;
    XDisplay::Window window;
    std::unique_ptr<QDBusInterface> mouseInterface;
};
