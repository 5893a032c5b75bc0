// The real program in demo mode as a native client of a Wayland compositor
// (headless sway; wayland_session.sh runs this test inside it): its window
// as the compositor sees and draws it, panels opened through accessible
// actions (a headless seat has no pointer), keys typed with wtype into the
// focused window, the virtual mouse read back over D-Bus, and the hidden
// window brought back by a second start.
#include "AccessibleApp.h"
#include "MouseBytes.h"
#include "ProgramCopy.h"
#include "XDisplay.h"

#include <QDBusInterface>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRect>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

namespace {

struct SwayWindow
{
    bool found = false;
    QRect rect; // on the output, without borders
    QString shell;
    bool focused = false;
};

SwayWindow findNode(const QJsonObject &node, qint64 pid)
{
    if (node.value(QLatin1String("app_id")).toString() == QLatin1String("R770") &&
        node.value(QLatin1String("pid")).toInteger() == pid) {
        const QJsonObject r = node.value(QLatin1String("rect")).toObject();
        return {true,
                QRect(r.value(QLatin1String("x")).toInt(), r.value(QLatin1String("y")).toInt(),
                      r.value(QLatin1String("width")).toInt(),
                      r.value(QLatin1String("height")).toInt()),
                node.value(QLatin1String("shell")).toString(),
                node.value(QLatin1String("focused")).toBool()};
    }
    for (const char *list : {"nodes", "floating_nodes"}) {
        for (const QJsonValue child : node.value(QLatin1String(list)).toArray()) {
            const SwayWindow w = findNode(child.toObject(), pid);
            if (w.found)
                return w;
        }
    }
    return {};
}

// The session's folder for pictures, which the harness keeps.
QString shotDir()
{
    return qEnvironmentVariable("R770_SHOT_DIR", QStringLiteral(R770_SHOT_DIR));
}

// The program's window as sway has it mapped now.
SwayWindow swayWindow(qint64 pid)
{
    QByteArray tree;
    if (!XDisplay::run(QStringLiteral("swaymsg"),
                       {QStringLiteral("-t"), QStringLiteral("get_tree")}, &tree))
        return {};
    return findNode(QJsonDocument::fromJson(tree).object(), pid);
}

SwayWindow waitForWindow(qint64 pid, bool mapped, int timeoutMs = 15000)
{
    QDeadlineTimer deadline(timeoutMs);
    SwayWindow w = swayWindow(pid);
    while (w.found != mapped && !deadline.hasExpired()) {
        QTest::qWait(100);
        w = swayWindow(pid);
    }
    return w;
}

// Keys through wtype's own keymap: with wtype 0.4 the n-th key name it is
// given (counting from 1) becomes the Linux key code n. Names that are only
// released reach no window (sway drops releases of keys that are not down),
// so they put the pressed ones where a real keyboard has them. Here "a"
// sits on the physical Q key, as on a French layout, and Control_L on the
// left Ctrl key.
QStringList ctrlOnTheQKeyTypingA()
{
    QStringList arguments;
    const auto placeholders = [&](int from, int to) {
        for (int code = from; code <= to; ++code)
            arguments << QStringLiteral("-p") << QStringLiteral("F%1").arg(code);
    };
    placeholders(1, 15);
    arguments << QStringLiteral("-p") << QStringLiteral("a"); // 16: KEY_Q
    placeholders(17, 28);
    arguments << QStringLiteral("-P") << QStringLiteral("Control_L") // 29: KEY_LEFTCTRL
              << QStringLiteral("-P") << QStringLiteral("a") << QStringLiteral("-p")
              << QStringLiteral("a") << QStringLiteral("-p") << QStringLiteral("Control_L");
    return arguments;
}

} // namespace

class tst_Wayland : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void windowMapsNatively();
    void mediaFunctionReachesTheMouse();
    void keysTypedInTheWindowAreCaptured();
    void secondStartBringsTheWindowBack();
    void profilesFollowTheFocusedProgram();
    void cleanup();
    void cleanupTestCase();

private:
    QJsonObject state();
    QList<int> keyMatrix()
    {
        return MouseBytes::ints(
            state().value(QLatin1String("keyMatrices")).toObject().value(QLatin1String("1")));
    }
    // Presses the object named name (below under), waiting for it to show.
    bool press(const QString &name, const AccessibleApp::Node &under = {});

    std::unique_ptr<ProgramCopy> copy;
    std::unique_ptr<QProcess> program;
    AccessibleApp app;
    // The key matrix the mouse should hold: the shipped one, then each change.
    QList<int> expected;
    bool anyFailed = true; // until the program is up
};

void tst_Wayland::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("SWAYSOCK"))
        QSKIP("no sway session; run through tests/e2e/wayland_session.sh");
    for (const char *tool : {"swaymsg", "grim", "wtype"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(), tool);
    QString whyNot;
    QVERIFY2(app.connect(&whyNot), qPrintable(whyNot));

    copy = std::make_unique<ProgramCopy>(QStringLiteral(R770_EXECUTABLE),
                                         QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    // The 560 family: the user's key matrix is that of profile 1, 128 bytes.
    copy->write(QStringLiteral("setting/apConfig.bin"), QStringLiteral("mouse/icType"),
                QStringLiteral("560"));
    // Two profile rows (a name ends in its profile number); the second, profile 1,
    // is for the terminal "foot", the first the fallback.
    copy->write(QStringLiteral("setting/name.bin"), QStringLiteral("profile/profileName"),
                QStringList{QStringLiteral("Standard0"), QStringLiteral("Games1")});
    copy->write(QStringLiteral("setting/apConfig.bin"), QStringLiteral("appProfile/1"),
                QStringLiteral("foot"));
    copy->write(QStringLiteral("setting/apConfig.bin"), QStringLiteral("appProfile/fallback"), 0);
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    program = copy->start({QStringLiteral("--virtual-mouse")}, {}, QStringLiteral("wayland"));
    QVERIFY(program->state() == QProcess::Running);
    QVERIFY2(waitForWindow(program->processId(), true, 60000).found, "no window mapped");
    QTRY_VERIFY_WITH_TIMEOUT(!state().isEmpty(), 30000);
    QTest::qWait(1600); // the start-up lock
    QVERIFY2(app.attach(program->processId(), 15000),
             "the program is not on the accessibility bus");
    QCOMPARE(state().value(QLatin1String("keyMatrices")).toObject().size(), 0);
    expected = MouseBytes::factoryKeyMatrix();
    expected.resize(128, 0);
    anyFailed = false;
}

void tst_Wayland::windowMapsNatively()
{
    const SwayWindow w = swayWindow(program->processId());
    QVERIFY(w.found);
    QCOMPARE(w.shell, QStringLiteral("xdg_shell")); // not through XWayland
    QCOMPARE(w.rect.size(), QSize(1024, 640));
    QVERIFY(w.focused);
    QVERIFY(QRect(0, 0, 1280, 800).contains(w.rect));

    const QString shot = shotDir() + QStringLiteral("/wayland-window.png");
    QVERIFY(XDisplay::run(QStringLiteral("grim"), {shot}));
    const QImage picture(shot);
    QCOMPARE(picture.size(), QSize(1280, 800));
    // Drawn where sway placed it: the blue Save button at the bottom right,
    // the mouse picture in the middle, and around the window nothing but the
    // compositor's plain background.
    const QColor save = picture.pixelColor(w.rect.topLeft() + QPoint(968, 620));
    QVERIFY2(save.blue() > 100 && save.red() < 60, qPrintable(save.name()));
    const QColor background = picture.pixelColor(w.rect.left() / 2, w.rect.top() / 2);
    QCOMPARE(picture.pixelColor(w.rect.right() + 8, w.rect.center().y()), background);
    QCOMPARE(picture.pixelColor(w.rect.center().x(), w.rect.bottom() + 8), background);
    QVERIFY(picture.pixelColor(w.rect.center()) != background);
}

void tst_Wayland::mediaFunctionReachesTheMouse()
{
    QVERIFY(press(QStringLiteral("Button 5")));
    const AccessibleApp::Node dialog = app.find(QStringLiteral("Key 5 : Back Key"));
    QVERIFY(dialog.isValid());
    QVERIFY(press(QStringLiteral("Media Function"), dialog));
    QVERIFY(press(QStringLiteral("Volumn+"), dialog)); // the shipped spelling
    QVERIFY(press(QStringLiteral("Close"), dialog));
    QVERIFY(press(QStringLiteral("Save")));
    expected = MouseBytes::withSlot(expected, 3, {0x03, 0x00, 0xE9, 0x00});
    QTRY_COMPARE_WITH_TIMEOUT(keyMatrix(), expected, 5000);
}

void tst_Wayland::keysTypedInTheWindowAreCaptured()
{
    QVERIFY(press(QStringLiteral("Button 4")));
    const AccessibleApp::Node dialog = app.find(QStringLiteral("Key 4 : Forward Key"));
    QVERIFY(dialog.isValid());
    // Two capture boxes wait for a click: the fire key's, then the combination's.
    const QList<AccessibleApp::Node> boxes = app.findAll(QStringLiteral("Click Input"), dialog);
    QCOMPARE(boxes.size(), 2);
    const AccessibleApp::Node combination = boxes.at(1);
    QVERIFY(app.press(combination));
    QTRY_COMPARE(app.description(combination), QStringLiteral("waiting for keys"));

    // wtype types into the focused window: the program's own.
    QTRY_VERIFY(swayWindow(program->processId()).focused);
    QVERIFY(XDisplay::run(QStringLiteral("wtype"), ctrlOnTheQKeyTypingA()));
    // The keys pressed, not the letter typed.
    QTRY_COMPARE_WITH_TIMEOUT(app.name(combination), QStringLiteral("LCtrl + Q"), 5000);
    QVERIFY(XDisplay::run(QStringLiteral("grim"),
                          {shotDir() + QStringLiteral("/wayland-capture.png")}));
    QVERIFY(press(QStringLiteral("Confirm"), combination));
    QVERIFY(press(QStringLiteral("Close"), dialog));
    QVERIFY(press(QStringLiteral("Save")));
    expected = MouseBytes::withSlot(expected, 5, {0x00, 0x01, 0x14, 0x00});
    QTRY_COMPARE_WITH_TIMEOUT(keyMatrix(), expected, 5000);
}

void tst_Wayland::secondStartBringsTheWindowBack()
{
    const qint64 pid = program->processId();
    const auto secondStart = [&] {
        auto second = copy->start({}, {}, QStringLiteral("wayland"));
        return second->waitForFinished(15000) && second->exitCode() == 1;
    };

    // sway has no minimised state: the window stays, and a second start keeps it.
    QVERIFY(press(QStringLiteral("Minimise")));
    QVERIFY(secondStart());
    QCOMPARE(waitForWindow(pid, true).rect.size(), QSize(1024, 640));

    // Closed to the tray: unmapped, then shown again by the second start.
    QVERIFY(press(QStringLiteral("Close")));
    QVERIFY2(!waitForWindow(pid, false).found, "the window stays mapped after Close");
    QVERIFY(secondStart());
    const SwayWindow back = waitForWindow(pid, true);
    QVERIFY2(back.found, "a second start does not show the window");
    QCOMPARE(back.rect.size(), QSize(1024, 640));
    QCOMPARE(program->state(), QProcess::Running);
}

// sway tells the program which window has the focus: a program with a rule
// switches to its row, the program's own window switches nothing, and a
// profile picked by hand stays until another program takes the focus.
void tst_Wayland::profilesFollowTheFocusedProgram()
{
    if (QStandardPaths::findExecutable(QStringLiteral("foot")).isEmpty())
        QSKIP("foot is not installed");
    QDBusInterface control(QStringLiteral("com.zerant.molta.R770"), QStringLiteral("/Control"),
                           QStringLiteral("com.zerant.molta.R770.Control"));
    const auto activeRow = [&] { return control.property("ActiveProfile").toInt(); };
    const auto mouseProfile = [&] {
        return state().value(QLatin1String("currentProfile")).toInt();
    };
    QCOMPARE(activeRow(), 0);

    // The terminal with a rule; later another program without one (the fallback row).
    QProcess terminal;
    QProcess other;
    terminal.start(QStringLiteral("foot"), {QStringLiteral("sleep"), QStringLiteral("600")});
    QVERIFY(terminal.waitForStarted());
    auto endTerminals = qScopeGuard([&] {
        for (QProcess *p : {&terminal, &other}) {
            p->kill();
            p->waitForFinished(5000);
        }
    });
    const QStringList focusTerminal{QStringLiteral("[app_id=\"foot\"] focus")};
    // A new window need not take the focus: it is given it once mapped.
    QTRY_VERIFY_WITH_TIMEOUT(XDisplay::run(QStringLiteral("swaymsg"), focusTerminal), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(activeRow(), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(mouseProfile(), 2, 5000);

    const QString ownWindow = QStringLiteral("[pid=%1] focus").arg(program->processId());
    QVERIFY(XDisplay::run(QStringLiteral("swaymsg"), {ownWindow}));
    QTRY_VERIFY_WITH_TIMEOUT(swayWindow(program->processId()).focused, 5000);
    // Refused as busy while the last switch still holds the screen: asked again.
    QTRY_VERIFY_WITH_TIMEOUT(control.call(QStringLiteral("SwitchProfile"), 0).type() !=
                                 QDBusMessage::ErrorMessage,
                             15000);
    QTRY_COMPARE_WITH_TIMEOUT(mouseProfile(), 1, 5000);
    QTest::qWait(500);
    QCOMPARE(activeRow(), 0);

    // Back to the same program after the own window: the hand's choice stays.
    QVERIFY(XDisplay::run(QStringLiteral("swaymsg"), focusTerminal));
    QTest::qWait(1000);
    QCOMPARE(activeRow(), 0);
    // Another program first (it takes the focus when it maps), then the
    // terminal again: its rule applies.
    other.start(QStringLiteral("foot"),
                {QStringLiteral("--app-id=other"), QStringLiteral("sleep"), QStringLiteral("600")});
    QVERIFY(other.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        XDisplay::run(QStringLiteral("swaymsg"), {QStringLiteral("[app_id=\"other\"] focus")}),
        15000);
    QTest::qWait(500);
    QCOMPARE(activeRow(), 0);
    QVERIFY(XDisplay::run(QStringLiteral("swaymsg"), focusTerminal));
    QTRY_COMPARE_WITH_TIMEOUT(activeRow(), 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(mouseProfile(), 2, 5000);
}

void tst_Wayland::cleanup()
{
    anyFailed = anyFailed || QTest::currentTestFailed();
}

void tst_Wayland::cleanupTestCase()
{
    if (!program)
        return;
    program->kill();
    program->waitForFinished(5000);
    if (anyFailed)
        qWarning("program output:\n%s\n%s",
                 program->readAllStandardOutput().right(4000).constData(),
                 program->readAllStandardError().right(4000).constData());
}

QJsonObject tst_Wayland::state()
{
    QDBusInterface mouse(QStringLiteral("com.zerant.molta.R770"), QStringLiteral("/VirtualMouse"),
                         QStringLiteral("com.zerant.molta.R770.VirtualMouse"));
    mouse.setTimeout(5000);
    const QDBusReply<QString> reply = mouse.call(QStringLiteral("State"));
    return reply.isValid() ? QJsonDocument::fromJson(reply.value().toUtf8()).object()
                           : QJsonObject();
}

bool tst_Wayland::press(const QString &name, const AccessibleApp::Node &under)
{
    const AccessibleApp::Node node = app.find(name, under);
    if (!node.isValid())
        qWarning("nothing named \"%s\" on screen", qPrintable(name));
    const bool pressed = node.isValid() && app.press(node);
    QTest::qWait(300); // panels open and close with a short animation
    return pressed;
}

QTEST_GUILESS_MAIN(tst_Wayland)
#include "tst_wayland.moc"
