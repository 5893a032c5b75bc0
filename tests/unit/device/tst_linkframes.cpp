// Exact frames, bulk reports and pauses of the command set on the virtual clock.
#include "LinkFixture.h"

#include <QTest>

namespace {

QByteArray bytes(int count, int start)
{
    QByteArray b;
    for (int i = 0; i < count; ++i)
        b.append(char(start + i));
    return b;
}

uchar *data(QByteArray &b)
{
    return reinterpret_cast<uchar *>(b.data());
}

QStringList ops(const QList<HidCall> &calls)
{
    QStringList out;
    for (const HidCall &c : calls)
        out << c.op;
    return out;
}

const QList<int> settle{64, 64};

} // namespace

class tst_LinkFrames : public QObject
{
    Q_OBJECT
private slots:
    void setCommandSteps();
    void plainSetFrames();
    void pauseCommands();
    void bulkChunking_data();
    void bulkChunking();
    void ledStageLengths();
    void keyMatrices();
    void getCommands();
    void readProfile();
    void scrambledFrames();
    void busyLink();
    void transferFailures();
};

void tst_LinkFrames::setCommandSteps()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    f.reset();
    f.link.hid553_01H_SetReportRate(1);
    // The interface is opened afresh before the feature report and closed after it.
    QCOMPARE(ops(f.commandCalls()),
             QStringList({"hid_open_path", "hid_set_nonblocking", "hid_close", "hid_open_path",
                          "hid_set_nonblocking", "hid_send_feature_report", "hid_close"}));
    QCOMPARE(f.commandCalls().at(0).path, QString::fromLatin1(VirtualMouse::CommandPath));
    QCOMPARE(f.commandCalls().at(1).data, QByteArray(1, '\0')); // blocking mode
    QCOMPARE(f.sentFrames(), QList<QByteArray>{LinkFixture::hex("0001010000000000fd")});
    QCOMPARE(f.clock.sleeps(), settle);
    QCOMPARE(f.clock.processEventsCalls(), 1);
    QVERIFY(f.link.isHidFree());
    QCOMPARE(f.mouse.firmwareState().reportRate, 1);
}

void tst_LinkFrames::plainSetFrames()
{
    LinkFixture f({.chipType = "560"});
    QVERIFY(f.connectMouse());
    f.reset();
    f.observer.setProfileNumber(1);
    f.link.hid560_04H_SetCurrentDPI(3);
    f.observer.setProfileNumber(4);
    f.link.hid560_03H_SetReportRate(2);
    QCOMPARE(f.sentFrames(), (QList<QByteArray>{LinkFixture::hex("0004010300000000f7"),
                                                LinkFixture::hex("0003040200000000f6")}));
    QCOMPARE(f.clock.sleeps(), (QList<int>{64, 64, 64, 64}));
    QCOMPARE(f.mouse.firmwareState().profileDpiStage.value(1), 3);
    QCOMPARE(f.mouse.firmwareState().profileReportRate.value(4), 2);

    LinkFixture g;
    QVERIFY(g.connectMouse());
    g.reset();
    g.link.hid553_0BH_SetCurrentDPI(5);
    g.link.hid553_02H_SetCurrentKeyMatrix(2);
    g.link.hid553_0DH_SetRGBLedEffect(3, 4, 5);
    uchar colour[3] = {0x10, 0x20, 0x30};
    g.link.hid553_0CH_SetFixLEDColor(colour);
    QCOMPARE(g.sentFrames(), (QList<QByteArray>{LinkFixture::hex("000b050000000000ef"),
                                                LinkFixture::hex("0002020000000000fb"),
                                                LinkFixture::hex("000d030405000000e6"),
                                                LinkFixture::hex("000c10203000000093")}));
    QCOMPARE(g.clock.sleeps().size(), 8);
    const FirmwareState s = g.mouse.firmwareState();
    QCOMPARE(s.currentDpiStage, 5);
    QCOMPARE(s.currentKeyMatrix, 2);
    QCOMPARE(int(s.ledEffect[2]), 5);
    QCOMPARE(int(s.fixColor[1]), 0x20);
}

void tst_LinkFrames::pauseCommands()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    f.reset();
    f.link.hid553_04H_SetGunData(1, 2, 3, 4);
    f.link.hid553_03H_SetKeyboardoption(0x11, 0x22, 0x33, 0x44);
    f.link.hid560_01H_SetKeyboardoption(0x08, 0x01);
    f.link.hid560_02H_SetCurrentProfile(3);
    // The first parameter of the gun data stays 0; no settle, 8 ms after each.
    QCOMPARE(f.sentFrames(), (QList<QByteArray>{LinkFixture::hex("0004000102030400f1"),
                                                LinkFixture::hex("000311223344000052"),
                                                LinkFixture::hex("0001080100000000f5"),
                                                LinkFixture::hex("0002030000000000fa")}));
    QCOMPARE(f.clock.sleeps(), (QList<int>{8, 8, 8, 8}));
    QCOMPARE(int(f.mouse.firmwareState().gunData[3]), 4);
}

void tst_LinkFrames::bulkChunking_data()
{
    QTest::addColumn<int>("reportLength");
    QTest::addColumn<int>("bulk");
    QTest::addColumn<int>("reports");
    QTest::newRow("8 on 32") << 32 << 8 << 1;
    QTest::newRow("8 on 64") << 64 << 8 << 1;
    QTest::newRow("64 on 32") << 32 << 64 << 2;
    QTest::newRow("64 on 64") << 64 << 64 << 1;
    QTest::newRow("128 on 32") << 32 << 128 << 4;
    QTest::newRow("128 on 64") << 64 << 128 << 2;
    QTest::newRow("128 on 48, short last report") << 48 << 128 << 3;
}

void tst_LinkFrames::bulkChunking()
{
    QFETCH(int, reportLength);
    QFETCH(int, bulk);
    QFETCH(int, reports);
    LinkFixture f({.reportLength = reportLength});
    QVERIFY(f.connectMouse());
    f.reset();
    QByteArray payload = bytes(bulk, 1);
    QByteArray frame;
    if (bulk == 8) {
        f.link.hid553_11H_SetDPISet(4, data(payload));
        frame = LinkFixture::hex("0011040800000000e2");
    } else if (bulk == 64) {
        f.link.hid553_12H_SetKeyMatrix(data(payload), 2);
        frame = LinkFixture::hex("0012024008000000a3");
    } else {
        f.link.hid553_13H_SetMacroKey(2, data(payload));
        frame = LinkFixture::hex("00130280000000006a");
    }
    QCOMPARE(f.sentFrames(), QList<QByteArray>{frame});
    const QList<QByteArray> written = f.writtenReports();
    QCOMPARE(written.size(), reports);
    QByteArray joined;
    for (const QByteArray &r : written) {
        QCOMPARE(r.size(), reportLength + 1); // report id and a full report
        QCOMPARE(r.at(0), '\0');
        joined += r.mid(1);
    }
    // The data, then zeros up to the end of the last report.
    QCOMPARE(joined.left(bulk), payload);
    QCOMPARE(joined.mid(bulk), QByteArray(joined.size() - bulk, '\0'));
    QList<int> pauses = settle;
    for (int i = 0; i < reports; ++i)
        pauses << 120;
    pauses << 64 << 64;
    QCOMPARE(f.clock.sleeps(), pauses);
    const FirmwareState s = f.mouse.firmwareState();
    if (bulk == 8)
        QCOMPARE(s.dpiTable, payload);
    else if (bulk == 64)
        QCOMPARE(s.keyMatrices.value(2), payload);
    else
        QCOMPARE(s.macros.value(2), payload);
}

void tst_LinkFrames::ledStageLengths()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    f.reset();
    QByteArray colours = bytes(24, 0x40);
    f.link.hid553_10H_SetLED8StageColor(2, data(colours));
    f.link.hid553_10H_SetLED8StageColor(1, data(colours));
    QCOMPARE(f.sentFrames(), (QList<QByteArray>{LinkFixture::hex("0010020400000000e9"),
                                                LinkFixture::hex("0010011800000000d6")}));
    const QList<QByteArray> written = f.writtenReports();
    QCOMPARE(written.size(), 2);
    QCOMPARE(written[0].mid(1, 5), colours.left(4) + QByteArray(1, '\0'));
    QCOMPARE(written[1].mid(1, 25), colours + QByteArray(1, '\0'));
    QCOMPARE(f.mouse.firmwareState().led8Colors, colours);
}

void tst_LinkFrames::keyMatrices()
{
    // "560": always 128 bytes, the second half zero, length byte 0x80.
    LinkFixture f({.chipType = "560", .reportLength = 64});
    QVERIFY(f.connectMouse());
    f.reset();
    QByteArray matrix = bytes(64, 0x80);
    f.link.hid560_0DH_SetKeyMatrix(data(matrix), 3);
    QCOMPARE(f.sentFrames(), QList<QByteArray>{LinkFixture::hex("000d0380000000006f")});
    const QList<QByteArray> written = f.writtenReports();
    QCOMPARE(written.size(), 2);
    QCOMPARE(written[0].mid(1), matrix);
    QCOMPARE(written[1].mid(1), QByteArray(64, '\0'));
    QCOMPARE(f.clock.sleeps(), (QList<int>{64, 64, 120, 120, 64, 64}));
    QCOMPARE(f.mouse.firmwareState().keyMatrices.value(3), matrix + QByteArray(64, '\0'));

    QByteArray block = bytes(128, 3);
    f.reset();
    f.link.hid560_0CH_setProfile(data(block), 4);
    f.link.hid560_0FH_SetMacroKey(7, data(block));
    QCOMPARE(f.sentFrames(), (QList<QByteArray>{LinkFixture::hex("000c0480000000006f"),
                                                LinkFixture::hex("000f07800000000069")}));
    QCOMPARE(f.mouse.firmwareState().profileBlocks[4], block);
    QCOMPARE(f.mouse.firmwareState().macros.value(7), block);
}

void tst_LinkFrames::getCommands()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    FirmwareState s = f.mouse.firmwareState();
    s.currentDpiStage = 6;
    s.rightHand = true;
    s.keyboardOptions = {1, 2, 3, 4};
    f.mouse.setFirmwareState(s);
    f.reset();
    uchar stage = 9;
    f.link.hid553_8BH_GetCurrentDPI(stage);
    uchar right = 0;
    f.link.hid553_8BH_GetRight(right);
    uchar o1 = 0, o2 = 0, o3 = 0, o4 = 0;
    f.link.hid553_83H_GetKeyboardoption(o1, o2, o3, o4);
    QCOMPARE(int(stage), 6);
    QCOMPARE(int(right), 1);
    QCOMPARE(QList<int>({o1, o2, o3, o4}), QList<int>({1, 2, 3, 4}));
    // The right-hand query travels as 0x82.
    QCOMPARE(f.sentFrames(), (QList<QByteArray>{LinkFixture::hex("008b00000000000074"),
                                                LinkFixture::hex("00820000000000007d"),
                                                LinkFixture::hex("00830000000000007c")}));
    QCOMPARE(ops(f.commandCalls()).count("hid_get_feature_report"), 3);
    QVERIFY(f.clock.sleeps().isEmpty()); // queries do not pause

    LinkFixture g({.chipType = "560"});
    QVERIFY(g.connectMouse());
    s = g.mouse.firmwareState();
    s.profileDpiStage[2] = 5;
    s.currentProfile = 2;
    s.keyboardOptions = {7, 9, 0, 0};
    g.mouse.setFirmwareState(s);
    g.reset();
    uchar profile = 2, dpi = 0;
    g.link.hid560_84H_GetCurrentDPI(profile, dpi);
    uchar current = 0;
    g.link.hid560_82H_GetCurrentProfile(current);
    uchar k1 = 0, k2 = 0;
    g.link.hid560_81H_GetKeyboardoption(k1, k2);
    QCOMPARE(int(profile), 2);
    QCOMPARE(int(dpi), 5);
    QCOMPARE(int(current), 2);
    QCOMPARE(int(k1), 7);
    QCOMPARE(int(k2), 9);
    QCOMPARE(g.sentFrames().first(), LinkFixture::hex("008402000000000079"));
}

void tst_LinkFrames::readProfile()
{
    LinkFixture f({.chipType = "560"});
    QVERIFY(f.connectMouse());
    FirmwareState s = f.mouse.firmwareState();
    s.profileBlocks[1] = bytes(128, 0x21);
    f.mouse.setFirmwareState(s);
    f.reset();
    QByteArray block(128, '\x55');
    f.link.hid560_8CH_readProfile(data(block), 1);
    QCOMPARE(f.sentFrames(), QList<QByteArray>{LinkFixture::hex("008c01000000000072")});
    QCOMPARE(block, bytes(128, 0x21));
    QCOMPARE(ops(f.commandCalls()).count("hid_read_timeout"), 4); // four 32-byte reports
    QVERIFY(f.clock.sleeps().isEmpty());
    QVERIFY(f.link.isHidFree());

    // A mouse that stops in the middle: the read gives up after 1000 ms, the
    // link is free and the caller keeps its own block.
    QByteArray mine(128, '\x77');
    const double before = f.clock.now();
    int secondRead = 0;
    for (int i = 0, reads = 0; i < f.commandCalls().size() && !secondRead; ++i)
        if (f.commandCalls().at(i).op == QLatin1String("hid_read_timeout") && ++reads == 2)
            secondRead = i + 1;
    QVERIFY(secondRead > 0);
    f.reset();
    f.mouse.failCall(secondRead, HidFault::Stall); // the second input report
    f.link.hid560_8CH_readProfile(data(mine), 1);
    QCOMPARE(f.clock.now() - before, 1000.0);
    QCOMPARE(mine, QByteArray(128, '\x77'));
    QVERIFY(f.link.isHidFree());
    QVERIFY(!f.link.lastCommandSucceeded());
    QCOMPARE(f.commandCalls().last().op, QStringLiteral("hid_close"));
    // The next action, after the event loop ended the broken sequence, reads again.
    QCoreApplication::processEvents();
    f.link.hid560_8CH_readProfile(data(mine), 1);
    QCOMPARE(mine, bytes(128, 0x21));
}

void tst_LinkFrames::scrambledFrames()
{
    LinkFixture f({.chipType = "553", .isEncode = true, .sCode = "A1b2C3"});
    QVERIFY(f.connectMouse());
    FirmwareState s = f.mouse.firmwareState();
    s.currentDpiStage = 4;
    f.mouse.setFirmwareState(s);
    f.reset();
    uchar stage = 0;
    f.link.hid553_8BH_GetCurrentDPI(stage);
    QCOMPARE(f.sentFrames(), QList<QByteArray>{LinkFixture::hex("00b660efe7fd56ae87")});
    QCOMPARE(int(stage), 4); // the answer came back scrambled and was deciphered
    QCOMPARE(f.plainFrames().last(), LinkFixture::hex("008b00000000000074"));

    LinkFixture g({.chipType = "560", .isEncode = true, .sCode = "A1b2C3"});
    QVERIFY(g.connectMouse());
    g.reset();
    QByteArray block = bytes(128, 9);
    g.link.hid560_0CH_setProfile(data(block), 1);
    QCOMPARE(g.sentFrames(), QList<QByteArray>{LinkFixture::hex("00b660dfe7018eb287")});
    // Bulk data is never scrambled.
    QCOMPARE(g.writtenReports().first().mid(1), block.left(32));
    QCOMPARE(g.mouse.firmwareState().profileBlocks[1], block);
}

void tst_LinkFrames::busyLink()
{
    LinkFixture f({.chipType = "560"});
    QVERIFY(f.connectMouse());
    f.reset();
    // A second command arrives while the first waits for the mouse to settle
    // (pending events run inside the transport).
    bool inner = false;
    uchar profile = 0x11, stage = 0x22;
    f.clock.setSleepHook([&](int ms) {
        if (inner || ms != 64)
            return;
        inner = true;
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 84");
        f.link.hid560_84H_GetCurrentDPI(profile, stage);
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 00");
        QVERIFY(!f.link.chkDeviceIsEnCode(1)); // no exchange is no echo
    });
    f.link.hid560_02H_SetCurrentProfile(2); // no settle: the hook must not fire
    f.link.hid553_01H_SetReportRate(4);
    f.clock.setSleepHook({});
    QVERIFY(inner);
    QCOMPARE(int(profile), 0x11); // untouched
    QCOMPARE(int(stage), 0x22);
    QList<int> expected{8, 64};
    for (int i = 0; i < 2 * 255; ++i)
        expected << 8;
    expected << 64;
    QCOMPARE(f.clock.sleeps(), expected);
    // Neither failed command sent anything; the first one went through.
    QCOMPARE(f.sentFrames().size(), 2);
    QCOMPARE(f.mouse.firmwareState().profileReportRate.size(), 0);
    QVERIFY(f.link.isHidFree());
}

void tst_LinkFrames::transferFailures()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    f.reset();
    // The feature report fails: no settle, the link is free at once.
    f.mouse.failCall(6, HidFault::Error);
    f.link.hid553_01H_SetReportRate(3);
    QVERIFY(f.clock.sleeps().isEmpty());
    QVERIFY(f.link.isHidFree());
    QCOMPARE(f.commandCalls().last().op, QStringLiteral("hid_close"));
    QCoreApplication::processEvents();
    f.link.hid553_01H_SetReportRate(3);
    QCOMPARE(f.mouse.firmwareState().reportRate, 3);

    // A failed query hands the caller's own values back.
    QCoreApplication::processEvents();
    f.reset();
    f.mouse.failCall(6, HidFault::Error);
    uchar profile = 3, stage = 7;
    f.link.hid560_84H_GetCurrentDPI(profile, stage);
    QCOMPARE(int(profile), 3);
    QCOMPARE(int(stage), 7);

    // An interface that cannot be opened is forgotten until the next detection.
    QCoreApplication::processEvents();
    f.reset();
    f.mouse.failCall(1, HidFault::Error);
    f.link.hid553_01H_SetReportRate(2);
    QVERIFY(f.link.deviceTable().at(1).commandPath.isEmpty());
    QCoreApplication::processEvents();
    f.link.hid553_01H_SetReportRate(2);
    QCOMPARE(f.commandCalls().size(), 1);
    QCOMPARE(f.mouse.firmwareState().reportRate, 3);
    // A query that reaches no interface has failed, and so has the echo check.
    QCoreApplication::processEvents();
    f.link.hid560_84H_GetCurrentDPI(profile, stage);
    QVERIFY(!f.link.lastCommandSucceeded());
    QCoreApplication::processEvents();
    QVERIFY(!f.link.chkDeviceIsEnCode(1));
}

QTEST_GUILESS_MAIN(tst_LinkFrames)
#include "tst_linkframes.moc"
