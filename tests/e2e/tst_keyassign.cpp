// The real executable in demo mode, driven like a user with xdotool: a key
// combination typed through the global capture and a media function are
// given to two buttons, Save is pressed, and the virtual mouse must hold the
// key matrix with exactly these two slots changed. Once per chip family.
#include "DemoSession.h"
#include "MouseBytes.h"
#include "WindowLayout.h"

#include <QTest>

using namespace WindowLayout;

namespace {

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
    const auto session = DemoSession::startCopy(chip);
    if (!session)
        return; // skipped or failed, with the reason
    DemoSession &demo = *session;
    const auto screenshot = [&](const char *name) {
        demo.shoot(QStringLiteral(R770_SHOT_DIR), shotPrefix + QLatin1String(name));
    };
    QCOMPARE(demo.state().value(QStringLiteral("keyMatrices")).toObject().size(), 0);

    // Button 4: Ctrl+Shift+A+B, typed while the combination box waits.
    QVERIFY(demo.click(badge4));
    QVERIFY(demo.click(combinationBox));
    QVERIFY(keys(demo, {"keydown", "ctrl", "keydown", "shift", "keydown", "a", "keydown", "b"}));
    QVERIFY(keys(demo, {"keyup", "b", "keyup", "a", "keyup", "shift", "keyup", "ctrl"}));
    screenshot("combination");
    QVERIFY(demo.click(combinationConfirm));
    QVERIFY(demo.click(dialogClose));
    QVERIFY(demo.click(saveButton));
    QList<int> expected =
        MouseBytes::withSlot(MouseBytes::factoryKeyMatrix(), 5, {0x00, 0x03, 0x04, 0x05});
    for (int i = 64; i < matrixSize; ++i)
        expected << 0;
    QTRY_COMPARE_WITH_TIMEOUT(demo.state().value(QStringLiteral("keyMatrices")).toObject().keys(),
                              QStringList{matrixNumber}, 5000);
    QCOMPARE(matrixBytes(demo, matrixNumber), expected);

    // Button 5: "Volume+" from the media grid; the grid scrolls into view.
    QVERIFY(demo.click(badge5));
    QVERIFY(demo.click(mediaBox));
    QTest::qWait(300);
    screenshot("media");
    QVERIFY(demo.click(volumeUp));
    QVERIFY(demo.click(dialogClose));
    QVERIFY(demo.click(saveButton));
    expected = MouseBytes::withSlot(expected, 3, {0x03, 0x00, 0xE9, 0x00});
    QTRY_COMPARE_WITH_TIMEOUT(matrixBytes(demo, matrixNumber), expected, 5000);
    screenshot("list");
    QVERIFY2(!demo.output().contains("cmd Failed"), demo.output().constData());
}

QTEST_GUILESS_MAIN(tst_KeyAssign)
#include "tst_keyassign.moc"
