// The real executable in demo mode, driven like a user with xdotool: a key
// combination typed through the global capture and a media function are
// given to two buttons, Save is pressed, and the virtual mouse must hold the
// key matrix with exactly these two slots changed. Once per chip family.
#include "ProgramCopy.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

namespace {

const char *const busName = "r770keyassign";

// Where the dialog's parts are, in window coordinates: the dialog opens
// centred (304, 118); its body starts 41 below its top.
constexpr int dialogX = (1024 - 416) / 2;
constexpr int dialogY = (640 - 404) / 2;
constexpr int bodyY = dialogY + 41;

bool run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return false;
    if (output)
        *output = process.readAllStandardOutput();
    return true;
}

// The key matrix of the factory definitions of the shipped profile, in
// device slot order: slots 3, 4, 5 carry buttons 5, 6, 4; slot 8 is fixed.
QList<int> factoryMatrix()
{
    const QList<QList<int>> bySlot = {
        {0x01, 0x00, 0xF0, 0x00}, // button 1: left
        {0x01, 0x00, 0xF1, 0x00}, // button 2: right
        {0x01, 0x00, 0xF2, 0x00}, // button 3: middle
        {0x01, 0x00, 0xF3, 0x00}, // button 5: back
        {0x07, 0x00, 0x01, 0x00}, // button 6: DPI+
        {0x01, 0x00, 0xF4, 0x00}, // button 4: forward
        {0x07, 0x00, 0x02, 0x00}, // button 7: DPI-
        {0x0A, 0xF0, 0x1E, 0x02}, // button 8: double fire
        {0x0C, 0x00, 0x00, 0x00}, // fixed
        {0x01, 0x00, 0x00, 0x00}, // buttons 10..14: disabled
        {0x01, 0x00, 0x00, 0x00}, {0x01, 0x00, 0x00, 0x00}, {0x01, 0x00, 0x00, 0x00},
        {0x01, 0x00, 0x00, 0x00}, {0x04, 0x00, 0x01, 0x00}, // buttons 15, 16: no function
        {0x04, 0x00, 0x02, 0x00},
    };
    QList<int> matrix;
    for (const QList<int> &slot : bySlot)
        matrix << slot;
    return matrix;
}

void setSlot(QList<int> &matrix, int slot, std::initializer_list<int> bytes)
{
    int i = 4 * slot;
    for (int b : bytes)
        matrix[i++] = b;
}

} // namespace

class tst_KeyAssign : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void assignAndSave_data();
    void assignAndSave();

private:
    void click(int x, int y);
    void key(const QStringList &arguments);
    void screenshot(const QString &name);
    QJsonObject state(QDBusInterface &mouse);
    QList<int> matrixBytes(QDBusInterface &mouse, const QString &number);

    QProcess busDaemon;
    QString busAddress;
    int windowX = 0;
    int windowY = 0;
    QString shotPrefix;
};

void tst_KeyAssign::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X server (run under xvfb-run)");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed");
    busDaemon.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
    if (!busDaemon.waitForStarted(5000))
        QSKIP("no dbus-daemon");
    QTRY_VERIFY_WITH_TIMEOUT(busDaemon.canReadLine(), 5000);
    busAddress = QString::fromLatin1(busDaemon.readLine().trimmed());
    QVERIFY(!busAddress.isEmpty());
}

void tst_KeyAssign::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(QLatin1String(busName));
    busDaemon.terminate();
    busDaemon.waitForFinished(5000);
}

void tst_KeyAssign::click(int x, int y)
{
    QVERIFY(run(QStringLiteral("xdotool"),
                {QStringLiteral("mousemove"), QString::number(windowX + x),
                 QString::number(windowY + y), QStringLiteral("click"), QStringLiteral("1")}));
    QTest::qWait(350);
}

void tst_KeyAssign::key(const QStringList &arguments)
{
    QVERIFY(run(QStringLiteral("xdotool"), arguments));
    QTest::qWait(150);
}

void tst_KeyAssign::screenshot(const QString &name)
{
    if (QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
        return;
    const QString dir = QStringLiteral(R770_SHOT_DIR);
    QDir().mkpath(dir);
    run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                   dir + QLatin1Char('/') + shotPrefix + name + ".png"});
}

QJsonObject tst_KeyAssign::state(QDBusInterface &mouse)
{
    QDBusReply<QString> reply = mouse.call(QStringLiteral("State"));
    return reply.isValid() ? QJsonDocument::fromJson(reply.value().toUtf8()).object()
                           : QJsonObject();
}

QList<int> tst_KeyAssign::matrixBytes(QDBusInterface &mouse, const QString &number)
{
    QList<int> bytes;
    const QJsonObject matrices = state(mouse).value(QStringLiteral("keyMatrices")).toObject();
    for (const QJsonValue &v : matrices.value(number).toArray())
        bytes << v.toInt();
    return bytes;
}

void tst_KeyAssign::assignAndSave_data()
{
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QString>("matrixNumber");
    QTest::addColumn<int>("matrixSize");
    // "553": the right-hand flag follows the answer of the 0x8B query, which
    // is the current DPI stage (1 on a fresh mouse), so the user's matrix is
    // the right-hand one, number 2. "560": the profile's matrix, profile 1.
    QTest::newRow("553") << QStringLiteral("553") << QStringLiteral("2") << 64;
    QTest::newRow("560") << QStringLiteral("560") << QStringLiteral("1") << 128;
}

void tst_KeyAssign::assignAndSave()
{
    QFETCH(QString, chip);
    QFETCH(QString, matrixNumber);
    QFETCH(int, matrixSize);
    shotPrefix = QStringLiteral("keyassign-") + chip + QLatin1Char('-');

    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, QLatin1String(busName));
    QVERIFY(bus.isConnected());
    ProgramCopy program(QStringLiteral(R770_EXECUTABLE),
                        QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    QSettings(program.folder() + QStringLiteral("/modules/setting/apConfig.bin"),
              QSettings::IniFormat)
        .setValue(QStringLiteral("mouse/icType"), chip);

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program.executable(), {QStringLiteral("--virtual-mouse")});
    QVERIFY(process.waitForStarted(5000));
    auto cleanup = qScopeGuard([&] {
        process.kill();
        process.waitForFinished(5000);
    });
    QByteArray output;
    auto readOutput = [&] {
        output += process.readAll();
        return output;
    };
    QTRY_VERIFY_WITH_TIMEOUT(readOutput().contains("profileNo"), 15000);

    // The program's window and where it is.
    QByteArray found;
    QTRY_VERIFY_WITH_TIMEOUT(run(QStringLiteral("xdotool"),
                                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                  QStringLiteral("--pid"), QString::number(process.processId())},
                                 &found) &&
                                 !found.trimmed().isEmpty(),
                             5000);
    const QString window = QString::fromLatin1(found).split(QLatin1Char('\n')).value(0);
    QByteArray geometry;
    QVERIFY(run(QStringLiteral("xdotool"),
                {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window},
                &geometry));
    for (const QByteArray &line : geometry.split('\n')) {
        if (line.startsWith("X="))
            windowX = line.mid(2).toInt();
        else if (line.startsWith("Y="))
            windowY = line.mid(2).toInt();
    }
    QTest::qWait(1800); // the start-up lock

    QDBusInterface mouse(QStringLiteral("com.zerant.molta.R770"), QStringLiteral("/VirtualMouse"),
                         QStringLiteral("com.zerant.molta.R770.VirtualMouse"), bus);
    QVERIFY(mouse.isValid());
    QCOMPARE(state(mouse).value(QStringLiteral("keyMatrices")).toObject().size(), 0);

    // Button 4: Ctrl+Shift+A+B, typed while the combination box waits.
    click(490 + 18, 214 + 18);
    click(dialogX + 16 + 20, bodyY + 244 + 12);
    key({QStringLiteral("keydown"), QStringLiteral("ctrl"), QStringLiteral("keydown"),
         QStringLiteral("shift"), QStringLiteral("keydown"), QStringLiteral("a"),
         QStringLiteral("keydown"), QStringLiteral("b")});
    key({QStringLiteral("keyup"), QStringLiteral("b"), QStringLiteral("keyup"), QStringLiteral("a"),
         QStringLiteral("keyup"), QStringLiteral("shift"), QStringLiteral("keyup"),
         QStringLiteral("ctrl")});
    screenshot(QStringLiteral("combination"));
    click(dialogX + 16 + 196 + 8, bodyY + 244 + 12); // confirm
    click(dialogX + 416 - 16 - 8, dialogY + 20);     // close
    click(936 + 32, 608 + 12);                       // Save
    QList<int> expected = factoryMatrix();
    setSlot(expected, 5, {0x00, 0x03, 0x04, 0x05});
    for (int i = 64; i < matrixSize; ++i)
        expected << 0;
    QTRY_COMPARE_WITH_TIMEOUT(state(mouse).value(QStringLiteral("keyMatrices")).toObject().keys(),
                              QStringList{matrixNumber}, 5000);
    QCOMPARE(matrixBytes(mouse, matrixNumber), expected);

    // Button 5: "Volume+" from the media grid; the grid scrolls into view.
    click(367 + 18, 254 + 18);
    click(dialogX + 16 + 30, bodyY + 312 + 12);
    QTest::qWait(300);
    screenshot(QStringLiteral("media"));
    click(dialogX + 16 + 30, bodyY + (312 + 24 + 2 * 24 - 48) + 12);
    click(dialogX + 416 - 16 - 8, dialogY + 20);
    click(936 + 32, 608 + 12);
    setSlot(expected, 3, {0x03, 0x00, 0xE9, 0x00});
    QTRY_COMPARE_WITH_TIMEOUT(matrixBytes(mouse, matrixNumber), expected, 5000);
    screenshot(QStringLiteral("list"));
    QVERIFY2(!readOutput().contains("cmd Failed"), output.constData());
}

QTEST_GUILESS_MAIN(tst_KeyAssign)
#include "tst_keyassign.moc"
