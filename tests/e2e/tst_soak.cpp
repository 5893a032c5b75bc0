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

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

namespace {

constexpr int answerBoundMs = 5000;

// Built with AddressSanitizer, the program runs on the sanitizer's allocator:
// freed blocks wait in its quarantine, and each block size keeps the most
// memory it ever held, live and quarantined together. As the quarantine's
// mix of sizes drifts, that sum climbs for thousands of actions with the
// program's live heap flat, so resident memory there says little about the
// program. The bound is held in the build without the sanitizer, where the
// program's own heap is what is resident.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool ownAllocator = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool ownAllocator = false;
#else
constexpr bool ownAllocator = true;
#endif
#else
constexpr bool ownAllocator = true;
#endif

// Pauses inside a gesture, only where the next input would otherwise hit an
// item still moving in: a drop-down slides open in at most 180 ms, the
// capture box and the panels fade in. After a whole action no pause is
// needed: the State() call that follows waits for the program's answer.
constexpr int dropDownMs = 200;
constexpr int captureOpenMs = 150;
constexpr int keyTakenMs = 50;
constexpr int panelOpenMs = 250;
constexpr int panelCloseMs = 50;
// Between the steps of a drag, so that the program sees the pointer move
// while the button is down.
constexpr int dragStepMs = 20;

// Page areas where any click or drag is a user's; they hold no control
// that leaves the window (file dialogs, the help link, close, minimise).
const QRect dpiPage(776, 64, 224, 256);
const QRect lightingPage(776, 330, 224, 250);
const QRect mousePicture(330, 120, 380, 420);

// The title bar's profile list.
const QString profileList = QStringLiteral("Profile");
// Where the panels' knobs and fields are.
const QRect panelArea(400, 230, 260, 60);

// One xdotool run for a whole gesture (one process instead of one per
// click): pointer moves relative to the program's window, clicks, drags,
// keys and the pauses between them. A drag on the window's background moves
// the window; it is put back where it started, or it would wander off the
// display and later clicks would miss it.
class Gesture
{
public:
    Gesture(const QString &window, QPoint home) : window(window), home(home) {}
    Gesture &click(QPoint at)
    {
        moveTo(at);
        // Without "--delay 0" xdotool sleeps some 100 ms after every click.
        steps << QStringLiteral("click") << QStringLiteral("--delay") << QStringLiteral("0")
              << QStringLiteral("1");
        return *this;
    }
    Gesture &drag(QPoint from, QPoint to)
    {
        moveTo(from);
        steps << QStringLiteral("mousedown") << QStringLiteral("1");
        pause(dragStepMs);
        moveTo((from + to) / 2);
        pause(dragStepMs);
        moveTo(to);
        pause(dragStepMs);
        steps << QStringLiteral("mouseup") << QStringLiteral("1") << QStringLiteral("windowmove")
              << window << QString::number(home.x()) << QString::number(home.y());
        return *this;
    }
    Gesture &key(const QString &name)
    {
        steps << QStringLiteral("key") << name;
        return *this;
    }
    Gesture &pause(int ms)
    {
        steps << QStringLiteral("sleep") << QString::number(ms / 1000.0);
        return *this;
    }
    bool run(DemoSession &demo) const { return steps.isEmpty() || demo.xdotool(steps); }

private:
    void moveTo(QPoint at)
    {
        steps << QStringLiteral("mousemove") << QStringLiteral("--window") << window
              << QString::number(at.x()) << QString::number(at.y());
    }

    QString window;
    QPoint home;
    QStringList steps;
};

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
    void randomActions_data() { DemoSession::addChipRows(); }
    void randomActions();

private:
    QPoint somewhere(const QRect &area)
    {
        return {area.x() + int(random.bounded(area.width())),
                area.y() + int(random.bounded(area.height()))};
    }
    // One random action; its name for the tally.
    QString act(DemoSession &demo);
    // Where the actions click, found once by name so that they run at full
    // speed: buttons and lists by their names, the rows of each list, and
    // of the key dialog and the panels the close buttons (where none is open
    // they hit the mouse picture or an empty part of the DPI page).
    bool findControls(DemoSession &demo);
    QHash<QString, QPoint> at;
    QHash<QString, QList<QPoint>> rows;
    QList<QPoint> closeButtons;

    QRandomGenerator random;
    bool unplugged = false;
    QPoint home; // where the window was mapped
};

QString tst_Soak::act(DemoSession &demo)
{
    Gesture gesture(demo.windowId(), home);
    const int pick = int(random.bounded(100));
    if (pick < 30) {
        const QRect area = pick < 14 ? dpiPage : pick < 26 ? lightingPage : mousePicture;
        gesture.click(somewhere(area)).run(demo);
        return QStringLiteral("click");
    }
    if (pick < 45) {
        const QRect area = pick < 38 ? dpiPage : lightingPage;
        const QPoint from = somewhere(area);
        gesture.drag(from, somewhere(area)).run(demo);
        return QStringLiteral("drag");
    }
    if (pick < 52) {
        // A key combination for button 4 typed through the global capture.
        static const QStringList keys{"a", "b", "F5", "1", "space", "Tab", "ctrl+x", "shift+q"};
        gesture.click(at["Button 4"])
            .pause(dropDownMs)
            .click(at["combination"])
            .pause(captureOpenMs)
            .key(keys.at(int(random.bounded(keys.size()))))
            .pause(keyTakenMs)
            .click(closeButtons.at(0))
            .run(demo);
        return QStringLiteral("capturedKey");
    }
    if (pick < 58) {
        static const QStringList keys{"a", "Escape", "Return", "Up", "Down", "F2", "7"};
        gesture.key(keys.at(int(random.bounded(keys.size())))).run(demo);
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
        gesture.click(at["Save"]).run(demo);
        return QStringLiteral("save");
    }
    if (pick < 89) {
        const QList<QPoint> &rates = rows["Report Rate"];
        gesture.click(at["Report Rate"])
            .pause(dropDownMs)
            .click(rates.at(int(random.bounded(rates.size()))))
            .run(demo);
        return QStringLiteral("reportRate");
    }
    if (pick < 93) {
        const QList<QPoint> &profiles = rows[profileList];
        gesture.click(at[profileList])
            .pause(dropDownMs)
            .click(profiles.at(int(random.bounded(profiles.size()))))
            .run(demo);
        return QStringLiteral("profileSwitch");
    }
    if (pick < 97) {
        // The system settings panel or the macro editor, opened and closed.
        const bool system = random.bounded(2) == 0;
        const QPoint from = somewhere(panelArea);
        gesture.click(at[system ? "System setting" : "Macro Editor"])
            .pause(panelOpenMs)
            .drag(from, somewhere(panelArea))
            .click(closeButtons.at(system ? 1 : 2))
            .run(demo);
        return QStringLiteral("panel");
    }
    for (const QPoint &close : std::as_const(closeButtons))
        gesture.click(close).pause(panelCloseMs);
    gesture.run(demo);
    return QStringLiteral("closePanels");
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

    const auto session = DemoSession::startCopy(chip);
    if (!session)
        return; // skipped or failed, with the reason
    DemoSession &demo = *session;
    const qint64 pid = demo.program().processId();
    home = demo.windowOrigin();
    QVERIFY(findControls(demo));

    // Count and time spent per kind of action (input and settle waits), and
    // the time the State() answers took: where a run's time goes.
    QMap<QString, int> tally;
    QMap<QString, qint64> spentMs;
    // How many of each kind left the mouse in another state (a sign that the
    // input reached the program; a change may also show one action late).
    QMap<QString, int> changedMouse;
    QJsonObject previous;
    qint64 answersMs = 0;
    qint64 slowestMs = 0;
    // Resident memory after the first thousand actions and at the end (after
    // the last thousand). A run shorter than 2000 actions takes a tenth of
    // itself instead, labelled so, and is not held to the 5 % bound; nor is a
    // sanitizer build (see ownAllocator).
    const bool fullWindows = actions >= 2000;
    const bool heldToBound = fullWindows && ownAllocator;
    const int firstWindow = fullWindows ? 1000 : qMax(1, actions / 10);
    qint64 afterFirstWindow = -1;
    QElapsedTimer clock;
    clock.start();
    for (int done = 1; done <= actions; ++done) {
        QElapsedTimer acting;
        acting.start();
        const QString kind = act(demo);
        ++tally[kind];
        spentMs[kind] += acting.elapsed();
        QVERIFY2(demo.program().state() == QProcess::Running,
                 qPrintable(QStringLiteral("ended after action %1:\n").arg(done) +
                            QString::fromLocal8Bit(demo.output().right(4000))));
        QElapsedTimer answer;
        answer.start();
        const QJsonObject state = demo.state(answerBoundMs);
        slowestMs = qMax(slowestMs, answer.elapsed());
        answersMs += answer.elapsed();
        QVERIFY2(!state.isEmpty(),
                 qPrintable(QStringLiteral("no answer within 5 s after action %1").arg(done)));
        if (state != previous)
            ++changedMouse[kind];
        previous = state;
        if (!state.value(QStringLiteral("plugged")).toBool()) {
            // Back in after a while, as a user would plug it.
            QTest::qWait(unplugged ? 300 : 100);
            demo.callMouse(QStringLiteral("Plug"));
            unplugged = false;
            previous = demo.state(answerBoundMs);
        }
        // The window may have been hidden by a stray key; a second start brings it back.
        if (done % 50 == 0 && !demo.windowVisible())
            demo.runAgain({});
        if (done == firstWindow)
            afterFirstWindow = residentKb(pid);
        if (done % 500 == 0)
            qInfo("%d actions, %lld s, resident %lld kB, slowest answer %lld ms", done,
                  clock.elapsed() / 1000, residentKb(pid), slowestMs);
    }
    const qint64 atEnd = residentKb(pid);
    QStringList counts;
    for (auto it = tally.cbegin(); it != tally.cend(); ++it)
        counts << QStringLiteral("%1 %2 (%3 ms each, %4 changed the mouse)")
                      .arg(it.key())
                      .arg(it.value())
                      .arg(spentMs.value(it.key()) / it.value())
                      .arg(changedMouse.value(it.key()));
    qInfo("actions: %s", qPrintable(counts.join(QStringLiteral(", "))));
    qint64 actingMs = 0;
    for (const qint64 ms : std::as_const(spentMs))
        actingMs += ms;
    qInfo("time: %.1f s in the actions, %.1f s waiting for State(), %.1f s the rest (plugging "
          "back, window checks)",
          actingMs / 1000.0, answersMs / 1000.0, (clock.elapsed() - actingMs - answersMs) / 1000.0);
    qInfo("%d actions in %lld s; slowest State() answer %lld ms", actions, clock.elapsed() / 1000,
          slowestMs);
    const double growth =
        100.0 * double(atEnd - afterFirstWindow) / double(qMax<qint64>(1, afterFirstWindow));
    qInfo("resident %lld kB after the first %d actions, %lld kB after the last %d%s: %+.1f %%",
          afterFirstWindow, firstWindow, atEnd, firstWindow,
          !fullWindows   ? " (windows of a tenth of the run, not held to 5 %)"
          : !heldToBound ? " (sanitizer's allocator, not held to 5 %)"
                         : "",
          growth);
    if (heldToBound)
        QVERIFY2(atEnd <= afterFirstWindow * 105 / 100,
                 qPrintable(QStringLiteral("resident memory grew %1 %").arg(growth, 0, 'f', 1)));

    // Quit, as the tray menu does, and look at what is left on disk.
    demo.callMouse(QStringLiteral("Plug"));
    QCOMPARE(demo.runAgain({QStringLiteral("--quit")}).code, 0);
    QVERIFY(demo.waitForExit(30000));
    const QByteArray printed = demo.output();
    QVERIFY2(!printed.contains("ERROR: AddressSanitizer") && !printed.contains("runtime error:"),
             printed.right(8000).constData());
    QCOMPARE(demo.program().exitCode(), 0);
    QStringList files{QStringLiteral("pD.bin")};
    for (int n = 1; n <= 10; ++n)
        files << QStringLiteral("p%1.bin").arg(n);
    for (const QString &name : files) {
        const QStringList missing =
            missingProfileKeys(demo.copy().file(QStringLiteral("setting/") + name));
        QVERIFY2(missing.isEmpty(),
                 qPrintable(name + QStringLiteral(": ") + missing.join(QStringLiteral(", "))));
    }
    const QStringList missing =
        missingGlobalKeys(demo.copy().file(QStringLiteral("setting/apConfig.bin")));
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
}

bool tst_Soak::findControls(DemoSession &demo)
{
    for (const char *button : {"Save", "System setting", "Macro Editor", "Button 4"})
        at[button] = demo.where(button, Role::button).center();
    const QHash<QString, QStringList> listRows{
        {"Report Rate", {"125Hz", "250Hz", "500Hz", "1000Hz"}}, {profileList, {"Standard"}}};
    for (auto list = listRows.cbegin(); list != listRows.cend(); ++list) {
        at[list.key()] = demo.where(list.key(), Role::comboBox).center();
        demo.click(at[list.key()]);
        for (const QString &row : list.value())
            rows[list.key()] << demo.where(row, Role::listItem).center();
        demo.click(at[list.key()]);
    }
    const QList<std::pair<const char *, const char *>> panels{{"Button 4", "Key 4 : Forward Key"},
                                                              {"System setting", "System Setting"},
                                                              {"Macro Editor", "Macro Editor"}};
    for (const auto &[entry, title] : panels) {
        demo.click(at[entry]);
        const AccessibleApp::Node panel = demo.accessible().find(title, Role::dialog);
        if (!panel.isValid())
            return false;
        // The second "Click Input" of the key dialog is the combination's box.
        const QList<AccessibleApp::Node> boxes =
            demo.accessible().findAll(QStringLiteral("Click Input"), Role::button, panel);
        if (boxes.size() == 2)
            at["combination"] = demo.accessible().extents(boxes.at(1)).center();
        closeButtons << demo.where(QStringLiteral("Close"), Role::button, panel).center();
        demo.click(closeButtons.last());
    }
    QList<QPoint> all = at.values() + closeButtons;
    for (const QList<QPoint> &listed : std::as_const(rows))
        all += listed;
    return at.size() == 7 && !all.contains(QPoint());
}

QTEST_GUILESS_MAIN(tst_Soak)
#include "tst_soak.moc"
