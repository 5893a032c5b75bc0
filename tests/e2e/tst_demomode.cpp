// The real executable in demo mode on a private session bus: the virtual
// mouse's DPI button reaches the program's listener and balloon, and pulling
// the mouse out and back in goes through detection.
#include "ProgramCopy.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

const char *const busName = "r770demo";

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

} // namespace

class tst_DemoMode : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void dpiButtonAndReplug();
    void refusedAccessSaidOnce();

private:
    QProcess busDaemon;
    QString busAddress;
};

void tst_DemoMode::initTestCase()
{
    busDaemon.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
    if (!busDaemon.waitForStarted(5000))
        QSKIP("no dbus-daemon");
    QTRY_VERIFY_WITH_TIMEOUT(busDaemon.canReadLine(), 5000);
    busAddress = QString::fromLatin1(busDaemon.readLine().trimmed());
    QVERIFY(!busAddress.isEmpty());
}

void tst_DemoMode::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(QLatin1String(busName));
    busDaemon.terminate();
    busDaemon.waitForFinished(5000);
}

void tst_DemoMode::dpiButtonAndReplug()
{
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, QLatin1String(busName));
    QVERIFY(bus.isConnected());
    FakeNotifications notifications;
    QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications,
                               QDBusConnection::ExportAllSlots));
    QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));

    ProgramCopy program(QStringLiteral(R770_EXECUTABLE),
                        QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    const QString transcript = program.folder() + QStringLiteral("/transcript.jsonl");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), qEnvironmentVariableIsEmpty("DISPLAY")
                                                      ? QStringLiteral("offscreen")
                                                      : QStringLiteral("xcb"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program.executable(),
                  {QStringLiteral("--virtual-mouse"),
                   QStringLiteral("--virtual-mouse-transcript=") + transcript});
    QVERIFY(process.waitForStarted(5000));
    QByteArray output;
    auto readOutput = [&] {
        output += process.readAll();
        return output;
    };

    // Detection at start finds the virtual mouse.
    QTRY_VERIFY_WITH_TIMEOUT(readOutput().contains("Device Connect"), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(
        notifications.shown.contains(QStringLiteral("Info|Detect Device|10000")), 5000);

    QDBusInterface mouse(QStringLiteral("com.zerant.molta.R770"), QStringLiteral("/VirtualMouse"),
                         QStringLiteral("com.zerant.molta.R770.VirtualMouse"), bus);
    QVERIFY(mouse.isValid());
    QDBusReply<void> pressed =
        mouse.call(QStringLiteral("PressDpiButton"), QVariant::fromValue(uchar(3)));
    QVERIFY2(pressed.isValid(), qPrintable(pressed.error().message()));
    QTRY_VERIFY_WITH_TIMEOUT(notifications.shown.size() >= 2, 5000);
    const QString balloon = notifications.shown.at(1);
    QVERIFY2(balloon.startsWith(QLatin1String("Info|")) &&
                 balloon.endsWith(QLatin1String(" |10000")),
             qPrintable(balloon));
    QDBusReply<QString> state = mouse.call(QStringLiteral("State"));
    QVERIFY(state.isValid());
    const QJsonObject firmware = QJsonDocument::fromJson(state.value().toUtf8()).object();
    QVERIFY(firmware.value(QStringLiteral("plugged")).toBool());

    // Out and back in: the listener notices, detection reports the mouse gone,
    // then finds it again.
    QVERIFY(mouse.call(QStringLiteral("Unplug")).errorMessage().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(readOutput().contains("Device removed"), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(readOutput().contains("Device DisConnect"), 8000);
    const int connectsBefore = int(output.count("Device Connect"));
    QVERIFY(mouse.call(QStringLiteral("Plug")).errorMessage().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(readOutput().count("Device Connect") > connectsBefore, 8000);
    QTRY_VERIFY_WITH_TIMEOUT(
        notifications.shown.count(QStringLiteral("Info|Detect Device|10000")) == 2, 5000);

    process.kill();
    process.waitForFinished(5000);

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
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, QLatin1String(busName));
    QVERIFY(bus.isConnected());
    FakeNotifications notifications;
    QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications,
                               QDBusConnection::ExportAllSlots));
    QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));

    ProgramCopy program(QStringLiteral(R770_EXECUTABLE),
                        QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), qEnvironmentVariableIsEmpty("DISPLAY")
                                                      ? QStringLiteral("offscreen")
                                                      : QStringLiteral("xcb"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The build lays the udev rule beside the executable; the copy has it too.
    QVERIFY(QFile::copy(QStringLiteral(R770_EXECUTABLE_DIR "/70-r770-mouse.rules"),
                        program.folder() + QStringLiteral("/70-r770-mouse.rules")));
    process.start(program.executable(), {QStringLiteral("--virtual-mouse")});
    QVERIFY(process.waitForStarted(5000));
    QByteArray output;
    auto readOutput = [&] {
        output += process.readAll();
        return output;
    };
    QTRY_VERIFY_WITH_TIMEOUT(readOutput().contains("Device Connect"), 15000);
    QDBusInterface mouse(QStringLiteral("com.zerant.molta.R770"), QStringLiteral("/VirtualMouse"),
                         QStringLiteral("com.zerant.molta.R770.VirtualMouse"), bus);
    QVERIFY(mouse.isValid());

    // The user loses access to the nodes (no rule): the replugged mouse is
    // found, cannot be opened, and the program says so and how to fix it.
    const auto disconnects = [&] { return int(readOutput().count("Device DisConnect")); };
    const auto unplugAndPlug = [&] {
        const int before = disconnects();
        QVERIFY(mouse.call(QStringLiteral("Unplug")).errorMessage().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(disconnects() > before, 8000);
        QVERIFY(mouse.call(QStringLiteral("Plug")).errorMessage().isEmpty());
    };
    QVERIFY(mouse.call(QStringLiteral("SetAccess"), false).errorMessage().isEmpty());
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
                                   .arg(program.folder()));
    }

    // Said once: the next detections stay quiet.
    const qsizetype shown = notifications.shown.size();
    before = disconnects();
    unplugAndPlug();
    QTRY_VERIFY_WITH_TIMEOUT(disconnects() > before + 1, 8000);
    QTest::qWait(500);
    QCOMPARE(notifications.shown.size(), shown);

    // With access back, the next plug connects.
    QVERIFY(mouse.call(QStringLiteral("SetAccess"), true).errorMessage().isEmpty());
    const int connects = int(readOutput().count("Device Connect"));
    unplugAndPlug();
    QTRY_VERIFY_WITH_TIMEOUT(readOutput().count("Device Connect") > connects, 8000);

    process.kill();
    process.waitForFinished(5000);
}

QTEST_GUILESS_MAIN(tst_DemoMode)
#include "tst_demomode.moc"
