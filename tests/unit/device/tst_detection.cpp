// Device table and detection through the seam, with apConfig variants.
#include "LinkFixture.h"
#include "TempDataFolder.h"

#include <QSettings>
#include <QTest>

namespace {

const QString apConfigPath = QStringLiteral("./modules/setting/apConfig.bin");

QByteArray mouseGroup(const QByteArray &group, const QByteArray &extra = {})
{
    return "[" + group +
           "]\ntype=1\nvid=04d9\npid=a1ee\nusagePage=ff00\nusage=ff00\nusagePage2=ff01\n"
           "usage2=ff01\nreportLength=32\n" +
           extra;
}

// QSettings re-reads a file only when its size or time stamp changed; quick
// rewrites in one test differ in size so each is seen.
void writeConfig(const TempDataFolder &folder, const QByteArray &text)
{
    static int generation = 0;
    folder.write("modules/setting/apConfig.bin",
                 text + "\n;" + QByteArray(++generation, 'x') + "\n");
}

int enumerations(const LinkFixture &f)
{
    int n = 0;
    for (const HidCall &c : f.mouse.calls())
        n += c.op == QLatin1String("hid_enumerate");
    return n;
}

} // namespace

class tst_Detection : public QObject
{
    Q_OBJECT
private slots:
    void tableFromApConfig();
    void emptyTable();
    void oneEntry();
    void twoEntries();
    void echoCode();
    void echoBytesFollowTheSecond();
    void entriesWithoutIdsAreSkipped();
    void countBoundByGroups();
    void notificationInterfaceMissing();
    void presentButNotOpened();
};

void tst_Detection::tableFromApConfig()
{
    TempDataFolder folder;
    writeConfig(folder,
                "[common]\ndeviceCount=3\n"
                "[0]\ntype=0\nvid=04d9\npid=8008\nusagePage=ff01\nusage=0001\nusagePage2=ff02\n"
                "usage2=0001\nreportLength=64\nisEncode=true\nsCode=A1b2C3\n"
                "[1]\nvid=xyz\nreportLength=0\n"
                "[2]\ntype=1\nvid=104d9\npid=a1ee\n");
    QSettings settings(apConfigPath, QSettings::IniFormat);
    const QList<DeviceEntry> t = readDeviceTable(settings);
    QCOMPARE(t.size(), 3);
    QCOMPARE(t[0].type, 0);
    QCOMPARE(t[0].vid, quint16(0x04D9));
    QCOMPARE(t[0].pid, quint16(0x8008));
    QCOMPARE(t[0].usagePage, quint16(0xFF01));
    QCOMPARE(t[0].usage, quint16(0x0001));
    QCOMPARE(t[0].usagePage2, quint16(0xFF02));
    QCOMPARE(t[0].reportLength, 64);
    QVERIFY(t[0].isEncode);
    QCOMPARE(t[0].sCode, QStringLiteral("A1b2C3"));
    // Missing keys take their defaults; text that is not hexadecimal gives 0.
    QCOMPARE(t[1].type, -1);
    QCOMPARE(t[1].vid, quint16(0));
    QCOMPARE(t[1].reportLength, 32); // a report length of 0 would never end a transfer
    QVERIFY(!t[1].isEncode);
    QCOMPARE(t[1].sCode, QStringLiteral("274915"));
    QCOMPARE(t[2].vid, quint16(0x04D9)); // truncated to 16 bits
}

void tst_Detection::emptyTable()
{
    TempDataFolder folder;
    LinkFixture f;
    writeConfig(folder, "[common]\ndeviceCount=0\n");
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), -1);
    QCOMPARE(enumerations(f), 0);
    QVERIFY(f.link.deviceTable().isEmpty());
    // No file at all: the same.
    QCOMPARE(f.link.findVerifiedDevice(QStringLiteral("./modules/setting/none.bin")), -1);
    QCOMPARE(enumerations(f), 0);
}

void tst_Detection::oneEntry()
{
    TempDataFolder folder;
    LinkFixture f;
    writeConfig(folder, "[common]\ndeviceCount=1\n" + mouseGroup("0"));
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), 0);
    QCOMPARE(f.link.currentDeviceIndex(), 0);
    const DeviceEntry e = f.link.deviceTable().at(0);
    QCOMPARE(e.commandPath, QString::fromLatin1(VirtualMouse::CommandPath));
    QCOMPARE(e.notificationPath, QString::fromLatin1(VirtualMouse::NotificationPath));
    QCOMPARE(f.mouse.calls().first().data, QByteArray::fromHex("04d9a1ee"));

    f.mouse.unplug();
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), -1);
    QVERIFY(f.link.deviceTable().at(0).commandPath.isEmpty());
}

void tst_Detection::twoEntries()
{
    TempDataFolder folder;
    {
        // Both present: the keyboard (entry 0) answers first and wins.
        LinkFixture f({.keyboardPresent = true});
        writeConfig(folder, f.apConfigText());
        QCOMPARE(f.link.findVerifiedDevice(apConfigPath), 0);
        QCOMPARE(f.link.deviceTable().at(0).commandPath,
                 QString::fromLatin1(VirtualMouse::KeyboardCommandPath));
    }
    {
        // The keyboard fails its echo: the mouse is tried next.
        LinkFixture f({.keyboardPresent = true, .keyboardAnswersEcho = false});
        writeConfig(folder, f.apConfigText());
        QCOMPARE(f.link.findVerifiedDevice(apConfigPath), 1);
    }
    {
        // No keyboard: its entry has no command path and is skipped without an exchange.
        LinkFixture f;
        writeConfig(folder, f.apConfigText());
        QCOMPARE(f.link.findVerifiedDevice(apConfigPath), 1);
        QVERIFY(f.link.deviceTable().at(0).commandPath.isEmpty());
        for (const HidCall &c : f.mouse.calls())
            QVERIFY(!c.path.contains(QLatin1String("8008")));
    }
}

void tst_Detection::echoCode()
{
    TempDataFolder folder;
    LinkFixture f({.isEncode = true, .sCode = "A1b2C3"});
    writeConfig(folder, f.apConfigText());
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), 1);

    // The program's code differs from the mouse's: the echo comes back wrong.
    QByteArray text = f.apConfigText();
    text.replace("sCode=A1b2C3", "sCode=A1b2C4");
    writeConfig(folder, text);
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), -1);

    // A code of five characters leaves the last code in place (here the wrong one).
    text.replace("sCode=A1b2C4", "sCode=A1b2C");
    writeConfig(folder, text);
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), -1);
    text.replace("sCode=A1b2C\n", "sCode=A1b2C3\n");
    writeConfig(folder, text);
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), 1);
    text.replace("sCode=A1b2C3\n", "sCode=A1b2C34\n");
    writeConfig(folder, text);
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), 1);

    // A mouse that answers a plain echo wrongly.
    LinkFixture g;
    g.mouse.setWrongEcho(true);
    writeConfig(folder, g.apConfigText());
    QCOMPARE(g.link.findVerifiedDevice(apConfigPath), -1);
}

void tst_Detection::echoBytesFollowTheSecond()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    QVERIFY(f.connectMouse());
    QList<QByteArray> frames = f.plainFrames();
    QCOMPARE(frames.size(), 2);
    QCOMPARE(frames[0], frames[1]); // same second, same four bytes
    QCOMPARE(frames[0].at(1), '\0');
    QCOMPARE(frames[0].mid(6, 2), QByteArray(2, '\0'));
    f.clock.setSecondsSinceEpoch(f.clock.secondsSinceEpoch() + 1);
    QVERIFY(f.connectMouse());
    frames = f.plainFrames();
    QVERIFY(frames[2].mid(2, 4) != frames[1].mid(2, 4));

    // A failed transfer is no echo, whatever bytes the frame holds.
    f.mouse.failCall(6, HidFault::Error);
    QVERIFY(!f.link.chkDeviceIsEnCode(1));
    QVERIFY(f.link.isHidFree());
}

void tst_Detection::entriesWithoutIdsAreSkipped()
{
    // An id of 0 would enumerate every HID device and send the echo to any
    // that shares the usage pair: such entries are not scanned at all.
    const QList<QPair<QByteArray, QByteArray>> edits{
        {"vid=04d9", "vid=not-hex"}, {"vid=04d9\n", ""}, {"pid=a1ee", "pid=0"}};
    for (const auto &[from, to] : edits) {
        TempDataFolder folder;
        LinkFixture f;
        writeConfig(folder, "[common]\ndeviceCount=1\n" + mouseGroup("0").replace(from, to));
        QTest::ignoreMessage(QtDebugMsg, "Device entry 0 skipped: no vendor or product id");
        QCOMPARE(f.link.findVerifiedDevice(apConfigPath), -1);
        QVERIFY2(f.mouse.calls().isEmpty(), to.constData());
        QCOMPARE(f.link.deviceTable().size(), 1);
    }
}

void tst_Detection::countBoundByGroups()
{
    // A count far beyond the groups present costs no scan per missing entry.
    TempDataFolder folder;
    LinkFixture f;
    writeConfig(folder, "[common]\ndeviceCount=2147483647\n" + mouseGroup("0"));
    QTest::ignoreMessage(QtDebugMsg, "Device entry 1 skipped: no vendor or product id");
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), 0);
    QVERIFY(f.link.deviceTable().size() <= 2); // the groups "0" and "common"
    QCOMPARE(enumerations(f), 1);
}

void tst_Detection::notificationInterfaceMissing()
{
    TempDataFolder folder;
    LinkFixture f({.notificationInterface = false});
    writeConfig(folder, f.apConfigText());
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), 1);
    QVERIFY(f.link.deviceTable().at(1).notificationPath.isEmpty());
    f.link.hidStart(1);
    // Nothing to listen to: the flag does not stay up, so device-change
    // notices still lead to detection.
    QTRY_VERIFY(!f.link.isListenerRunning());
}

QTEST_GUILESS_MAIN(tst_Detection)
#include "tst_detection.moc"

void tst_Detection::presentButNotOpened()
{
    // Only a device that enumerates and then refuses to open is "not opened";
    // a missing mouse or a wrong echo is plain "no device".
    struct Case
    {
        const char *name;
        bool refused, plugged, wrongEcho;
        QStringList observed;
    };
    const QList<Case> cases{
        {"refused", true, true, false, {QStringLiteral("notOpened|04d9:a1ee")}},
        {"unplugged", true, false, false, {}},
        {"wrong echo", false, true, true, {}},
    };
    for (const Case &c : cases) {
        TempDataFolder folder;
        LinkFixture f;
        writeConfig(folder, f.apConfigText());
        f.mouse.setOpenRefused(c.refused);
        if (!c.plugged)
            f.mouse.unplug();
        f.mouse.setWrongEcho(c.wrongEcho);
        f.observer.clear();
        QCOMPARE(f.link.findVerifiedDevice(apConfigPath), -1);
        QVERIFY2(f.observer.events() == c.observed, c.name);
        QVERIFY(f.link.isHidFree());
    }
    // Once the user may open it, the same mouse connects.
    TempDataFolder folder;
    LinkFixture f;
    writeConfig(folder, f.apConfigText());
    f.mouse.setOpenRefused(true);
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), -1);
    f.mouse.setOpenRefused(false);
    writeConfig(folder, f.apConfigText());
    QCOMPARE(f.link.findVerifiedDevice(apConfigPath), 1);
}
