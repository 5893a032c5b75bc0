// The real executable in demo mode, driven with xdotool on the X display:
// a new profile from the profiles page, switching to it and back from the
// title-bar list, a report rate chosen there, and a profile exported and
// imported again through the program's file dialogs. After each switch the
// virtual mouse holds the profile number and the rate of that profile's file.
#include "ProgramCopy.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTest>

namespace {

const char *const busName = "r770profiles";

// Window coordinates of what the test clicks.
const QPoint configButton(808, 620);
const QPoint newButton(352, 432);
const QPoint importButton(432, 432);
const QPoint panelClose(696, 196);
const QPoint titleList(830, 24);
const QPoint reportRateList(180, 455);
// Middles of the first rows of lists.
constexpr int firstListRowY = 241; // profiles page, rows 27 high
constexpr int titleRowY = 48;      // title-bar list, rows 24 high
constexpr int rateRowY = 479;      // report-rate list, rows 24 high

// The rate code the mouse gets for a stored report-rate index.
int rateCode(int index)
{
    switch (index) {
    case 0:
        return 8;
    case 1:
        return 4;
    case 2:
        return 2;
    default:
        return 1;
    }
}

QStringList storedNames(const QString &settingDir)
{
    return QSettings(settingDir + QStringLiteral("/name.bin"), QSettings::IniFormat)
        .value(QStringLiteral("profile/profileName"))
        .toStringList();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000))
        return false;
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

class tst_ProfileSwitch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void newProfileSwitchAndExchange_data();
    void newProfileSwitchAndExchange();

private:
    void click(const QPoint &at, int button = 1);
    void waitForWindow(qint64 pid);
    QJsonObject mouseState();
    void verifyMouseHolds(int profileNo, const QString &chip, bool withRate = true);
    void waitForDialog(const QString &title);

    QProcess busDaemon;
    QString busAddress;
    QString settingDir;
    QPoint origin;
    QDBusInterface *mouse = nullptr;
};

void tst_ProfileSwitch::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X display; run under xvfb-run");
    if (!run(QStringLiteral("xdotool"), {QStringLiteral("version")}))
        QSKIP("xdotool is missing");
    busDaemon.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
    if (!busDaemon.waitForStarted(5000))
        QSKIP("no dbus-daemon");
    QTRY_VERIFY_WITH_TIMEOUT(busDaemon.canReadLine(), 5000);
    busAddress = QString::fromLatin1(busDaemon.readLine().trimmed());
    QVERIFY(!busAddress.isEmpty());
}

void tst_ProfileSwitch::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(QLatin1String(busName));
    busDaemon.terminate();
    busDaemon.waitForFinished(5000);
}

void tst_ProfileSwitch::click(const QPoint &at, int button)
{
    const QPoint p = origin + at;
    QVERIFY(run(QStringLiteral("xdotool"),
                {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
                 QStringLiteral("click"), QString::number(button)}));
    // Drop-downs animate for up to 180 ms.
    QTest::qWait(400);
}

void tst_ProfileSwitch::waitForWindow(qint64 pid)
{
    QString window;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QByteArray ids;
            run(QStringLiteral("xdotool"),
                {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                 QString::number(pid)},
                &ids);
            for (const QByteArray &id : ids.split('\n')) {
                QByteArray shell;
                if (id.isEmpty() || !run(QStringLiteral("xdotool"),
                                         {QStringLiteral("getwindowgeometry"),
                                          QStringLiteral("--shell"), QString::fromLatin1(id)},
                                         &shell))
                    continue;
                if (shell.contains("WIDTH=1024") && shell.contains("HEIGHT=640")) {
                    for (const QByteArray &line : shell.split('\n')) {
                        if (line.startsWith("X="))
                            origin.setX(line.mid(2).toInt());
                        if (line.startsWith("Y="))
                            origin.setY(line.mid(2).toInt());
                    }
                    window = QString::fromLatin1(id);
                }
            }
            return !window.isEmpty();
        }(),
        15000);
}

QJsonObject tst_ProfileSwitch::mouseState()
{
    QDBusReply<QString> state = mouse->call(QStringLiteral("State"));
    return state.isValid() ? QJsonDocument::fromJson(state.value().toUtf8()).object()
                           : QJsonObject();
}

// The mouse took profile profileNo (device profile profileNo + 1) and the
// report rate stored in that profile's file.
void tst_ProfileSwitch::verifyMouseHolds(int profileNo, const QString &chip, bool withRate)
{
    const QSettings file(settingDir + QStringLiteral("/p%1.bin").arg(profileNo + 1),
                         QSettings::IniFormat);
    const int rate = rateCode(file.value(QStringLiteral("mouse/reportRate")).toInt());
    const QString device = QString::number(profileNo + 1);
    if (chip == QLatin1String("560")) {
        QTRY_COMPARE_WITH_TIMEOUT(mouseState().value(QStringLiteral("currentProfile")).toInt(),
                                  profileNo + 1, 5000);
        if (withRate)
            QTRY_COMPARE_WITH_TIMEOUT(mouseState()
                                          .value(QStringLiteral("profileReportRate"))
                                          .toObject()
                                          .value(device)
                                          .toInt(),
                                      rate, 5000);
    } else {
        // This family takes the profile number as the key matrix to use.
        QTRY_COMPARE_WITH_TIMEOUT(mouseState().value(QStringLiteral("currentKeyMatrix")).toInt(),
                                  profileNo + 1, 5000);
        if (withRate)
            QTRY_COMPARE_WITH_TIMEOUT(mouseState().value(QStringLiteral("reportRate")).toInt(),
                                      rate, 5000);
    }
    // The screen stays locked until every page has sent its part.
    QTest::qWait(1500);
}

// Waits for the program's file dialog of that title.
void tst_ProfileSwitch::waitForDialog(const QString &title)
{
    QTRY_VERIFY_WITH_TIMEOUT(
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--name"), title}),
        10000);
    // Its widgets are laid out and the name field has the focus.
    QTest::qWait(500);
}

void tst_ProfileSwitch::newProfileSwitchAndExchange_data()
{
    QTest::addColumn<QString>("chip");
    QTest::newRow("553") << QStringLiteral("553");
    QTest::newRow("560") << QStringLiteral("560");
}

void tst_ProfileSwitch::newProfileSwitchAndExchange()
{
    QFETCH(QString, chip);
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, QLatin1String(busName));
    QVERIFY(bus.isConnected());

    ProgramCopy program(QStringLiteral(R770_EXECUTABLE),
                        QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    settingDir = program.folder() + QStringLiteral("/modules/setting");
    {
        QSettings config(settingDir + QStringLiteral("/apConfig.bin"), QSettings::IniFormat);
        config.setValue(QStringLiteral("mouse/icType"), chip);
        config.setValue(QStringLiteral("mouse/profileNo"), 0);
        // The first profile reports at 250 Hz, the default profile at 1000 Hz.
        QSettings first(settingDir + QStringLiteral("/p1.bin"), QSettings::IniFormat);
        first.setValue(QStringLiteral("mouse/reportRate"), 1);
        QSettings names(settingDir + QStringLiteral("/name.bin"), QSettings::IniFormat);
        names.remove(QStringLiteral("profile"));
    }

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program.executable(), {QStringLiteral("--virtual-mouse")});
    QVERIFY(process.waitForStarted(5000));
    auto stop = qScopeGuard([&] {
        process.kill();
        process.waitForFinished(5000);
    });
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += process.readAll()).contains("Device Connect"), 15000);
    waitForWindow(process.processId());
    // The start-up lock is over after a second.
    QTest::qWait(1500);

    QDBusInterface virtualMouse(QStringLiteral("com.zerant.molta.R770"),
                                QStringLiteral("/VirtualMouse"),
                                QStringLiteral("com.zerant.molta.R770.VirtualMouse"), bus);
    QVERIFY(virtualMouse.isValid());
    mouse = &virtualMouse;
    // Start-up selects the profile but sends none of its settings.
    verifyMouseHolds(0, chip, false);

    // A new profile: the second row, profile file 2 with the default settings.
    click(configButton);
    click(newButton);
    click(panelClose);
    QCOMPARE(storedNames(settingDir),
             (QStringList{QStringLiteral("Standard0"), QStringLiteral("profile_01")}));
    QCOMPARE(readAll(settingDir + QStringLiteral("/p2.bin")),
             readAll(settingDir + QStringLiteral("/pD.bin")));

    // To it from the title-bar list, a report rate of 500 Hz there, and back.
    click(titleList);
    click(QPoint(titleList.x(), titleRowY + 24));
    verifyMouseHolds(1, chip);
    click(reportRateList);
    click(QPoint(reportRateList.x(), rateRowY + 2 * 24));
    QTRY_COMPARE_WITH_TIMEOUT(
        QSettings(settingDir + QStringLiteral("/p2.bin"), QSettings::IniFormat)
            .value(QStringLiteral("mouse/reportRate"))
            .toInt(),
        2, 3000);
    verifyMouseHolds(1, chip);
    click(titleList);
    click(QPoint(titleList.x(), titleRowY));
    verifyMouseHolds(0, chip);
    QCOMPARE(QSettings(settingDir + QStringLiteral("/apConfig.bin"), QSettings::IniFormat)
                 .value(QStringLiteral("mouse/profileNo"))
                 .toInt(),
             0);
    click(titleList);
    click(QPoint(titleList.x(), titleRowY + 24));
    verifyMouseHolds(1, chip);

    // The second row exported and imported as a third: the same bytes.
    const QString exchange = program.folder() + QStringLiteral("/second.pf");
    click(configButton);
    click(QPoint(400, firstListRowY + 27), 3);
    click(QPoint(420, firstListRowY + 27 + 36));
    waitForDialog(QStringLiteral("Save File"));
    QVERIFY(run(QStringLiteral("xdotool"), {QStringLiteral("type"), exchange}));
    QVERIFY(run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")}));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(exchange), 5000);
    QCOMPARE(readAll(exchange), readAll(settingDir + QStringLiteral("/p2.bin")));

    click(importButton);
    waitForDialog(QStringLiteral("Open File"));
    QVERIFY(run(QStringLiteral("xdotool"), {QStringLiteral("type"), exchange}));
    QVERIFY(run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")}));
    QTRY_COMPARE_WITH_TIMEOUT(readAll(settingDir + QStringLiteral("/p3.bin")), readAll(exchange),
                              5000);
    QCOMPARE(storedNames(settingDir),
             (QStringList{QStringLiteral("Standard0"), QStringLiteral("profile_01"),
                          QStringLiteral("profile_12")}));
    mouse = nullptr;
}

QTEST_GUILESS_MAIN(tst_ProfileSwitch)
#include "tst_profileswitch.moc"
