#include "DeviceBench.h"

#include <QTest>

// DPI stages with their sensor encodings, the current stage, report rate and
// lift-off distance, on both chip families.
class BackendSensorTest : public QObject
{
    Q_OBJECT

private slots:
    void sensorEncodings_data();
    void sensorEncodings();
    void stageTable553();
    void stageTable560();
    void outOfRangeCountsAndProfilesSendNothing();
    void maxDpiBlockZero();
    void currentStage();
    void reportRateAndLod();
};

namespace {

QVariantList values(std::initializer_list<int> list)
{
    QVariantList out;
    for (int v : list)
        out << v;
    return out;
}

} // namespace

void BackendSensorTest::sensorEncodings_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<QVariantList>("dpi");
    QTest::addColumn<QByteArray>("codes");
    QTest::addColumn<int>("highRange");

    QTest::newRow("3360") << "3360" << values({500, 1000, 1500, 2000, 3000, 4000, 5000, 6000})
                          << bytes({4, 9, 14, 19, 29, 39, 49, 59}) << 0;
    QTest::newRow("4090") << "4090" << values({5000, 5100, 12000, 100, 200, 400, 800, 1600})
                          << bytes({49, 0x59, 0x7C, 0, 1, 3, 7, 15}) << 0;
    QTest::newRow("3050") << "3050" << values({800, 2100, 4100, 250, 251, 4000, 1, 2000})
                          << bytes({4, 0x45, 0, 1, 2, 0x48, 1, 8}) << 0;
    // Each step of the table holds its own value, one more takes the next code.
    QTest::newRow("3050 at each step")
        << "3050" << values({500, 750, 1000, 1250, 1500, 1750, 2500, 3000})
        << bytes({2, 3, 4, 5, 6, 7, 0x45, 0x46}) << 0;
    QTest::newRow("3050 past each step")
        << "3050" << values({501, 751, 1001, 1251, 1501, 1751, 2001, 2501})
        << bytes({3, 4, 5, 6, 7, 8, 0x45, 0x46}) << 0;
    QTest::newRow("3050 top steps")
        << "3050" << values({3001, 3500, 3501, 4001, 252, 499, 749, 999})
        << bytes({0x47, 0x47, 0x48, 0, 2, 2, 3, 4}) << 0;
    QTest::newRow("3389") << "3389" << values({16000, 12750, 12800, 400, 800, 1600, 3200, 6400})
                          << bytes({64, 255, 0, 8, 16, 32, 64, 128}) << 0x05;
    QTest::newRow("3327") << "3327" << values({800, 100, 1000, 3200, 5000, 6400, 7200, 12000})
                          << bytes({8, 1, 10, 32, 50, 64, 72, 120}) << 0;
    QTest::newRow("other sensor as 4090")
        << "PAW9999" << values({5100, 400, 800, 1200, 1600, 2000, 2400, 3200})
        << bytes({0x59, 3, 7, 11, 15, 19, 23, 31}) << 0;
}

void BackendSensorTest::sensorEncodings()
{
    QFETCH(QString, sensor);
    QFETCH(QVariantList, dpi);
    QFETCH(QByteArray, codes);
    QFETCH(int, highRange);

    DeviceBench b553({});
    b553.view->mouseSetDpi(8, sensor, dpi);
    QCOMPARE(b553.frames(), QList<QByteArray>{frame({0x11, 8, 0x08})});
    QCOMPARE(b553.bulk().left(8), codes);
    QCOMPARE(b553.firmware().dpiTable, codes);
    QCOMPARE(b553.firmware().dpiStageCount, 8);

    DeviceBench b560({.icType = "560"});
    b560.view->mouseSetDpi(8, sensor, dpi);
    QCOMPARE(b560.frames(), QList<QByteArray>{frame({0x0C, 1, 0x80})});
    const QByteArray block = b560.firmware().profileBlocks[1];
    QCOMPARE(block.mid(84, 8), codes);
    QCOMPARE(block.mid(92, 8), codes);
    QCOMPARE(uchar(block[100]), uchar(0xFF));
    QCOMPARE(int(uchar(block[82])), highRange);
    QCOMPARE(int(uchar(block[83])), highRange);
}

void BackendSensorTest::stageTable553()
{
    DeviceBench bench({});
    // Stages past the count are switched off; extra values are ignored.
    bench.view->mouseSetDpi(3, QStringLiteral("3360"),
                            values({400, 800, 1600, 3200, 6400, 100, 200, 300, 900, 1000}));
    QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x11, 3, 0x08})});
    QCOMPARE(bench.firmware().dpiTable, bytes({3, 7, 15, 0x80, 0x80, 0x80, 0x80, 0x80}));
    QCOMPARE(bench.firmware().dpiStageCount, 3);
    QCOMPARE(bench.sleeps(), (QList<int>{64, 64, 120, 64, 64}));

    // Fewer values: the missing stages read 0 before the count switches them off.
    bench.fixture.reset();
    bench.view->mouseSetDpi(4, QStringLiteral("3327"), values({800, 1600}));
    QCOMPARE(bench.firmware().dpiTable, bytes({8, 16, 0, 0, 0x80, 0x80, 0x80, 0x80}));
}

void BackendSensorTest::stageTable560()
{
    DeviceBench bench({.icType = "560"});
    bench.view->profileData[3][10] = 0x33; // read from the mouse earlier
    bench.view->setCurrentProfile(2);
    bench.fixture.reset();
    bench.view->mouseSetDpi(5, QStringLiteral("3389"),
                            values({400, 800, 1600, 12800, 16000, 200, 300, 500}));
    // Only the block of the current profile travels.
    QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x0C, 3, 0x80})});
    const QByteArray codes = bytes({8, 16, 32, 0, 64, 4, 6, 10});
    for (int block = 1; block <= 4; ++block) {
        const uchar *data = bench.view->profileData[block];
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(data) + 84, 8), codes);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(data) + 92, 8), codes);
        QCOMPARE(data[100], uchar(0x1F));
        QCOMPARE(data[82], uchar(0x18));
        QCOMPARE(data[83], uchar(0x18));
    }
    const QByteArray sent = bench.firmware().profileBlocks[3];
    QCOMPARE(sent, QByteArray(reinterpret_cast<const char *>(bench.view->profileData[3]), 128));
    QCOMPARE(uchar(sent[10]), uchar(0x33));
    QCOMPARE(bench.firmware().profileBlocks[1], QByteArray(128, '\0'));
    QCOMPARE(bench.sleeps(), (QList<int>{64, 64, 120, 120, 120, 120, 64, 64}));
}

void BackendSensorTest::outOfRangeCountsAndProfilesSendNothing()
{
    DeviceBench b553({});
    b553.view->mouseSetDpi(0, QStringLiteral("3360"), values({400}));
    b553.view->mouseSetDpi(9, QStringLiteral("3360"), values({400}));
    b553.view->mouseSetDpi(-1, QStringLiteral("3360"), values({400}));
    QVERIFY(b553.frames().isEmpty());

    // Profile 5 would be block 5, past the five blocks.
    DeviceBench b560({.icType = "560"});
    b560.view->setCurrentProfile(4);
    b560.fixture.reset();
    b560.view->mouseSetDpi(4, QStringLiteral("3360"), values({400, 800, 1600, 3200}));
    QVERIFY(b560.frames().isEmpty());
    QCOMPARE(b560.view->profileData[4][100], uchar(0x0F));
}

void BackendSensorTest::maxDpiBlockZero()
{
    for (const char *chip : {"553", "560"}) {
        DeviceBench bench({.icType = chip});
        bench.view->mouseSetMaxDpi(6);
        QCOMPARE(bench.frames(), QList<QByteArray>{frame({0x0C, 0, 0x80})});
        QCOMPARE(bench.view->profileData[0][70], uchar(6));
        bench.fixture.reset();
        bench.view->mouseSetMaxDpi(0);
        bench.view->mouseSetMaxDpi(9);
        QVERIFY(bench.frames().isEmpty());
    }
    DeviceBench b560({.icType = "560"});
    b560.view->mouseSetMaxDpi(6);
    QCOMPARE(uchar(b560.firmware().profileBlocks[0][70]), uchar(6));
}

void BackendSensorTest::currentStage()
{
    DeviceBench b553({});
    b553.view->mouseSetCurrentDPI(3);
    QCOMPARE(b553.frames(), QList<QByteArray>{frame({0x0B, 3})});
    QCOMPARE(b553.firmware().currentDpiStage, 3);
    b553.fixture.mouse.pressDpiButton(5);
    QCOMPARE(b553.view->mouseGetCurrentDPI().toInt(), 5);
    b553.fixture.mouse.unplug();
    QCOMPARE(b553.view->mouseGetCurrentDPI().toInt(), 3);

    DeviceBench b560({.icType = "560"});
    b560.view->mouseSetCurrentDPI(3);
    QCOMPARE(b560.frames(), QList<QByteArray>{LinkFixture::hex("0004010300000000f7")});
    QCOMPARE(b560.firmware().profileDpiStage.value(1), 3);

    FirmwareState state = b560.firmware();
    state.profileDpiStage[2] = 6;
    b560.fixture.mouse.setFirmwareState(state);
    b560.view->setCurrentProfile(1);
    b560.fixture.reset();
    QCOMPARE(b560.view->mouseGetCurrentDPI().toInt(), 6);
    QCOMPARE(b560.frames(), QList<QByteArray>{frame({0x84, 2})});
    b560.fixture.mouse.unplug();
    QCOMPARE(b560.view->mouseGetCurrentDPI().toInt(), 3);
}

void BackendSensorTest::reportRateAndLod()
{
    DeviceBench b553({});
    b553.view->mouseSetReportRate(2);
    QCOMPARE(b553.frames(), QList<QByteArray>{LinkFixture::hex("0001020000000000fc")});
    QCOMPARE(b553.sleeps(), (QList<int>{64, 64}));
    QCOMPARE(b553.firmware().reportRate, 2);

    DeviceBench b560({.icType = "560"});
    b560.view->setCurrentProfile(2);
    b560.fixture.observer.setProfileNumber(3);
    b560.fixture.reset();
    b560.view->mouseSetReportRate(1);
    QCOMPARE(b560.frames(), QList<QByteArray>{frame({0x03, 3, 1})});
    QCOMPARE(b560.firmware().profileReportRate.value(3), 1);

    // Lift-off distance has no command: a debug line and nothing sent.
    b560.fixture.reset();
    QTest::ignoreMessage(QtDebugMsg, "test 2 1");
    b560.view->mouseSetLod(2, 1);
    QVERIFY(b560.frames().isEmpty());
}

QTEST_MAIN(BackendSensorTest)
#include "tst_backend_sensor.moc"
