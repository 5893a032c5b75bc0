// The real executable in demo mode used with the keyboard alone: keys typed
// into its window with xdotool, the focus found where a screen reader finds
// it (the focused object on the accessibility bus, and the one announced
// focused), and what the keys changed read back from the virtual mouse.
#include "AccessibleApp.h"
#include "DemoSession.h"
#include "MouseBytes.h"

#include <QTest>

namespace {

// Sensor 3360 on the 553 family: a stage's code is dpi / 100 - 1, unused stages 0x80.
QList<int> stageCodes(const QList<int> &dpis)
{
    QList<int> codes;
    for (int dpi : dpis)
        codes << dpi / 100 - 1;
    while (codes.size() < 8)
        codes << 0x80;
    return codes;
}

} // namespace

class tst_Keyboard : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void buttonFunctionChosenWithKeys();
    void dpiStageMovedWithArrows();

private:
    // The program started and found on the accessibility bus, its window
    // holding the keyboard; null (the reason given) when it is not.
    std::unique_ptr<DemoSession> start();
    bool key(const QString &name);
    // Tab until the focus is on the object named name; on failure, what the
    // focus went through.
    bool tabTo(const QString &name, QString *visited);
    // Whether the last object announced focused is named name, waiting a little.
    bool announced(const QString &name)
    {
        return QTest::qWaitFor([&] { return app->name(app->lastFocusAnnounced()) == name; }, 2000);
    }
    QString focusName()
    {
        const AccessibleApp::Node focus = app->focused();
        return focus.isValid() ? app->name(focus) : QString();
    }

    DemoSession *demo = nullptr;
    std::unique_ptr<AccessibleApp> app;
};

void tst_Keyboard::initTestCase()
{
    // As with a screen reader running: the program shows itself on the bus.
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
}

std::unique_ptr<DemoSession> tst_Keyboard::start()
{
    auto session = DemoSession::startCopy(QStringLiteral("553"));
    if (!session)
        return nullptr;
    demo = session.get();
    app = std::make_unique<AccessibleApp>();
    QString whyNot;
    if (!app->connect(&whyNot, demo->bus())) {
        QTest::qSkip(qPrintable(whyNot), __FILE__, __LINE__);
        return nullptr;
    }
    if (!app->attach(demo->program().processId(), 15000)) {
        QTest::qFail("the program is not on the accessibility bus", __FILE__, __LINE__);
        return nullptr;
    }
    if (!app->listenForFocus()) {
        QTest::qFail("the accessibility registry takes no listener", __FILE__, __LINE__);
        return nullptr;
    }
    if (!demo->xdotool(
            {QStringLiteral("windowfocus"), QStringLiteral("--sync"), demo->windowId()})) {
        QTest::qFail("the window does not take the keyboard", __FILE__, __LINE__);
        return nullptr;
    }
    return session;
}

bool tst_Keyboard::key(const QString &name)
{
    const bool sent = demo->xdotool({QStringLiteral("key"), name});
    QTest::qWait(150);
    return sent;
}

bool tst_Keyboard::tabTo(const QString &name, QString *visited)
{
    QStringList names;
    for (int tabs = 0; tabs < 80; ++tabs) {
        const QString now = focusName();
        if (now == name) {
            // A screen reader heard of it too.
            if (announced(name))
                return true;
            *visited = name + QStringLiteral(" focused but not announced");
            return false;
        }
        names << (now.isEmpty() ? QStringLiteral("(nothing)") : now);
        if (!key(QStringLiteral("Tab")))
            break;
    }
    *visited = names.join(QStringLiteral(" > "));
    return false;
}

void tst_Keyboard::buttonFunctionChosenWithKeys()
{
    const auto session = start();
    if (!session)
        return;
    QString visited;

    // Button 4 (forward) gets the middle button's function.
    QVERIFY2(tabTo(QStringLiteral("Button 4"), &visited), qPrintable(visited));
    QVERIFY(key(QStringLiteral("space")));
    const AccessibleApp::Node dialog = app->find(QStringLiteral("Key 4 : Forward Key"));
    QVERIFY(dialog.isValid());
    QVERIFY2(tabTo(QStringLiteral("Middle Key"), &visited), qPrintable(visited));
    QVERIFY(key(QStringLiteral("Return")));
    demo->shoot(QStringLiteral(R770_SHOT_DIR), QStringLiteral("keyboard-dialog"));
    QVERIFY2(tabTo(QStringLiteral("Close"), &visited), qPrintable(visited));
    QVERIFY(key(QStringLiteral("space")));
    // The focus goes back to the badge that opened the dialog.
    QTRY_COMPARE_WITH_TIMEOUT(focusName(), QStringLiteral("Button 4"), 3000);
    QVERIFY(announced(QStringLiteral("Button 4")));
    QVERIFY(app->findAll(QStringLiteral("Middle Key"), dialog).isEmpty());

    QVERIFY2(tabTo(QStringLiteral("Save"), &visited), qPrintable(visited));
    QVERIFY(key(QStringLiteral("space")));
    // "553": the user's matrix is the right-hand one, number 2, and
    // button 4 sits in device slot 5.
    const QList<int> expected =
        MouseBytes::withSlot(MouseBytes::factoryKeyMatrix(), 5, {0x01, 0x00, 0xF2, 0x00});
    QTRY_COMPARE_WITH_TIMEOUT(MouseBytes::ints(demo->state()
                                                   .value(QStringLiteral("keyMatrices"))
                                                   .toObject()
                                                   .value(QStringLiteral("2"))),
                              expected, 5000);
    QVERIFY2(!demo->output().contains("cmd Failed"), demo->output().constData());
}

void tst_Keyboard::dpiStageMovedWithArrows()
{
    const auto session = start();
    if (!session)
        return;
    QString visited;

    // The shipped profile: four stages, 400, 800, 1600 and 3200 dpi on a 100 dpi
    // grid, a knob pixel worth about 75 dpi. Up five times and Down once
    // leave stage 2 four grid steps higher.
    QVERIFY2(tabTo(QStringLiteral("DPI 2"), &visited), qPrintable(visited));
    for (const char *arrow : {"Up", "Up", "Up", "Up", "Up", "Down"})
        QVERIFY(key(QLatin1String(arrow)));
    demo->shoot(QStringLiteral(R770_SHOT_DIR), QStringLiteral("keyboard-dpi"));
    QVERIFY2(tabTo(QStringLiteral("Save"), &visited), qPrintable(visited));
    QVERIFY(key(QStringLiteral("space")));
    QTRY_COMPARE_WITH_TIMEOUT(
        MouseBytes::ints(demo->state().value(QStringLiteral("dpiTable")), 0, 8),
        stageCodes({400, 1200, 1600, 3200}), 5000);
    QCOMPARE(demo->state().value(QStringLiteral("dpiStageCount")).toInt(), 4);
}

QTEST_GUILESS_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
