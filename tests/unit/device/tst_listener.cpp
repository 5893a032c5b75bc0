// hidStart and the notification listener against the virtual mouse.
#include "LinkFixture.h"
#include "device/DpiSwitchTexts.h"

#include <QElapsedTimer>
#include <QTest>

class tst_Listener : public QObject
{
    Q_OBJECT
private slots:
    void keyboardOptionBit();
    void optionsNotReadAreNotWritten();
    void dpiSwitch();
    void rightHand();
    void malformedReports();
    void removal();
    void stopDuringRead();
    void dpiTextsStore();
};

void tst_Listener::keyboardOptionBit()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    FirmwareState s = f.mouse.firmwareState();
    s.keyboardOptions = {0x01, 0x02, 0x03, 0x04};
    f.mouse.setFirmwareState(s);
    f.reset();
    f.link.hidStart(1);
    QVERIFY(f.link.isListenerRunning());
    QCOMPARE(f.plainFrames(), (QList<QByteArray>{LinkFixture::hex("00830000000000007c"),
                                                 LinkFixture::hex("0003010203440000b2")}));
    QCOMPARE(f.mouse.firmwareState().keyboardOptions[3], uchar(0x44));
    QCOMPARE(f.clock.sleeps(), QList<int>{8});

    LinkFixture g({.chipType = "560"});
    QVERIFY(g.connectMouse());
    s = g.mouse.firmwareState();
    s.keyboardOptions = {0x31, 0x05, 0, 0};
    g.mouse.setFirmwareState(s);
    g.reset();
    g.link.hidStart(1);
    QCOMPARE(g.plainFrames(), (QList<QByteArray>{LinkFixture::hex("00810000000000007e"),
                                                 LinkFixture::hex("0001390500000000c0")}));
}

void tst_Listener::optionsNotReadAreNotWritten()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    f.reset();
    f.mouse.failCall(10, HidFault::Error); // the answer of the option query
    f.link.hidStart(1);
    QCOMPARE(f.plainFrames(), QList<QByteArray>{LinkFixture::hex("00830000000000007c")});
    QVERIFY(f.link.isListenerRunning());
    QVERIFY(f.link.isHidFree());
}

void tst_Listener::dpiSwitch()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    f.link.hidStart(1);
    f.mouse.pressDpiButton(3);
    QTRY_COMPARE(f.observer.events().size(), 2);
    QCOMPARE(f.observer.events(), QStringList({"dpi|3", "balloon|Info|DPI Switch to |10000"}));
    QCOMPARE(f.mouse.firmwareState().currentDpiStage, 3);

    // Stage 0 and stages above 7 take the eighth text.
    setDpiSwitchTexts({"one", "two", "three", "four", "five", "six", "seven", "other"});
    f.observer.clear();
    f.mouse.pressDpiButton(0);
    f.mouse.pressDpiButton(7);
    f.mouse.pressDpiButton(9);
    QTRY_COMPARE(f.observer.events().size(), 6);
    QCOMPARE(f.observer.events(),
             QStringList({"dpi|0", "balloon|Info|other |10000", "dpi|7",
                          "balloon|Info|seven |10000", "dpi|9", "balloon|Info|other |10000"}));
    setDpiSwitchTexts(QStringList(8, QStringLiteral("DPI Switch to")));
}

void tst_Listener::rightHand()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    f.link.hidStart(1);
    QTest::ignoreMessage(QtDebugMsg, "test 1");
    f.mouse.setRightHand(true);
    QTRY_COMPARE(f.observer.events().size(), 2);
    QCOMPARE(f.observer.events(), QStringList({"right|1", "runUI"}));
    QVERIFY(f.mouse.firmwareState().rightHand);
}

void tst_Listener::malformedReports()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    f.link.hidStart(1);
    f.mouse.sendNotification(QByteArray::fromHex("05070003"));
    f.mouse.sendNotification(QByteArray::fromHex("060700"));
    f.mouse.sendNotification(QByteArray::fromHex("06090003"));
    // A good report behind them shows they were read and passed over.
    QTest::ignoreMessage(QtDebugMsg, "test 0");
    f.mouse.sendNotification(QByteArray::fromHex("060d0000"));
    QTRY_COMPARE(f.observer.events().size(), 2);
    QCOMPARE(f.observer.events(), QStringList({"right|0", "runUI"}));
    QVERIFY(f.link.isListenerRunning());
}

void tst_Listener::removal()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    f.link.hidStart(1);
    QTest::ignoreMessage(QtDebugMsg, "Device removed");
    f.mouse.unplug();
    QTRY_VERIFY(!f.link.isListenerRunning());
    // The view goes dark and detection is asked for.
    QCOMPARE(f.observer.events(), QStringList({"enabled|0", "deviceChange"}));
    QVERIFY(f.link.deviceTable().at(1).notificationPath.isEmpty());
    f.link.waitForListener();

    // Back in: detection finds both interfaces again and a new listener runs.
    f.mouse.plug();
    QVERIFY(f.connectMouse());
    f.link.hidStart(1);
    f.mouse.pressDpiButton(2);
    QTRY_VERIFY(f.observer.events().contains(QStringLiteral("dpi|2")));
}

void tst_Listener::stopDuringRead()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    f.link.hidStart(1);
    QTRY_VERIFY(!f.mouse.calls().isEmpty() &&
                f.mouse.calls().last().path == QLatin1String(VirtualMouse::NotificationPath));
    f.link.stopListener();
    QVERIFY(!f.link.isListenerRunning());
    QElapsedTimer timer;
    timer.start();
    f.link.waitForListener(); // at most the rest of one 500 ms poll
    QVERIFY(timer.elapsed() < 1500);
    // No open of the notification interface after the read that was running.
    const QList<HidCall> calls = f.mouse.calls();
    QCOMPARE(calls.last().op, QStringLiteral("hid_close"));
    QCOMPARE(calls.at(calls.size() - 2).op, QStringLiteral("hid_read_timeout"));
}

void tst_Listener::dpiTextsStore()
{
    QCOMPARE(dpiSwitchText(1), QStringLiteral("DPI Switch to"));
    setDpiSwitchTexts({"a", "b"});
    QCOMPARE(dpiSwitchText(1), QStringLiteral("a"));
    QCOMPARE(dpiSwitchText(2), QStringLiteral("b"));
    QCOMPARE(dpiSwitchText(3), QStringLiteral("DPI Switch to"));
    QCOMPARE(dpiSwitchText(-1), QStringLiteral("DPI Switch to"));
    setDpiSwitchTexts(QStringList(8, QStringLiteral("DPI Switch to")));
}

QTEST_GUILESS_MAIN(tst_Listener)
#include "tst_listener.moc"
