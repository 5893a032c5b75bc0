#include "TempDataFolder.h"
#include "backend/myQQuickView.h"
#include "shell/InputHook.h"
#include "shell/InputHookCallbacks.h"
#include "shell/Widget.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QProcess>
#include <QQuickItem>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

// The whole road of a key press or click made in another program: the X
// server, the capture on our own X connection, the tables, the callbacks and
// the queued calls into QML. Needs an X server (xvfb-run), xdotool and xev.
class InputCaptureTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder;
    std::unique_ptr<Widget> widget;
    std::unique_ptr<InputHook> hook;
    QProcess xev;
    QByteArray xevOutput;

    QStringList log() const { return widget->view()->rootObject()->property("log").toStringList(); }

    static bool xdotool(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral("xdotool"), arguments);
        return process.waitForFinished(10000) && process.exitCode() == 0;
    }

    static QString hex(int usage) { return QString::number(usage); }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("no X server (run under xvfb-run)");
        for (const char *tool : {"xdotool", "xev"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
        // The capture is chosen for an X session.
        qunsetenv("WAYLAND_DISPLAY");
        qunsetenv("XDG_SESSION_TYPE");

        folder = std::make_unique<TempDataFolder>();
        QSettings(folder->file(QStringLiteral("modules/setting/apConfig.bin")),
                  QSettings::IniFormat)
            .setValue(QStringLiteral("common/name"), QStringLiteral("Molta E2E"));
        widget = std::make_unique<Widget>();
        widget->view()->setSource(
            QUrl::fromLocalFile(QStringLiteral(R770_E2E_DIR "/InputProbe.qml")));
        QVERIFY(widget->view()->rootObject());

        hook = std::make_unique<InputHook>(0);
        registerInputHookCallbacks(*hook, widget.get(), qApp);
        QVERIFY2(hook->installHooks(), "XInput2 capture did not install");

        // Another program holds the keyboard focus and sees every key.
        connect(&xev, &QProcess::readyReadStandardOutput, this,
                [this] { xevOutput += xev.readAllStandardOutput(); });
        xev.start(QStringLiteral("xev"),
                  {QStringLiteral("-geometry"), QStringLiteral("200x200+300+300")});
        QVERIFY(xev.waitForStarted());
        QProcess search;
        search.start(QStringLiteral("xdotool"),
                     {"search", "--sync", "--onlyvisible", "--name", "Event Tester"});
        QVERIFY(search.waitForFinished(10000));
        const QString window =
            QString::fromLatin1(search.readAllStandardOutput()).split('\n').value(0);
        QVERIFY(!window.isEmpty());
        QVERIFY(xdotool({"windowfocus", "--sync", window}));
    }

    void cleanupTestCase()
    {
        if (xev.state() != QProcess::NotRunning) {
            xev.kill();
            xev.waitForFinished();
        }
        hook.reset();
        widget.reset();
        folder.reset();
    }

    void keysReachQmlOncePerTransition()
    {
        const QStringList before = log();
        QVERIFY(xdotool({"key", "--delay", "20", "a", "Return", "KP_Enter", "Print", "Pause",
                         "Scroll_Lock", "Scroll_Lock", "Num_Lock", "Num_Lock", "Super_L",
                         "134"})); // Super_R by key code: its keysym comes with Super_L
        // A held key: one press and one release whatever the auto-repeat does.
        QVERIFY(xdotool({"keydown", "b", "sleep", "0.8", "keyup", "b"}));
        // Alt+Print Screen is still Print Screen.
        QVERIFY(xdotool({"keydown", "Alt_L", "key", "Print", "keyup", "Alt_L"}));

        QStringList expected;
        const auto stroke = [&expected](int usage) {
            expected << QStringLiteral("K 1 %1").arg(usage) << QStringLiteral("K 0 %1").arg(usage);
        };
        for (int usage : {0x04, 0x28, 0x58, 0x46, 0x48, 0x47, 0x47, 0x53, 0x53, 0xE3, 0xE7, 0x05})
            stroke(usage);
        expected << QStringLiteral("K 1 %1").arg(0xE2);
        stroke(0x46);
        expected << QStringLiteral("K 0 %1").arg(0xE2);
        QTRY_VERIFY_WITH_TIMEOUT(log().size() - before.size() >= expected.size(), 10000);
        QTest::qWait(200); // nothing more follows
        QCOMPARE(log().mid(before.size()).join(", "), expected.join(", "));

        // The keys were not taken from the program that had the focus.
        QTRY_VERIFY_WITH_TIMEOUT(xevOutput.count("KeyRelease event") >= expected.size() / 2, 5000);
        QVERIFY2(xevOutput.contains("keycode 38 "), xevOutput.right(400));
    }

    void clicksReachQmlWithThePointerPosition()
    {
        const QStringList before = log();
        QVERIFY(xdotool({"mousemove", "--sync", "320", "330", "click", "1", "click", "3", "click",
                         "2", "click", "4", "click", "1", "click", "1"}));
        const QStringList expected{
            "M 1 240 320 330", "M 0 240 320 330", "M 1 241 320 330", "M 0 241 320 330",
            "M 1 242 320 330", "M 0 242 320 330", "M 1 240 320 330", "M 0 240 320 330",
            "M 1 240 320 330", "M 0 240 320 330",
        };
        QTRY_COMPARE_WITH_TIMEOUT(log().mid(before.size()), expected, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(xevOutput.contains("ButtonPress event"), 5000);
    }

    void copyDataOverTheSessionBus()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus (run under dbus-run-session)");
        QStringList shown;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&shown] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (box && box->isVisible()) {
                    shown << box->windowTitle() + QLatin1Char('|') + box->text();
                    box->done(QMessageBox::Ok);
                }
            }
        });
        watcher.start(10);

        const auto send = [](const char *dwData, const char *bytes) {
            QProcess process;
            process.start(QStringLiteral("dbus-send"),
                          {"--session", "--print-reply", "--dest=com.zerant.molta.R770", "/",
                           "com.zerant.molta.R770.CopyData.Send", dwData, bytes});
            // The event loop must run meanwhile: this process answers the call.
            QDeadlineTimer deadline(10000);
            while (process.state() != QProcess::NotRunning && !deadline.hasExpired())
                QTest::qWait(10);
            return process.state() == QProcess::NotRunning && process.exitCode() == 0;
        };
        QVERIFY(send("uint32:9487", "array:byte:72,101,108,108,111"));      // "Hello"
        QVERIFY(send("uint32:9487", "array:byte:72,101,108,108,111,0"));    // NUL counted
        QVERIFY(send("uint32:9488", "array:byte:72,101,108,108,111"));      // other number
        QVERIFY(send("uint32:9487", "array:byte:60,98,62,87,60,47,98,62")); // "<b>W</b>"
        QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 2, 10000);
        QTest::qWait(300); // nothing else follows
        QCOMPARE(shown, (QStringList{"Molta E2E|Hello", "Molta E2E|<b>W</b>"}));
    }
};

QTEST_MAIN(InputCaptureTest)
#include "tst_inputcapture.moc"
