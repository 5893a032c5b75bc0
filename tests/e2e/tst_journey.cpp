// A user's whole journey with the real program in demo mode, once per chip
// family, in steps that each leave the program where the next begins: first
// start, one edit on every page and Save (a key combination typed through
// the global capture, a media function, DPI, lighting, report rate, pointer
// speed, a macro, a profile), a profile switch and back, a factory reset,
// the mouse pulled out and plugged in again while a panel is open, a second
// start that brings the hidden window back, Quit, and a new start that still
// holds what was saved. Controls are found by the names a screen reader
// reads; each step is checked on the virtual mouse (its state over D-Bus)
// and on the files.
#include "DemoSession.h"
#include "MouseBytes.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QSystemTrayIcon>
#include <QTest>

using MouseBytes::ints;

class tst_Journey : public QObject
{
    Q_OBJECT
private slots:
    void wholeJourney_data();
    void wholeJourney();

private:
    void firstStart();
    void keyCombinationOnButton4();
    void mediaKeyOnButton5();
    void dpiAndLighting();
    void reportRate();
    void pointerSpeed();
    void newMacro();
    void newProfile();
    void switchProfileAndBack();
    void factoryReset();
    void replugWithPanelOpen();
    void hideAndBringBack();
    void quitFromOutside();
    void restartKeepsSaved();

    // Stage 2's knob pressed (the stage is current on the mouse at once),
    // then dragged 60 pixels up and let go: 800 dpi to 5300.
    bool pressDpiStage2();
    bool dragPressedKnobUp();
    QList<int> userMatrix() const
    {
        return ints(demo->state().value("keyMatrices").toObject().value(matrix));
    }
    // The mouse holds the DPI stages 400, 5300, 1600, 3200, 4800, 6400,
    // 8000, 12000 of which the first activeStages are on.
    void verifyDpi(int activeStages);
    // A drop-down list opened and one of its rows chosen, both by name.
    bool choose(const QString &list, const QString &row)
    {
        return demo->click(list, Role::comboBox) && demo->click(row, Role::listItem);
    }
    bool save() { return demo->click(QStringLiteral("Save"), Role::button); }
    // The dialog or panel of that title, opened with the button named entry;
    // invalid when it does not show.
    AccessibleApp::Node open(const QString &entry, const QString &title)
    {
        return demo->click(entry, Role::button) ? demo->accessible().find(title, Role::dialog)
                                                : AccessibleApp::Node();
    }
    QVariant profile1(const char *key) const
    {
        return demo->copy().read(QStringLiteral("setting/p1.bin"), QLatin1String(key));
    }
    QByteArray bytesOf(const char *file) const
    {
        return demo->copy().read(QStringLiteral("setting/") + QLatin1String(file));
    }
    void shoot(const char *name)
    {
        demo->shoot(QStringLiteral(R770_SHOT_DIR),
                    QStringLiteral("journey-") + chip + QLatin1Char('-') + QLatin1String(name));
    }

    std::unique_ptr<DemoSession> demo;
    QString chip;
    QString matrix; // the key matrix the buttons go to
    bool is560 = false;
    QByteArray factoryProfile;
    QByteArray edited; // profile 1 after the edits
    QByteArray saved;  // profile 1 when the program quits
    QList<int> keys;   // the key matrix the mouse should hold
    QPoint pressedKnob;
};

void tst_Journey::wholeJourney_data()
{
    QTest::addColumn<QString>("chipType");
    // "553": a fresh mouse answers stage 1 to the right-hand query, so the
    // buttons go to matrix 2 (64 bytes); "560": to the matrix of profile 1
    // (128 bytes).
    QTest::addColumn<QString>("keyMatrix");
    QTest::addColumn<int>("matrixSize");
    QTest::newRow("553") << QStringLiteral("553") << QStringLiteral("2") << 64;
    QTest::newRow("560") << QStringLiteral("560") << QStringLiteral("1") << 128;
}

void tst_Journey::wholeJourney()
{
    QFETCH(QString, chipType);
    QFETCH(QString, keyMatrix);
    QFETCH(int, matrixSize);
    chip = chipType;
    matrix = keyMatrix;
    is560 = chip == QLatin1String("560");
    keys = MouseBytes::factoryKeyMatrix() + QList<int>(matrixSize - 64, 0);
    demo = DemoSession::startCopy({}, [&](ProgramCopy &program) {
        const QString config = QStringLiteral("setting/apConfig.bin");
        QVERIFY(program.read(config).contains("icType=553"));
        program.write(config, QStringLiteral("mouse/icType"), chip);
        program.remove(QStringLiteral("setting/name.bin"), QStringLiteral("profile"));
        factoryProfile = program.read(QStringLiteral("setting/pD.bin"));
    });
    if (!demo)
        return; // skipped or failed, with the reason

    using Step = void (tst_Journey::*)();
    const std::pair<const char *, Step> steps[] = {
        {"first start", &tst_Journey::firstStart},
        {"key combination on button 4", &tst_Journey::keyCombinationOnButton4},
        {"media key on button 5", &tst_Journey::mediaKeyOnButton5},
        {"DPI and lighting", &tst_Journey::dpiAndLighting},
        {"report rate", &tst_Journey::reportRate},
        {"pointer speed", &tst_Journey::pointerSpeed},
        {"new macro", &tst_Journey::newMacro},
        {"new profile", &tst_Journey::newProfile},
        {"profile switch and back", &tst_Journey::switchProfileAndBack},
        {"factory reset", &tst_Journey::factoryReset},
        {"replug with a panel open", &tst_Journey::replugWithPanelOpen},
        {"hide and bring back", &tst_Journey::hideAndBringBack},
        {"quit from outside", &tst_Journey::quitFromOutside},
        {"restart keeps what was saved", &tst_Journey::restartKeepsSaved},
    };
    for (const auto &[name, step] : steps) {
        qInfo("step: %s", name);
        (this->*step)();
        if (QTest::currentTestFailed())
            break; // the later steps build on this one
    }
    // A step that failed with the pointer's button down must not leave it
    // down for the next row.
    demo->xdotool({"mouseup", "1"});
    demo.reset();
}

// The mouse is found and told nothing of the profile.
void tst_Journey::firstStart()
{
    QCOMPARE(demo->state().value("plugged").toBool(), true);
    QCOMPARE(demo->state().value("chipType").toString(), chip);
    QCOMPARE(demo->state().value("keyMatrices").toObject().size(), 0);
    shoot("first");
}

// Button 4 becomes Ctrl+Shift+A+B, typed while the combination box waits:
// the mouse holds the key matrix with exactly that slot changed.
void tst_Journey::keyCombinationOnButton4()
{
    const AccessibleApp::Node dialog =
        open(QStringLiteral("Button 4"), QStringLiteral("Key 4 : Forward Key"));
    QVERIFY(dialog.isValid());
    // The first "Click Input" waits for the keys; the second is the combination's box.
    const QList<AccessibleApp::Node> boxes =
        demo->accessible().findAll(QStringLiteral("Click Input"), Role::button, dialog);
    QCOMPARE(boxes.size(), 2);
    const QRect box = demo->accessible().extents(boxes.at(1));
    QVERIFY(demo->click(box.center()));
    for (const QStringList &typed :
         {QStringList{"keydown", "ctrl", "keydown", "shift", "keydown", "a", "keydown", "b"},
          QStringList{"keyup", "b", "keyup", "a", "keyup", "shift", "keyup", "ctrl"}}) {
        QVERIFY(demo->xdotool(typed));
        QTest::qWait(150); // for the capture
    }
    shoot("combination");
    QVERIFY(demo->click(QStringLiteral("Confirm"), Role::button, dialog));
    QVERIFY(demo->click(QStringLiteral("Close"), Role::button, dialog));
    QVERIFY(save());
    keys = MouseBytes::withSlot(keys, 5, {0x00, 0x03, 0x04, 0x05});
    QTRY_COMPARE_WITH_TIMEOUT(demo->state().value("keyMatrices").toObject().keys(),
                              QStringList{matrix}, 5000);
    QCOMPARE(userMatrix(), keys);
}

// Button 5 becomes "Volume+" (media, usage 0xE9) in the key dialog.
void tst_Journey::mediaKeyOnButton5()
{
    const AccessibleApp::Node dialog =
        open(QStringLiteral("Button 5"), QStringLiteral("Key 5 : Back Key"));
    QVERIFY(dialog.isValid());
    QVERIFY(demo->click(QStringLiteral("Media Function"), Role::comboBox, dialog));
    QVERIFY(demo->click(QStringLiteral("Volumn+"), Role::listItem, dialog));
    QVERIFY(demo->click(QStringLiteral("Close"), Role::button, dialog));
    QVERIFY(save());
    keys = MouseBytes::withSlot(keys, 3, {0x03, 0x00, 0xE9, 0x00});
    QTRY_COMPARE_WITH_TIMEOUT(userMatrix(), keys, 10000);
}

// Stage 2 to 5300 dpi and three active stages; "Wave" with block 1 from red
// to 0, 128, 255; then Save.
void tst_Journey::dpiAndLighting()
{
    QVERIFY(MouseBytes::currentDpiStage(demo->state(), chip) != 2);
    QVERIFY(pressDpiStage2());
    QTRY_COMPARE_WITH_TIMEOUT(MouseBytes::currentDpiStage(demo->state(), chip), 2, 1000);
    QVERIFY(dragPressedKnobUp());
    QVERIFY(choose(QStringLiteral("Active DPI stages 4"), QStringLiteral("3")));
    // The effect list reads out the effect chosen.
    QVERIFY(choose(QStringLiteral("Light"), QStringLiteral("Wave")));
    // Red (0) 105 pixels along the hue bar: segment 3, f = 127.
    const QRect hueKnob = demo->where(QStringLiteral("Color 1"), Role::slider);
    QVERIFY(!hueKnob.isEmpty());
    QVERIFY(demo->drag(hueKnob.center(), hueKnob.center() + QPoint(105, 0)));
    QVERIFY(save());
    verifyDpi(3);
    if (QTest::currentTestFailed())
        return;
    // Effect 5 with brightness step 4: kind 5, 0xFF, no speed; the other
    // seven colours stay the shipped ones.
    const QList<int> wave{5, 0xFF, 0};
    const QList<int> colours{0, 128, 255, 0,   255, 0, 0,  0, 255, 255, 0,   255,
                             0, 255, 255, 255, 127, 0, 96, 0, 255, 255, 255, 255};
    if (is560) {
        const QJsonArray blocks = demo->state().value("profileBlocks").toArray();
        QCOMPARE(ints(blocks.at(1), 71, 3), wave);
        QCOMPARE(ints(blocks.at(0), 24, 24), colours);
    } else {
        QCOMPARE(ints(demo->state().value("ledEffect"), 0, 3), wave);
        QCOMPARE(demo->state().value("led8Type").toInt(), 0);
        QCOMPARE(ints(demo->state().value("led8Colors"), 0, 24), colours);
    }
    QTRY_COMPARE_WITH_TIMEOUT(profile1("mouse/lightValue").toStringList().value(0),
                              QStringLiteral("5"), 5000);
}

// 500 Hz (rate code 2), sent when chosen and kept on Save.
void tst_Journey::reportRate()
{
    QVERIFY(choose(QStringLiteral("Report Rate"), QStringLiteral("500Hz")));
    QVERIFY(save());
    if (is560)
        QTRY_COMPARE_WITH_TIMEOUT(
            demo->state().value("profileReportRate").toObject().value("1").toInt(), 2, 5000);
    else
        QTRY_COMPARE_WITH_TIMEOUT(demo->state().value("reportRate").toInt(), 2, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(profile1("mouse/reportRate").toInt(), 2, 5000);
}

// The pointer-speed knob of profile 1 stands where its file says (170,
// level 5); 40 pixels right is 210, level 7 of 10, which the desktop holds
// as 0.4.
void tst_Journey::pointerSpeed()
{
    const AccessibleApp::Node system =
        open(QStringLiteral("System setting"), QStringLiteral("System Setting"));
    QVERIFY(system.isValid());
    const QRect track = demo->where(QStringLiteral("Mouse Speed"), Role::slider, system);
    QVERIFY(!track.isEmpty());
    // The middle of its 12-pixel knob.
    const QPoint knob =
        track.topLeft() + QPoint(profile1("mouse/mouseRate").toInt() + 6, track.height() / 2);
    QVERIFY(demo->drag(knob, knob + QPoint(40, 0)));
    shoot("system");
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(demo->pointerSpeed() - 0.4) < 1e-9, 5000);
    QVERIFY(demo->click(QStringLiteral("Close"), Role::button, system));
    QVERIFY(save());
    QTRY_COMPARE_WITH_TIMEOUT(profile1("mouse/mouseRate").toInt(), 210, 5000);
    QCOMPARE(demo->output().count("Failed"), 0);
}

// A new macro has its file and its name in the list.
void tst_Journey::newMacro()
{
    const AccessibleApp::Node editor =
        open(QStringLiteral("Macro Editor"), QStringLiteral("Macro Editor"));
    QVERIFY(editor.isValid());
    QVERIFY(demo->click(QStringLiteral("New"), Role::button, editor));
    shoot("macro");
    const ProgramCopy &program = demo->copy();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(program.file(QStringLiteral("macro/Macro_0.bin"))),
                             5000);
    QTRY_COMPARE_WITH_TIMEOUT(
        program.read(QStringLiteral("setting/name.bin"), QStringLiteral("macro/macroName"))
            .toStringList()
            .value(0),
        QStringLiteral("Macro_0"), 5000);
    QVERIFY(demo->click(QStringLiteral("Close"), Role::button, editor));
    QVERIFY(save());
}

// A new profile from the profiles page is a copy of the default one.
void tst_Journey::newProfile()
{
    const AccessibleApp::Node profiles = open(QStringLiteral("Config"), QStringLiteral("config"));
    QVERIFY(profiles.isValid());
    QVERIFY(demo->click(QStringLiteral("New"), Role::button, profiles));
    QVERIFY(demo->click(QStringLiteral("Close"), Role::button, profiles));
    QCOMPARE(demo->copy()
                 .read(QStringLiteral("setting/name.bin"), QStringLiteral("profile/profileName"))
                 .toStringList(),
             (QStringList{QStringLiteral("Standard0"), QStringLiteral("profile_01")}));
    QCOMPARE(bytesOf("p2.bin"), factoryProfile);
    QVERIFY(save());
    edited = bytesOf("p1.bin");
    QVERIFY(edited != factoryProfile);
}

// To the new profile from the title bar and back: profile 1 is unchanged.
void tst_Journey::switchProfileAndBack()
{
    auto onProfile = [&](int device) {
        QTRY_COMPARE_WITH_TIMEOUT(
            demo->state().value(is560 ? "currentProfile" : "currentKeyMatrix").toInt(), device,
            5000);
        QTRY_COMPARE_WITH_TIMEOUT(
            demo->copy()
                .read(QStringLiteral("setting/apConfig.bin"), QStringLiteral("mouse/profileNo"))
                .toInt(),
            device - 1, 5000);
        QTest::qWait(3500); // the screen stays locked while the pages reload
    };
    // The title bar's profile list reads out the profile shown.
    QVERIFY(choose(QStringLiteral("Profile"), QStringLiteral("profile_0")));
    onProfile(2);
    AccessibleApp &a11y = demo->accessible();
    QCOMPARE(a11y.description(a11y.find(QStringLiteral("Profile"), Role::comboBox)),
             QStringLiteral("profile_0"));
    QVERIFY(demo->click(QStringLiteral("Profile"), Role::comboBox));
    shoot("back");
    QVERIFY(demo->click(QStringLiteral("Standard"), Role::listItem));
    onProfile(1);
    QCOMPARE(bytesOf("p1.bin"), edited);
}

// The mouse's own DPI button first moves to stage 3; the reset gives
// profile 1 the default file and the mouse stage 2.
void tst_Journey::factoryReset()
{
    QVERIFY(demo->callMouse(QStringLiteral("PressDpiButton"), {QVariant::fromValue(uchar(3))}));
    QTest::qWait(800);
    const AccessibleApp::Node question = open(QStringLiteral("Reset"), QStringLiteral("Reset"));
    shoot("reset");
    QVERIFY(question.isValid());
    QVERIFY(demo->click(QStringLiteral("OK"), Role::button, question));
    QTRY_COMPARE_WITH_TIMEOUT(bytesOf("p1.bin"), factoryProfile, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(MouseBytes::currentDpiStage(demo->state(), chip), 2, 5000);
}

// Pulled out and plugged in while the system settings panel is open;
// afterwards the DPI edit reaches the mouse again.
void tst_Journey::replugWithPanelOpen()
{
    const AccessibleApp::Node system =
        open(QStringLiteral("System setting"), QStringLiteral("System Setting"));
    QVERIFY(system.isValid());
    const int connects = demo->output().count("Device Connect");
    QVERIFY(demo->callMouse(QStringLiteral("Unplug")));
    QCOMPARE(demo->state().value("plugged").toBool(), false);
    QTest::qWait(1500);
    QVERIFY(demo->callMouse(QStringLiteral("Plug")));
    QTRY_COMPARE_WITH_TIMEOUT(demo->output().count("Device Connect"), connects + 1, 15000);
    QTest::qWait(1600);
    shoot("replugged");
    QVERIFY(demo->click(QStringLiteral("Close"), Role::button, system));
    QVERIFY(pressDpiStage2() && dragPressedKnobUp());
    QVERIFY(save());
    verifyDpi(4);
    QTRY_COMPARE_WITH_TIMEOUT(profile1("mouse/dpiValueArray").toStringList().value(1),
                              QStringLiteral("5300"), 5000);
}

// Closed to the tray, the window comes back with a second start, which
// ends at once with 1.
void tst_Journey::hideAndBringBack()
{
    QVERIFY(demo->click(QStringLiteral("Close"), Role::button));
    QTRY_VERIFY_WITH_TIMEOUT(!demo->windowVisible(), 5000);
    QCOMPARE(demo->runAgain({}).code, 1);
    QTRY_VERIFY_WITH_TIMEOUT(demo->windowVisible(), 5000);
    QCOMPARE(demo->program().state(), QProcess::Running);
}

// Xvfb has no tray host, so the tray menu cannot be reached there; "--quit"
// asks the running program for what the menu's Quit does.
void tst_Journey::quitFromOutside()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        qInfo("a tray host is present; quitting with --quit all the same");
    else
        qInfo("no tray host on this display: quitting with --quit");
    saved = bytesOf("p1.bin");
    QCOMPARE(demo->runAgain({QStringLiteral("--quit")}).code, 0);
    QVERIFY(demo->waitForExit(10000));
    QCOMPARE(demo->program().exitStatus(), QProcess::NormalExit);
    QCOMPARE(demo->program().exitCode(), 0);
}

// A new start shows the saved values: four active stages chosen again and
// Save send the stages the page shows to the new mouse, and leave the file
// as it was.
void tst_Journey::restartKeepsSaved()
{
    QVERIFY2(demo->launch(), demo->output().constData());
    shoot("restarted");
    QCOMPARE(demo->state().value("plugged").toBool(), true);
    QCOMPARE(demo->state().value("keyMatrices").toObject().size(), 0);
    QVERIFY(choose(QStringLiteral("Active DPI stages 4"), QStringLiteral("4")));
    QVERIFY(save());
    verifyDpi(4);
    QTest::qWait(500);
    QCOMPARE(bytesOf("p1.bin"), saved);
    QVERIFY2(!demo->output().contains("cmd Failed"), demo->output().constData());
}

bool tst_Journey::pressDpiStage2()
{
    pressedKnob = demo->dpiKnob(2);
    const bool pressed = !pressedKnob.isNull() && demo->moveTo(pressedKnob, {"mousedown", "1"});
    QTest::qWait(300);
    return pressed;
}

bool tst_Journey::dragPressedKnobUp()
{
    const QPoint dragged = pressedKnob - QPoint(0, 60);
    const bool released =
        demo->moveTo((pressedKnob + dragged) / 2) && demo->moveTo(dragged, {"mouseup", "1"});
    QTest::qWait(300);
    return released;
}

void tst_Journey::verifyDpi(int activeStages)
{
    // Sensor 3360: code = dpi / 100 - 1.
    const QList<int> codes{3, 52, 15, 31, 47, 63, 79, 119};
    if (is560) {
        auto block1 = [&] { return demo->state().value("profileBlocks").toArray().at(1); };
        QTRY_COMPARE_WITH_TIMEOUT(ints(block1(), 84, 8), codes, 15000);
        QCOMPARE(ints(block1(), 92, 8), codes);
        QCOMPARE(ints(block1(), 100, 1), QList<int>{(1 << activeStages) - 1});
    } else {
        QList<int> table = codes.mid(0, activeStages);
        while (table.size() < 8)
            table << 0x80;
        QTRY_COMPARE_WITH_TIMEOUT(ints(demo->state().value("dpiTable"), 0, 8), table, 15000);
        QCOMPARE(demo->state().value("dpiStageCount").toInt(), activeStages);
    }
}

QTEST_MAIN(tst_Journey)
#include "tst_journey.moc"
