// Settings files of the view: profile, default profile and global configuration
// access, restoring the global configuration, and calls into the root screen.
#include "RenameFaults.h"
#include "TempDataFolder.h"
#include "backend/myQQuickView.h"

#include <QFile>
#include <QQuickItem>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>
#include <QThread>

namespace {

// Opens the protected profile selection to the test.
class TestView : public myQQuickView
{
public:
    using myQQuickView::selectProfileIndex;
};

void writeIni(const TempDataFolder &folder, const QString &file, const QByteArray &content)
{
    folder.write(QStringLiteral("modules/setting/") + file, content);
}

QStringList recordedCalls(myQQuickView &view)
{
    return view.rootObject()->property("calls").toStringList();
}

} // namespace

class tst_SettingsAccess : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void readsProfileOrDefaults();
    void listsComeBackAsStrings();
    void writesGoToTheCurrentProfileOnly();
    void resetApconfigRestoresPristineCopy();
    void resetApconfigKeepsFileWithoutPristineCopy();
    void resetApconfigReplacesInOneStep();
    void missingFilesReadAsEmpty();
    void rootCallsQueuedOrSynchronous();
    void currentDpiFromAnotherThreadIsQueued();

private:
    std::unique_ptr<TempDataFolder> folder;
};

void tst_SettingsAccess::init()
{
    folder.reset(); // restores the previous working directory first
    folder = std::make_unique<TempDataFolder>();
    writeIni(*folder, "apConfig.bin",
             "[common]\nname=ZERANT MOLTA MOUSE "
             "R770\n\n[mouse]\nicType=560\nisColorful=true\nisGun=false\n"
             "is55328=true\nkeyCount=8\n");
    writeIni(*folder, "apConfigD.bin",
             "[common]\nname=Pristine\n\n[mouse]\nicType=553\nisColorful=false\nisGun=true\n"
             "is55328=false\nkeyCount=16\n");
    writeIni(*folder, "pD.bin", "[mouse]\ndpiCount=8\nlod=1\n");
    for (int i = 1; i <= 10; ++i)
        writeIni(*folder, QStringLiteral("p%1.bin").arg(i),
                 "[mouse]\ndpiCount=5\nlod=0\nreportRate=3\n");
}

void tst_SettingsAccess::readsProfileOrDefaults()
{
    myQQuickView view;
    QCOMPARE(view.getData("mouse/dpiCount", false).toInt(), 5);
    QCOMPARE(view.getData("mouse/dpiCount", true).toInt(), 8);
    QVERIFY(!view.getData("mouse/missing", false).isValid());
    QVERIFY(!view.getData("mouse/reportRate", true).isValid());
    QCOMPARE(view.getGlobalData("mouse/keyCount").toInt(), 8);
    QVERIFY(!view.getGlobalData("mouse/nothing").isValid());
    QCOMPARE(view.chipType(), QStringLiteral("560"));
    // Booleans reach QML as booleans, not as the truthy text "false".
    QCOMPARE(view.getGlobalData("mouse/isGun").typeId(), QMetaType::Bool);
    QCOMPARE(view.getGlobalData("mouse/isGun").toBool(), false);
    QCOMPARE(view.getGlobalData("mouse/isColorful"), QVariant(true));
}

void tst_SettingsAccess::listsComeBackAsStrings()
{
    {
        myQQuickView view;
        view.setDataList("mouse/dpiValueArray", {400, 800});
        QCOMPARE(view.getDataList("mouse/dpiValueArray", false), (QVariantList{400, 800}));
        QVERIFY(view.getDataList("mouse/missing", false).isEmpty());
        QVERIFY(view.getDataList("mouse/dpiCount", false).isEmpty()); // a single plain value
    }
    // Through the file, as the next start reads it.
    myQQuickView reread;
    QCOMPARE(reread.getDataList("mouse/dpiValueArray", false), (QVariantList{"400", "800"}));
    QVERIFY(folder->read("modules/setting/p1.bin").contains("dpiValueArray=400, 800"));
}

void tst_SettingsAccess::writesGoToTheCurrentProfileOnly()
{
    {
        TestView view;
        QVERIFY(view.selectProfileIndex(3));
        view.setData("mouse/lod", 2);
        QCOMPARE(view.getData("mouse/lod", false).toInt(), 2);
        // Outside 0..9 the choice is refused and the current profile stays.
        QVERIFY(!view.selectProfileIndex(10));
        QVERIFY(!view.selectProfileIndex(-1));
        QCOMPARE(view.currentProfileIndex(), 3);
        view.setData("mouse/lodEn", true);
    }
    for (int i = 1; i <= 10; ++i) {
        const QSettings profile(folder->file(QStringLiteral("modules/setting/p%1.bin").arg(i)),
                                QSettings::IniFormat);
        QCOMPARE(profile.value("mouse/lod").toInt(), i == 4 ? 2 : 0);
        QCOMPARE(profile.contains("mouse/lodEn"), i == 4);
    }
    const QSettings defaults(folder->file("modules/setting/pD.bin"), QSettings::IniFormat);
    QCOMPARE(defaults.value("mouse/lod").toInt(), 1);
}

void tst_SettingsAccess::resetApconfigReplacesInOneStep()
{
    // Same size: only the file's own time stamp tells the copy from the old table.
    writeIni(*folder, "apConfig.bin", "[common]\nname=Current\n");
    writeIni(*folder, "apConfigD.bin", "[common]\nname=Pristin\n");
    myQQuickView view;
    auto restore = qScopeGuard([] {
        RenameFaults::failRenamesOnto(nullptr);
        RenameFaults::setPinStamps(false);
    });

    // The copy cannot be put in place: the table that was there stays.
    RenameFaults::failRenamesOnto("apConfig.bin");
    view.resetApconfig();
    QCOMPARE(folder->read("modules/setting/apConfig.bin"), QByteArray("[common]\nname=Current\n"));
    QCOMPARE(view.getGlobalData("common/name").toString(), QStringLiteral("Current"));

    // It can, and the file system shows the old time stamp on it.
    RenameFaults::failRenamesOnto(nullptr);
    RenameFaults::setPinStamps(true);
    view.resetApconfig();
    QCoreApplication::processEvents();
    QCOMPARE(view.getGlobalData("common/name").toString(), QStringLiteral("Pristin"));
    QCOMPARE(folder->read("modules/setting/apConfig.bin"), QByteArray("[common]\nname=Pristin\n"));
}

void tst_SettingsAccess::resetApconfigRestoresPristineCopy()
{
    myQQuickView view;
    view.setGlobalData("mouse/profileNo", 4);
    view.resetApconfig();
    QCOMPARE(folder->read("modules/setting/apConfig.bin"),
             folder->read("modules/setting/apConfigD.bin"));
    QCOMPARE(view.getGlobalData("common/name").toString(), QStringLiteral("Pristine"));
    QVERIFY(!view.getGlobalData("mouse/profileNo").isValid());
    // The traits were read at start and stay.
    QCOMPARE(view.chipType(), QStringLiteral("560"));
    QCoreApplication::processEvents(); // the replaced object goes; it must not write back
    QTest::qWait(10);
    QCOMPARE(folder->read("modules/setting/apConfig.bin"),
             folder->read("modules/setting/apConfigD.bin"));
    view.setGlobalData("mouse/profileNo", 2);
    QCOMPARE(view.getGlobalData("mouse/profileNo").toInt(), 2);
}

void tst_SettingsAccess::resetApconfigKeepsFileWithoutPristineCopy()
{
    QFile::remove(folder->file("modules/setting/apConfigD.bin"));
    const QByteArray before = folder->read("modules/setting/apConfig.bin");
    myQQuickView view;
    view.resetApconfig();
    QCOMPARE(folder->read("modules/setting/apConfig.bin"), before);
    QCOMPARE(view.getGlobalData("mouse/keyCount").toInt(), 8);
}

void tst_SettingsAccess::missingFilesReadAsEmpty()
{
    QFile::remove(folder->file("modules/setting/apConfig.bin"));
    QFile::remove(folder->file("modules/setting/p1.bin"));
    myQQuickView view;
    QCOMPARE(view.chipType(), QString());
    QVERIFY(!view.getData("mouse/dpiCount", false).isValid());
    view.setData("mouse/lod", 1);
    QCoreApplication::processEvents();
    QTest::qWait(10);
    // A write to a missing file creates it with only the keys written.
    const QSettings created(folder->file("modules/setting/p1.bin"), QSettings::IniFormat);
    QCOMPARE(created.allKeys(), QStringList{"mouse/lod"});
}

void tst_SettingsAccess::rootCallsQueuedOrSynchronous()
{
    myQQuickView view;
    view.setSource(QUrl::fromLocalFile(QStringLiteral(R770_TEST_SOURCE_DIR "/RecordingRoot.qml")));
    QVERIFY(view.rootObject());

    view.initUI();
    view.runUI();
    view.postKeyboardEvent(true, 0x104); // only the low 8 bits travel
    view.postMouseEvent(false, 0xF1, 300, 200);
    QVERIFY(recordedCalls(view).isEmpty()); // queued: nothing ran yet
    view.setBusy(1500);
    view.setCurrentDPI(3);
    QCOMPARE(recordedCalls(view), (QStringList{"setProtectUI 1500", "setCurrentDPI 3"}));

    QTRY_COMPARE(recordedCalls(view).size(), 6);
    QCOMPARE(recordedCalls(view).mid(2), (QStringList{"initUI", "run", "detectKeyboard true 4",
                                                      "detectMouse false 241 300 200"}));
}

void tst_SettingsAccess::currentDpiFromAnotherThreadIsQueued()
{
    myQQuickView view;
    view.setSource(QUrl::fromLocalFile(QStringLiteral(R770_TEST_SOURCE_DIR "/RecordingRoot.qml")));
    QThread *worker = QThread::create([&view] { view.setCurrentDPI(2); });
    worker->start();
    QVERIFY(worker->wait(5000));
    delete worker;
    QVERIFY(recordedCalls(view).isEmpty());
    QTRY_COMPARE(recordedCalls(view), QStringList{"setCurrentDPI 2"});
}

QTEST_MAIN(tst_SettingsAccess)
#include "tst_settingsaccess.moc"
