// Where the program keeps its data: the executable's folder (portable) or the
// user's own copy seeded from an installed folder, never overwriting a file.
// Where the single-instance lock and socket live, and which locks keep a start out.
#include "shell/DataFolder.h"
#include "shell/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_DataFolder : public QObject
{
    Q_OBJECT
private slots:
    void portableLayoutUsesExecutableFolder();
    void installedLayoutUsesUserFolder();
    void seedingNeverOverwrites();
    void aFolderThatCannotBeSetUpIsRefused();
    void instanceChannelInRuntimeFolder();
};

void tst_DataFolder::portableLayoutUsesExecutableFolder()
{
    QTemporaryDir root;
    QDir().mkpath(root.path() + "/app/modules/setting");
    const DataFolderChoice choice = chooseDataFolder(root.path() + "/app", root.path() + "/home");
    QCOMPARE(choice.workingDirectory, root.path() + "/app");
    QVERIFY(choice.seedSource.isEmpty());
}

void tst_DataFolder::installedLayoutUsesUserFolder()
{
    QTemporaryDir root;
    QDir().mkpath(root.path() + "/usr/bin");
    QDir().mkpath(root.path() + "/usr/share/r770config/modules/setting");
    const DataFolderChoice choice =
        chooseDataFolder(root.path() + "/usr/bin", root.path() + "/home/.local/share");
    QCOMPARE(choice.workingDirectory, root.path() + "/home/.local/share/r770config");
    QCOMPARE(choice.seedSource, root.path() + "/usr/share/r770config/modules");

    // Nothing installed at all: still a private folder, nothing to seed from.
    QTemporaryDir bare;
    const DataFolderChoice none = chooseDataFolder(bare.path(), bare.path() + "/home");
    QCOMPARE(none.workingDirectory, bare.path() + "/home/r770config");
    QVERIFY(none.seedSource.isEmpty());
}

// Started from /usr/bin, with a data home that cannot hold folders (a file
// stands where it should be) or nothing installed to seed from: no working
// folder is chosen, and the program is not left where it was started.
void tst_DataFolder::aFolderThatCannotBeSetUpIsRefused()
{
    QTemporaryDir root;
    const QString started = QDir::currentPath();
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    auto restore = qScopeGuard([&] {
        qputenv("XDG_DATA_HOME", dataHome);
        QDir::setCurrent(started);
    });
    QDir().mkpath(root.path() + "/usr/share/r770config/modules/setting");
    writeFile(root.path() + "/blocked", "a file, not a folder");
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.path() + "/blocked/share"));

    QString error;
    QVERIFY(setUpDataFolder(root.path() + "/usr/bin", &error).isEmpty());
    QVERIFY2(error.contains(root.path() + "/blocked/share/r770config/modules"), qPrintable(error));
    QCOMPARE(QDir::currentPath(), started);

    // Nothing installed and no folder of the user's own.
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.path() + "/home"));
    error.clear();
    QVERIFY(setUpDataFolder(root.path() + "/bare", &error).isEmpty());
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir::currentPath(), started);
}

void tst_DataFolder::seedingNeverOverwrites()
{
    QTemporaryDir root;
    const QString installed = root.path() + "/share/modules";
    const QString user = root.path() + "/user/modules";
    writeFile(installed + "/setting/p1.bin", "[mouse]\nlod=0\n");
    writeFile(installed + "/setting/apConfig.bin", "[common]\nname=R770\n");
    writeFile(installed + "/i18n/English.ini", "[main]\n");
    QDir().mkpath(installed + "/macro");
    QFile::setPermissions(installed + "/setting/p1.bin", QFile::ReadOwner | QFile::ReadGroup);

    writeFile(user + "/setting/p1.bin", "[mouse]\nlod=3\n"); // the user's own profile
    writeFile(user + "/macro/Mine.bin", "[macro]\n");

    QCOMPARE(seedDataFolder(installed, user), 2);
    QCOMPARE(readFile(user + "/setting/p1.bin"), QByteArray("[mouse]\nlod=3\n"));
    QCOMPARE(readFile(user + "/setting/apConfig.bin"), QByteArray("[common]\nname=R770\n"));
    QCOMPARE(readFile(user + "/i18n/English.ini"), QByteArray("[main]\n"));
    QCOMPARE(readFile(user + "/macro/Mine.bin"), QByteArray("[macro]\n"));
    QVERIFY(QFileInfo(user + "/macro").isDir());

    // A later start adds only what is missing, and copies are writable.
    QFile::remove(user + "/setting/apConfig.bin");
    QCOMPARE(seedDataFolder(installed, user), 1);
    QCOMPARE(seedDataFolder(installed, user), 0);
    QVERIFY(QFileInfo(user + "/setting/apConfig.bin").permissions() & QFile::WriteOwner);
}

void tst_DataFolder::instanceChannelInRuntimeFolder()
{
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QTemporaryDir runtime;
    const QString folder = QDir(runtime.path()).canonicalPath();
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
    QFile::setPermissions(folder, ownerOnly | QFile::ReadGroup | QFile::ExeGroup);
    QCOMPARE(SingleInstance::channelFolder(), QDir::tempPath()); // others may look in
    QFile::setPermissions(folder, ownerOnly);
    QCOMPARE(SingleInstance::channelFolder(), folder);
    qunsetenv("XDG_RUNTIME_DIR");
    QCOMPARE(SingleInstance::channelFolder(), QDir::tempPath());
    qputenv("XDG_RUNTIME_DIR", saved);

    const QString key = SingleInstance::instanceKey(QStringLiteral("/opt/r770/R770"));
    SingleInstance first(key, folder);
    QVERIFY(first.isPrimary());
    QCOMPARE(QFileInfo(first.lockPath()).absolutePath(), folder);
    QVERIFY(QFileInfo::exists(first.lockPath()));
    QVERIFY(QFileInfo::exists(first.socketPath()));
    SingleInstance second(key, folder); // held by a live instance
    QVERIFY(!second.isPrimary());

    // A lock that cannot be made, or one someone else planted, keeps no one out.
    SingleInstance nowhere(key, folder + QStringLiteral("/missing"));
    QVERIFY(nowhere.isPrimary());
    if (::geteuid() != 0)
        QSKIP("planting another user's lock needs root");
    QTemporaryDir shared;
    const QString planted = shared.path() + QLatin1Char('/') + key + QStringLiteral(".lock");
    QVERIFY(QFile::copy(first.lockPath(), planted)); // names this live process
    QCOMPARE(::chown(QFile::encodeName(planted).constData(), 65534, 65534), 0);
    SingleInstance afterPlant(key, shared.path());
    QVERIFY(afterPlant.isPrimary());
}

QTEST_GUILESS_MAIN(tst_DataFolder)
#include "tst_datafolder.moc"
