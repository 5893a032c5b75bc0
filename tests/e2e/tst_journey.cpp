// A user's whole journey with the real program in demo mode, once per chip
// family: first start, one edit on every page and Save, a profile switch
// and back, a factory reset, the mouse pulled out and plugged in again
// while a panel is open, a second start that brings the hidden window back,
// Quit, and a new start that still holds what was saved. Each step is
// checked on the virtual mouse (its state over D-Bus) and on the files.
#include "DemoSession.h"
#include "ProgramCopy.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTest>

namespace {

// Window positions of the shipped layout.
const QPoint saveButton(968, 620);
const QPoint configButton(808, 620);
const QPoint resetButton(888, 620);
const QPoint resetOk(669, 349);
const QPoint windowClose(992, 24);
const QPoint titleList(830, 24);
const QPoint reportRateList(180, 455);
const QPoint systemEntry(140, 496);
const QPoint systemClose(696, 184);
const QPoint macroEntry(120, 402);
const QPoint macroNew(192 + 48, 96 + 420);
const QPoint macroClose(808, 116);
const QPoint profileNew(352, 432);
const QPoint profileClose(696, 196);
// The key dialog, centred, with its body 41 below its top.
constexpr int dialogX = (1024 - 416) / 2;
constexpr int dialogY = (640 - 404) / 2;
constexpr int bodyY = dialogY + 41;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<int> bytes(const QJsonValue &value, int from, int count)
{
    QList<int> out;
    const QJsonArray a = value.toArray();
    for (int i = from; i < from + count && i < a.size(); ++i)
        out << a.at(i).toInt();
    return out;
}

} // namespace

class tst_Journey : public QObject
{
    Q_OBJECT
private slots:
    void wholeJourney_data();
    void wholeJourney();

private:
    // The DPI page's edit: stage 2 pressed (current on the mouse at once)
    // and dragged 60 pixels up, from 800 to 5300 dpi.
    void editDpiStage(DemoSession &demo);
    // The mouse holds the DPI stages 400, 5300, 1600, 3200, 4800, 6400,
    // 8000, 12000 of which the first activeStages are on.
    void verifyDpi(DemoSession &demo, bool is560, int activeStages);
    void shoot(DemoSession &demo, const QString &name)
    {
        demo.shoot(QStringLiteral(R770_SHOT_DIR), QStringLiteral("journey-") + chip + name);
    }

    QString chip;
};

void tst_Journey::editDpiStage(DemoSession &demo)
{
    QVERIFY(demo.xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), demo.windowId(),
                          QStringLiteral("864"), QStringLiteral("256"), QStringLiteral("mousedown"),
                          QStringLiteral("1")}));
    QTest::qWait(300);
    QVERIFY(demo.xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), demo.windowId(),
                          QStringLiteral("864"), QStringLiteral("226")}));
    QVERIFY(demo.xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), demo.windowId(),
                          QStringLiteral("864"), QStringLiteral("196"), QStringLiteral("mouseup"),
                          QStringLiteral("1")}));
    QTest::qWait(300);
}

void tst_Journey::verifyDpi(DemoSession &demo, bool is560, int activeStages)
{
    // Sensor 3360: code = dpi / 100 - 1.
    const QList<int> codes{3, 52, 15, 31, 47, 63, 79, 119};
    if (is560) {
        auto block1 = [&] { return demo.state().value("profileBlocks").toArray().at(1); };
        QTRY_COMPARE_WITH_TIMEOUT(bytes(block1(), 84, 8), codes, 15000);
        QCOMPARE(bytes(block1(), 92, 8), codes);
        QCOMPARE(bytes(block1(), 100, 1), QList<int>{(1 << activeStages) - 1});
    } else {
        QList<int> table = codes.mid(0, activeStages);
        while (table.size() < 8)
            table << 0x80;
        QTRY_COMPARE_WITH_TIMEOUT(bytes(demo.state().value("dpiTable"), 0, 8), table, 15000);
        QCOMPARE(demo.state().value("dpiStageCount").toInt(), activeStages);
    }
}

void tst_Journey::wholeJourney_data()
{
    QTest::addColumn<QString>("chipType");
    // "553": a fresh mouse answers stage 1 to the right-hand query, so the
    // buttons go to matrix 2; "560": to the matrix of profile 1.
    QTest::addColumn<QString>("matrix");
    QTest::newRow("553") << QStringLiteral("553") << QStringLiteral("2");
    QTest::newRow("560") << QStringLiteral("560") << QStringLiteral("1");
}

void tst_Journey::wholeJourney()
{
    QFETCH(QString, chipType);
    QFETCH(QString, matrix);
    chip = chipType;
    const bool is560 = chip == QLatin1String("560");
    DemoSession demo;
    QString whyNot;
    if (!demo.startBus(&whyNot))
        QSKIP(qPrintable(whyNot));

    ProgramCopy program(QStringLiteral(R770_EXECUTABLE),
                        QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    const QString settings = program.folder() + QStringLiteral("/modules/setting/");
    const QString exe = program.executable();
    {
        QSettings(settings + QStringLiteral("apConfig.bin"), QSettings::IniFormat)
            .setValue(QStringLiteral("mouse/icType"), chip);
        QSettings(settings + QStringLiteral("name.bin"), QSettings::IniFormat)
            .remove(QStringLiteral("profile"));
    }
    auto profileFile = [&](int number) {
        return QSettings(settings + QStringLiteral("p%1.bin").arg(number), QSettings::IniFormat);
    };
    const QByteArray factoryProfile = readAll(settings + QStringLiteral("pD.bin"));

    // First start: the mouse is found and told nothing of the profile.
    QVERIFY2(demo.launch(exe), demo.output().constData());
    QCOMPARE(demo.state().value("plugged").toBool(), true);
    QCOMPARE(demo.state().value("chipType").toString(), chip);
    QCOMPARE(demo.state().value("keyMatrices").toObject().size(), 0);
    shoot(demo, QStringLiteral("-first"));

    // Key list and dialog: button 5 becomes "Volume+" (media, usage 0xE9).
    QVERIFY(demo.click({367 + 18, 254 + 18}));
    QVERIFY(demo.click({dialogX + 16 + 30, bodyY + 312 + 12}));
    QVERIFY(demo.click({dialogX + 16 + 30, bodyY + 312 + 24 + 12}));
    QVERIFY(demo.click({dialogX + 416 - 16 - 8, dialogY + 20}));
    QVERIFY(demo.click(saveButton));
    auto slot3 = [&] {
        return bytes(demo.state().value("keyMatrices").toObject().value(matrix), 12, 4);
    };
    QTRY_COMPARE_WITH_TIMEOUT(slot3(), (QList<int>{0x03, 0x00, 0xE9, 0x00}), 10000);
    QCOMPARE(demo.state().value("keyMatrices").toObject().value(matrix).toArray().size(),
             is560 ? 128 : 64);

    // DPI page (stage 2 to 5300 dpi, three active stages) and lighting
    // page ("Wave", block 1 from red to 0, 128, 255), then Save.
    editDpiStage(demo);
    QVERIFY(!QTest::currentTestFailed());
    if (is560)
        QTRY_COMPARE_WITH_TIMEOUT(
            demo.state().value("profileDpiStage").toObject().value("1").toInt(), 2, 3000);
    else
        QTRY_COMPARE_WITH_TIMEOUT(demo.state().value("currentDpiStage").toInt(), 2, 3000);
    QVERIFY(demo.click({928, 76}));
    QVERIFY(demo.click({928, 148}));
    QVERIFY(demo.click({900, 340}));
    QVERIFY(demo.click({900, 484}));
    QVERIFY(demo.drag({792, 456}, {897, 456}));
    QVERIFY(demo.click(saveButton));
    verifyDpi(demo, is560, 3);
    QVERIFY(!QTest::currentTestFailed());
    const QList<int> wave{5, 0xFF, 0};
    if (is560) {
        const QJsonArray blocks = demo.state().value("profileBlocks").toArray();
        QCOMPARE(bytes(blocks.at(1), 71, 3), wave);
        QCOMPARE(bytes(blocks.at(0), 24, 3), (QList<int>{0, 128, 255}));
    } else {
        QCOMPARE(bytes(demo.state().value("ledEffect"), 0, 3), wave);
        QCOMPARE(bytes(demo.state().value("led8Colors"), 0, 3), (QList<int>{0, 128, 255}));
    }
    QTRY_COMPARE_WITH_TIMEOUT(profileFile(1).value("mouse/lightValue").toStringList().value(0),
                              QStringLiteral("5"), 5000);

    // Report rate 500 Hz (rate code 2), sent when chosen and kept on Save.
    QVERIFY(demo.click(reportRateList));
    QVERIFY(demo.click({reportRateList.x(), 479 + 2 * 24}));
    QVERIFY(demo.click(saveButton));
    if (is560)
        QTRY_COMPARE_WITH_TIMEOUT(
            demo.state().value("profileReportRate").toObject().value("1").toInt(), 2, 5000);
    else
        QTRY_COMPARE_WITH_TIMEOUT(demo.state().value("reportRate").toInt(), 2, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(profileFile(1).value("mouse/reportRate").toInt(), 2, 5000);

    // System settings: the pointer-speed knob 40 pixels right, level 7 of
    // 10, which the desktop holds as 0.4.
    QVERIFY(demo.click(systemEntry));
    QVERIFY(demo.drag({512, 253}, {552, 253}));
    shoot(demo, QStringLiteral("-system"));
    QByteArray speed;
    QProcess gsettings;
    gsettings.setProcessEnvironment(demo.environment());
    auto desktopSpeed = [&] {
        gsettings.start(QStringLiteral("gsettings"),
                        {QStringLiteral("get"),
                         QStringLiteral("org.gnome.desktop.peripherals.mouse"),
                         QStringLiteral("speed")});
        gsettings.waitForFinished(5000);
        return gsettings.readAllStandardOutput().trimmed().toDouble();
    };
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(desktopSpeed() - 0.4) < 1e-9, 5000);
    QVERIFY(demo.click(systemClose));
    QVERIFY(demo.click(saveButton));
    QTRY_COMPARE_WITH_TIMEOUT(profileFile(1).value("mouse/mouseRate").toInt(), 210, 5000);

    // Macro editor: a new macro has its file and its name in the list.
    QVERIFY(demo.click(macroEntry));
    QVERIFY(demo.click(macroNew));
    shoot(demo, QStringLiteral("-macro"));
    QTRY_VERIFY_WITH_TIMEOUT(
        QFile::exists(program.folder() + QStringLiteral("/modules/macro/Macro_0.bin")), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(QSettings(settings + QStringLiteral("name.bin"), QSettings::IniFormat)
                                  .value("macro/macroName")
                                  .toStringList()
                                  .value(0),
                              QStringLiteral("Macro_0"), 5000);
    QVERIFY(demo.click(macroClose));
    QVERIFY(demo.click(saveButton));

    // Profiles page: a new profile is a copy of the default one.
    QVERIFY(demo.click(configButton));
    QVERIFY(demo.click(profileNew));
    QVERIFY(demo.click(profileClose));
    QCOMPARE(QSettings(settings + QStringLiteral("name.bin"), QSettings::IniFormat)
                 .value("profile/profileName")
                 .toStringList(),
             (QStringList{QStringLiteral("Standard0"), QStringLiteral("profile_01")}));
    QCOMPARE(readAll(settings + QStringLiteral("p2.bin")), factoryProfile);
    QVERIFY(demo.click(saveButton));
    const QByteArray edited = readAll(settings + QStringLiteral("p1.bin"));
    QVERIFY(edited != factoryProfile);

    // To the new profile from the title bar and back.
    auto onProfile = [&](int device) {
        QTRY_COMPARE_WITH_TIMEOUT(
            demo.state().value(is560 ? "currentProfile" : "currentKeyMatrix").toInt(), device,
            5000);
        QTRY_COMPARE_WITH_TIMEOUT(
            QSettings(settings + QStringLiteral("apConfig.bin"), QSettings::IniFormat)
                .value("mouse/profileNo")
                .toInt(),
            device - 1, 5000);
        QTest::qWait(3500); // the screen stays locked while the pages reload
    };
    QVERIFY(demo.click(titleList));
    QVERIFY(demo.click({titleList.x(), 48 + 24}));
    onProfile(2);
    QVERIFY(demo.click(titleList));
    shoot(demo, QStringLiteral("-back"));
    QVERIFY(demo.click({titleList.x(), 48}));
    onProfile(1);
    QCOMPARE(readAll(settings + QStringLiteral("p1.bin")), edited);

    // Factory reset: the mouse's own DPI button first moves to stage 3;
    // the reset gives profile 1 the default file and the mouse stage 2.
    QVERIFY(demo.callMouse(QStringLiteral("PressDpiButton"), {QVariant::fromValue(uchar(3))}));
    QTest::qWait(800);
    QVERIFY(demo.click(resetButton));
    shoot(demo, QStringLiteral("-reset"));
    QVERIFY(demo.click(resetOk));
    QTRY_COMPARE_WITH_TIMEOUT(readAll(settings + QStringLiteral("p1.bin")), factoryProfile, 5000);
    if (is560)
        QTRY_COMPARE_WITH_TIMEOUT(
            demo.state().value("profileDpiStage").toObject().value("1").toInt(), 2, 5000);
    else
        QTRY_COMPARE_WITH_TIMEOUT(demo.state().value("currentDpiStage").toInt(), 2, 5000);

    // Pulled out and plugged in while the system settings panel is open;
    // afterwards the DPI edit reaches the mouse again.
    QVERIFY(demo.click(systemEntry));
    const int connects = demo.output().count("Device Connect");
    QVERIFY(demo.callMouse(QStringLiteral("Unplug")));
    QCOMPARE(demo.state().value("plugged").toBool(), false);
    QTest::qWait(1500);
    QVERIFY(demo.callMouse(QStringLiteral("Plug")));
    QTRY_COMPARE_WITH_TIMEOUT(demo.output().count("Device Connect"), connects + 1, 15000);
    QTest::qWait(1600);
    shoot(demo, QStringLiteral("-replugged"));
    QVERIFY(demo.click(systemClose));
    editDpiStage(demo);
    QVERIFY(demo.click(saveButton));
    verifyDpi(demo, is560, 4);
    QVERIFY(!QTest::currentTestFailed());
    QTRY_COMPARE_WITH_TIMEOUT(profileFile(1).value("mouse/dpiValueArray").toStringList().value(1),
                              QStringLiteral("5300"), 5000);

    // Closed to the tray, the window comes back with a second start, which
    // ends at once with 1.
    QVERIFY(demo.click(windowClose));
    QTRY_VERIFY_WITH_TIMEOUT(!demo.windowVisible(), 5000);
    QCOMPARE(demo.runAgain(exe, {}), 1);
    QTRY_VERIFY_WITH_TIMEOUT(demo.windowVisible(), 5000);
    QCOMPARE(demo.program().state(), QProcess::Running);

    // Quit. Xvfb has no tray host, so the tray menu cannot be reached there;
    // "--quit" asks the running program for what the menu's Quit does.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        qInfo("a tray host is present; quitting with --quit all the same");
    else
        qInfo("no tray host on this display: quitting with --quit");
    const QByteArray saved = readAll(settings + QStringLiteral("p1.bin"));
    QCOMPARE(demo.runAgain(exe, {QStringLiteral("--quit")}), 0);
    QVERIFY(demo.waitForExit(10000));
    QCOMPARE(demo.program().exitStatus(), QProcess::NormalExit);
    QCOMPARE(demo.program().exitCode(), 0);

    // A new start shows the saved values: Save sends them to the new
    // mouse unchanged and leaves the file as it was.
    QVERIFY2(demo.launch(exe), demo.output().constData());
    shoot(demo, QStringLiteral("-restarted"));
    QCOMPARE(demo.state().value("plugged").toBool(), true);
    QCOMPARE(demo.state().value("keyMatrices").toObject().size(), 0);
    // Four active stages chosen again: Save sends the stages the page shows.
    QVERIFY(demo.click({928, 76}));
    QVERIFY(demo.click({928, 76 + 4 * 24}));
    QVERIFY(demo.click(saveButton));
    verifyDpi(demo, is560, 4);
    QVERIFY(!QTest::currentTestFailed());
    QTest::qWait(500);
    QCOMPARE(readAll(settings + QStringLiteral("p1.bin")), saved);
    QVERIFY2(!demo.output().contains("cmd Failed"), demo.output().constData());
}

QTEST_MAIN(tst_Journey)
#include "tst_journey.moc"
