#include "DeviceBench.h"

#include <QTest>

// What gun modes and macros write to the mouse.
class BackendGunMacroDeviceTest : public QObject
{
    Q_OBJECT

private slots:
    void gunDataNeedsTheGunTrait();
    void gunData553NegatesYWhenTheMouseSaysSo();
    void gunData560WritesItsBlock();
    void macroSlots();
};

void BackendGunMacroDeviceTest::gunDataNeedsTheGunTrait()
{
    for (const char *chip : {"553", "560"}) {
        DeviceBench bench({.icType = chip});
        bench.view->mouseSendGundata(1, {5, 0, 10});
        QVERIFY(bench.frames().isEmpty());
        QCOMPARE(bench.view->profileData[2][78], uchar(0));
    }
}

void BackendGunMacroDeviceTest::gunData553NegatesYWhenTheMouseSaysSo()
{
    DeviceBench bench({.gun = true});
    FirmwareState state = bench.firmware();
    state.keyboardOptions = {0, 0, 1, 0};
    bench.fixture.mouse.setFirmwareState(state);

    bench.view->mouseSendGundata(2, {5, 0, 10});
    QCOMPARE(bench.frames(), (QList<QByteArray>{frame({0x83}), frame({0x04, 0, 5, 0, 246, 1})}));
    QCOMPARE(bench.sleeps(), QList<int>{8});
    const auto gun = bench.firmware().gunData;
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(gun.data()), 4), bytes({5, 0, 246, 1}));

    state.keyboardOptions = {1, 1, 0, 1};
    bench.fixture.mouse.setFirmwareState(state);
    bench.fixture.reset();
    bench.view->mouseSendGundata(3, {0x103, 0xFE, 7}); // values are bytes
    QCOMPARE(bench.frames().last(), frame({0x04, 0, 3, 0xFE, 7, 2}));

    // Gun modes other than 1..3 and short value lists.
    bench.fixture.reset();
    bench.view->mouseSendGundata(0, {5, 0, 10});
    bench.view->mouseSendGundata(4, {5, 0, 10});
    QVERIFY(bench.frames().isEmpty());
    bench.view->mouseSendGundata(1, {9});
    QCOMPARE(bench.frames().last(), frame({0x04, 0, 9, 0, 0, 0}));
}

void BackendGunMacroDeviceTest::gunData560WritesItsBlock()
{
    DeviceBench bench({.icType = "560", .gun = true});
    for (int block = 0; block < 5; ++block)
        for (int i = 0; i < 128; ++i)
            bench.view->profileData[block][i] = uchar(0xFF);
    bench.view->mouseSendGundata(1, {3, 0xFC, 12});

    QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x0C, 2, 0x80})});
    QByteArray expected(128, char(0xFF));
    expected[65] = char(0xFB);
    expected[78] = char(0xF0);
    expected[79] = 3;
    expected[80] = char(0xFC);
    expected[81] = 12;
    QCOMPARE(bench.firmware().profileBlocks[2], expected);
    for (int block : {0, 1, 3, 4})
        QCOMPARE(bench.view->profileData[block][78], uchar(0xFF));

    bench.fixture.reset();
    bench.view->mouseSendGundata(3, {1, 2, 3});
    QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x0C, 4, 0x80})});
    bench.fixture.reset();
    bench.view->mouseSendGundata(4, {1, 2, 3}); // block 5 does not exist
    QVERIFY(bench.frames().isEmpty());
}

void BackendGunMacroDeviceTest::macroSlots()
{
    for (const char *chip : {"553", "560"}) {
        const int command = QByteArray(chip) == "560" ? 0x0F : 0x13;
        DeviceBench bench({.icType = chip});
        QVariantList data;
        for (int i = 0; i < 200; ++i) // longer than a slot: the rest is ignored
            data << i + 0x100;
        QCOMPARE(bench.view->mouseSendMacroData(data, 11), QVariant(true));
        QCOMPARE(bench.frames(), QList<QByteArray>{frame({command, 12, 0x80})});
        QByteArray expected;
        for (int i = 0; i < 128; ++i)
            expected += char(i);
        QCOMPARE(bench.firmware().macros.value(12), expected);
        QCOMPARE(bench.sleeps(), (QList<int>{64, 64, 120, 120, 120, 120, 64, 64}));

        bench.fixture.reset();
        QCOMPARE(bench.view->mouseSendMacroData({1, 2, 3}, 0), QVariant(true));
        QCOMPARE(bench.frames(), QList<QByteArray>{frame({command, 1, 0x80})});
        QCOMPARE(bench.firmware().macros.value(1), bytes({1, 2, 3}) + QByteArray(125, '\0'));

        bench.fixture.reset();
        QCOMPARE(bench.view->mouseSendMacroData({1}, 12), QVariant(true));
        QCOMPARE(bench.view->mouseSendMacroData({1}, 256), QVariant(true));
        QCOMPARE(bench.view->mouseSendMacroData({1}, -1), QVariant(true));
        QVERIFY(bench.frames().isEmpty());
    }
}

QTEST_MAIN(BackendGunMacroDeviceTest)
#include "tst_backend_gunmacro_device.moc"
