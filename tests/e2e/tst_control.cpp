// The real executable in demo mode under X: the control interface through the
// program's own command-line options, the diagnostics report, and profiles
// that follow the active program. The program's window sets the rule by
// clicks; the test maps two windows of different classes and makes each the
// active one on the root window, as a window manager would, and finds the
// virtual mouse receiving each profile in turn.
#include "DemoSession.h"
#include "MouseBytes.h"

#include <QDBusError>
#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTest>

#include <memory>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

const QString service = QStringLiteral("com.zerant.molta.R770");
// What a call says while an update holds the window's screen.
const char *const lockedOut = "busy with an update";

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
    void commandLineReportAndFollowing_data() { DemoSession::addChipRows(); }
    void commandLineReportAndFollowing();

private:
    bool ends(const QStringList &arguments, int code, DemoSession::Run *run = nullptr);
    bool mouseHolds(int profileNo);

    // Open for the whole run: an X server without clients resets itself.
    std::unique_ptr<TestWindows> testWindows;
    std::unique_ptr<DemoSession> demo;
    QString chipType;
};

void tst_Control::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X display; run under xvfb-run");
    testWindows = std::make_unique<TestWindows>();
    QVERIFY(testWindows->isOpen());
}

// Runs a control option to its end; true when it ended with code, else it
// says what it printed. While a switch started by the window or a rule still
// holds the screen (until every page has sent its part) a call is refused:
// that refusal is asked again until the lock is over, for 30 s at most.
bool tst_Control::ends(const QStringList &arguments, int code, DemoSession::Run *run)
{
    DemoSession::Run result;
    const QDeadlineTimer deadline(30000);
    int refused = 0;
    while ((result = demo->runAgain(arguments)).code == 1 && result.err.contains(lockedOut) &&
           !deadline.hasExpired()) {
        ++refused;
        QTest::qWait(200);
    }
    if (refused > 0)
        qInfo("%s: refused %d times while the screen was locked", qPrintable(arguments.join(' ')),
              refused);
    if (result.code != code)
        qWarning("%s ended with %d, not %d: %s%s", qPrintable(arguments.join(' ')), result.code,
                 code, result.out.constData(), result.err.constData());
    if (run)
        *run = result;
    return result.code == code;
}

// The mouse took profile profileNo (device profile profileNo + 1) and still
// holds it a while later.
bool tst_Control::mouseHolds(int profileNo)
{
    const QString field = chipType == QLatin1String("560") ? QStringLiteral("currentProfile")
                                                           : QStringLiteral("currentKeyMatrix");
    const bool held =
        QTest::qWaitFor([&] { return demo->state().value(field).toInt() == profileNo + 1; }, 8000);
    QTest::qWait(1500);
    const QJsonObject state = demo->state();
    if (!held || state.value(field).toInt() != profileNo + 1) {
        qWarning() << "mouse state:" << QJsonDocument(state).toJson(QJsonDocument::Compact);
        return false;
    }
    return true;
}

void tst_Control::commandLineReportAndFollowing()
{
    QFETCH(QString, chip);
    chipType = chip;
    TestWindows &windows = *testWindows;
    demo = std::make_unique<DemoSession>();
    auto end = qScopeGuard([this] { demo.reset(); });
    QString whyNot;
    if (!demo->startBus(&whyNot))
        QSKIP(qPrintable(whyNot));
    const ProgramCopy &program = demo->copy();
    // The program lives in the user's home folder, whose path names the user.
    const QByteArray home = qgetenv("HOME");
    auto restoreHome = qScopeGuard([&] { qputenv("HOME", home); });
    qputenv("HOME", QFile::encodeName(program.folder()));
    const QString config = QStringLiteral("setting/apConfig.bin");
    const QByteArray macroBytes = "0x1e,0x9e,SECRET-MACRO-CONTENT";
    program.write(config, QStringLiteral("mouse/icType"), chip);
    program.write(config, QStringLiteral("mouse/profileNo"), 0);
    program.remove(config, QStringLiteral("appProfile"));
    program.write(QStringLiteral("setting/name.bin"), QStringLiteral("profile/profileName"),
                  QStringList{QStringLiteral("Standard0"), QStringLiteral("profile_02")});
    QDir().mkpath(program.file(QStringLiteral("macro")));
    QFile macro(program.file(QStringLiteral("macro/secret.bin")));
    QVERIFY(macro.open(QIODevice::WriteOnly));
    macro.write("[macro]\ndata=" + macroBytes + "\n");
    macro.close();

    // No instance yet: every control option ends with 2.
    DemoSession::Run none;
    QVERIFY(ends({QStringLiteral("--list-profiles")}, 2, &none));
    // One line of its own (Qt may warn about the session before it).
    QVERIFY(none.err.trimmed().split('\n').last().startsWith("R770: "));

    QVERIFY2(demo->launch(), demo->output().constData());
    QVERIFY(!demo->state().isEmpty());
    QDBusInterface control(service, QStringLiteral("/Control"),
                           QStringLiteral("com.zerant.molta.R770.Control"), demo->bus());
    QVERIFY(control.isValid());

    // The list, a switch by name and one by a row that does not exist.
    DemoSession::Run list;
    QVERIFY(ends({QStringLiteral("--list-profiles")}, 0, &list));
    QCOMPARE(list.out, QByteArray("* 0 Standard\n  1 profile_0\n"));
    QVERIFY(ends({QStringLiteral("--profile"), QStringLiteral("profile_0")}, 0));
    QVERIFY2(mouseHolds(2), "step 1");
    QCOMPARE(control.property("ActiveProfile").toInt(), 1);
    DemoSession::Run noRow;
    QVERIFY(ends({QStringLiteral("--profile"), QStringLiteral("7")}, 1, &noRow));
    QVERIFY(noRow.err.contains("row 7"));

    // DPI stages: set from the command line, and from the mouse's own button.
    QVERIFY(ends({QStringLiteral("--dpi-stage"), QStringLiteral("2")}, 0));
    QTRY_COMPARE_WITH_TIMEOUT(MouseBytes::currentDpiStage(demo->state(), chip, 3), 2, 5000);
    QCOMPARE(control.property("DpiStage").toInt(), 2);
    QVERIFY(demo->callMouse(QStringLiteral("PressDpiButton"), {QVariant::fromValue(uchar(3))}));
    QTRY_COMPARE_WITH_TIMEOUT(control.property("DpiStage").toInt(), 3, 5000);
    QVERIFY(ends({QStringLiteral("--dpi-stage"), QStringLiteral("9")}, 1));

    // A switch that arrives while another one holds the screen is refused
    // (both sent again while an earlier update still holds it).
    QDBusPendingCall first = QDBusPendingCall::fromError(QDBusError());
    QDBusPendingCall second = first;
    for (const QDeadlineTimer deadline(30000);; QTest::qWait(200)) {
        first = control.asyncCall(QStringLiteral("SwitchProfile"), 0);
        second = control.asyncCall(QStringLiteral("SwitchProfile"), 1);
        first.waitForFinished();
        second.waitForFinished();
        if (!first.error().message().contains(QLatin1String(lockedOut)) || deadline.hasExpired())
            break;
    }
    QVERIFY2(!first.isError(), qPrintable(first.error().message()));
    QCOMPARE(second.error().name(), QStringLiteral("com.zerant.molta.R770.Control.Error.Busy"));
    QVERIFY2(mouseHolds(0), "after the refused switch");

    // Without the mouse nothing is sent; plugged back, it works again.
    QVERIFY(demo->callMouse(QStringLiteral("Unplug")));
    QTest::qWait(1500);
    DemoSession::Run unplugged;
    QVERIFY(ends({QStringLiteral("--profile"), QStringLiteral("1")}, 1, &unplugged));
    QVERIFY(unplugged.err.contains("No mouse is connected"));
    QVERIFY(demo->callMouse(QStringLiteral("Plug")));
    QTRY_VERIFY_WITH_TIMEOUT(demo->output().count("Device Connect") == 2, 10000);
    QTest::qWait(1500);

    // The report: every section, the connected mouse, nothing of the macro.
    const QString reportPath = program.folder() + QStringLiteral("/report.txt");
    QVERIFY(ends({QStringLiteral("--report"), reportPath}, 0));
    QFile reportFile(reportPath);
    QVERIFY(reportFile.open(QIODevice::ReadOnly));
    const QByteArray report = reportFile.readAll();
    for (const char *section : {"== Program ==", "== Data folder ==", "== Device table ==",
                                "== HID devices of the configured vendors ==", "== udev rule ==",
                                "== Desktop ==", "== Last detection =="})
        QVERIFY2(report.contains(section), section);
    QVERIFY(report.contains("Qt: " QT_VERSION_STR));
    QVERIFY(report.contains("folder: ~/modules\n"));
    QVERIFY(!report.contains(program.folder().toUtf8()));
    QVERIFY(!report.contains(QDir(program.folder()).canonicalPath().toUtf8()));
    QVERIFY(report.contains("04d9:a1ee interface"));
    QVERIFY(report.contains("result: connected entry"));
    QVERIFY(report.contains("macro files: 1"));
    QVERIFY(report.contains("active-window source: X11\n"));
    QVERIFY(!report.contains("SECRET-MACRO-CONTENT"));
    QVERIFY(!report.contains("secret"));

    // The second row follows the program of class "Gimp", set on the profiles page.
    QVERIFY(ends({QStringLiteral("--profile"), QStringLiteral("0")}, 0));
    QVERIFY2(mouseHolds(0), "step 2");
    QVERIFY(demo->click(QStringLiteral("Config"), Role::button));
    const AccessibleApp::Node page =
        demo->accessible().find(QStringLiteral("config"), Role::dialog);
    QVERIFY(page.isValid());
    QVERIFY(demo->click(QStringLiteral("profile_0"), Role::listItem, page));
    QVERIFY(demo->click(QStringLiteral("Programs"), Role::button, page));
    QVERIFY(demo->xdotool({QStringLiteral("type"), QStringLiteral("Gimp")}));
    QVERIFY(demo->xdotool({QStringLiteral("key"), QStringLiteral("Return")}));
    QTRY_COMPARE_WITH_TIMEOUT(program.read(config, QStringLiteral("appProfile/2")).toString(),
                              QStringLiteral("Gimp"), 3000);
    demo->shoot(QStringLiteral(R770_SHOT_DIR), QStringLiteral("control-programs-") + chip);

    const Window gimp = windows.make("gimp", "Gimp");
    const Window otherGimp = windows.make("gimp", "Gimp");
    const Window term = windows.make("xterm", "XTerm");
    // Not while a panel is open over the window: a call is refused, the
    // rule waits and applies once the panel is closed.
    DemoSession::Run underPanel;
    QVERIFY(ends({QStringLiteral("--profile"), QStringLiteral("1")}, 1, &underPanel));
    QVERIFY(underPanel.err.contains("panel is open"));
    windows.activate(gimp);
    QTest::qWait(1500);
    QCOMPARE(control.property("ActiveProfile").toInt(), 0);
    QVERIFY(demo->click(QStringLiteral("Close"), Role::button, page));
    QVERIFY2(mouseHolds(2), "step 3");
    windows.activate(term);
    QVERIFY2(mouseHolds(0), "step 4");
    windows.activate(gimp);
    QVERIFY2(mouseHolds(2), "step 5");
    // A switch by hand stays while the same program keeps the focus.
    QVERIFY(ends({QStringLiteral("--profile"), QStringLiteral("Standard")}, 0));
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
    // The close button answers once the last switch's screen lock is over.
    QVERIFY(QTest::qWaitFor(
        [&] {
            demo->click(QStringLiteral("Close"), Role::button);
            return QTest::qWaitFor([&] { return !demo->windowVisible(); }, 1000);
        },
        10000));
    QVERIFY(ends({QStringLiteral("--show")}, 0));
    QTRY_VERIFY_WITH_TIMEOUT(demo->windowVisible(), 5000);
    QVERIFY(ends({QStringLiteral("--quit")}, 0));
    QVERIFY(demo->waitForExit(10000));
    QCOMPARE(demo->program().exitCode(), 0);
    QVERIFY(ends({QStringLiteral("--dpi-stage"), QStringLiteral("1")}, 2));
}

QTEST_GUILESS_MAIN(tst_Control)
#include "tst_control.moc"
