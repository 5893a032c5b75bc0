// The real executable in demo mode under X: the control interface through the
// program's own command-line options, the diagnostics report, and profiles
// that follow the active program. The program's window sets the rule by
// clicks; the test maps two windows of different classes and makes each the
// active one on the root window, as a window manager would, and finds the
// virtual mouse receiving each profile in turn.
#include "ProgramCopy.h"
#include "XDisplay.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <memory>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

const char *const busName = "r770control";
const QString service = QStringLiteral("com.zerant.molta.R770");

// Window coordinates of what the test clicks (profiles page centred).
const QPoint configButton(808, 620);
const QPoint secondRow(400, 268);
const QPoint programsButton(523, 432);
const QPoint panelClose(696, 196);
const QPoint windowClose(992, 23);

struct Result
{
    int code = -1;
    QByteArray out;
    QByteArray err;
};

using XDisplay::run;

// Two small windows of their own classes and the root's active-window property.
class TestWindows
{
public:
    TestWindows() : display(XOpenDisplay(nullptr)) {}
    ~TestWindows()
    {
        if (display)
            XCloseDisplay(display);
    }
    bool isOpen() const { return display != nullptr; }

    Window make(const char *instanceName, const char *className)
    {
        const Window window =
            XCreateSimpleWindow(display, DefaultRootWindow(display), 1200, 1000, 8, 8, 0, 0, 0);
        XClassHint hint;
        hint.res_name = const_cast<char *>(instanceName);
        hint.res_class = const_cast<char *>(className);
        XSetClassHint(display, window, &hint);
        XMapWindow(display, window);
        XFlush(display);
        return window;
    }

    // What a window manager does when a window gets the focus.
    void activate(Window window)
    {
        const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
        XChangeProperty(display, DefaultRootWindow(display), active, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char *>(&window), 1);
        XFlush(display);
    }

private:
    Display *display;
};

} // namespace

class tst_Control : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void commandLineReportAndFollowing_data();
    void commandLineReportAndFollowing();

private:
    Result cli(const QStringList &arguments);
    void click(const QPoint &at);
    void waitForWindow(qint64 pid);
    QJsonObject mouseState();
    bool mouseHolds(int profileNo);

    // Open for the whole run: an X server without clients resets itself.
    std::unique_ptr<TestWindows> testWindows;
    QProcess busDaemon;
    QString busAddress;
    QString executable;
    QString chip;
    XDisplay::Window window;
    QDBusInterface *mouse = nullptr;
};

void tst_Control::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X display; run under xvfb-run");
    if (!run(QStringLiteral("xdotool"), {QStringLiteral("version")}))
        QSKIP("xdotool is missing");
    testWindows = std::make_unique<TestWindows>();
    QVERIFY(testWindows->isOpen());
    busDaemon.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
    if (!busDaemon.waitForStarted(5000))
        QSKIP("no dbus-daemon");
    QTRY_VERIFY_WITH_TIMEOUT(busDaemon.canReadLine(), 5000);
    busAddress = QString::fromLatin1(busDaemon.readLine().trimmed());
    QVERIFY(!busAddress.isEmpty());
}

void tst_Control::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(QLatin1String(busName));
    busDaemon.terminate();
    busDaemon.waitForFinished(5000);
}

Result tst_Control::cli(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(executable, arguments);
    Result result;
    if (!process.waitForFinished(30000))
        return result;
    result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

void tst_Control::click(const QPoint &at)
{
    QVERIFY(XDisplay::click(window, at));
}

void tst_Control::waitForWindow(qint64 pid)
{
    window = XDisplay::findProgramWindow(pid);
    QVERIFY(!window.id.isEmpty());
}

QJsonObject tst_Control::mouseState()
{
    QDBusReply<QString> state = mouse->call(QStringLiteral("State"));
    return state.isValid() ? QJsonDocument::fromJson(state.value().toUtf8()).object()
                           : QJsonObject();
}

// The mouse took profile profileNo (device profile profileNo + 1), and the
// screen lock of the switch is over.
bool tst_Control::mouseHolds(int profileNo)
{
    const QString field = chip == QLatin1String("560") ? QStringLiteral("currentProfile")
                                                       : QStringLiteral("currentKeyMatrix");
    const bool held =
        QTest::qWaitFor([&] { return mouseState().value(field).toInt() == profileNo + 1; }, 8000);
    // The screen stays locked until every page has sent its part.
    QTest::qWait(1500);
    const QJsonObject state = mouseState();
    if (!held || state.value(field).toInt() != profileNo + 1) {
        qWarning() << "mouse state:" << QJsonDocument(state).toJson(QJsonDocument::Compact);
        return false;
    }
    return true;
}

void tst_Control::commandLineReportAndFollowing_data()
{
    QTest::addColumn<QString>("chipType");
    QTest::newRow("553") << QStringLiteral("553");
    QTest::newRow("560") << QStringLiteral("560");
}

void tst_Control::commandLineReportAndFollowing()
{
    QFETCH(QString, chipType);
    chip = chipType;
    TestWindows &windows = *testWindows;
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, QLatin1String(busName));
    QVERIFY(bus.isConnected());

    ProgramCopy program(QStringLiteral(R770_EXECUTABLE),
                        QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    executable = program.executable();
    const QString settingDir = program.folder() + QStringLiteral("/modules/setting");
    const QByteArray macroBytes = "0x1e,0x9e,SECRET-MACRO-CONTENT";
    {
        QSettings config(settingDir + QStringLiteral("/apConfig.bin"), QSettings::IniFormat);
        config.setValue(QStringLiteral("mouse/icType"), chip);
        config.setValue(QStringLiteral("mouse/profileNo"), 0);
        config.remove(QStringLiteral("appProfile"));
        QSettings names(settingDir + QStringLiteral("/name.bin"), QSettings::IniFormat);
        names.setValue(QStringLiteral("profile/profileName"),
                       QStringList{QStringLiteral("Standard0"), QStringLiteral("profile_02")});
        QDir().mkpath(program.folder() + QStringLiteral("/modules/macro"));
        QFile macro(program.folder() + QStringLiteral("/modules/macro/secret.bin"));
        QVERIFY(macro.open(QIODevice::WriteOnly));
        macro.write("[macro]\ndata=" + macroBytes + "\n");
    }

    // No instance yet: every control option ends with 2.
    Result none = cli({QStringLiteral("--list-profiles")});
    QCOMPARE(none.code, 2);
    // One line of its own (Qt may warn about the session before it).
    QVERIFY(none.err.trimmed().split('\n').last().startsWith("R770: "));

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("x11"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(executable, {QStringLiteral("--virtual-mouse")});
    QVERIFY(process.waitForStarted(5000));
    auto stop = qScopeGuard([&] {
        process.kill();
        process.waitForFinished(5000);
    });
    QByteArray output;
    auto explain = qScopeGuard([&] {
        if (QTest::currentTestFailed())
            qWarning().noquote() << "program output:\n" << output + process.readAll();
    });
    QTRY_VERIFY_WITH_TIMEOUT((output += process.readAll()).contains("Device Connect"), 15000);
    waitForWindow(process.processId());
    QTest::qWait(1500);
    QDBusInterface virtualMouse(service, QStringLiteral("/VirtualMouse"),
                                QStringLiteral("com.zerant.molta.R770.VirtualMouse"), bus);
    QVERIFY(virtualMouse.isValid());
    mouse = &virtualMouse;
    auto forget = qScopeGuard([&] { mouse = nullptr; });
    QDBusInterface control(service, QStringLiteral("/Control"),
                           QStringLiteral("com.zerant.molta.R770.Control"), bus);
    QVERIFY(control.isValid());

    // The list, a switch by name and one by a row that does not exist.
    Result list = cli({QStringLiteral("--list-profiles")});
    QCOMPARE(list.code, 0);
    QCOMPARE(list.out, QByteArray("* 0 Standard\n  1 profile_0\n"));
    Result byName = cli({QStringLiteral("--profile"), QStringLiteral("profile_0")});
    QCOMPARE(byName.code, 0);
    QVERIFY2(mouseHolds(2), "step 1");
    QCOMPARE(control.property("ActiveProfile").toInt(), 1);
    Result noRow = cli({QStringLiteral("--profile"), QStringLiteral("7")});
    QCOMPARE(noRow.code, 1);
    QVERIFY(noRow.err.contains("row 7"));

    // DPI stages: set from the command line, and from the mouse's own button.
    QCOMPARE(cli({QStringLiteral("--dpi-stage"), QStringLiteral("2")}).code, 0);
    if (chip == QLatin1String("560"))
        QTRY_COMPARE_WITH_TIMEOUT(
            mouseState().value(QStringLiteral("profileDpiStage")).toObject().value("3").toInt(), 2,
            5000);
    else
        QTRY_COMPARE_WITH_TIMEOUT(mouseState().value(QStringLiteral("currentDpiStage")).toInt(), 2,
                                  5000);
    QCOMPARE(control.property("DpiStage").toInt(), 2);
    virtualMouse.call(QStringLiteral("PressDpiButton"), QVariant::fromValue(uchar(3)));
    QTRY_COMPARE_WITH_TIMEOUT(control.property("DpiStage").toInt(), 3, 5000);
    QCOMPARE(cli({QStringLiteral("--dpi-stage"), QStringLiteral("9")}).code, 1);

    // A switch that arrives while another one holds the screen is refused.
    QDBusPendingCall first = control.asyncCall(QStringLiteral("SwitchProfile"), 0);
    QDBusPendingCall second = control.asyncCall(QStringLiteral("SwitchProfile"), 1);
    first.waitForFinished();
    second.waitForFinished();
    QVERIFY(!first.isError());
    QCOMPARE(second.error().name(), QStringLiteral("com.zerant.molta.R770.Control.Error.Busy"));
    QVERIFY2(mouseHolds(0), "after the refused switch");

    // Without the mouse nothing is sent; plugged back, it works again.
    virtualMouse.call(QStringLiteral("Unplug"));
    QTest::qWait(1500);
    const Result unplugged = cli({QStringLiteral("--profile"), QStringLiteral("1")});
    QCOMPARE(unplugged.code, 1);
    QVERIFY(unplugged.err.contains("No mouse is connected"));
    virtualMouse.call(QStringLiteral("Plug"));
    QTRY_VERIFY_WITH_TIMEOUT((output += process.readAll()).count("Device Connect") == 2, 10000);
    QTest::qWait(1500);

    // The report: every section, the connected mouse, nothing of the macro.
    const QString reportPath = program.folder() + QStringLiteral("/report.txt");
    QCOMPARE(cli({QStringLiteral("--report"), reportPath}).code, 0);
    QFile reportFile(reportPath);
    QVERIFY(reportFile.open(QIODevice::ReadOnly));
    const QByteArray report = reportFile.readAll();
    for (const char *section : {"== Program ==", "== Data folder ==", "== Device table ==",
                                "== HID devices of the configured vendors ==", "== udev rule ==",
                                "== Desktop ==", "== Last detection =="})
        QVERIFY2(report.contains(section), section);
    QVERIFY(report.contains("Qt: " QT_VERSION_STR));
    QVERIFY(report.contains(QDir(program.folder()).canonicalPath().toUtf8() + "/modules"));
    QVERIFY(report.contains("04d9:a1ee interface"));
    QVERIFY(report.contains("result: connected entry"));
    QVERIFY(report.contains("macro files: 1"));
    QVERIFY(!report.contains("SECRET-MACRO-CONTENT"));
    QVERIFY(!report.contains("secret"));

    // The second row follows the program of class "Gimp", set on the profiles page.
    QCOMPARE(cli({QStringLiteral("--profile"), QStringLiteral("0")}).code, 0);
    QVERIFY2(mouseHolds(0), "step 2");
    click(configButton);
    click(secondRow);
    click(programsButton);
    QVERIFY(run(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("Gimp")}));
    QVERIFY(run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")}));
    QTRY_COMPARE_WITH_TIMEOUT(
        QSettings(settingDir + QStringLiteral("/apConfig.bin"), QSettings::IniFormat)
            .value(QStringLiteral("appProfile/2"))
            .toString(),
        QStringLiteral("Gimp"), 3000);
    QProcess::execute(QStringLiteral("import"),
                      {QStringLiteral("-window"), QStringLiteral("root"),
                       QDir::tempPath() + QStringLiteral("/r770-programs-%1.png").arg(chip)});

    const Window gimp = windows.make("gimp", "Gimp");
    const Window otherGimp = windows.make("gimp", "Gimp");
    const Window term = windows.make("xterm", "XTerm");
    // Not while a panel is open over the window: a call is refused, the
    // rule waits and applies once the panel is closed.
    const Result underPanel = cli({QStringLiteral("--profile"), QStringLiteral("1")});
    QCOMPARE(underPanel.code, 1);
    QVERIFY(underPanel.err.contains("panel is open"));
    windows.activate(gimp);
    QTest::qWait(1500);
    QCOMPARE(control.property("ActiveProfile").toInt(), 0);
    click(panelClose);
    QVERIFY2(mouseHolds(2), "step 3");
    windows.activate(term);
    QVERIFY2(mouseHolds(0), "step 4");
    windows.activate(gimp);
    QVERIFY2(mouseHolds(2), "step 5");
    // A switch by hand stays while the same program keeps the focus.
    QCOMPARE(cli({QStringLiteral("--profile"), QStringLiteral("Standard")}).code, 0);
    QVERIFY2(mouseHolds(0), "step 6");
    windows.activate(otherGimp);
    QTest::qWait(1500);
    QCOMPARE(control.property("ActiveProfile").toInt(), 0);
    QVERIFY2(mouseHolds(0), "step 7");
    // Another program in between ends it (each change seen on its own; a
    // change and its undoing within one event batch are no change).
    windows.activate(term);
    QTest::qWait(500);
    windows.activate(gimp);
    QVERIFY2(mouseHolds(2), "step 8");

    // The window hidden by its close button comes back; then the end of the instance.
    const auto visible = [&] {
        return run(QStringLiteral("xdotool"),
                   {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                    QStringLiteral("--pid"), QString::number(process.processId())});
    };
    // The close button answers once the last switch's screen lock is over.
    QVERIFY(QTest::qWaitFor(
        [&] {
            click(windowClose);
            return QTest::qWaitFor([&] { return !visible(); }, 1000);
        },
        10000));
    QCOMPARE(cli({QStringLiteral("--show")}).code, 0);
    QTRY_VERIFY_WITH_TIMEOUT(visible(), 5000);
    const Result quit = cli({QStringLiteral("--quit")});
    QVERIFY2(quit.code == 0, quit.err.constData());
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(cli({QStringLiteral("--dpi-stage"), QStringLiteral("1")}).code, 2);
}

QTEST_GUILESS_MAIN(tst_Control)
#include "tst_control.moc"
