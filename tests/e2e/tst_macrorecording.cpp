// The real executable in demo mode on an X display, driven with xdotool: the
// macro editor records "A" pressed and released, with its delay, while
// another program has the keyboard focus; the macro file holds the events
// and button 3, bound to the macro, gets its bytes in the mouse.
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
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

const char *const busName = "r770macro";

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

bool xdotool(const QStringList &arguments, QByteArray *output = nullptr)
{
    return run(QStringLiteral("xdotool"), arguments, output);
}

// Places in the window: the macro editor opens centred at (192, 96).
constexpr int EditorX = 192;
constexpr int EditorY = 96;
const QPoint macroEntry(120, 402);
const QPoint newButton(EditorX + 48, EditorY + 420);
const QPoint recordButton(EditorX + 250, EditorY + 420);
const QPoint delayCheck(EditorX + 438, EditorY + 420);
const QPoint deleteButton(EditorX + 152, EditorY + 420);
const QPoint firstMacro(EditorX + 60, EditorY + 85);

} // namespace

class tst_MacroRecording : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void recordsWhileAnotherProgramHasTheFocus();
    void boundButtonHoldsTheMacro();
    void renameAndDeleteReachTheProfile();

private:
    bool click(QPoint at);

    QProcess busDaemon;
    QString busAddress;
    std::unique_ptr<ProgramCopy> program;
    QProcess process;
    QProcess xev;
    QByteArray xevOutput;
    QString windowId;
    QPoint window;
};

void tst_MacroRecording::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X server (run under xvfb-run)");
    for (const char *tool : {"xdotool", "xev", "import", "dbus-daemon"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));

    busDaemon.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
    QVERIFY(busDaemon.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(busDaemon.canReadLine(), 5000);
    busAddress = QString::fromLatin1(busDaemon.readLine().trimmed());

    program = std::make_unique<ProgramCopy>(QStringLiteral(R770_EXECUTABLE),
                                            QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    // Button 3 carries the macro "Macro_0", as the key dialog and the key
    // list leave it once the macro is chosen for it and saved (in both
    // hands' rows: the flag the mouse reports picks one).
    {
        QSettings profile(program->folder() + QStringLiteral("/modules/setting/p1.bin"),
                          QSettings::IniFormat);
        profile.setValue(QStringLiteral("mouseKeyMatrix/2"), QVariantList{4, 0, 2, 0});
        profile.setValue(QStringLiteral("mouseKeyMatrix0/2"), QVariantList{4, 0, 2, 0});
        profile.setValue(QStringLiteral("mouseMacroKey/2"), QStringLiteral("Macro_0"));
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // The capture is chosen for an X session.
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("XDG_SESSION_TYPE"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program->executable(), {QStringLiteral("--virtual-mouse")});
    QVERIFY(process.waitForStarted(5000));

    // The program's window: the one 1024 wide and 640 high.
    const QString pid = QString::number(process.processId());
    bool found = false;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            if (process.state() != QProcess::Running)
                return true;
            QByteArray ids;
            xdotool({"search", "--onlyvisible", "--pid", pid}, &ids);
            for (const QByteArray &id : ids.split('\n')) {
                QByteArray geometry;
                if (id.isEmpty() ||
                    !xdotool({"getwindowgeometry", "--shell", QString::fromLatin1(id)}, &geometry))
                    continue;
                if (!geometry.contains("WIDTH=1024\n") || !geometry.contains("HEIGHT=640\n"))
                    continue;
                for (const QByteArray &line : geometry.split('\n')) {
                    if (line.startsWith("X="))
                        window.setX(line.mid(2).toInt());
                    if (line.startsWith("Y="))
                        window.setY(line.mid(2).toInt());
                }
                windowId = QString::fromLatin1(id);
                found = true;
                return true;
            }
            return false;
        }(),
        30000);
    if (!found)
        QFAIL(process.readAll().constData());
    // Detection finds the virtual mouse; the start-up lock lasts a second.
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += process.readAll()).contains("Device Connect"), 30000);
    QTest::qWait(1500);
}

void tst_MacroRecording::cleanupTestCase()
{
    if (xev.state() != QProcess::NotRunning) {
        xev.kill();
        xev.waitForFinished(5000);
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
    QDBusConnection::disconnectFromBus(QLatin1String(busName));
    if (busDaemon.state() != QProcess::NotRunning) {
        busDaemon.terminate();
        busDaemon.waitForFinished(5000);
    }
}

bool tst_MacroRecording::click(QPoint at)
{
    const QPoint p = window + at;
    const bool done =
        xdotool({"mousemove", QString::number(p.x()), QString::number(p.y()), "click", "1"});
    QTest::qWait(300);
    return done;
}

void tst_MacroRecording::recordsWhileAnotherProgramHasTheFocus()
{
    QVERIFY(click(macroEntry));
    QVERIFY(click(newButton));
    QVERIFY(click(delayCheck));
    QVERIFY(click(recordButton));

    // Another program takes the keyboard focus and gets the keys.
    connect(&xev, &QProcess::readyReadStandardOutput, this,
            [this] { xevOutput += xev.readAllStandardOutput(); });
    xev.start(QStringLiteral("xev"), {QStringLiteral("-geometry"), QStringLiteral("100x100+0+0"),
                                      QStringLiteral("-event"), QStringLiteral("keyboard")});
    QVERIFY(xev.waitForStarted());
    QByteArray found;
    QVERIFY(xdotool({"search", "--sync", "--onlyvisible", "--name", "Event Tester"}, &found));
    const QString xevWindow = QString::fromLatin1(found.split('\n').value(0));
    QVERIFY(xdotool({"windowfocus", "--sync", xevWindow}));
    QVERIFY(xdotool({"keydown", "a", "sleep", "0.2", "keyup", "a"}));
    QTRY_VERIFY_WITH_TIMEOUT(xevOutput.contains("KeyRelease"), 5000);
    QVERIFY(xevOutput.contains("(keysym 0x61, a)"));
    xev.kill();
    xev.waitForFinished(5000);

    QVERIFY(click(recordButton));
    QDir().mkpath(QStringLiteral(R770_SHOT_DIR));
    QVERIFY(
        run(QStringLiteral("import"), {"-window", "root", R770_SHOT_DIR "/macro-recorded.png"}));

    // The macro file: press A, the time held, release A, repeat count 1.
    const QString file = program->folder() + QStringLiteral("/modules/macro/Macro_0.bin");
    QTRY_VERIFY_WITH_TIMEOUT(
        QSettings(file, QSettings::IniFormat).value("config/total").toInt() == 3, 5000);
    const QSettings macro(file, QSettings::IniFormat);
    QCOMPARE(macro.value("macro/0").toString(), QStringLiteral("1,A"));
    QCOMPARE(macro.value("macro/2").toString(), QStringLiteral("2,A"));
    QCOMPARE(macro.value("config/repeat").toInt(), 1);
    const QStringList delay = macro.value("macro/1").toString().split(QLatin1Char(','));
    QCOMPARE(delay.value(0), QStringLiteral("0"));
    const int ms = delay.value(1).toInt();
    QVERIFY2(ms >= 150 && ms <= 600 && ms % 10 == 0, qPrintable(delay.join(QLatin1Char(','))));

    const QSettings names(program->folder() + QStringLiteral("/modules/setting/name.bin"),
                          QSettings::IniFormat);
    QVERIFY(names.value("macro/macroName").toStringList().contains(QStringLiteral("Macro_0")));
}

void tst_MacroRecording::boundButtonHoldsTheMacro()
{
    // Saving the macro sends it to every button that uses it; the key list
    // finds those buttons in the profile.
    QFile keyList(QStringLiteral(R770_QML_DIR "/J2/KeyMatrix.qml"));
    QVERIFY(keyList.open(QIODevice::ReadOnly));
    if (keyList.readAll().contains("Stand-in"))
        QSKIP("the key list does not read the buttons of the profile yet");

    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, QLatin1String(busName));
    QVERIFY(bus.isConnected());
    QDBusInterface mouse(QStringLiteral("com.zerant.molta.R770"), QStringLiteral("/VirtualMouse"),
                         QStringLiteral("com.zerant.molta.R770.VirtualMouse"), bus);
    QVERIFY(mouse.isValid());
    QJsonArray slot;
    // Button 3 is button index 2: the mouse's macro slot 3.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QDBusReply<QString> state = mouse.call(QStringLiteral("State"));
            slot = QJsonDocument::fromJson(state.value().toUtf8())
                       .object()
                       .value(QStringLiteral("macros"))
                       .toObject()
                       .value(QStringLiteral("3"))
                       .toArray();
            return state.isValid() && slot.size() == 128;
        }(),
        5000);
    QCOMPARE(slot.at(0).toInt(), 0x00); // repeat count 1
    QCOMPARE(slot.at(1).toInt(), 0x01);
    const int held = slot.at(2).toInt(); // press: the time to the release, in 10 ms
    QVERIFY2(held >= 15 && held <= 60, qPrintable(QString::number(held)));
    QCOMPARE(slot.at(3).toInt(), 0x04); // A
    QCOMPARE(slot.at(4).toInt(), 0x81); // release, last event
    QCOMPARE(slot.at(5).toInt(), 0x04);
    QCOMPARE(slot.at(6).toInt(), 0x00); // end
    QCOMPARE(slot.at(7).toInt(), 0x00);
}

void tst_MacroRecording::renameAndDeleteReachTheProfile()
{
    const QString folder = program->folder() + QStringLiteral("/modules/");
    const QString profileFile = folder + QStringLiteral("setting/p1.bin");

    // A double click opens the name for editing; typing replaces it.
    QVERIFY(xdotool({"windowfocus", "--sync", windowId}));
    const QPoint name = window + firstMacro;
    QVERIFY(xdotool({"mousemove", QString::number(name.x()), QString::number(name.y()), "click",
                     "--repeat", "2", "--delay", "80", "1"}));
    QTest::qWait(300);
    QVERIFY(xdotool({"type", "--delay", "40", "Burst"}));
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder + QStringLiteral("macro/Burst.bin")), 5000);
    QVERIFY(!QFile::exists(folder + QStringLiteral("macro/Macro_0.bin")));
    // The program writes its open profile when it is idle.
    QTRY_COMPARE_WITH_TIMEOUT(
        QSettings(profileFile, QSettings::IniFormat).value("mouseMacroKey/2").toString(),
        QStringLiteral("Burst"), 5000);
    QCOMPARE(QSettings(folder + QStringLiteral("setting/name.bin"), QSettings::IniFormat)
                 .value("macro/macroName")
                 .toStringList()
                 .value(0),
             QStringLiteral("Burst"));

    // Deleted, the macro's button gets the default function back.
    QVERIFY(click(deleteButton));
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(folder + QStringLiteral("macro/Burst.bin")), 5000);
    const QVariant factory =
        QSettings(folder + QStringLiteral("setting/pD.bin"), QSettings::IniFormat)
            .value("mouseKeyMatrix/2");
    QTRY_COMPARE_WITH_TIMEOUT(
        QSettings(profileFile, QSettings::IniFormat).value("mouseKeyMatrix/2"), factory, 5000);
    QVERIFY(!QSettings(folder + QStringLiteral("setting/name.bin"), QSettings::IniFormat)
                 .contains("macro/macroName"));
}

QTEST_GUILESS_MAIN(tst_MacroRecording)
#include "tst_macrorecording.moc"
