// Detection in the tray window: connect and disconnect steps, removal by the
// listener and the device-change notices, on a virtual mouse.
#include "TempDataFolder.h"
#include "backend/myQQuickView.h"
#include "device/HidApi.h"
#include "shell/DeviceConnectedFlag.h"
#include "shell/Widget.h"
#include "virtualmouse/VirtualClock.h"
#include "virtualmouse/VirtualMouse.h"

#include <QTest>

namespace {

QByteArray apConfig(const char *icType)
{
    return QByteArray("[common]\ndeviceCount=2\n"
                      "[0]\ntype=0\nvid=04d9\npid=8008\nusagePage=ff01\nusage=0001\n"
                      "usagePage2=ff02\nusage2=0001\nreportLength=64\n"
                      "[1]\ntype=1\nvid=04d9\npid=a1ee\nusagePage=ff00\nusage=ff00\n"
                      "usagePage2=ff01\nusage2=ff01\nreportLength=32\nisEncode=true\n"
                      "sCode=A1b2C3\n[mouse]\nicType=") +
           icType + "\n";
}

QByteArray commandBytes(const VirtualMouse &mouse)
{
    QByteArray out;
    for (const QByteArray &f : mouse.receivedFrames())
        out += f.at(1);
    return out;
}

} // namespace

class tst_CheckDevice : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void connects560();
    void connects553AndRemoval();
    void nothingThere();
    void deafMouseStaysConnected_data();
    void deafMouseStaysConnected();
    void checkWhileLinkTakenWaits();
};

void tst_CheckDevice::cleanup()
{
    setDefaultHidApi(nullptr);
    setDefaultLinkSleeper(nullptr);
    setDeviceConnected(false);
}

void tst_CheckDevice::connects560()
{
    TempDataFolder folder;
    folder.write("modules/setting/apConfig.bin", apConfig("560"));
    VirtualClock clock;
    VirtualMouse mouse({.chipType = "560", .isEncode = true, .sCode = "A1b2C3"});
    mouse.setClock(&clock);
    FirmwareState s = mouse.firmwareState();
    for (int b = 0; b < 5; ++b)
        s.profileBlocks[b] = QByteArray(128, char(0x10 + b));
    mouse.setFirmwareState(s);
    setDefaultHidApi(&mouse);
    setDefaultLinkSleeper(&clock);

    Widget widget;
    QTest::ignoreMessage(QtDebugMsg, "Device Connect");
    widget.checkDevice();
    QVERIFY(deviceConnected());
    QVERIFY(widget.link().isListenerRunning());
    QVERIFY(widget.view()->isEnabled());
    // Echo, option bit, then all five profile blocks in order.
    QCOMPARE(commandBytes(mouse), QByteArray::fromHex("0081018c8c8c8c8c"));
    const QList<QByteArray> frames = mouse.receivedFrames();
    for (int b = 0; b < 5; ++b)
        QCOMPARE(int(frames.at(3 + b).at(2)), b);
    // The blocks arrived: writing block 4 back sends what the mouse holds.
    mouse.clearCalls();
    widget.view()->mouseSetProfile(4);
    QCOMPARE(mouse.firmwareState().profileBlocks[4], QByteArray(128, char(0x14)));
    QCOMPARE(QVariant(widget.view()->mouseReadCurrentProfile()).toInt(), 1);
    // Commands carry the device profile number: the view's current index + 1.
    widget.view()->setCurrentProfile(2);
    mouse.clearCalls();
    widget.view()->mouseSetReportRate(2);
    QCOMPARE(mouse.receivedFrames(), QList<QByteArray>{QByteArray::fromHex("0003030200000000f7")});
    QCOMPARE(mouse.firmwareState().profileReportRate.value(3), 2);
    widget.view()->setCurrentProfile(0);
    // Block numbers outside 0..4 are refused without a command.
    mouse.clearCalls();
    widget.view()->mouseSetProfile(5);
    widget.view()->mouseReadProfile(7);
    QVERIFY(mouse.calls().isEmpty());
}

void tst_CheckDevice::connects553AndRemoval()
{
    TempDataFolder folder;
    folder.write("modules/setting/apConfig.bin", apConfig("553"));
    VirtualClock clock;
    VirtualMouse mouse({.isEncode = true, .sCode = "A1b2C3"});
    mouse.setClock(&clock);
    setDefaultHidApi(&mouse);
    setDefaultLinkSleeper(&clock);

    Widget widget;
    QTest::ignoreMessage(QtDebugMsg, "Device Connect");
    widget.checkDevice();
    QCOMPARE(commandBytes(mouse), QByteArray::fromHex("008303")); // no block reads on 553
    QVERIFY(deviceConnected());

    // Notices while the listener runs are ignored.
    widget.onDeviceChange();
    QVERIFY(!widget.deviceCheckTimer().isActive());

    QTest::ignoreMessage(QtDebugMsg, "Device removed");
    mouse.unplug();
    QTRY_VERIFY(!widget.link().isListenerRunning());
    QTRY_VERIFY(!widget.view()->isEnabled());
    QVERIFY(deviceConnected()); // until the next detection

    // The removal itself asks for detection; more notices restart the timer,
    // so a burst leads to one check 2048 ms after the last.
    QTRY_VERIFY(widget.deviceCheckTimer().isActive());
    widget.onDeviceChange();
    widget.onDeviceChange();
    QVERIFY(widget.deviceCheckTimer().isActive());
    QCOMPARE(widget.deviceCheckTimer().interval(), 2048);
    QVERIFY(widget.deviceCheckTimer().isSingleShot());
    QTest::ignoreMessage(QtDebugMsg, "Device DisConnect");
    QTRY_VERIFY_WITH_TIMEOUT(!deviceConnected(), 5000);

    // Plugged back: the next check connects again and the view is enabled.
    mouse.plug();
    QTest::ignoreMessage(QtDebugMsg, "Device Connect");
    widget.checkDevice();
    QVERIFY(deviceConnected());
    QVERIFY(widget.view()->isEnabled());
    QVERIFY(widget.link().isListenerRunning());
}

void tst_CheckDevice::nothingThere()
{
    TempDataFolder folder;
    folder.write("modules/setting/apConfig.bin", apConfig("553"));
    VirtualClock clock;
    VirtualMouse mouse;
    mouse.unplug();
    setDefaultHidApi(&mouse);
    setDefaultLinkSleeper(&clock);
    Widget widget;
    setDeviceConnected(true);
    QTest::ignoreMessage(QtDebugMsg, "Device DisConnect");
    widget.checkDevice();
    QVERIFY(!deviceConnected());
    QVERIFY(!widget.link().isListenerRunning());
    QVERIFY(mouse.receivedFrames().isEmpty());
}

void tst_CheckDevice::deafMouseStaysConnected_data()
{
    QTest::addColumn<bool>("listed");
    QTest::newRow("notification interface refuses to open") << true;
    QTest::newRow("no notification interface") << false;
}

// A mouse whose notifications cannot be read: connected once, then every
// detection (the one its listener asks for, and those of later device-change
// notices) finds it still there and keeps it, without connecting it again.
void tst_CheckDevice::deafMouseStaysConnected()
{
    QFETCH(bool, listed);
    TempDataFolder folder;
    folder.write("modules/setting/apConfig.bin", apConfig("553"));
    VirtualClock clock;
    VirtualMouse mouse({.isEncode = true,
                        .sCode = "A1b2C3",
                        .notificationInterface = listed,
                        .notificationOpens = false});
    mouse.setClock(&clock);
    setDefaultHidApi(&mouse);
    setDefaultLinkSleeper(&clock);

    Widget widget;
    widget.checkDevice();
    QCOMPARE(commandBytes(mouse), QByteArray::fromHex("008303"));
    QTRY_VERIFY(!widget.link().isListenerRunning());
    // A listener that could not open the interface asks for one detection.
    if (listed)
        QTRY_VERIFY(widget.deviceCheckTimer().isActive());
    QCoreApplication::processEvents();
    QCOMPARE(widget.deviceCheckTimer().isActive(), listed);

    for (int round = 0; round < 2; ++round) {
        mouse.clearCalls();
        widget.deviceCheckTimer().stop();
        widget.checkDevice();
        QCOMPARE(commandBytes(mouse), QByteArray::fromHex("00")); // the echo alone
        QVERIFY(deviceConnected());
        QVERIFY(widget.view()->isEnabled());
        QVERIFY(!widget.link().isListenerRunning());
        widget.onDeviceChange(); // some device of the system came or went
        QVERIFY(widget.deviceCheckTimer().isActive());
    }
    widget.deviceCheckTimer().stop();

    // A real change: unplugged, it is reported gone.
    mouse.unplug();
    QTest::ignoreMessage(QtDebugMsg, "Device DisConnect");
    widget.checkDevice();
    QVERIFY(!deviceConnected());
}

void tst_CheckDevice::checkWhileLinkTakenWaits()
{
    TempDataFolder folder;
    folder.write("modules/setting/apConfig.bin", apConfig("553"));
    VirtualClock clock;
    VirtualMouse mouse({.isEncode = true, .sCode = "A1b2C3"});
    mouse.setClock(&clock);
    setDefaultHidApi(&mouse);
    setDefaultLinkSleeper(&clock);
    Widget widget;
    widget.checkDevice();
    QVERIFY(deviceConnected());

    // The timer's check comes while the command below holds the link and
    // processes events: it is put off, not turned into "Device DisConnect".
    clock.setProcessQtEvents(true);
    mouse.clearCalls();
    QTimer::singleShot(0, &widget, &Widget::checkDevice);
    widget.view()->mouseSetReportRate(2);
    QVERIFY(deviceConnected());
    QVERIFY(widget.deviceCheckTimer().isActive());
    QCOMPARE(widget.deviceCheckTimer().interval(), 2048);
    QCOMPARE(commandBytes(mouse), QByteArray::fromHex("01"));
    QVERIFY(widget.link().isListenerRunning());
}

QTEST_MAIN(tst_CheckDevice)
#include "tst_checkdevice.moc"
