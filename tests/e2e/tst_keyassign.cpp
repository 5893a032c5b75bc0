// The real executable in demo mode, driven like a user with xdotool: a key
// combination typed through the global capture and a media function are
// given to two buttons, Save is pressed, and the virtual mouse must hold the
// key matrix with exactly these two slots changed. Once per chip family.
#include "DemoSession.h"
#include "MouseBytes.h"
#include "ProgramCopy.h"

#include <QSettings>
#include <QTest>

namespace {

// Where the dialog's parts are, in window coordinates: the dialog opens
// centred (304, 118); its body starts 41 below its top.
constexpr int dialogX = (1024 - 416) / 2;
constexpr int dialogY = (640 - 404) / 2;
constexpr int bodyY = dialogY + 41;

// Keys pressed or released, then a pause for the capture.
bool keys(DemoSession &demo, const QStringList &steps)
{
    const bool done = demo.xdotool(steps);
    QTest::qWait(150);
    return done;
}

QList<int> matrixBytes(DemoSession &demo, const QString &number)
{
    return MouseBytes::ints(
        demo.state().value(QStringLiteral("keyMatrices")).toObject().value(number));
}

} // namespace

class tst_KeyAssign : public QObject
{
    Q_OBJECT
private slots:
    void assignAndSave_data();
    void assignAndSave();
};

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
    const QString shotPrefix = QStringLiteral("keyassign-") + chip + QLatin1Char('-');
    DemoSession demo;
    QString whyNot;
    if (!demo.startBus(&whyNot))
        QSKIP(qPrintable(whyNot));
    const auto screenshot = [&](const char *name) {
        demo.shoot(QStringLiteral(R770_SHOT_DIR), shotPrefix + QLatin1String(name));
    };
    ProgramCopy program(QStringLiteral(R770_EXECUTABLE),
                        QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    QSettings(program.folder() + QStringLiteral("/modules/setting/apConfig.bin"),
              QSettings::IniFormat)
        .setValue(QStringLiteral("mouse/icType"), chip);
    QVERIFY2(demo.launch(program.executable()), demo.output().constData());
    QCOMPARE(demo.state().value(QStringLiteral("keyMatrices")).toObject().size(), 0);

    // Button 4: Ctrl+Shift+A+B, typed while the combination box waits.
    QVERIFY(demo.click({490 + 18, 214 + 18}));
    QVERIFY(demo.click({dialogX + 16 + 20, bodyY + 244 + 12}));
    QVERIFY(keys(demo, {"keydown", "ctrl", "keydown", "shift", "keydown", "a", "keydown", "b"}));
    QVERIFY(keys(demo, {"keyup", "b", "keyup", "a", "keyup", "shift", "keyup", "ctrl"}));
    screenshot("combination");
    QVERIFY(demo.click({dialogX + 16 + 196 + 8, bodyY + 244 + 12})); // confirm
    QVERIFY(demo.click({dialogX + 416 - 16 - 8, dialogY + 20}));     // close
    QVERIFY(demo.click({936 + 32, 608 + 12}));                       // Save
    QList<int> expected =
        MouseBytes::withSlot(MouseBytes::factoryKeyMatrix(), 5, {0x00, 0x03, 0x04, 0x05});
    for (int i = 64; i < matrixSize; ++i)
        expected << 0;
    QTRY_COMPARE_WITH_TIMEOUT(demo.state().value(QStringLiteral("keyMatrices")).toObject().keys(),
                              QStringList{matrixNumber}, 5000);
    QCOMPARE(matrixBytes(demo, matrixNumber), expected);

    // Button 5: "Volume+" from the media grid; the grid scrolls into view.
    QVERIFY(demo.click({367 + 18, 254 + 18}));
    QVERIFY(demo.click({dialogX + 16 + 30, bodyY + 312 + 12}));
    QTest::qWait(300);
    screenshot("media");
    QVERIFY(demo.click({dialogX + 16 + 30, bodyY + (312 + 24 + 2 * 24 - 48) + 12}));
    QVERIFY(demo.click({dialogX + 416 - 16 - 8, dialogY + 20}));
    QVERIFY(demo.click({936 + 32, 608 + 12}));
    expected = MouseBytes::withSlot(expected, 3, {0x03, 0x00, 0xE9, 0x00});
    QTRY_COMPARE_WITH_TIMEOUT(matrixBytes(demo, matrixNumber), expected, 5000);
    screenshot("list");
    QVERIFY2(!demo.output().contains("cmd Failed"), demo.output().constData());
}

QTEST_GUILESS_MAIN(tst_KeyAssign)
#include "tst_keyassign.moc"
