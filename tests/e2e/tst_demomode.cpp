// The real executable in demo mode on a private session bus: the virtual
// mouse's DPI button reaches the program's listener and balloon, and pulling
// the mouse out and back in goes through detection.
#include "DemoSession.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

// Stands in for the desktop's notification daemon: the program's balloons
// arrive here when there is no system tray.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList shown; // "title|text|msecs"

public slots:
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &, const QVariantMap &, int timeout)
    {
        shown << QStringLiteral("%1|%2|%3").arg(summary, body).arg(timeout);
        return uint(shown.size());
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
};

// A session whose bus carries the fake notification daemon; the display is
// optional (the program runs offscreen without one).
bool startWithNotifications(DemoSession &demo, FakeNotifications &notifications)
{
    QString whyNot;
    if (!demo.startBus(&whyNot, DemoSession::Display::Optional)) {
        qWarning("%s", qPrintable(whyNot));
        return false;
    }
    QDBusConnection bus = demo.bus();
    return bus.isConnected() &&
           bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications,
                              QDBusConnection::ExportAllSlots) &&
           bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

} // namespace

class tst_DemoMode : public QObject
{
    Q_OBJECT
private slots:
    void dpiButtonAndReplug();
    void refusedAccessSaidOnce();
};

void tst_DemoMode::dpiButtonAndReplug()
{
    DemoSession demo;
    FakeNotifications notifications;
    QVERIFY(startWithNotifications(demo, notifications));
    const QString transcript = demo.copy().folder() + QStringLiteral("/transcript.jsonl");
    QVERIFY(demo.start({QStringLiteral("--virtual-mouse"),
                        QStringLiteral("--virtual-mouse-transcript=") + transcript}));

    // Detection at start finds the virtual mouse.
    QVERIFY2(demo.waitForOutput("Device Connect", 15000), demo.output().constData());
    QTRY_VERIFY_WITH_TIMEOUT(
        notifications.shown.contains(QStringLiteral("Info|Detect Device|10000")), 5000);

    QVERIFY(demo.callMouse(QStringLiteral("PressDpiButton"), {QVariant::fromValue(uchar(3))}));
    QTRY_VERIFY_WITH_TIMEOUT(notifications.shown.size() >= 2, 5000);
    const QString balloon = notifications.shown.at(1);
    QVERIFY2(balloon.startsWith(QLatin1String("Info|")) &&
                 balloon.endsWith(QLatin1String(" |10000")),
             qPrintable(balloon));
    QVERIFY(demo.state().value(QStringLiteral("plugged")).toBool());

    // Out and back in: the listener notices, detection reports the mouse gone,
    // then finds it again.
    QVERIFY(demo.callMouse(QStringLiteral("Unplug")));
    QVERIFY(demo.waitForOutput("Device removed", 5000));
    QVERIFY(demo.waitForOutput("Device DisConnect", 8000));
    const int connectsBefore = int(demo.output().count("Device Connect"));
    QVERIFY(demo.callMouse(QStringLiteral("Plug")));
    QTRY_VERIFY_WITH_TIMEOUT(demo.output().count("Device Connect") > connectsBefore, 8000);
    QTRY_VERIFY_WITH_TIMEOUT(
        notifications.shown.count(QStringLiteral("Info|Detect Device|10000")) == 2, 5000);

    demo.kill();

    // The transcript holds the DPI notification as it was read.
    QFile file(transcript);
    QVERIFY(file.open(QIODevice::ReadOnly));
    bool sawDpi = false;
    int lines = 0;
    while (!file.atEnd()) {
        const QJsonObject call = QJsonDocument::fromJson(file.readLine()).object();
        QVERIFY(call.contains(QStringLiteral("t")) && call.contains(QStringLiteral("result")));
        ++lines;
        sawDpi |=
            call.value(QStringLiteral("op")).toString() == QLatin1String("hid_read_timeout") &&
            call.value(QStringLiteral("data")).toString() == QLatin1String("06070003");
    }
    QVERIFY(lines > 50);
    QVERIFY(sawDpi);
}

void tst_DemoMode::refusedAccessSaidOnce()
{
    DemoSession demo;
    FakeNotifications notifications;
    QVERIFY(startWithNotifications(demo, notifications));
    const QString folder = demo.copy().folder();
    // The build lays the udev rule beside the executable; the copy has it too.
    QVERIFY(QFile::copy(QStringLiteral(R770_EXECUTABLE_DIR "/70-r770-mouse.rules"),
                        folder + QStringLiteral("/70-r770-mouse.rules")));
    QVERIFY(demo.start({QStringLiteral("--virtual-mouse")}));
    QVERIFY2(demo.waitForOutput("Device Connect", 15000), demo.output().constData());

    // The user loses access to the nodes (no rule): the replugged mouse is
    // found, cannot be opened, and the program says so and how to fix it.
    const auto disconnects = [&] { return int(demo.output().count("Device DisConnect")); };
    const auto unplugAndPlug = [&] {
        const int before = disconnects();
        QVERIFY(demo.callMouse(QStringLiteral("Unplug")));
        QTRY_VERIFY_WITH_TIMEOUT(disconnects() > before, 8000);
        QVERIFY(demo.callMouse(QStringLiteral("Plug")));
    };
    QVERIFY(demo.callMouse(QStringLiteral("SetAccess"), {false}));
    int before = disconnects();
    unplugAndPlug();
    QTRY_VERIFY_WITH_TIMEOUT(disconnects() > before + 1, 8000);
    const QString found =
        QStringLiteral("Info|The mouse (04d9:a1ee) is plugged in, but this user may not open it.");
    QTRY_VERIFY_WITH_TIMEOUT(notifications.shown.size() >= 2, 5000);
    const QString hint = notifications.shown.last();
    QVERIFY2(hint.startsWith(found) && hint.endsWith(QLatin1String("|10000")), qPrintable(hint));
    const bool ruleInstalled =
        QFile::exists(QStringLiteral("/usr/lib/udev/rules.d/70-r770-mouse.rules")) ||
        QFile::exists(QStringLiteral("/etc/udev/rules.d/70-r770-mouse.rules"));
    if (!ruleInstalled) {
        // The rule beside the program and the command that installs it.
        QCOMPARE(hint, found + QStringLiteral(" Install its udev rule, then plug the mouse in "
                                              "again: sudo install -m 644 '%1/70-r770-mouse.rules'"
                                              " /etc/udev/rules.d/ && sudo udevadm control "
                                              "--reload-rules && sudo udevadm trigger|10000")
                                   .arg(folder));
    }

    // Said once: the next detections stay quiet.
    const qsizetype shown = notifications.shown.size();
    before = disconnects();
    unplugAndPlug();
    QTRY_VERIFY_WITH_TIMEOUT(disconnects() > before + 1, 8000);
    QTest::qWait(500);
    QCOMPARE(notifications.shown.size(), shown);

    // With access back, the next plug connects.
    QVERIFY(demo.callMouse(QStringLiteral("SetAccess"), {true}));
    const int connects = int(demo.output().count("Device Connect"));
    unplugAndPlug();
    QTRY_VERIFY_WITH_TIMEOUT(demo.output().count("Device Connect") > connects, 8000);
}

QTEST_GUILESS_MAIN(tst_DemoMode)
#include "tst_demomode.moc"
