// The real program in demo mode on an X display, driven with xdotool: the
// DPI and lighting pages reach the virtual mouse (read back from its state on
// a private session bus) and the system settings panel reaches the desktop's
// pointer settings (a GSettings key file in a private configuration folder).
// Once per chip family. The window positions follow the shipped layout and
// the shipped profile 1 (four of eight stages, 400..12000, range 200..12000
// step 100, sensor 3360, a colourful mouse).
#include "ProgramCopy.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const char *const busName = "r770pages";

bool run(const QString &program, const QStringList &args, QByteArray *out = nullptr,
         const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(10000))
        return false;
    if (out)
        *out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QList<int> bytes(const QJsonValue &value, int from, int count)
{
    QList<int> out;
    const QJsonArray a = value.toArray();
    for (int i = from; i < from + count && i < a.size(); ++i)
        out << a.at(i).toInt();
    return out;
}

// xdotool: the pointer to a position inside the window.
QStringList moveTo(const QString &window, int x, int y)
{
    return {QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x),
            QString::number(y)};
}

// The program's 1024 x 640 window on the display.
QString findWindow(qint64 pid)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray ids;
        run(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
             QString::number(pid)},
            &ids);
        for (const QByteArray &id : ids.split('\n')) {
            if (id.trimmed().isEmpty())
                continue;
            QByteArray geometry;
            run(QStringLiteral("xdotool"),
                {QStringLiteral("getwindowgeometry"), QString::fromLatin1(id.trimmed())},
                &geometry);
            if (geometry.contains("1024x640"))
                return QString::fromLatin1(id.trimmed());
        }
        QTest::qWait(100);
    }
    return {};
}

} // namespace

class tst_PagesDemo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void pagesReachMouseAndDesktop_data();
    void pagesReachMouseAndDesktop();

private:
    // xdotool steps with window-relative positions.
    bool xdo(const QStringList &steps);
    bool click(int x, int y);
    bool drag(int x, int y, int toX, int toY);
    void shoot(const QString &name);
    QJsonObject state();

    QProcess busDaemon;
    QString busAddress;
    QString window;
    std::unique_ptr<QDBusInterface> mouse;
};

void tst_PagesDemo::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X display; run under xvfb-run");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
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

void tst_PagesDemo::cleanupTestCase()
{
    mouse.reset();
    QDBusConnection::disconnectFromBus(QLatin1String(busName));
    busDaemon.terminate();
    busDaemon.waitForFinished(5000);
}

bool tst_PagesDemo::xdo(const QStringList &steps)
{
    return run(QStringLiteral("xdotool"), steps);
}

bool tst_PagesDemo::click(int x, int y)
{
    const bool ok = xdo(moveTo(window, x, y) << QStringLiteral("click") << QStringLiteral("1"));
    QTest::qWait(400); // drop-down and knob animations
    return ok;
}

bool tst_PagesDemo::drag(int x, int y, int toX, int toY)
{
    const QStringList pause{QStringLiteral("sleep"), QStringLiteral("0.1")};
    const bool ok =
        xdo(moveTo(window, x, y) << QStringLiteral("mousedown") << QStringLiteral("1") << pause
                                 << moveTo(window, (x + toX) / 2, (y + toY) / 2) << pause
                                 << moveTo(window, toX, toY) << pause << QStringLiteral("mouseup")
                                 << QStringLiteral("1"));
    QTest::qWait(300);
    return ok;
}

void tst_PagesDemo::shoot(const QString &name)
{
    const QString dir = QStringLiteral(R770_SHOT_DIR);
    QDir().mkpath(dir);
    if (!QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
        run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                       dir + QLatin1Char('/') + name + QStringLiteral(".png")});
}

QJsonObject tst_PagesDemo::state()
{
    QDBusReply<QString> reply = mouse->call(QStringLiteral("State"));
    return reply.isValid() ? QJsonDocument::fromJson(reply.value().toUtf8()).object()
                           : QJsonObject();
}

void tst_PagesDemo::pagesReachMouseAndDesktop_data()
{
    QTest::addColumn<QString>("chip");
    QTest::newRow("553") << QStringLiteral("553");
    QTest::newRow("560") << QStringLiteral("560");
}

void tst_PagesDemo::pagesReachMouseAndDesktop()
{
    QFETCH(QString, chip);
    ProgramCopy program(QStringLiteral(R770_EXECUTABLE),
                        QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    const QString apConfig = program.folder() + QStringLiteral("/modules/setting/apConfig.bin");
    QFile config(apConfig);
    QVERIFY(config.open(QIODevice::ReadOnly));
    QByteArray text = config.readAll();
    config.close();
    QVERIFY(text.contains("icType=553"));
    text.replace("icType=553", "icType=" + chip.toLatin1());
    QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
    config.write(text);
    config.close();

    QTemporaryDir desktopConfig;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), desktopConfig.path());
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program.executable(), {QStringLiteral("--virtual-mouse")});
    QVERIFY(process.waitForStarted(5000));
    QByteArray output;
    auto readOutput = [&] {
        output += process.readAll();
        return output;
    };
    auto cleanup = qScopeGuard([&] {
        process.kill();
        process.waitForFinished(5000);
    });
    QTRY_VERIFY_WITH_TIMEOUT(readOutput().contains("Device Connect"), 15000);
    window = findWindow(process.processId());
    QVERIFY(!window.isEmpty());
    QTest::qWait(1600); // the start-up lock

    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, QLatin1String(busName));
    QVERIFY(bus.isConnected());
    mouse = std::make_unique<QDBusInterface>(
        QStringLiteral("com.zerant.molta.R770"), QStringLiteral("/VirtualMouse"),
        QStringLiteral("com.zerant.molta.R770.VirtualMouse"), bus);
    QVERIFY(mouse->isValid());
    const bool is560 = chip == QLatin1String("560");
    auto currentStage = [&] {
        const QJsonObject s = state();
        return is560 ? s.value(QStringLiteral("profileDpiStage"))
                           .toObject()
                           .value(QStringLiteral("1"))
                           .toInt()
                     : s.value(QStringLiteral("currentDpiStage")).toInt();
    };

    // Stage 2 (800 dpi) of four: its knob is at 864, 256. Pressing it makes
    // stage 2 current on the mouse before anything is saved; dragging it 60
    // pixels up moves the knob from 12 to 72: (72 - 3) * 11800 / 158 + 200
    // = 5353 -> 5300 dpi.
    QVERIFY(currentStage() != 2);
    QVERIFY(xdo(moveTo(window, 864, 256) << QStringLiteral("mousedown") << QStringLiteral("1")));
    QTRY_COMPARE_WITH_TIMEOUT(currentStage(), 2, 1000);
    QVERIFY(xdo(moveTo(window, 864, 226)));
    QVERIFY(xdo(moveTo(window, 864, 196) << QStringLiteral("mouseup") << QStringLiteral("1")));
    QTest::qWait(300);
    // Three active stages: the list box, then its third entry.
    QVERIFY(click(928, 76));
    QVERIFY(click(928, 148));
    // Effect 5 ("Wave") from the effect list, then block 1's knob from red
    // (0) 105 pixels along the hue bar: segment 3, f = 127 -> 0, 128, 255.
    QVERIFY(click(900, 340));
    QVERIFY(click(900, 484));
    QVERIFY(drag(792, 456, 897, 456));
    shoot(QStringLiteral("pages-") + chip + QStringLiteral("-edited"));
    QVERIFY(click(968, 620)); // Save

    // Sensor 3360 codes d / 100 - 1 of 400, 5300, 1600, 3200, 4800, 6400,
    // 8000, 12000; effect 5 with brightness step 4 -> kind 5, 0xFF, speed 0.
    const QList<int> codes{3, 52, 15, 31, 47, 63, 79, 119};
    const QList<int> colours{0, 128, 255, 0,   255, 0, 0,  0, 255, 255, 0,   255,
                             0, 255, 255, 255, 127, 0, 96, 0, 255, 255, 255, 255};
    if (is560) {
        auto block = [&](int n) {
            return state().value(QStringLiteral("profileBlocks")).toArray().at(n);
        };
        QTRY_COMPARE_WITH_TIMEOUT(bytes(block(1), 71, 3), (QList<int>{5, 0xFF, 0}), 15000);
        QCOMPARE(bytes(block(1), 84, 8), codes);
        QCOMPARE(bytes(block(1), 92, 8), codes);
        QCOMPARE(bytes(block(1), 100, 1), QList<int>{0x07});
        QCOMPARE(bytes(block(0), 24, 24), colours);
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(bytes(state().value(QStringLiteral("ledEffect")), 0, 3),
                                  (QList<int>{5, 0xFF, 0}), 15000);
        const QJsonObject s = state();
        QCOMPARE(s.value(QStringLiteral("dpiStageCount")).toInt(), 3);
        QCOMPARE(bytes(s.value(QStringLiteral("dpiTable")), 0, 8),
                 (QList<int>{3, 52, 15, 0x80, 0x80, 0x80, 0x80, 0x80}));
        QCOMPARE(s.value(QStringLiteral("led8Type")).toInt(), 0);
        QCOMPARE(bytes(s.value(QStringLiteral("led8Colors")), 0, 24), colours);
    }

    // System settings: the panel opens centred at 304, 164; the pointer
    // speed knob of profile 1 stands at 170 (level 5). 40 pixels right: 210,
    // level 7, speed 14 of 20, which the desktop scale holds as 0.4.
    QVERIFY(click(140, 496));
    shoot(QStringLiteral("pages-") + chip + QStringLiteral("-system"));
    QVERIFY(drag(512, 253, 552, 253));
    QByteArray speed;
    QTRY_VERIFY_WITH_TIMEOUT(
        run(QStringLiteral("gsettings"),
            {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.peripherals.mouse"),
             QStringLiteral("speed")},
            &speed, env) &&
            qAbs(speed.trimmed().toDouble() - 0.4) < 1e-9,
        5000);
    QCOMPARE(readOutput().count("Failed"), 0);
}

QTEST_GUILESS_MAIN(tst_PagesDemo)
#include "tst_pagesdemo.moc"
