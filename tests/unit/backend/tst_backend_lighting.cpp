#include "DeviceBench.h"

#include "backend/LightingEffect.h"

#include <QTest>

// Lighting effects and colours on both chip families and all traits.
class BackendLightingTest : public QObject
{
    Q_OBJECT

private slots:
    void colourfulEffects_data();
    void colourfulEffects();
    void everyStepOfTheTables();
    void plainEffects553_data();
    void plainEffects553();
    void plainEffects560WithGunSendsFourBlocks();
    void plainEffects560SendsTheChangedBlock();
    void colours560();
    void colours553();
    void colourListsAreBounded();
};

namespace {

QVariantList colourList(int count, int first = 1)
{
    QVariantList out;
    for (int i = 0; i < count; ++i)
        out << first + i;
    return out;
}

QByteArray sequence(int count, int first = 1)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += char(first + i);
    return out;
}

} // namespace

void BackendLightingTest::colourfulEffects_data()
{
    QTest::addColumn<int>("effect");
    QTest::addColumn<int>("option1");
    QTest::addColumn<int>("option2");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("10, fastest bright") << 10 << 2 << 4 << bytes({10, 0xFF, 26});
    QTest::newRow("1") << 1 << 0 << 1 << bytes({1, 0x40, 10});
    QTest::newRow("2") << 2 << 4 << 2 << bytes({2, 0x80, 13});
    QTest::newRow("3 has no brightness") << 3 << 3 << 4 << bytes({3, 0, 3});
    QTest::newRow("4 has no speed") << 4 << 1 << 3 << bytes({4, 0xC0, 0});
    QTest::newRow("6") << 6 << 1 << 4 << bytes({6, 0, 7});
    QTest::newRow("7") << 7 << 1 << 4 << bytes({7, 0, 0});
    QTest::newRow("9") << 9 << 3 << 0 << bytes({9, 0, 7});
    QTest::newRow("options out of range") << 9 << 5 << 5 << bytes({9, 0, 0});
    QTest::newRow("effect 0") << 0 << 1 << 1 << bytes({0, 0, 0});
    QTest::newRow("effect 11") << 11 << 1 << 1 << bytes({0, 0, 0});
}

void BackendLightingTest::colourfulEffects()
{
    QFETCH(int, effect);
    QFETCH(int, option1);
    QFETCH(int, option2);
    QFETCH(QByteArray, expected);

    DeviceBench b553({.colorful = true});
    b553.view->mouseSetRGBEffect(effect, option1, option2);
    QCOMPARE(b553.frames(),
             QList<QByteArray>{frame({0x0D, expected[0], expected[1], expected[2]})});
    const auto led = b553.firmware().ledEffect;
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(led.data()), 3), expected);

    DeviceBench b560({.icType = "560", .colorful = true});
    b560.view->setCurrentProfile(1);
    b560.fixture.reset();
    b560.view->mouseSetRGBEffect(effect, option1, option2);
    QCOMPARE(b560.frames(), QList<QByteArray>{frame({0x0C, 2, 0x80})});
    QCOMPARE(b560.firmware().profileBlocks[2].mid(71, 3), expected);
    QCOMPARE(b560.view->profileData[1][71], uchar(0));
}

void BackendLightingTest::everyStepOfTheTables()
{
    // Speed steps 0..4 (slow to fast) of each effect, brightness steps 1..4.
    const QList<QPair<int, QByteArray>> speeds{
        {1, bytes({10, 7, 5, 3, 1})},   {3, bytes({10, 7, 5, 3, 1})},
        {6, bytes({10, 7, 5, 3, 1})},   {2, bytes({20, 18, 15, 14, 13})},
        {9, bytes({15, 13, 10, 7, 5})}, {10, bytes({30, 28, 26, 24, 23})}};
    for (const auto &[effect, table] : speeds) {
        for (int step = 0; step < 5; ++step)
            QCOMPARE(LightingEffect::colourful(uchar(effect), uchar(step), 1).b,
                     uchar(table[step]));
    }
    const QByteArray brightness = bytes({0x40, 0x80, 0xC0, 0xFF});
    for (int level = 1; level <= 4; ++level)
        QCOMPARE(LightingEffect::colourful(1, 0, uchar(level)).a, uchar(brightness[level - 1]));
    const QByteArray breathing = bytes({1, 3, 5, 7, 10});
    const QByteArray cycle = bytes({30, 24, 18, 12, 6});
    for (int step = 0; step < 5; ++step) {
        QCOMPARE(LightingEffect::plain(0, 0, uchar(step)).a, uchar(breathing[step]));
        QCOMPARE(LightingEffect::plain(2, uchar(step), 0).a, uchar(cycle[step]));
    }
}

void BackendLightingTest::plainEffects553_data()
{
    QTest::addColumn<bool>("is55328");
    QTest::addColumn<int>("effect");
    QTest::addColumn<int>("option1");
    QTest::addColumn<int>("option2");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("cycle") << false << 2 << 0 << 0 << bytes({3, 30, 2});
    QTest::newRow("cycle fast") << false << 2 << 4 << 0 << bytes({3, 6, 2});
    QTest::newRow("breathing") << false << 0 << 3 << 4 << bytes({1, 10, 2});
    QTest::newRow("steady") << false << 1 << 2 << 0 << bytes({2, 3, 2});
    QTest::newRow("off") << false << 3 << 2 << 2 << bytes({0, 0, 2});
    QTest::newRow("55328 breathing") << true << 0 << 0 << 2 << bytes({1, 5, 1});
    QTest::newRow("55328 effect 4") << true << 4 << 2 << 0 << bytes({2, 3, 3});
    QTest::newRow("55328 unknown") << true << 9 << 2 << 0 << bytes({0, 0, 0});
    QTest::newRow("55328 speed out of range") << true << 2 << 5 << 0 << bytes({3, 0, 1});
}

void BackendLightingTest::plainEffects553()
{
    QFETCH(bool, is55328);
    QFETCH(int, effect);
    QFETCH(int, option1);
    QFETCH(int, option2);
    QFETCH(QByteArray, expected);

    DeviceBench bench({.is55328 = is55328});
    bench.view->mouseSetRGBEffect(effect, option1, option2);
    QCOMPARE(bench.frames(),
             QList<QByteArray>{frame({0x0D, expected[0], expected[1], expected[2]})});
    QCOMPARE(bench.sleeps(), (QList<int>{64, 64}));
}

void BackendLightingTest::plainEffects560WithGunSendsFourBlocks()
{
    DeviceBench bench({.icType = "560", .gun = true});
    bench.view->mouseSetRGBEffect(2, 1, 0);
    QCOMPARE(bench.frames(), (QList<QByteArray>{frame({0x0C, 1, 0x80}), frame({0x0C, 2, 0x80}),
                                                frame({0x0C, 3, 0x80}), frame({0x0C, 4, 0x80})}));
    for (int block = 1; block <= 4; ++block)
        QCOMPARE(bench.firmware().profileBlocks[block].mid(71, 3), bytes({3, 24, 2}));
}

void BackendLightingTest::plainEffects560SendsTheChangedBlock()
{
    DeviceBench bench({.icType = "560"});
    bench.view->setCurrentProfile(2);
    bench.fixture.reset();
    bench.view->mouseSetRGBEffect(0, 0, 3);
    QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x0C, 3, 0x80})});
    QCOMPARE(bench.firmware().profileBlocks[3].mid(71, 3), bytes({1, 7, 2}));
    for (int block = 1; block <= 4; ++block) {
        QCOMPARE(bench.view->profileData[block][71], uchar(1));
        QCOMPARE(bench.view->profileData[block][73], uchar(block == 1 ? 3 : 2));
    }

    // The first profile: block 1, never block 0.
    bench.view->setCurrentProfile(0);
    bench.fixture.reset();
    bench.view->mouseSetRGBEffect(4, 1, 0);
    QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x0C, 1, 0x80})});
    QCOMPARE(bench.firmware().profileBlocks[1].mid(71, 3), bytes({2, 2, 3}));
    QCOMPARE(bench.firmware().profileBlocks[0], QByteArray(128, '\0'));

    // A profile without a block of its own sends nothing.
    bench.view->setCurrentProfile(5);
    bench.fixture.reset();
    bench.view->mouseSetRGBEffect(1, 1, 0);
    DeviceBench colourful({.icType = "560", .colorful = true});
    colourful.view->setCurrentProfile(4);
    colourful.fixture.reset();
    colourful.view->mouseSetRGBEffect(1, 1, 1);
    QVERIFY(bench.frames().isEmpty());
    QVERIFY(colourful.frames().isEmpty());
}

void BackendLightingTest::colours560()
{
    DeviceBench colourful({.icType = "560", .colorful = true});
    colourful.view->mouseSetRGBColor(1, colourList(24));
    QCOMPARE(colourful.frames(), QList<QByteArray>{frame({0x0C, 0, 0x80})});
    QCOMPARE(colourful.firmware().profileBlocks[0].mid(24, 24), sequence(24));

    DeviceBench plain({.icType = "560"});
    plain.view->setCurrentProfile(3);
    plain.fixture.reset();
    plain.view->mouseSetRGBColor(1, colourList(24, 100));
    QCOMPARE(plain.frames(), QList<QByteArray>{frame({0x0C, 1, 0x80})});
    QCOMPARE(plain.firmware().profileBlocks[1].mid(104, 24), sequence(24, 100));
}

void BackendLightingTest::colours553()
{
    DeviceBench bench({});
    bench.view->mouseSetRGBColor(1, colourList(24));
    QCOMPARE(bench.frames(), (QList<QByteArray>{frame({0x10, 1, 0x18}), frame({0x10, 1, 0x18})}));
    QCOMPARE(bench.firmware().led8Colors.left(24), sequence(24));
    QCOMPARE(bench.firmware().led8Type, 1);
    bench.fixture.reset();
    bench.view->mouseSetRGBColor(2, colourList(24));
    QCOMPARE(bench.frames(), (QList<QByteArray>{frame({0x10, 2, 4}), frame({0x10, 2, 4})}));
    QCOMPARE(bench.bulk().left(4), sequence(4));

    // 55328: a lit eighth colour sends the eight colours once as type 0 ...
    DeviceBench b55328({.is55328 = true});
    b55328.view->mouseSetRGBColor(1, colourList(24));
    QCOMPARE(b55328.frames(), QList<QByteArray>{frame({0x10, 0, 0x18})});
    // ... a black one the first colour as the fixed colour, nothing else.
    QVariantList blackLast = colourList(21, 7);
    blackLast << 0 << 0 << 0;
    b55328.fixture.reset();
    b55328.view->mouseSetRGBColor(1, blackLast);
    QCOMPARE(b55328.frames(), QList<QByteArray>{frame({0x0C, 7, 8, 9})});
    const auto fix = b55328.firmware().fixColor;
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(fix.data()), 3), sequence(3, 7));
    // Black means all three values at 0: a dark red one is still eight colours.
    QVariantList redLast = colourList(21, 7);
    redLast << 9 << 0 << 0;
    b55328.fixture.reset();
    b55328.view->mouseSetRGBColor(1, redLast);
    QCOMPARE(b55328.frames(), QList<QByteArray>{frame({0x10, 0, 0x18})});
}

void BackendLightingTest::colourListsAreBounded()
{
    // Extra values are ignored, missing ones are 0 (black), values are bytes.
    DeviceBench bench({.icType = "560", .colorful = true});
    bench.view->profileData[0][48] = 0x77;
    bench.view->mouseSetRGBColor(0, colourList(40));
    QCOMPARE(bench.firmware().profileBlocks[0].mid(24, 24), sequence(24));
    QCOMPARE(uchar(bench.firmware().profileBlocks[0][48]), uchar(0x77));

    DeviceBench b55328({.is55328 = true});
    b55328.view->mouseSetRGBColor(1, QVariantList{0x1FF, 2, 3});
    QCOMPARE(b55328.frames(), QList<QByteArray>{frame({0x0C, 0xFF, 2, 3})});
}

QTEST_MAIN(BackendLightingTest)
#include "tst_backend_lighting.moc"
