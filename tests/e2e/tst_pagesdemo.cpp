// The real program in demo mode on an X display, driven with xdotool: the
// DPI and lighting pages reach the virtual mouse (read back from its state on
// a private session bus) and the system settings panel reaches the desktop's
// pointer settings (a GSettings key file in a private configuration folder).
// Once per chip family. The window positions follow the shipped layout and
// the shipped profile 1 (four of eight stages, 400..12000, range 200..12000
// step 100, sensor 3360, a colourful mouse).
#include "DemoSession.h"
#include "MouseBytes.h"
#include "WindowLayout.h"

#include <QTest>

using MouseBytes::ints;
using namespace WindowLayout;

class tst_PagesDemo : public QObject
{
    Q_OBJECT
private slots:
    void pagesReachMouseAndDesktop_data() { DemoSession::addChipRows(); }
    void pagesReachMouseAndDesktop();
};

void tst_PagesDemo::pagesReachMouseAndDesktop()
{
    QFETCH(QString, chip);
    const auto session = DemoSession::startCopy({}, [&](ProgramCopy &program) {
        const QString config = QStringLiteral("setting/apConfig.bin");
        QVERIFY(program.read(config).contains("icType=553"));
        program.write(config, QStringLiteral("mouse/icType"), chip);
    });
    if (!session)
        return; // skipped or failed, with the reason
    DemoSession &demo = *session;
    const auto shoot = [&](const char *name) {
        demo.shoot(QStringLiteral(R770_SHOT_DIR),
                   QStringLiteral("pages-") + chip + QLatin1Char('-') + QLatin1String(name));
    };
    const bool is560 = chip == QLatin1String("560");
    auto currentStage = [&] { return MouseBytes::currentDpiStage(demo.state(), chip); };

    // Stage 2 (800 dpi) of four: its knob is at 864, 256. Pressing it makes
    // stage 2 current on the mouse before anything is saved; dragging it 60
    // pixels up moves the knob from 12 to 72: (72 - 3) * 11800 / 158 + 200
    // = 5353 -> 5300 dpi.
    QVERIFY(currentStage() != 2);
    QVERIFY(demo.moveTo(stage2Knob, {"mousedown", "1"}));
    QTRY_COMPARE_WITH_TIMEOUT(currentStage(), 2, 1000);
    QVERIFY(demo.moveTo((stage2Knob + stage2Dragged) / 2));
    QVERIFY(demo.moveTo(stage2Dragged, {"mouseup", "1"}));
    QTest::qWait(300);
    // Three active stages: the list box, then its third entry.
    QVERIFY(demo.click(stageCountList));
    QVERIFY(demo.click(stageCountRow(3)));
    // Effect 5 ("Wave") from the effect list, then block 1's knob from red
    // (0) 105 pixels along the hue bar: segment 3, f = 127 -> 0, 128, 255.
    QVERIFY(demo.click(effectList));
    QVERIFY(demo.click(waveEntry));
    QVERIFY(demo.drag(hueKnob, hueKnobMoved));
    shoot("edited");
    QVERIFY(demo.click(saveButton));

    // Sensor 3360 codes d / 100 - 1 of 400, 5300, 1600, 3200, 4800, 6400,
    // 8000, 12000; effect 5 with brightness step 4 -> kind 5, 0xFF, speed 0.
    const QList<int> codes{3, 52, 15, 31, 47, 63, 79, 119};
    const QList<int> colours{0, 128, 255, 0,   255, 0, 0,  0, 255, 255, 0,   255,
                             0, 255, 255, 255, 127, 0, 96, 0, 255, 255, 255, 255};
    if (is560) {
        auto block = [&](int n) {
            return demo.state().value(QStringLiteral("profileBlocks")).toArray().at(n);
        };
        QTRY_COMPARE_WITH_TIMEOUT(ints(block(1), 71, 3), (QList<int>{5, 0xFF, 0}), 15000);
        QCOMPARE(ints(block(1), 84, 8), codes);
        QCOMPARE(ints(block(1), 92, 8), codes);
        QCOMPARE(ints(block(1), 100, 1), QList<int>{0x07});
        QCOMPARE(ints(block(0), 24, 24), colours);
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(ints(demo.state().value(QStringLiteral("ledEffect")), 0, 3),
                                  (QList<int>{5, 0xFF, 0}), 15000);
        const QJsonObject s = demo.state();
        QCOMPARE(s.value(QStringLiteral("dpiStageCount")).toInt(), 3);
        QCOMPARE(ints(s.value(QStringLiteral("dpiTable")), 0, 8),
                 (QList<int>{3, 52, 15, 0x80, 0x80, 0x80, 0x80, 0x80}));
        QCOMPARE(s.value(QStringLiteral("led8Type")).toInt(), 0);
        QCOMPARE(ints(s.value(QStringLiteral("led8Colors")), 0, 24), colours);
    }

    // System settings: the panel opens centred at 304, 164; the pointer
    // speed knob of profile 1 stands at 170 (level 5). 40 pixels right: 210,
    // level 7, speed 14 of 20, which the desktop scale holds as 0.4.
    QVERIFY(demo.click(systemEntry));
    shoot("system");
    QVERIFY(demo.drag(speedKnob, speedKnob + QPoint(40, 0)));
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(demo.pointerSpeed() - 0.4) < 1e-9, 5000);
    QCOMPARE(demo.output().count("Failed"), 0);
}

QTEST_GUILESS_MAIN(tst_PagesDemo)
#include "tst_pagesdemo.moc"
