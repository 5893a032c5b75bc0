#include "BackendTestData.h"
#include "FakeFileDialogs.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>

// Macro files, the name lists and the profiles' references to macros.
class BackendMacrosTest : public QObject
{
    Q_OBJECT

private slots:
    void createSaveLoadRoundTrip();
    void missingMacroFiles();
    void unsafeNamesNeverLeaveTheMacroFolder();
    void nameListMarkerRules();
    void newMacrosNeverTakeAFileOrTheMarker();
    void renameUpdatesProfilesZeroToFive();
    void renameOntoExistingMacroChangesNothing();
    void deleteResetsButtonsThatUsedTheMacro();
    void importAndExportThroughDialogs();
};

namespace {

QString macroFile(const QString &name)
{
    return QStringLiteral("modules/macro/") + name + QStringLiteral(".bin");
}

// Every file and folder under the data folder's parent, with its size.
QStringList allFiles(const TempDataFolder &data)
{
    QStringList found;
    QDirIterator it(data.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        found.append(it.filePath() + QLatin1Char(' ') + QString::number(it.fileInfo().size()));
    }
    found.sort();
    return found;
}

} // namespace

void BackendMacrosTest::createSaveLoadRoundTrip()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    TestView view;

    QCOMPARE(view.createMacroIni(QStringLiteral("Macro_1"), 0), QVariant(true));
    {
        QSettings macro(data.file(macroFile(QStringLiteral("Macro_1"))), QSettings::IniFormat);
        QCOMPARE(macro.value(QStringLiteral("config/index")).toInt(), 0);
        QCOMPARE(macro.value(QStringLiteral("config/total")).toInt(), 0);
        QCOMPARE(macro.value(QStringLiteral("config/repeat")).toInt(), 1);
        QCOMPARE(macro.value(QStringLiteral("config/did")).toInt(), -1);
    }
    QCOMPARE(view.loadMacroIni(QStringLiteral("Macro_1")), QStringList{QStringLiteral("1")});

    const QStringList events{QStringLiteral("1,A"), QStringLiteral("0,50"), QStringLiteral("2,A")};
    QCOMPARE(view.saveMacroIni(QStringLiteral("Macro_1"), events, 3), QVariant(true));
    const QByteArray text = data.read(macroFile(QStringLiteral("Macro_1")));
    QVERIFY2(text.contains("0=\"1,A\""), text.constData()); // a comma is kept inside quotes
    QCOMPARE(view.loadMacroIni(QStringLiteral("Macro_1")),
             events + QStringList{QStringLiteral("3")});

    // A shorter recording leaves no surplus events behind.
    QCOMPARE(view.saveMacroIni(QStringLiteral("Macro_1"), {QStringLiteral("3,MS-L")}, 1),
             QVariant(true));
    QSettings macro(data.file(macroFile(QStringLiteral("Macro_1"))), QSettings::IniFormat);
    macro.beginGroup(QStringLiteral("macro"));
    QCOMPARE(macro.childKeys(), QStringList{QStringLiteral("0")});
    QCOMPARE(view.loadMacroIni(QStringLiteral("Macro_1")),
             (QStringList{QStringLiteral("3,MS-L"), QStringLiteral("1")}));

    // Names in any script are fine; a missing event reads "0".
    const QString chinese = QStringLiteral("宏一");
    QCOMPARE(view.createMacroIni(chinese, 4), QVariant(true));
    data.write(macroFile(chinese), "[config]\ntotal=2\nrepeat=2\n[macro]\n1=\"2,B\"\n");
    QCOMPARE(view.loadMacroIni(chinese),
             (QStringList{QStringLiteral("0"), QStringLiteral("2,B"), QStringLiteral("2")}));

    // A damaged total does not make a list of millions.
    data.write(macroFile(QStringLiteral("big")), "[config]\ntotal=2000000000\n");
    QVERIFY(view.loadMacroIni(QStringLiteral("big")).size() <= 4097);

    QCOMPARE(view.deleteMacroIni(QStringLiteral("Macro_1")), QVariant(true));
    QVERIFY(!QFile::exists(data.file(macroFile(QStringLiteral("Macro_1")))));
    QCOMPARE(view.deleteMacroIni(QStringLiteral("Macro_1")), QVariant(false));
}

void BackendMacrosTest::missingMacroFiles()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    TestView view;

    QCOMPARE(view.saveMacroIni(QStringLiteral("none"), {QStringLiteral("1,A")}, 1),
             QVariant(false));
    QVERIFY(!QFile::exists(data.file(macroFile(QStringLiteral("none")))));
    QVERIFY(view.loadMacroIni(QStringLiteral("none")).isEmpty());
    QCOMPARE(view.modifyMacroNameUpdateProfile(QStringLiteral("none"), QStringLiteral("other")),
             QVariant(false));
}

void BackendMacrosTest::unsafeNamesNeverLeaveTheMacroFolder()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    FakeFileDialogs dialogs;
    dialogs.answer = data.file(QStringLiteral("picked.mc"));
    data.write(QStringLiteral("picked.mc"), "[config]\ntotal=0\n");
    TestView view;
    view.setFileDialogs(&dialogs);
    // Files a bad name could reach.
    data.write(QStringLiteral("modules/x.bin"), "keep");
    data.write(QStringLiteral("modules/macro/a.bin"), "keep");
    QVERIFY(view.createMacroIni(QStringLiteral("good"), 0).toBool());
    const QStringList filesBefore = allFiles(data);

    const QStringList bad{QStringLiteral("../x"),
                          QStringLiteral("a/b"),
                          QString(),
                          QStringLiteral("a\\b"),
                          QStringLiteral(".."),
                          QStringLiteral("c:x"),
                          QStringLiteral("nul") + QChar(0) + QStringLiteral("x"),
                          QStringLiteral("tab\there"),
                          QString(200, QLatin1Char('m'))};
    for (const QString &name : bad) {
        QCOMPARE(view.createMacroIni(name, 0), QVariant(false));
        QCOMPARE(view.saveMacroIni(name, {QStringLiteral("1,A")}, 1), QVariant(false));
        QVERIFY(view.loadMacroIni(name).isEmpty());
        QCOMPARE(view.deleteMacroIni(name), QVariant(false));
        QCOMPARE(view.modifyMacroNameUpdateProfile(QStringLiteral("good"), name), QVariant(false));
        QVERIFY(!view.loadMacroFile(name));
        view.saveMacroFile(name);
        QVERIFY(view.getLangStrings(QStringLiteral("main"), name).isEmpty());
    }
    QVERIFY(dialogs.requests.isEmpty());
    QCOMPARE(data.read(QStringLiteral("modules/x.bin")), QByteArray("keep"));
    QCOMPARE(data.read(QStringLiteral("modules/macro/a.bin")), QByteArray("keep"));
    QVERIFY(QFile::exists(data.file(macroFile(QStringLiteral("good")))));
    QCOMPARE(allFiles(data), filesBefore);
}

void BackendMacrosTest::newMacrosNeverTakeAFileOrTheMarker()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    FakeFileDialogs dialogs;
    TestView view;
    view.setFileDialogs(&dialogs);

    // Left by a crash between writing the file and saving the names.
    const QByteArray lost = "[config]\ntotal=1\nrepeat=3\n\n[macro]\n0=1,A\n";
    data.write(macroFile(QStringLiteral("Macro_0")), lost);
    QCOMPARE(view.createMacroIni(QStringLiteral("Macro_0"), 0), QVariant(false));
    data.write(QStringLiteral("picked.mc"), "[config]\ntotal=0\n");
    dialogs.answer = data.file(QStringLiteral("picked.mc"));
    QVERIFY(!view.loadMacroFile(QStringLiteral("Macro_0")));
    QCOMPARE(data.read(macroFile(QStringLiteral("Macro_0"))), lost);

    // The name list's marker names no macro.
    const QString marker = QStringLiteral("loadermorvel");
    QCOMPARE(view.createMacroIni(marker, 0), QVariant(false));
    QVERIFY(!view.loadMacroFile(marker));
    QVERIFY(view.createMacroIni(QStringLiteral("mine"), 0).toBool());
    QCOMPARE(view.modifyMacroNameUpdateProfile(QStringLiteral("mine"), marker), QVariant(false));
    QVERIFY(!QFile::exists(data.file(macroFile(marker))));
    QVERIFY(QFile::exists(data.file(macroFile(QStringLiteral("mine")))));
}

void BackendMacrosTest::nameListMarkerRules()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    TestView view;

    QCOMPARE(view.updataNameList(0, {QStringLiteral("Macro_1")}), QVariant(true));
    QCOMPARE(view.getNameList(0),
             (QVariantList{QStringLiteral("Macro_1"), QStringLiteral("loadermorvel")}));
    QVERIFY(data.read(QStringLiteral("modules/setting/name.bin"))
                .contains("macroName=Macro_1, loadermorvel"));

    view.updataNameList(1, {QStringLiteral("AK"), QStringLiteral("M4")});
    view.updataNameList(2, {QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P3")});
    view.updataNameList(3, {QStringLiteral("AK")});
    QCOMPARE(view.getNameList(1), (QVariantList{QStringLiteral("AK"), QStringLiteral("M4")}));
    QCOMPARE(view.getNameList(2).size(), 3);
    QCOMPARE(view.getNameList(3),
             (QVariantList{QStringLiteral("AK"), QStringLiteral("loadermorvel")}));
    QSettings names(data.file(QStringLiteral("modules/setting/name.bin")), QSettings::IniFormat);
    QVERIFY(names.contains(QStringLiteral("gun/gunName")));
    QVERIFY(names.contains(QStringLiteral("gun/selectGun")));

    // An empty list removes the key; other types touch nothing.
    QCOMPARE(view.updataNameList(2, {}), QVariant(true));
    QCOMPARE(view.updataNameList(4, {QStringLiteral("x"), QStringLiteral("y")}), QVariant(true));
    names.sync();
    QVERIFY(!names.contains(QStringLiteral("profile/profileName")));
    QCOMPARE(names.allKeys().size(), 3);
    QVERIFY(view.getNameList(2).isEmpty());
    QVERIFY(view.getNameList(4).isEmpty());
    QVERIFY(view.getNameList(-1).isEmpty());
}

void BackendMacrosTest::renameUpdatesProfilesZeroToFive()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    TestView view;
    view.createMacroIni(QStringLiteral("old"), 0);
    view.setCurrentProfile(0);
    view.setData(QStringLiteral("mouseMacroKey/2"), QStringLiteral("old"));
    view.setData(QStringLiteral("mouseMacroKey/3"), QStringLiteral("kept"));
    view.setCurrentProfile(5);
    view.setData(QStringLiteral("mouseMacroKey/7"), QStringLiteral("old"));
    view.setCurrentProfile(6);
    view.setData(QStringLiteral("mouseMacroKey/2"), QStringLiteral("old"));

    QCOMPARE(view.modifyMacroNameUpdateProfile(QStringLiteral("old"), QStringLiteral("new")),
             QVariant(true));
    QVERIFY(!QFile::exists(data.file(macroFile(QStringLiteral("old")))));
    QVERIFY(QFile::exists(data.file(macroFile(QStringLiteral("new")))));
    view.setCurrentProfile(0);
    QCOMPARE(view.getData(QStringLiteral("mouseMacroKey/2")).toString(), QStringLiteral("new"));
    QCOMPARE(view.getData(QStringLiteral("mouseMacroKey/3")).toString(), QStringLiteral("kept"));
    view.setCurrentProfile(5);
    QCOMPARE(view.getData(QStringLiteral("mouseMacroKey/7")).toString(), QStringLiteral("new"));
    view.setCurrentProfile(6);
    QCOMPARE(view.getData(QStringLiteral("mouseMacroKey/2")).toString(), QStringLiteral("old"));
}

void BackendMacrosTest::renameOntoExistingMacroChangesNothing()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    TestView view;
    view.createMacroIni(QStringLiteral("old"), 0);
    view.createMacroIni(QStringLiteral("taken"), 1);
    view.saveMacroIni(QStringLiteral("taken"), {QStringLiteral("1,B")}, 2);
    const QByteArray taken = data.read(macroFile(QStringLiteral("taken")));
    view.setData(QStringLiteral("mouseMacroKey/2"), QStringLiteral("old"));

    QCOMPARE(view.modifyMacroNameUpdateProfile(QStringLiteral("old"), QStringLiteral("taken")),
             QVariant(false));
    QCOMPARE(view.getData(QStringLiteral("mouseMacroKey/2")).toString(), QStringLiteral("old"));
    QVERIFY(QFile::exists(data.file(macroFile(QStringLiteral("old")))));
    QCOMPARE(data.read(macroFile(QStringLiteral("taken"))), taken);
}

void BackendMacrosTest::deleteResetsButtonsThatUsedTheMacro()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    TestView view;
    const QVariantList macroOn3{4, 1, 3, 0};
    for (int p : {0, 1, 4, 5, 6}) {
        view.setCurrentProfile(p);
        view.setData(QStringLiteral("mouseKeyMatrix/0"), macroOn3);
        view.setData(QStringLiteral("mouseKeyMatrix/3"), macroOn3);
        view.setData(QStringLiteral("mouseKeyMatrix0/3"), macroOn3);
        view.setData(QStringLiteral("mouseMacroKey/3"), QStringLiteral("gone"));
        view.setData(QStringLiteral("mouseKeyMatrix/5"), QVariantList{4, 0, 5, 0});
        view.setData(QStringLiteral("mouseMacroKey/5"), QStringLiteral("other"));
        // A fire key whose values look like a macro slot is no macro.
        view.setData(QStringLiteral("mouseKeyMatrix/7"), QVariantList{1, 4, 3, 0});
    }
    view.setCurrentProfile(4);
    // A macro button without a factory definition is cleared.
    view.setData(QStringLiteral("mouseKeyMatrix/9"), QVariantList{4, 0, 3, 0});

    view.deleteMacroUpdateProfile(QStringLiteral("gone"));
    for (int p : {0, 1, 4, 5}) {
        view.setCurrentProfile(p);
        QCOMPARE(view.mouseGetKeydefine(0, false), view.mouseGetKeydefine(0, true));
        QCOMPARE(view.mouseGetKeydefine(3, false), (QVariantList{"0", "0", "242", "0"}));
        QCOMPARE(view.getDataList(QStringLiteral("mouseKeyMatrix/5")),
                 (QVariantList{"4", "0", "5", "0"}));
        QCOMPARE(view.getDataList(QStringLiteral("mouseKeyMatrix/7")),
                 (QVariantList{"1", "4", "3", "0"}));
        QCOMPARE(view.getDataList(QStringLiteral("mouseKeyMatrix0/3")),
                 (QVariantList{"4", "1", "3", "0"}));
        QCOMPARE(view.getData(QStringLiteral("mouseMacroKey/3")).toString(),
                 QStringLiteral("gone"));
    }
    view.setCurrentProfile(4);
    QVERIFY(!view.getData(QStringLiteral("mouseKeyMatrix/9")).isValid());
    view.setCurrentProfile(6);
    QCOMPARE(view.getDataList(QStringLiteral("mouseKeyMatrix/3")),
             (QVariantList{"4", "1", "3", "0"}));
}

void BackendMacrosTest::importAndExportThroughDialogs()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    FakeFileDialogs dialogs;
    TestView view;
    view.setFileDialogs(&dialogs);

    const QByteArray exchanged = "[config]\ntotal=1\nrepeat=2\n\n[macro]\n0=\"1,A\"\n";
    data.write(QStringLiteral("in.mc"), exchanged);
    QFile::setPermissions(data.file(QStringLiteral("in.mc")), QFile::ReadOwner);
    dialogs.answer = data.file(QStringLiteral("in.mc"));
    QVERIFY(view.loadMacroFile(QStringLiteral("Macro_2")));
    QCOMPARE(dialogs.requests.last().kind, QStringLiteral("open"));
    QCOMPARE(dialogs.requests.last().caption, QStringLiteral("Open File"));
    QCOMPARE(dialogs.requests.last().filter, QStringLiteral("Macro(*.mc)"));
    QCOMPARE(data.read(macroFile(QStringLiteral("Macro_2"))), exchanged);
    // The copy is the program's own and can be edited.
    QVERIFY(view.saveMacroIni(QStringLiteral("Macro_2"), {QStringLiteral("1,B")}, 1).toBool());

    // An existing macro is not overwritten; a vanished or cancelled pick imports nothing.
    const QByteArray current = data.read(macroFile(QStringLiteral("Macro_2")));
    QVERIFY(!view.loadMacroFile(QStringLiteral("Macro_2")));
    QCOMPARE(data.read(macroFile(QStringLiteral("Macro_2"))), current);
    dialogs.answer = data.file(QStringLiteral("vanished.mc"));
    QVERIFY(!view.loadMacroFile(QStringLiteral("Macro_3")));
    dialogs.answer.clear();
    QVERIFY(!view.loadMacroFile(QStringLiteral("Macro_3")));
    QVERIFY(!QFile::exists(data.file(macroFile(QStringLiteral("Macro_3")))));
    // A file that is not a macro imports nothing (the editor then makes an empty
    // one): unparsable text would never take the editor's saves.
    for (const QByteArray &notAMacro :
         {QByteArray("[config\ntotal=1\n"), QByteArray("just text\n"), QByteArray(),
          QByteArray("[config]\ntotal=1\n[macro]\n0 \"1,A\"\n")}) {
        data.write(QStringLiteral("other.mc"), notAMacro);
        dialogs.answer = data.file(QStringLiteral("other.mc"));
        QVERIFY2(!view.loadMacroFile(QStringLiteral("Macro_3")), notAMacro.constData());
        QVERIFY(!QFile::exists(data.file(macroFile(QStringLiteral("Macro_3")))));
    }

    // Export: a byte copy, replacing an older export; a missing macro keeps it.
    data.write(QStringLiteral("out.mc"), "older export");
    dialogs.answer = data.file(QStringLiteral("out.mc"));
    view.saveMacroFile(QStringLiteral("Macro_2"));
    QCOMPARE(dialogs.requests.last().kind, QStringLiteral("save"));
    QCOMPARE(dialogs.requests.last().caption, QStringLiteral("Save File"));
    QCOMPARE(dialogs.requests.last().filter, QStringLiteral("Macro(*.mc)"));
    QCOMPARE(data.read(QStringLiteral("out.mc")), current);
    view.saveMacroFile(QStringLiteral("Macro_9"));
    QCOMPARE(data.read(QStringLiteral("out.mc")), current);
}

QTEST_MAIN(BackendMacrosTest)
#include "tst_backend_macros.moc"
