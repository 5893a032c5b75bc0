// The virtual mouse itself: what it enumerates, unplug and plug, its state
// report, the transcript lines and the demo set-up from apConfig.
#include "TempDataFolder.h"
#include "virtualmouse/DemoMouse.h"
#include "virtualmouse/VirtualMouse.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

class tst_VirtualMouse : public QObject
{
    Q_OBJECT
private slots:
    void enumeratesInterfaces();
    void unplugClosesHandles();
    void stateJson();
    void transcriptLines();
    void demoFollowsApConfig();
};

void tst_VirtualMouse::enumeratesInterfaces()
{
    VirtualMouse mouse({.keyboardPresent = true});
    HidDeviceInfo *all = mouse.enumerate(0, 0);
    QStringList seen;
    for (HidDeviceInfo *d = all; d; d = d->next)
        seen << QStringLiteral("%1:%2 %3/%4")
                    .arg(d->vendorId, 4, 16, QLatin1Char('0'))
                    .arg(d->productId, 4, 16, QLatin1Char('0'))
                    .arg(d->usagePage, 4, 16, QLatin1Char('0'))
                    .arg(d->usage, 4, 16, QLatin1Char('0'));
    mouse.freeEnumeration(all);
    QCOMPARE(seen, QStringList({"04d9:8008 ff01/0001", "04d9:8008 ff02/0001", "04d9:a1ee ff00/ff00",
                                "04d9:a1ee ff01/ff01"}));
    HidDeviceInfo *mice = mouse.enumerate(0x04D9, 0xA1EE);
    QVERIFY(mice && mice->next && !mice->next->next);
    mouse.freeEnumeration(mice);
    QVERIFY(!mouse.enumerate(0x04D9, 0x1234));
}

void tst_VirtualMouse::unplugClosesHandles()
{
    VirtualMouse mouse;
    HidDevice *h = mouse.openPath(VirtualMouse::CommandPath);
    QVERIFY(h);
    const unsigned char frame[9] = {0, 0x01, 0x02, 0, 0, 0, 0, 0, 0xFC};
    QCOMPARE(mouse.sendFeatureReport(h, frame, 9), 9);
    mouse.unplug();
    QCOMPARE(mouse.sendFeatureReport(h, frame, 9), -1);
    QVERIFY(!mouse.openPath(VirtualMouse::CommandPath));
    QVERIFY(!mouse.enumerate(0x04D9, 0xA1EE));
    mouse.plug();
    QCOMPARE(mouse.sendFeatureReport(h, frame, 9), -1); // an old handle stays dead
    mouse.close(h);
    HidDevice *again = mouse.openPath(VirtualMouse::CommandPath);
    QVERIFY(again);
    QCOMPARE(mouse.sendFeatureReport(again, frame, 9), 9);
    mouse.close(again);
    QCOMPARE(mouse.firmwareState().reportRate, 2);
    // A frame with a wrong checksum is not taken.
    const unsigned char bad[9] = {0, 0x01, 0x05, 0, 0, 0, 0, 0, 0xFC};
    again = mouse.openPath(VirtualMouse::CommandPath);
    mouse.sendFeatureReport(again, bad, 9);
    mouse.close(again);
    QCOMPARE(mouse.firmwareState().reportRate, 2);
}

void tst_VirtualMouse::stateJson()
{
    VirtualMouse mouse({.chipType = "560"});
    mouse.pressDpiButton(4);
    const QJsonObject o = mouse.stateJson();
    QCOMPARE(o.value("chipType").toString(), QStringLiteral("560"));
    QCOMPARE(o.value("profileBlocks").toArray().size(), 5);
    QCOMPARE(o.value("profileBlocks").toArray().at(4).toArray().size(), 128);
    QCOMPARE(o.value("profileDpiStage").toObject().value("1").toInt(), 4);
    QCOMPARE(o.value("keyboardOptions").toArray().size(), 2);
    QVERIFY(o.value("plugged").toBool());
    for (const char *key :
         {"reportRate", "dpiTable", "currentDpiStage", "keyMatrices", "macros", "ledEffect",
          "fixColor", "led8Colors", "gunData", "rightHand", "currentProfile"})
        QVERIFY2(o.contains(QLatin1String(key)), key);
    QVERIFY(!VirtualMouse().stateJson().contains("profileBlocks"));
}

void tst_VirtualMouse::transcriptLines()
{
    HidCall call{12.5, "hid_write", "virtual/\"x\"", QByteArray::fromHex("00ff10"), 33};
    QCOMPARE(call.toJsonLine(),
             QByteArray(R"({"t": 12.500, "op": "hid_write", "path": "virtual/\"x\"", )"
                        R"("data": "00ff10", "result": 33})"));
    const QJsonObject parsed = QJsonDocument::fromJson(call.toJsonLine()).object();
    QCOMPARE(parsed.value("path").toString(), QStringLiteral("virtual/\"x\""));
    QCOMPARE(parsed.value("t").toDouble(), 12.5);

    TempDataFolder folder;
    VirtualMouse mouse;
    {
        TranscriptFile transcript;
        QVERIFY(transcript.open(folder.file("t.jsonl"), mouse));
        mouse.freeEnumeration(mouse.enumerate(0x04D9, 0xA1EE));
        HidDevice *h = mouse.openPath(VirtualMouse::NotificationPath);
        mouse.close(h);
    }
    mouse.freeEnumeration(mouse.enumerate(0, 0)); // after the file was closed
    const QList<QByteArray> lines = folder.read("t.jsonl").trimmed().split('\n');
    QCOMPARE(lines.size(), 4);
    QStringList ops;
    for (const QByteArray &line : lines)
        ops << QJsonDocument::fromJson(line).object().value("op").toString();
    QCOMPARE(ops,
             QStringList({"hid_enumerate", "hid_free_enumeration", "hid_open_path", "hid_close"}));
    const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
    QCOMPARE(first.value("data").toString(), QStringLiteral("04d9a1ee"));
    QCOMPARE(first.value("result").toInt(), 2);
}

void tst_VirtualMouse::demoFollowsApConfig()
{
    TempDataFolder folder;
    folder.write("modules/setting/apConfig.bin",
                 "[common]\ndeviceCount=2\n[0]\nvid=04d9\npid=8008\n"
                 "[1]\nvid=04d9\npid=a1ee\nreportLength=64\nisEncode=true\nsCode=mso]s_\n"
                 "[mouse]\nicType=560\n");
    const std::unique_ptr<VirtualMouse> mouse =
        makeDemoMouse(QStringLiteral("./modules/setting/apConfig.bin"));
    const VirtualMouseConfig c = mouse->config();
    QCOMPARE(c.chipType, QStringLiteral("560"));
    QVERIFY(c.isEncode);
    QCOMPARE(c.sCode, QStringLiteral("mso]s_"));
    QCOMPARE(c.reportLength, 64);

    // A demo runs as long as the program: its calls reach the transcript only.
    int seen = 0;
    mouse->setCallSink([&seen](const HidCall &) { ++seen; });
    for (int i = 0; i < 3; ++i)
        mouse->freeEnumeration(mouse->enumerate(0x04D9, 0xA1EE));
    QCOMPARE(seen, 6);
    QVERIFY(mouse->calls().isEmpty());
}

QTEST_GUILESS_MAIN(tst_VirtualMouse)
#include "tst_virtualmouse.moc"
