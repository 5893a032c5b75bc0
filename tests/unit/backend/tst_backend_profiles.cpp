#include "BackendTestData.h"
#include "FakeFileDialogs.h"
#include "RenameFaults.h"

#include <QFile>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

// Export, import, reset and copy of the profile files.
class BackendProfilesTest : public QObject
{
    Q_OBJECT

private slots:
    void exportWritesByteCopyThroughSaveDialog();
    void exportHoldsPendingWritesAndKeepsOldFileWhenSourceIsGone();
    void importReplacesProfileAndIsReadBack();
    void importOfVanishedSourceKeepsProfile();
    void importDropsWritesMadeToTheReplacedProfile();
    void importRefusesWhatIsNotAProfile_data();
    void importRefusesWhatIsNotAProfile();
    void exportThenImportGivesTheSameBytes();
    void resetAndCopyReplaceFiles();
    void sameSizeReplacementsWithTheOldStampAreReadBack();
    void outOfRangeProfilesAreRefused();
};

void BackendProfilesTest::exportWritesByteCopyThroughSaveDialog()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    FakeFileDialogs dialogs;
    TestView view;
    view.setFileDialogs(&dialogs);

    dialogs.answer = data.file(QStringLiteral("first.pf"));
    view.saveProfile(0);
    QCOMPARE(data.read(QStringLiteral("first.pf")),
             data.read(QStringLiteral("modules/setting/p1.bin")));
    QCOMPARE(dialogs.requests.size(), 1);
    const FakeFileDialogs::Request asked = dialogs.requests.first();
    QCOMPARE(asked.kind, QStringLiteral("save"));
    QCOMPARE(asked.parent, &view);
    QCOMPARE(asked.caption, QStringLiteral("Save File"));
    QCOMPARE(asked.filter, QStringLiteral("Profile(*.pf)"));
    QCOMPARE(asked.directory, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));

    // An existing export is replaced by the new content.
    data.write(QStringLiteral("last.pf"), "old content that is longer than the profile itself....");
    dialogs.answer = data.file(QStringLiteral("last.pf"));
    view.saveProfile(9);
    QCOMPARE(data.read(QStringLiteral("last.pf")),
             data.read(QStringLiteral("modules/setting/p10.bin")));

    // Cancelled: nothing is written.
    dialogs.answer.clear();
    view.saveProfile(1);
    QCOMPARE(QDir(data.path()).entryList({QStringLiteral("*.pf")}).size(), 2);
}

void BackendProfilesTest::exportHoldsPendingWritesAndKeepsOldFileWhenSourceIsGone()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    FakeFileDialogs dialogs;
    TestView view;
    view.setFileDialogs(&dialogs);

    view.setData(QStringLiteral("mouse/lod"), 2);
    dialogs.answer = data.file(QStringLiteral("out.pf"));
    view.saveProfile(0);
    QSettings exported(data.file(QStringLiteral("out.pf")), QSettings::IniFormat);
    QCOMPARE(exported.value(QStringLiteral("mouse/lod")).toInt(), 2);

    // The profile file vanished behind the program's back: the export stays.
    const QByteArray before = data.read(QStringLiteral("out.pf"));
    QFile::remove(data.file(QStringLiteral("modules/setting/p3.bin")));
    view.saveProfile(2);
    QCOMPARE(data.read(QStringLiteral("out.pf")), before);
}

void BackendProfilesTest::importReplacesProfileAndIsReadBack()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    FakeFileDialogs dialogs;
    TestView view;
    view.setFileDialogs(&dialogs);
    const QByteArray p3 = data.read(QStringLiteral("modules/setting/p3.bin"));

    QVERIFY(!view.loadProfile(2));
    QCOMPARE(dialogs.requests.last().kind, QStringLiteral("open"));
    QCOMPARE(dialogs.requests.last().caption, QStringLiteral("Open File"));
    QCOMPARE(dialogs.requests.last().filter, QStringLiteral("Profile(*.pf)"));
    QCOMPARE(dialogs.requests.last().parent, &view);
    QCOMPARE(data.read(QStringLiteral("modules/setting/p3.bin")), p3);

    const QByteArray imported = "[mouse]\nname=imported\nreportRate=1\nlod=3\n";
    data.write(QStringLiteral("in.pf"), imported);
    dialogs.answer = data.file(QStringLiteral("in.pf"));
    view.setCurrentProfile(5);
    QVERIFY(view.loadProfile(2));
    flushDeletions();
    QCOMPARE(data.read(QStringLiteral("modules/setting/p3.bin")), imported);
    QCOMPARE(view.currentProfileIndex(), 5);
    QCOMPARE(view.profileList.size(), 10);
    view.setCurrentProfile(2);
    QCOMPARE(view.getData(QStringLiteral("mouse/name")).toString(), QStringLiteral("imported"));
    QCOMPARE(view.getData(QStringLiteral("mouse/lod")).toInt(), 3);

    // Picking the profile's own file keeps it whole.
    dialogs.answer = data.file(QStringLiteral("modules/setting/p3.bin"));
    QVERIFY(view.loadProfile(2));
    flushDeletions();
    QCOMPARE(data.read(QStringLiteral("modules/setting/p3.bin")), imported);
}

void BackendProfilesTest::importOfVanishedSourceKeepsProfile()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    FakeFileDialogs dialogs;
    TestView view;
    view.setFileDialogs(&dialogs);
    const QByteArray p3 = data.read(QStringLiteral("modules/setting/p3.bin"));
    QSettings *before = view.profileList.at(2);

    // The picked file is gone before it is read.
    dialogs.answer = data.file(QStringLiteral("vanished.pf"));
    QVERIFY(!view.loadProfile(2));
    flushDeletions();
    QCOMPARE(data.read(QStringLiteral("modules/setting/p3.bin")), p3);
    QCOMPARE(view.profileList.at(2), before);
    view.setCurrentProfile(2);
    QCOMPARE(view.getData(QStringLiteral("mouse/name")).toString(), QStringLiteral("profile3"));
    // No temporary file is left behind.
    const QDir settingDir(data.file(QStringLiteral("modules/setting")));
    QCOMPARE(settingDir.entryList({QStringLiteral("p3*")}, QDir::Files),
             QStringList{QStringLiteral("p3.bin")});
}

void BackendProfilesTest::importDropsWritesMadeToTheReplacedProfile()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    FakeFileDialogs dialogs;
    TestView view;
    view.setFileDialogs(&dialogs);

    // A page wrote to the profile a moment before the import, not yet on disk.
    view.setCurrentProfile(2);
    view.setData(QStringLiteral("mouse/stale"), 7);
    const QByteArray imported = "[mouse]\nname=imported\n";
    data.write(QStringLiteral("in.pf"), imported);
    dialogs.answer = data.file(QStringLiteral("in.pf"));
    QVERIFY(view.loadProfile(2));
    flushDeletions();
    QCOMPARE(data.read(QStringLiteral("modules/setting/p3.bin")), imported);
    QVERIFY(!view.getData(QStringLiteral("mouse/stale")).isValid());
}

void BackendProfilesTest::importRefusesWhatIsNotAProfile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("isFolder");
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("other text") << QByteArray("just some notes\nabout a mouse\n") << false;
    QTest::newRow("ini without profile keys") << QByteArray("[macro]\n0=1,A\n") << false;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << false;
    // A profile with a line the reader cannot parse (found only when every section is read).
    QTest::newRow("damaged section") << QByteArray("[mouse]\nlod=1\n[keys]\n0 x\n") << false;
    // A name that cannot be read as a file.
    QTest::newRow("unreadable") << QByteArray() << true;
}

void BackendProfilesTest::importRefusesWhatIsNotAProfile()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, isFolder);
    TempDataFolder data;
    writeSettingFiles(data, {});
    FakeFileDialogs dialogs;
    TestView view;
    view.setFileDialogs(&dialogs);
    const QByteArray p2 = data.read(QStringLiteral("modules/setting/p2.bin"));
    QSettings *before = view.profileList.at(1);

    if (isFolder)
        QDir().mkpath(data.file(QStringLiteral("in.pf")));
    else
        data.write(QStringLiteral("in.pf"), content);
    dialogs.answer = data.file(QStringLiteral("in.pf"));
    QVERIFY(!view.loadProfile(1));
    flushDeletions();
    QCOMPARE(data.read(QStringLiteral("modules/setting/p2.bin")), p2);
    QCOMPARE(view.profileList.at(1), before);
    // Reading it did not write anything into the picked file either.
    if (!isFolder)
        QCOMPARE(data.read(QStringLiteral("in.pf")), content);
}

void BackendProfilesTest::exportThenImportGivesTheSameBytes()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    FakeFileDialogs dialogs;
    TestView view;
    view.setFileDialogs(&dialogs);
    view.setCurrentProfile(3);
    view.setData(QStringLiteral("mouse/lod"), 7);

    dialogs.answer = data.file(QStringLiteral("trip.pf"));
    view.saveProfile(3);
    QVERIFY(view.loadProfile(5));
    flushDeletions();
    const QByteArray p4 = data.read(QStringLiteral("modules/setting/p4.bin"));
    QVERIFY(p4.contains("lod=7"));
    QCOMPARE(data.read(QStringLiteral("trip.pf")), p4);
    QCOMPARE(data.read(QStringLiteral("modules/setting/p6.bin")), p4);
}

void BackendProfilesTest::resetAndCopyReplaceFiles()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    TestView view;
    view.setCurrentProfile(1);

    view.resetProfile(4);
    flushDeletions();
    QCOMPARE(data.read(QStringLiteral("modules/setting/p5.bin")),
             data.read(QStringLiteral("modules/setting/pD.bin")));
    QCOMPARE(view.currentProfileIndex(), 1);

    // Unsaved writes of the source profile travel with the copy.
    view.setCurrentProfile(7);
    view.setData(QStringLiteral("mouse/lod"), 5);
    view.copyProfile(1, 7);
    flushDeletions();
    QCOMPARE(data.read(QStringLiteral("modules/setting/p2.bin")),
             data.read(QStringLiteral("modules/setting/p8.bin")));
    view.setCurrentProfile(1);
    QCOMPARE(view.getData(QStringLiteral("mouse/lod")).toInt(), 5);

    const QByteArray p3 = data.read(QStringLiteral("modules/setting/p3.bin"));
    view.copyProfile(7, 2);
    flushDeletions();
    QCOMPARE(data.read(QStringLiteral("modules/setting/p8.bin")), p3);

    // Onto itself: nothing happens, the file survives.
    QSettings *same = view.profileList.at(3);
    const QByteArray p4 = data.read(QStringLiteral("modules/setting/p4.bin"));
    view.copyProfile(3, 3);
    flushDeletions();
    QCOMPARE(view.profileList.at(3), same);
    QCOMPARE(data.read(QStringLiteral("modules/setting/p4.bin")), p4);

    // Without pD.bin a reset leaves the profile alone.
    QFile::remove(data.file(QStringLiteral("modules/setting/pD.bin")));
    const QByteArray p6 = data.read(QStringLiteral("modules/setting/p6.bin"));
    view.resetProfile(5);
    QCOMPARE(data.read(QStringLiteral("modules/setting/p6.bin")), p6);
}

// Every replacement below has the size of the file it replaces, and the
// file system shows the old time stamp on it (as FAT does within 2 s): the
// settings reader must still read the new content, and a later write must
// not put the old content back.
void BackendProfilesTest::sameSizeReplacementsWithTheOldStampAreReadBack()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    data.write(QStringLiteral("modules/setting/pD.bin"), "[mouse]\nname=factory5\nreportRate=1\n");
    FakeFileDialogs dialogs;
    TestView view;
    view.setFileDialogs(&dialogs);
    RenameFaults::setPinStamps(true);
    auto unpin = qScopeGuard([] { RenameFaults::setPinStamps(false); });

    data.write(QStringLiteral("in.pf"), "[mouse]\nname=imported\nreportRate=3\n");
    dialogs.answer = data.file(QStringLiteral("in.pf"));
    QVERIFY(view.loadProfile(2));
    view.resetProfile(4);
    view.copyProfile(1, 7);
    flushDeletions();

    const QList<std::pair<int, const char *>> expected{
        {2, "imported"}, {4, "factory5"}, {1, "profile8"}};
    for (const auto &[index, name] : expected) {
        view.setCurrentProfile(index);
        QCOMPARE(view.getData(QStringLiteral("mouse/name")).toString(), QLatin1String(name));
        view.setData(QStringLiteral("mouse/lod"), index);
        QVERIFY(view.syncSettings());
        const QByteArray file = data.read(QStringLiteral("modules/setting/p%1.bin").arg(index + 1));
        QVERIFY2(file.contains(QByteArray("name=") + name), file.constData());
    }
}

void BackendProfilesTest::outOfRangeProfilesAreRefused()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    FakeFileDialogs dialogs;
    dialogs.answer = data.file(QStringLiteral("x.pf"));
    TestView view;
    view.setFileDialogs(&dialogs);
    view.setCurrentProfile(3);

    view.setCurrentProfile(10);
    view.setCurrentProfile(-1);
    QCOMPARE(view.currentProfileIndex(), 3);
    QVERIFY(!view.loadProfile(10));
    view.saveProfile(-1);
    QVERIFY(dialogs.requests.isEmpty());
    view.resetProfile(10);
    view.copyProfile(10, 0);
    view.copyProfile(0, -1);
    QCOMPARE(view.profileList.size(), 10);
    QCOMPARE(data.read(QStringLiteral("modules/setting/p1.bin")),
             QByteArray("[mouse]\nname=profile1\nreportRate=1\n"));
}

QTEST_MAIN(BackendProfilesTest)
#include "tst_backend_profiles.moc"
