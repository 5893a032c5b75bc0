// Data files that cannot be written: a read-only data folder and a full disk.
// The user is told once, the edits stay in memory and reach the disk as soon
// as it takes them again (or an export), and an export that was not written
// says so.
#include "BackendTestData.h"
#include "FakeFileDialogs.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

namespace {

// A small tmpfs over the data folder's modules/ (root only). A read-only
// mount binds root as well, which permission bits do not.
class SmallDisk
{
public:
    SmallDisk(const QString &where, const char *size) : path(where)
    {
        QDir().mkpath(path);
        mounted =
            run({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                 QStringLiteral("size=") + QLatin1String(size), QStringLiteral("tmpfs"), path});
    }
    ~SmallDisk()
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {path});
    }
    bool isMounted() const { return mounted; }
    bool setReadOnly(bool readOnly)
    {
        return run({QStringLiteral("-o"),
                    readOnly ? QStringLiteral("remount,ro") : QStringLiteral("remount,rw"), path});
    }

private:
    static bool run(const QStringList &arguments)
    {
        QProcess mount;
        mount.start(QStringLiteral("mount"), arguments);
        return mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit &&
               mount.exitCode() == 0;
    }

    QString path;
    bool mounted = false;
};

// Fills the disk up; the filler goes with the object.
class Filler
{
public:
    explicit Filler(const QString &path) : file(path)
    {
        if (file.open(QIODevice::WriteOnly)) {
            const QByteArray block(4096, 'x');
            while (file.write(block) == block.size() && file.flush()) {
            }
            file.close();
        }
    }
    ~Filler() { file.remove(); }

private:
    QFile file;
};

QByteArray profile1(const TempDataFolder &data)
{
    return data.read(QStringLiteral("modules/setting/p1.bin"));
}

} // namespace

class tst_BackendWriteFailures : public QObject
{
    Q_OBJECT
private slots:
    void readOnlyFolderKeepsEditsUntilWritable();
    void fullDiskKeepsEditsUntilThereIsRoom();
};

void tst_BackendWriteFailures::readOnlyFolderKeepsEditsUntilWritable()
{
    TempDataFolder data;
    SmallDisk disk(data.file(QStringLiteral("modules")), "1m");
    if (!disk.isMounted())
        QSKIP("mounting a tmpfs needs root: the read-only folder cannot be made");
    writeSettingFiles(data, {});
    data.write(QStringLiteral("modules/setting/name.bin"), "[macro]\n");
    QDir().mkpath(data.file(QStringLiteral("modules/macro")));
    FakeFileDialogs dialogs;
    TestView view;
    view.setFileDialogs(&dialogs);
    QSignalSpy unwritten(&view, &myQQuickView::dataNotWritten);
    QSignalSpy exportFailed(&view, &myQQuickView::exportNotWritten);

    QVERIFY(disk.setReadOnly(true));
    view.setData(QStringLiteral("mouse/lod"), 5);
    QTRY_COMPARE(unwritten.size(), 1);
    QCOMPARE(unwritten.first().first().toString(),
             data.file(QStringLiteral("modules/setting/p1.bin")));
    // Said once: more edits, the quit's sync, new macros, names, gun data.
    view.setGlobalData(QStringLiteral("mouse/profileNo"), 3);
    QVERIFY(!view.syncSettings());
    QCOMPARE(view.createMacroIni(QStringLiteral("Macro_0"), 0), QVariant(false));
    QCOMPARE(view.updataNameList(0, {QStringLiteral("Macro_0")}), QVariant(false));
    QCoreApplication::processEvents();
    QCOMPARE(unwritten.size(), 1);
    QVERIFY(!profile1(data).contains("lod"));
    QCOMPARE(view.getData(QStringLiteral("mouse/lod")).toInt(), 5);

    // An export into the read-only folder fails and says so; a cancelled one does not.
    dialogs.answer = data.file(QStringLiteral("modules/out.pf"));
    QVERIFY(!view.saveProfile(0));
    QCOMPARE(exportFailed.size(), 1);
    QCOMPARE(exportFailed.first().first().toString(), dialogs.answer);
    dialogs.answer.clear();
    QVERIFY(!view.saveProfile(0));
    QCOMPARE(exportFailed.size(), 1);
    // An export elsewhere carries the edits the data folder did not take.
    dialogs.answer = data.file(QStringLiteral("rescued.pf"));
    QVERIFY(view.saveProfile(0));
    const QSettings rescued(dialogs.answer, QSettings::IniFormat);
    QCOMPARE(rescued.value(QStringLiteral("mouse/lod")).toInt(), 5);
    QCOMPARE(rescued.value(QStringLiteral("mouse/name")).toString(), QStringLiteral("profile1"));

    // Writable again: the kept edits go to disk, and a later failure is told again.
    QVERIFY(disk.setReadOnly(false));
    QVERIFY(view.syncSettings());
    QVERIFY(profile1(data).contains("lod=5"));
    QVERIFY(data.read(QStringLiteral("modules/setting/apConfig.bin")).contains("profileNo=3"));
    QVERIFY(disk.setReadOnly(true));
    view.setData(QStringLiteral("mouse/lod"), 6);
    QTRY_COMPARE(unwritten.size(), 2);
    QVERIFY(disk.setReadOnly(false));
    // The gun panel's sensitivity is checked like every other edit.
    QVERIFY(view.syncSettings());
    QVERIFY(disk.setReadOnly(true));
    view.setXYSensitive(1, 3);
    QTRY_COMPARE(unwritten.size(), 3);
    QVERIFY(disk.setReadOnly(false));
}

void tst_BackendWriteFailures::fullDiskKeepsEditsUntilThereIsRoom()
{
    TempDataFolder data;
    SmallDisk disk(data.file(QStringLiteral("modules")), "256k");
    if (!disk.isMounted())
        QSKIP("mounting a tmpfs needs root: the small disk cannot be made");
    writeSettingFiles(data, {});
    TestView view;
    QSignalSpy unwritten(&view, &myQQuickView::dataNotWritten);

    auto filler = std::make_unique<Filler>(data.file(QStringLiteral("modules/filler")));
    view.setDataList(QStringLiteral("mouse/dpiValueArray"), {400, 800, 1600, 3200});
    QTRY_COMPARE(unwritten.size(), 1);
    QVERIFY(!view.syncSettings());
    QCOMPARE(unwritten.size(), 1);
    // The old file is whole: a failed write never leaves half a profile.
    QCOMPARE(profile1(data), QByteArray("[mouse]\nname=profile1\nreportRate=1\n"));

    filler.reset();
    QVERIFY(view.syncSettings());
    QVERIFY(profile1(data).contains("dpiValueArray=400, 800, 1600, 3200"));
}

QTEST_MAIN(tst_BackendWriteFailures)
#include "tst_backend_writefailures.moc"
