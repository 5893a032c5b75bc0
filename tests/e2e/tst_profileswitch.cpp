// The real executable in demo mode, driven with xdotool on the X display:
// a new profile from the profiles page, switching to it and back from the
// title-bar list, a DPI stage dragged there and saved, and a profile
// exported and imported again through the program's file dialogs. After each
// switch the virtual mouse holds the profile number and the key matrix, stage
// table, report rate and lighting of that profile's file. Once per chip family.
#include "DemoSession.h"
#include "MouseBytes.h"

#include <QFile>
#include <QJsonArray>
#include <QScopeGuard>
#include <QTest>

using MouseBytes::ints;

namespace {

// What the mouse must hold for one profile, worked out from its file.
struct ProfileBytes
{
    QList<int> matrix;  // 64 bytes in device slot order
    QList<int> codes;   // the eight stage codes of sensor 3360: dpi / 100 - 1
    int stageCount = 0; // active stages
    int rate = 0;       // report-rate code: index 0, 1, 2, 3 -> 8, 4, 2, 1
    QList<int> effect;  // kind, brightness, speed
    QList<int> colours; // eight colours, R, G, B
};

const QList<int> factoryColours{255, 0,   0,   0,   255, 0, 0,  0, 255, 255, 0,   255,
                                0,   255, 255, 255, 127, 0, 96, 0, 255, 255, 255, 255};

// A new profile, a copy of pD.bin: 400, 800, 1600, 3200, 4800, 6400, 8000,
// 12000 dpi with four stages on, rate index 3, lighting effect 9 at speed
// step 2 and brightness step 4 (0xFF, speed 10).
ProfileBytes defaultProfile()
{
    return {MouseBytes::factoryKeyMatrix(),
            {3, 7, 15, 31, 47, 63, 79, 119},
            4,
            1,
            {9, 0xFF, 10},
            factoryColours};
}

// The first profile as the test leaves it: rate index 1, button 5 "Volume+"
// (consumer usage 0x00E9, device slot 3), effect 5 at brightness step 4
// (0xFF, no speed) and a blue first colour.
ProfileBytes firstProfile()
{
    ProfileBytes p = defaultProfile();
    p.rate = 4;
    p.matrix[12] = 0x03;
    p.matrix[14] = 0xE9;
    p.effect = {5, 0xFF, 0};
    p.colours[0] = 0;
    p.colours[2] = 255;
    return p;
}

QStringList storedNames(const ProgramCopy &program)
{
    return program.read(QStringLiteral("setting/name.bin"), QStringLiteral("profile/profileName"))
        .toStringList();
}

} // namespace

class tst_ProfileSwitch : public QObject
{
    Q_OBJECT
private slots:
    void newProfileSwitchAndExchange_data() { DemoSession::addChipRows(); }
    void newProfileSwitchAndExchange();

private:
    // A click on the button named name, on the profiles page when it is open.
    void click(const QString &name, const QString &role = Role::button, int button = 1)
    {
        const AccessibleApp::Node page =
            demo->accessible().find(QStringLiteral("config"), Role::dialog, {}, 0);
        QVERIFY(demo->click(name, role, page, button));
    }
    // The title bar's profile list to the row named row.
    void chooseProfile(const QString &row)
    {
        click(QStringLiteral("Profile"), Role::comboBox);
        click(row, Role::listItem);
    }
    void verifyMouseHolds(int profileNo, const QString &chip, const ProfileBytes *bytes);
    void waitForDialog(const QString &title);
    // The file dialog's name field takes the path; Return accepts it.
    void typeIntoDialog(const QString &path);

    std::unique_ptr<DemoSession> demo;
};

// The mouse took profile profileNo (device profile profileNo + 1) and, given
// bytes, that profile's key matrix, stage table, rate and lighting.
void tst_ProfileSwitch::verifyMouseHolds(int profileNo, const QString &chip,
                                         const ProfileBytes *bytes)
{
    const QString device = QString::number(profileNo + 1);
    auto value = [this](const char *key) { return demo->state().value(QLatin1String(key)); };
    if (chip == QLatin1String("560")) {
        QTRY_COMPARE_WITH_TIMEOUT(value("currentProfile").toInt(), profileNo + 1, 5000);
        if (bytes) {
            // The profile's own matrix (128 bytes) and block; the colours
            // live in block 0, for every profile.
            auto block = [&](int n) { return value("profileBlocks").toArray().at(n); };
            QTRY_COMPARE_WITH_TIMEOUT(ints(block(profileNo + 1), 71, 3), bytes->effect, 5000);
            QTRY_COMPARE_WITH_TIMEOUT(ints(block(0), 24, 24), bytes->colours, 5000);
            QTRY_COMPARE_WITH_TIMEOUT(ints(block(profileNo + 1), 84, 8), bytes->codes, 5000);
            QCOMPARE(ints(block(profileNo + 1), 92, 8), bytes->codes);
            QCOMPARE(ints(block(profileNo + 1), 100, 1), QList<int>{(1 << bytes->stageCount) - 1});
            QTRY_COMPARE_WITH_TIMEOUT(value("profileReportRate").toObject().value(device).toInt(),
                                      bytes->rate, 5000);
            QTRY_COMPARE_WITH_TIMEOUT(ints(value("keyMatrices").toObject().value(device)),
                                      bytes->matrix + QList<int>(64, 0), 5000);
        }
    } else {
        // This family takes the profile number as the key matrix to use;
        // the user's matrix is number 2 (the 0x8B answer of a fresh mouse
        // sets the right-hand flag), whatever the profile.
        QTRY_COMPARE_WITH_TIMEOUT(value("currentKeyMatrix").toInt(), profileNo + 1, 5000);
        if (bytes) {
            QList<int> table = bytes->codes;
            for (int i = bytes->stageCount; i < 8; ++i)
                table[i] = 0x80; // stage off
            QTRY_COMPARE_WITH_TIMEOUT(ints(value("ledEffect")), bytes->effect, 5000);
            QTRY_COMPARE_WITH_TIMEOUT(ints(value("led8Colors")), bytes->colours, 5000);
            QTRY_COMPARE_WITH_TIMEOUT(ints(value("dpiTable")), table, 5000);
            QCOMPARE(value("dpiStageCount").toInt(), bytes->stageCount);
            QTRY_COMPARE_WITH_TIMEOUT(value("reportRate").toInt(), bytes->rate, 5000);
            QTRY_COMPARE_WITH_TIMEOUT(ints(value("keyMatrices").toObject().value("2")),
                                      bytes->matrix, 5000);
        }
    }
    // The screen stays locked until every page has sent its part.
    QTest::qWait(1500);
}

// Waits for the program's file dialog of that title.
void tst_ProfileSwitch::waitForDialog(const QString &title)
{
    QTRY_VERIFY_WITH_TIMEOUT(
        demo->xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                       QStringLiteral("--name"), title}),
        10000);
    // Its widgets are laid out and the name field has the focus.
    QTest::qWait(500);
}

void tst_ProfileSwitch::typeIntoDialog(const QString &path)
{
    QVERIFY(demo->xdotool({QStringLiteral("type"), path}));
    QVERIFY(demo->xdotool({QStringLiteral("key"), QStringLiteral("Return")}));
}

void tst_ProfileSwitch::newProfileSwitchAndExchange()
{
    QFETCH(QString, chip);
    auto end = qScopeGuard([this] { demo.reset(); });
    demo = DemoSession::startCopy(chip, [](ProgramCopy &program) {
        const QString first = QStringLiteral("setting/p1.bin");
        program.write(QStringLiteral("setting/apConfig.bin"), QStringLiteral("mouse/profileNo"), 0);
        // The first profile differs from the default one in its rate (250
        // against 1000 Hz), button 5, lighting effect and first colour.
        program.write(first, QStringLiteral("mouse/reportRate"), 1);
        for (const char *key : {"mouseKeyMatrix/4", "mouseKeyMatrix0/4"})
            program.write(first, QLatin1String(key), QVariantList{3, 0, 0xE9, 0});
        program.write(first, QStringLiteral("mouse/lightValue"), QVariantList{5, 0, 4});
        QVariantList colours = program.read(first, QStringLiteral("mouse/colorValue")).toList();
        QCOMPARE(colours.size(), 24);
        colours[0] = 0;
        colours[2] = 255;
        program.write(first, QStringLiteral("mouse/colorValue"), colours);
        program.remove(QStringLiteral("setting/name.bin"), QStringLiteral("profile"));
    });
    if (!demo)
        return; // skipped or failed, with the reason
    const ProgramCopy &program = demo->copy();
    auto bytesOf = [&](const char *file) {
        return program.read(QStringLiteral("setting/") + QLatin1String(file));
    };

    // Start-up selects the profile but sends none of its settings.
    verifyMouseHolds(0, chip, nullptr);

    // A new profile: the second row, profile file 2 with the default settings.
    click(QStringLiteral("Config"));
    click(QStringLiteral("New"));
    click(QStringLiteral("Close"));
    QCOMPARE(storedNames(program),
             (QStringList{QStringLiteral("Standard0"), QStringLiteral("profile_01")}));
    QCOMPARE(bytesOf("p2.bin"), bytesOf("pD.bin"));

    // To it from the title-bar list, a DPI stage changed and saved there,
    // back to the first, and to the second again.
    const ProfileBytes first = firstProfile();
    ProfileBytes second = defaultProfile();
    chooseProfile(QStringLiteral("profile_0"));
    verifyMouseHolds(1, chip, &second);
    // Stage 2's knob 60 pixels up: 800 to 5300 dpi.
    const QPoint knob = demo->dpiKnob(2);
    QVERIFY(!knob.isNull());
    QVERIFY(demo->drag(knob, knob - QPoint(0, 60)));
    click(QStringLiteral("Save"));
    QTRY_COMPARE_WITH_TIMEOUT(
        program.read(QStringLiteral("setting/p2.bin"), QStringLiteral("mouse/dpiValueArray"))
            .toStringList(),
        (QStringList{"400", "5300", "1600", "3200", "4800", "6400", "8000", "12000"}), 5000);
    second.codes[1] = 52;
    verifyMouseHolds(1, chip, &second);
    chooseProfile(QStringLiteral("Standard"));
    verifyMouseHolds(0, chip, &first);
    QCOMPARE(program.read(QStringLiteral("setting/apConfig.bin"), QStringLiteral("mouse/profileNo"))
                 .toInt(),
             0);
    chooseProfile(QStringLiteral("profile_0"));
    verifyMouseHolds(1, chip, &second);

    // The second row exported and imported as a third: the same bytes,
    // through the row's own menu.
    const QString exchange = program.folder() + QStringLiteral("/second.pf");
    click(QStringLiteral("Config"));
    click(QStringLiteral("profile_0"), Role::listItem, 3);
    click(QStringLiteral("Export"));
    waitForDialog(QStringLiteral("Save File"));
    typeIntoDialog(exchange);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(exchange), 5000);
    QFile exported(exchange);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const QByteArray exportedBytes = exported.readAll();
    QCOMPARE(exportedBytes, bytesOf("p2.bin"));

    click(QStringLiteral("Import"));
    waitForDialog(QStringLiteral("Open File"));
    typeIntoDialog(exchange);
    QTRY_COMPARE_WITH_TIMEOUT(bytesOf("p3.bin"), exportedBytes, 5000);
    QCOMPARE(storedNames(program),
             (QStringList{QStringLiteral("Standard0"), QStringLiteral("profile_01"),
                          QStringLiteral("profile_12")}));
}

QTEST_GUILESS_MAIN(tst_ProfileSwitch)
#include "tst_profileswitch.moc"
