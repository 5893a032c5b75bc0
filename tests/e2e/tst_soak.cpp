// Soak: the real program in demo mode takes a long run of random user and
// device actions (clicks and drags on the pages, keys through the global
// capture, the mouse's DPI button and hand switch, unplug and plug,
// transfer faults). It must not crash, must answer the virtual mouse's
// State() within 5 s after every action, must not grow in resident memory
// from the first thousand actions to the last, and must leave every
// settings file readable with all its keys.
//
// R770_SOAK_ACTIONS sets the number of actions per chip (default 150),
// R770_SOAK_SEED the random seed (default: from the clock, printed).
#include "DemoSession.h"
#include "ProgramCopy.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

namespace {

constexpr int answerBoundMs = 5000;

// Page areas where any click or drag is a user's; they hold no control
// that leaves the window (file dialogs, the help link, close, minimise).
const QRect dpiPage(776, 64, 224, 256);
const QRect lightingPage(776, 330, 224, 250);
const QRect mousePicture(330, 120, 380, 420);

// Close buttons of the panels; where none is open they hit the mouse
// picture or an empty part of the DPI page.
const QList<QPoint> closeButtons{{696, 138}, {696, 184}, {808, 116}};

qint64 residentKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Every key a profile file carries, with the list lengths that can break.
QStringList missingProfileKeys(const QString &path)
{
    QSettings file(path, QSettings::IniFormat);
    QStringList missing;
    if (file.status() != QSettings::NoError)
        return {QStringLiteral("(unreadable)")};
    const QMap<QString, int> lists{{QStringLiteral("mouse/dpiValueArray"), 8},
                                   {QStringLiteral("mouse/lightValue"), 3},
                                   {QStringLiteral("mouse/colorValue"), 24}};
    for (const char *key : {"dpiCount", "currentDpiCount", "reportRate", "lod", "lodEn",
                            "mouseRate", "doubleRate", "scrollRate"})
        if (!file.contains(QStringLiteral("mouse/") + QLatin1String(key)))
            missing << QStringLiteral("mouse/") + QLatin1String(key);
    for (auto it = lists.begin(); it != lists.end(); ++it)
        if (file.value(it.key()).toStringList().size() != it.value())
            missing << it.key();
    for (const char *group : {"mouseKeyMatrix/", "mouseKeyMatrix0/", "mouseFwKeyMatrix/"})
        for (int n = 0; n < 16; ++n)
            if (file.value(QLatin1String(group) + QString::number(n)).toStringList().size() != 4)
                missing << QLatin1String(group) + QString::number(n);
    for (int n = 0; n < 2; ++n)
        if (!file.contains(QStringLiteral("XYSensitive/%1").arg(n)))
            missing << QStringLiteral("XYSensitive/%1").arg(n);
    return missing;
}

QStringList missingGlobalKeys(const QString &path)
{
    QSettings file(path, QSettings::IniFormat);
    QStringList missing;
    for (const char *key :
         {"mouse/isColorful", "mouse/isGun", "mouse/is55328", "mouse/icType", "mouse/keyCount",
          "mouse/profileNo", "mouse/minDPI", "mouse/maxDPI", "mouse/dpiBase", "mouse/sensorType",
          "common/language", "common/deviceCount"})
        if (!file.contains(QLatin1String(key)))
            missing << QLatin1String(key);
    return missing;
}

} // namespace

class tst_Soak : public QObject
{
    Q_OBJECT
private slots:
    void randomActions_data();
    void randomActions();

private:
    QPoint somewhere(const QRect &area)
    {
        return {area.x() + int(random.bounded(area.width())),
                area.y() + int(random.bounded(area.height()))};
    }
    // One random action; its name for the tally.
    QString act(DemoSession &demo);

    QRandomGenerator random;
    bool unplugged = false;
};

QString tst_Soak::act(DemoSession &demo)
{
    const int pick = int(random.bounded(100));
    if (pick < 30) {
        const QRect area = pick < 14 ? dpiPage : pick < 26 ? lightingPage : mousePicture;
        demo.click(somewhere(area), 1, 120);
        return QStringLiteral("click");
    }
    if (pick < 45) {
        const QRect area = pick < 38 ? dpiPage : lightingPage;
        demo.drag(somewhere(area), somewhere(area));
        return QStringLiteral("drag");
    }
    if (pick < 52) {
        // A key combination for button 4 typed through the global capture.
        static const QStringList keys{"a", "b", "F5", "1", "space", "Tab", "ctrl+x", "shift+q"};
        demo.click({490 + 18, 214 + 18}, 1, 200);
        demo.click({(1024 - 416) / 2 + 36, (640 - 404) / 2 + 41 + 256}, 1, 150);
        demo.xdotool({QStringLiteral("key"), keys.at(int(random.bounded(keys.size())))});
        demo.click(closeButtons.at(0), 1, 150);
        return QStringLiteral("capturedKey");
    }
    if (pick < 58) {
        static const QStringList keys{"a", "Escape", "Return", "Up", "Down", "F2", "7"};
        demo.xdotool({QStringLiteral("key"), keys.at(int(random.bounded(keys.size())))});
        return QStringLiteral("key");
    }
    if (pick < 66) {
        demo.callMouse(QStringLiteral("PressDpiButton"),
                       {QVariant::fromValue(uchar(1 + random.bounded(4)))});
        return QStringLiteral("dpiButton");
    }
    if (pick < 71) {
        demo.callMouse(QStringLiteral("SetRightHand"), {random.bounded(2) == 1});
        return QStringLiteral("rightHand");
    }
    if (pick < 74) {
        demo.callMouse(QStringLiteral("Unplug"));
        unplugged = true;
        return QStringLiteral("unplug");
    }
    if (pick < 80) {
        static const QStringList faults{"error", "garbage", "unplug"};
        demo.callMouse(QStringLiteral("FailCall"),
                       {int(1 + random.bounded(6)), faults.at(int(random.bounded(3)))});
        return QStringLiteral("fault");
    }
    if (pick < 84) {
        demo.click({968, 620}, 1, 200);
        return QStringLiteral("save");
    }
    if (pick < 89) {
        demo.click({180, 455}, 1, 200);
        demo.click({180, 479 + 24 * int(random.bounded(4))}, 1, 200);
        return QStringLiteral("reportRate");
    }
    if (pick < 93) {
        demo.click({830, 24}, 1, 200);
        demo.click({830, 48 + 24 * int(random.bounded(2))}, 1, 200);
        return QStringLiteral("profileSwitch");
    }
    if (pick < 97) {
        // The system settings panel or the macro editor, opened and closed.
        const bool system = random.bounded(2) == 0;
        demo.click(system ? QPoint(140, 496) : QPoint(120, 402), 1, 250);
        demo.drag(somewhere(QRect(400, 230, 260, 60)), somewhere(QRect(400, 230, 260, 60)));
        demo.click(closeButtons.at(system ? 1 : 2), 1, 200);
        return QStringLiteral("panel");
    }
    for (const QPoint &close : closeButtons)
        demo.click(close, 1, 120);
    return QStringLiteral("closePanels");
}

void tst_Soak::randomActions_data()
{
    QTest::addColumn<QString>("chip");
    QTest::newRow("553") << QStringLiteral("553");
    QTest::newRow("560") << QStringLiteral("560");
}

void tst_Soak::randomActions()
{
    QFETCH(QString, chip);
    const int actions = qEnvironmentVariableIsSet("R770_SOAK_ACTIONS")
                            ? qEnvironmentVariableIntValue("R770_SOAK_ACTIONS")
                            : 150;
    const quint32 seed = qEnvironmentVariableIsSet("R770_SOAK_SEED")
                             ? quint32(qEnvironmentVariableIntValue("R770_SOAK_SEED"))
                             : quint32(QDateTime::currentMSecsSinceEpoch());
    random.seed(seed);
    unplugged = false;
    qInfo("chip %s, %d actions, seed %u", qPrintable(chip), actions, seed);

    DemoSession demo;
    QString whyNot;
    if (!demo.startBus(&whyNot))
        QSKIP(qPrintable(whyNot));
    ProgramCopy program(QStringLiteral(R770_EXECUTABLE),
                        QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    const QString settings = program.folder() + QStringLiteral("/modules/setting/");
    QSettings(settings + QStringLiteral("apConfig.bin"), QSettings::IniFormat)
        .setValue(QStringLiteral("mouse/icType"), chip);
    QVERIFY2(demo.launch(program.executable()), demo.output().constData());
    const qint64 pid = demo.program().processId();

    QMap<QString, int> tally;
    qint64 slowestMs = 0;
    qint64 afterFirstThousand = -1;
    qint64 atThird = -1;
    QElapsedTimer clock;
    clock.start();
    for (int done = 1; done <= actions; ++done) {
        ++tally[act(demo)];
        QVERIFY2(demo.program().state() == QProcess::Running,
                 qPrintable(QStringLiteral("ended after action %1:\n").arg(done) +
                            QString::fromLocal8Bit(demo.output().right(4000))));
        QElapsedTimer answer;
        answer.start();
        const QJsonObject state = demo.state(answerBoundMs);
        slowestMs = qMax(slowestMs, answer.elapsed());
        QVERIFY2(!state.isEmpty(),
                 qPrintable(QStringLiteral("no answer within 5 s after action %1").arg(done)));
        if (!state.value(QStringLiteral("plugged")).toBool()) {
            // Back in after a while, as a user would plug it.
            QTest::qWait(unplugged ? 300 : 100);
            demo.callMouse(QStringLiteral("Plug"));
            unplugged = false;
        }
        // The window may have been hidden by a stray key; a second start brings it back.
        if (done % 50 == 0 && !demo.windowVisible())
            demo.runAgain(program.executable(), {});
        if (done == qMin(1000, actions / 3))
            atThird = residentKb(pid);
        if (done == 1000)
            afterFirstThousand = residentKb(pid);
        if (done % 500 == 0)
            qInfo("%d actions, %lld s, resident %lld kB, slowest answer %lld ms", done,
                  clock.elapsed() / 1000, residentKb(pid), slowestMs);
    }
    const qint64 atEnd = residentKb(pid);
    QStringList counts;
    for (auto it = tally.cbegin(); it != tally.cend(); ++it)
        counts << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    qInfo("actions: %s", qPrintable(counts.join(QStringLiteral(", "))));
    qInfo("%d actions in %lld s; slowest State() answer %lld ms; resident %lld kB after %d, "
          "%lld kB at the end",
          actions, clock.elapsed() / 1000, slowestMs, atThird, qMin(1000, actions / 3), atEnd);
    if (afterFirstThousand > 0 && actions >= 2000) {
        qInfo("resident memory grew %.1f %% from action 1000 to action %d",
              100.0 * double(atEnd - afterFirstThousand) / double(afterFirstThousand), actions);
        QVERIFY(atEnd <= afterFirstThousand * 105 / 100);
    }

    // Quit, as the tray menu does, and look at what is left on disk.
    demo.callMouse(QStringLiteral("Plug"));
    QCOMPARE(demo.runAgain(program.executable(), {QStringLiteral("--quit")}), 0);
    QVERIFY(demo.waitForExit(30000));
    const QByteArray printed = demo.output();
    QVERIFY2(!printed.contains("ERROR: AddressSanitizer") && !printed.contains("runtime error:"),
             printed.right(8000).constData());
    QCOMPARE(demo.program().exitCode(), 0);
    QStringList files{QStringLiteral("pD.bin")};
    for (int n = 1; n <= 10; ++n)
        files << QStringLiteral("p%1.bin").arg(n);
    for (const QString &name : files) {
        const QStringList missing = missingProfileKeys(settings + name);
        QVERIFY2(missing.isEmpty(),
                 qPrintable(name + QStringLiteral(": ") + missing.join(QStringLiteral(", "))));
    }
    const QStringList missing = missingGlobalKeys(settings + QStringLiteral("apConfig.bin"));
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
}

QTEST_GUILESS_MAIN(tst_Soak)
#include "tst_soak.moc"
