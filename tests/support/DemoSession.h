#pragma once

#include "XDisplay.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QJsonObject>
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QDBusInterface;

// The real program in demo mode on the X display, driven like a user: its
// own session bus (the virtual mouse's D-Bus object lives there), its own
// desktop settings folder, xdotool for the pointer and the keys. Window
// positions are relative to the program's 1024 x 640 window.
class DemoSession
{
public:
    enum class Display
    {
        Needed,
        Optional
    };

    DemoSession();
    ~DemoSession();

    // The private session bus; false (with a reason) when the display (unless
    // optional: the program then runs offscreen) or a tool is missing.
    bool startBus(QString *whyNot, Display display = Display::Needed,
                  const QStringList &tools = {});
    QString busAddress() const { return address; }
    // The test's own connection to that bus, for services it stands in for.
    QDBusConnection bus() const;
    QProcessEnvironment environment() const;

    // Starts the program (demo mode unless told otherwise) and waits for the
    // device, its window and the end of the start-up lock.
    bool launch(const QString &executable,
                const QStringList &arguments = {QStringLiteral("--virtual-mouse")});
    // Only starts it: for a program without a display or a test that waits itself.
    bool start(const QString &executable, const QStringList &arguments);
    QProcess &program() { return *process; }
    // Everything the program printed so far.
    QByteArray output();
    // Waits until the program's output holds text.
    bool waitForOutput(const QByteArray &text, int timeoutMs);
    // Waits for the program to end by itself; kills it after timeoutMs.
    bool waitForExit(int timeoutMs);
    // Ends the program now.
    void kill();
    // Another start of the executable in the same session (a second
    // instance, "--quit"); its exit code, -1 when it did not end in 10 s.
    int runAgain(const QString &executable, const QStringList &arguments);
    // A tool in the program's environment ("gsettings"); true on exit code 0.
    bool runInSession(const QString &tool, const QStringList &arguments,
                      QByteArray *output = nullptr);

    // The program's window: false when it is not shown within timeoutMs.
    bool findWindow(int timeoutMs = 15000);
    bool windowVisible();
    QString windowId() const { return window.id; }

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
    QString connectionName;
    QTemporaryDir desktopConfig;
    std::unique_ptr<QProcess> process;
    QByteArray printed;
    XDisplay::Window window;
    std::unique_ptr<QDBusInterface> mouseInterface;
};
