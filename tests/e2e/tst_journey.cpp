// A user's whole journey with the real program in demo mode, once per chip
// family: first start, one edit on every page and Save, a profile switch
// and back, a factory reset, the mouse pulled out and plugged in again
// while a panel is open, a second start that brings the hidden window back,
// Quit, and a new start that still holds what was saved. Each step is
// checked on the virtual mouse (its state over D-Bus) and on the files.
#include "DemoSession.h"
#include "MouseBytes.h"
#include "WindowLayout.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QSystemTrayIcon>
#include <QTest>

using MouseBytes::ints;
using namespace WindowLayout;

class tst_Journey : public QObject
{
    Q_OBJECT
private slots:
    void wholeJourney_data();
    void wholeJourney();

private:
    // The DPI page's edit: stage 2 pressed (current on the mouse at once)
    // and dragged 60 pixels up, from 800 to 5300 dpi.
    void editDpiStage(DemoSession &demo);
    // The mouse holds the DPI stages 400, 5300, 1600, 3200, 4800, 6400,
    // 8000, 12000 of which the first activeStages are on.
    void verifyDpi(DemoSession &demo, bool is560, int activeStages);
    void shoot(DemoSession &demo, const QString &name)
    {
        demo.shoot(QStringLiteral(R770_SHOT_DIR), QStringLiteral("journey-") + chip + name);
    }

    QString chip;
};

void tst_Journey::editDpiStage(DemoSession &demo)
{
    QVERIFY(demo.moveTo(stage2Knob, {"mousedown", "1"}));
    QTest::qWait(300);
    QVERIFY(demo.moveTo((stage2Knob + stage2Dragged) / 2));
    QVERIFY(demo.moveTo(stage2Dragged, {"mouseup", "1"}));
    QTest::qWait(300);
}

void tst_Journey::verifyDpi(DemoSession &demo, bool is560, int activeStages)
{
    // Sensor 3360: code = dpi / 100 - 1.
    const QList<int> codes{3, 52, 15, 31, 47, 63, 79, 119};
    if (is560) {
        auto block1 = [&] { return demo.state().value("profileBlocks").toArray().at(1); };
        QTRY_COMPARE_WITH_TIMEOUT(ints(block1(), 84, 8), codes, 15000);
        QCOMPARE(ints(block1(), 92, 8), codes);
        QCOMPARE(ints(block1(), 100, 1), QList<int>{(1 << activeStages) - 1});
    } else {
        QList<int> table = codes.mid(0, activeStages);
        while (table.size() < 8)
            table << 0x80;
        QTRY_COMPARE_WITH_TIMEOUT(ints(demo.state().value("dpiTable"), 0, 8), table, 15000);
        QCOMPARE(demo.state().value("dpiStageCount").toInt(), activeStages);
    }
}

void tst_Journey::wholeJourney_data()
{
    QTest::addColumn<QString>("chipType");
    // "553": a fresh mouse answers stage 1 to the right-hand query, so the
    // buttons go to matrix 2; "560": to the matrix of profile 1.
    QTest::addColumn<QString>("matrix");
    QTest::newRow("553") << QStringLiteral("553") << QStringLiteral("2");
    QTest::newRow("560") << QStringLiteral("560") << QStringLiteral("1");
}

void tst_Journey::wholeJourney()
{
    QFETCH(QString, chipType);
    QFETCH(QString, matrix);
    chip = chipType;
    const bool is560 = chip == QLatin1String("560");
    QByteArray factoryProfile;
    const auto session = DemoSession::startCopy(chip, [&](ProgramCopy &program) {
        program.remove(QStringLiteral("setting/name.bin"), QStringLiteral("profile"));
        factoryProfile = program.read(QStringLiteral("setting/pD.bin"));
    });
    if (!session)
        return; // skipped or failed, with the reason
    DemoSession &demo = *session;
    const ProgramCopy &program = demo.copy();
    auto profile1 = [&](const char *key) {
        return program.read(QStringLiteral("setting/p1.bin"), QLatin1String(key));
    };
    auto bytesOf = [&](const char *file) {
        return program.read(QStringLiteral("setting/") + QLatin1String(file));
    };

    // First start: the mouse is found and told nothing of the profile.
    QCOMPARE(demo.state().value("plugged").toBool(), true);
    QCOMPARE(demo.state().value("chipType").toString(), chip);
    QCOMPARE(demo.state().value("keyMatrices").toObject().size(), 0);
    shoot(demo, QStringLiteral("-first"));

    // Key list and dialog: button 5 becomes "Volume+" (media, usage 0xE9).
    QVERIFY(demo.click(badge5));
    QVERIFY(demo.click(mediaBox));
    QVERIFY(demo.click(volumeUp));
    QVERIFY(demo.click(dialogClose));
    QVERIFY(demo.click(saveButton));
    auto slot3 = [&] {
        return ints(demo.state().value("keyMatrices").toObject().value(matrix), 12, 4);
    };
    QTRY_COMPARE_WITH_TIMEOUT(slot3(), (QList<int>{0x03, 0x00, 0xE9, 0x00}), 10000);
    QCOMPARE(demo.state().value("keyMatrices").toObject().value(matrix).toArray().size(),
             is560 ? 128 : 64);

    // DPI page (stage 2 to 5300 dpi, three active stages) and lighting
    // page ("Wave", block 1 from red to 0, 128, 255), then Save.
    editDpiStage(demo);
    QVERIFY(!QTest::currentTestFailed());
    QTRY_COMPARE_WITH_TIMEOUT(MouseBytes::currentDpiStage(demo.state(), chip), 2, 3000);
    QVERIFY(demo.click(stageCountList));
    QVERIFY(demo.click(stageCountRow(3)));
    QVERIFY(demo.click(effectList));
    QVERIFY(demo.click(waveEntry));
    QVERIFY(demo.drag(hueKnob, hueKnobMoved));
    QVERIFY(demo.click(saveButton));
    verifyDpi(demo, is560, 3);
    QVERIFY(!QTest::currentTestFailed());
    const QList<int> wave{5, 0xFF, 0};
    if (is560) {
        const QJsonArray blocks = demo.state().value("profileBlocks").toArray();
        QCOMPARE(ints(blocks.at(1), 71, 3), wave);
        QCOMPARE(ints(blocks.at(0), 24, 3), (QList<int>{0, 128, 255}));
    } else {
        QCOMPARE(ints(demo.state().value("ledEffect"), 0, 3), wave);
        QCOMPARE(ints(demo.state().value("led8Colors"), 0, 3), (QList<int>{0, 128, 255}));
    }
    QTRY_COMPARE_WITH_TIMEOUT(profile1("mouse/lightValue").toStringList().value(0),
                              QStringLiteral("5"), 5000);

    // Report rate 500 Hz (rate code 2), sent when chosen and kept on Save.
    QVERIFY(demo.click(reportRateList));
    QVERIFY(demo.click(reportRateRow(2)));
    QVERIFY(demo.click(saveButton));
    if (is560)
        QTRY_COMPARE_WITH_TIMEOUT(
            demo.state().value("profileReportRate").toObject().value("1").toInt(), 2, 5000);
    else
        QTRY_COMPARE_WITH_TIMEOUT(demo.state().value("reportRate").toInt(), 2, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(profile1("mouse/reportRate").toInt(), 2, 5000);

    // System settings: the pointer-speed knob 40 pixels right, level 7 of
    // 10, which the desktop holds as 0.4.
    QVERIFY(demo.click(systemEntry));
    QVERIFY(demo.drag(speedKnob, speedKnob + QPoint(40, 0)));
    shoot(demo, QStringLiteral("-system"));
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(demo.pointerSpeed() - 0.4) < 1e-9, 5000);
    QVERIFY(demo.click(systemClose));
    QVERIFY(demo.click(saveButton));
    QTRY_COMPARE_WITH_TIMEOUT(profile1("mouse/mouseRate").toInt(), 210, 5000);

    // Macro editor: a new macro has its file and its name in the list.
    QVERIFY(demo.click(macroEntry));
    QVERIFY(demo.click(macroNew));
    shoot(demo, QStringLiteral("-macro"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(program.file(QStringLiteral("macro/Macro_0.bin"))),
                             5000);
    QTRY_COMPARE_WITH_TIMEOUT(
        program.read(QStringLiteral("setting/name.bin"), QStringLiteral("macro/macroName"))
            .toStringList()
            .value(0),
        QStringLiteral("Macro_0"), 5000);
    QVERIFY(demo.click(editorClose));
    QVERIFY(demo.click(saveButton));

    // Profiles page: a new profile is a copy of the default one.
    QVERIFY(demo.click(configButton));
    QVERIFY(demo.click(profileNew));
    QVERIFY(demo.click(profileClose));
    QCOMPARE(program.read(QStringLiteral("setting/name.bin"), QStringLiteral("profile/profileName"))
                 .toStringList(),
             (QStringList{QStringLiteral("Standard0"), QStringLiteral("profile_01")}));
    QCOMPARE(bytesOf("p2.bin"), factoryProfile);
    QVERIFY(demo.click(saveButton));
    const QByteArray edited = bytesOf("p1.bin");
    QVERIFY(edited != factoryProfile);

    // To the new profile from the title bar and back.
    auto onProfile = [&](int device) {
        QTRY_COMPARE_WITH_TIMEOUT(
            demo.state().value(is560 ? "currentProfile" : "currentKeyMatrix").toInt(), device,
            5000);
        QTRY_COMPARE_WITH_TIMEOUT(
            program.read(QStringLiteral("setting/apConfig.bin"), QStringLiteral("mouse/profileNo"))
                .toInt(),
            device - 1, 5000);
        QTest::qWait(3500); // the screen stays locked while the pages reload
    };
    QVERIFY(demo.click(titleList));
    QVERIFY(demo.click(titleRow(1)));
    onProfile(2);
    QVERIFY(demo.click(titleList));
    shoot(demo, QStringLiteral("-back"));
    QVERIFY(demo.click(titleRow(0)));
    onProfile(1);
    QCOMPARE(bytesOf("p1.bin"), edited);

    // Factory reset: the mouse's own DPI button first moves to stage 3;
    // the reset gives profile 1 the default file and the mouse stage 2.
    QVERIFY(demo.callMouse(QStringLiteral("PressDpiButton"), {QVariant::fromValue(uchar(3))}));
    QTest::qWait(800);
    QVERIFY(demo.click(resetButton));
    shoot(demo, QStringLiteral("-reset"));
    QVERIFY(demo.click(resetOk));
    QTRY_COMPARE_WITH_TIMEOUT(bytesOf("p1.bin"), factoryProfile, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(MouseBytes::currentDpiStage(demo.state(), chip), 2, 5000);

    // Pulled out and plugged in while the system settings panel is open;
    // afterwards the DPI edit reaches the mouse again.
    QVERIFY(demo.click(systemEntry));
    const int connects = demo.output().count("Device Connect");
    QVERIFY(demo.callMouse(QStringLiteral("Unplug")));
    QCOMPARE(demo.state().value("plugged").toBool(), false);
    QTest::qWait(1500);
    QVERIFY(demo.callMouse(QStringLiteral("Plug")));
    QTRY_COMPARE_WITH_TIMEOUT(demo.output().count("Device Connect"), connects + 1, 15000);
    QTest::qWait(1600);
    shoot(demo, QStringLiteral("-replugged"));
    QVERIFY(demo.click(systemClose));
    editDpiStage(demo);
    QVERIFY(demo.click(saveButton));
    verifyDpi(demo, is560, 4);
    QVERIFY(!QTest::currentTestFailed());
    QTRY_COMPARE_WITH_TIMEOUT(profile1("mouse/dpiValueArray").toStringList().value(1),
                              QStringLiteral("5300"), 5000);

    // Closed to the tray, the window comes back with a second start, which
    // ends at once with 1.
    QVERIFY(demo.click(windowClose));
    QTRY_VERIFY_WITH_TIMEOUT(!demo.windowVisible(), 5000);
    QCOMPARE(demo.runAgain({}).code, 1);
    QTRY_VERIFY_WITH_TIMEOUT(demo.windowVisible(), 5000);
    QCOMPARE(demo.program().state(), QProcess::Running);

    // Quit. Xvfb has no tray host, so the tray menu cannot be reached there;
    // "--quit" asks the running program for what the menu's Quit does.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        qInfo("a tray host is present; quitting with --quit all the same");
    else
        qInfo("no tray host on this display: quitting with --quit");
    const QByteArray saved = bytesOf("p1.bin");
    QCOMPARE(demo.runAgain({QStringLiteral("--quit")}).code, 0);
    QVERIFY(demo.waitForExit(10000));
    QCOMPARE(demo.program().exitStatus(), QProcess::NormalExit);
    QCOMPARE(demo.program().exitCode(), 0);

    // A new start shows the saved values: Save sends them to the new
    // mouse unchanged and leaves the file as it was.
    QVERIFY2(demo.launch(), demo.output().constData());
    shoot(demo, QStringLiteral("-restarted"));
    QCOMPARE(demo.state().value("plugged").toBool(), true);
    QCOMPARE(demo.state().value("keyMatrices").toObject().size(), 0);
    // Four active stages chosen again: Save sends the stages the page shows.
    QVERIFY(demo.click(stageCountList));
    QVERIFY(demo.click(stageCountRow(4)));
    QVERIFY(demo.click(saveButton));
    verifyDpi(demo, is560, 4);
    QVERIFY(!QTest::currentTestFailed());
    QTest::qWait(500);
    QCOMPARE(bytesOf("p1.bin"), saved);
    QVERIFY2(!demo.output().contains("cmd Failed"), demo.output().constData());
}

QTEST_MAIN(tst_Journey)
#include "tst_journey.moc"
