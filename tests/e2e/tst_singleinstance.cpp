// The real executable, started as separate processes: one instance per
// executable and user, the working directory, and recovery after a crash.
#include "ProgramCopy.h"
#include "shell/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

ProgramCopy makeCopy()
{
    return ProgramCopy(QStringLiteral(R770_EXECUTABLE),
                       QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
}

bool keepsRunning(QProcess &process, int msecs)
{
    return !process.waitForFinished(msecs) && process.state() == QProcess::Running;
}

void stop(QProcess &process)
{
    process.kill();
    process.waitForFinished(5000);
}

} // namespace

class tst_SingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondStartExitsWithOne();
    void simultaneousStartsLeaveOne();
    void findsDataFolderFromAnotherDirectory();
    void startsAgainAfterACrash();
    void installedProgramSeedsUserFolder();
    void helpListsTheOptions();
    void controlOptionsNeedNoDisplayNorLock();
    void quitOptionAndTermSignalEndItCleanly();
};

void tst_SingleInstance::secondStartExitsWithOne()
{
    ProgramCopy program = makeCopy();
    auto first = program.start();
    QVERIFY(keepsRunning(*first, 1500));

    QElapsedTimer clock;
    clock.start();
    auto second = program.start();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 1);
    // The first instance answered: the second did not wait out its 5 s.
    QVERIFY2(clock.elapsed() < 4500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(keepsRunning(*first, 200));

    // Another copy of the executable is another program.
    ProgramCopy other = makeCopy();
    auto third = other.start();
    QVERIFY(keepsRunning(*third, 1500));
    stop(*third);
    stop(*first);
}

void tst_SingleInstance::simultaneousStartsLeaveOne()
{
    ProgramCopy program = makeCopy();
    auto a = program.start();
    auto b = program.start();
    QTest::qWait(3000);
    const bool aRuns = a->state() == QProcess::Running;
    const bool bRuns = b->state() == QProcess::Running;
    QVERIFY2(aRuns != bRuns, "exactly one instance must remain");
    QProcess &ended = aRuns ? *b : *a;
    QCOMPARE(ended.exitCode(), 1);
    stop(*a);
    stop(*b);
}

void tst_SingleInstance::findsDataFolderFromAnotherDirectory()
{
#ifdef Q_OS_LINUX
    ProgramCopy program = makeCopy();
    QTemporaryDir elsewhere;
    auto process = program.start({}, elsewhere.path());
    QVERIFY(keepsRunning(*process, 1000));
    const QString cwd =
        QFile::symLinkTarget(QStringLiteral("/proc/%1/cwd").arg(process->processId()));
    QCOMPARE(QDir(cwd).canonicalPath(), QDir(program.folder()).canonicalPath());
    stop(*process);
#else
    QSKIP("needs /proc");
#endif
}

void tst_SingleInstance::startsAgainAfterACrash()
{
    ProgramCopy program = makeCopy();
    auto first = program.start();
    QVERIFY(keepsRunning(*first, 1000));
    stop(*first); // killed: its lock and socket stay behind
    auto next = program.start();
    QVERIFY(keepsRunning(*next, 1500));
    stop(*next);
}

void tst_SingleInstance::installedProgramSeedsUserFolder()
{
#ifdef Q_OS_LINUX
    // An installed layout: <prefix>/bin/R770 and <prefix>/share/r770config/modules.
    QTemporaryDir root;
    const QString bin = root.path() + "/usr/bin";
    QDir().mkpath(bin);
    QVERIFY(QFile::copy(QStringLiteral(R770_EXECUTABLE), bin + "/R770"));
    QFile::setPermissions(bin + "/R770", QFile::permissions(bin + "/R770") | QFile::ExeOwner);
    const QString installed = root.path() + "/usr/share/r770config/modules";
    seedDataFolder(QStringLiteral(R770_EXECUTABLE_DIR "/modules"), installed);
    QDir().mkpath(installed + "/setting");
    QFile shipped(installed + "/setting/apConfig.bin");
    QVERIFY(shipped.open(QIODevice::WriteOnly));
    shipped.write("[common]\nname=ZERANT MOLTA MOUSE R770\n");
    shipped.close();

    const QString home = root.path() + "/home/.local/share";
    const QString userProfile = home + "/r770config/modules/setting/p1.bin";
    QDir().mkpath(QFileInfo(userProfile).absolutePath());
    QFile mine(userProfile);
    QVERIFY(mine.open(QIODevice::WriteOnly));
    mine.write("[mouse]\nlod=3\n");
    mine.close();

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", home);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(root.path());
    process.start(bin + "/R770");
    QVERIFY(keepsRunning(process, 1500));
    const QString cwd =
        QFile::symLinkTarget(QStringLiteral("/proc/%1/cwd").arg(process.processId()));
    QCOMPARE(QDir(cwd).canonicalPath(), QDir(home + "/r770config").canonicalPath());
    stop(process);

    QVERIFY(QFileInfo::exists(home + "/r770config/modules/setting/apConfig.bin"));
    QVERIFY(QFileInfo(home + "/r770config/modules/macro").isDir());
    QFile kept(userProfile);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("[mouse]\nlod=3\n"));
#else
    QSKIP("needs /proc");
#endif
}

void tst_SingleInstance::helpListsTheOptions()
{
    ProgramCopy program = makeCopy();
    auto process = program.start({"--help"});
    QVERIFY(process->waitForFinished(5000));
    QCOMPARE(process->exitCode(), 0);
    const QByteArray out = process->readAllStandardOutput();
    QVERIFY(out.contains("--virtual-mouse"));
    QVERIFY(out.contains("--virtual-mouse-transcript <FILE>"));
    QVERIFY(out.contains("--quit"));
}

// With no display at all (no X, no Wayland, no platform chosen) the control
// options and --help still answer, with their documented exit codes, and
// leave no lock or socket behind: they never were an instance. A report
// without an instance writes nothing.
void tst_SingleInstance::controlOptionsNeedNoDisplayNorLock()
{
    ProgramCopy program = makeCopy();
    QTemporaryDir runtime;
    QVERIFY(QFile::setPermissions(runtime.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    const QString report = program.folder() + QStringLiteral("/report.txt");
    const QList<QPair<QStringList, int>> calls{
        {{QStringLiteral("--help")}, 0},
        {{QStringLiteral("--no-such-option")}, 1},
        {{QStringLiteral("--list-profiles")}, 2},
        {{QStringLiteral("--profile"), QStringLiteral("1")}, 2},
        {{QStringLiteral("--dpi-stage"), QStringLiteral("2")}, 2},
        {{QStringLiteral("--show")}, 2},
        {{QStringLiteral("--report"), report}, 2},
        {{QStringLiteral("--quit")}, 2},
    };
    for (const auto &[arguments, code] : calls) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program.executable(), arguments);
        QVERIFY(process.waitForFinished(10000));
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == code,
                 qPrintable(arguments.join(' ') + QStringLiteral(": ") +
                            QString::fromLocal8Bit(process.readAllStandardError())));
        QVERIFY2(QDir(runtime.path()).entryList(QDir::Files | QDir::System).isEmpty(),
                 qPrintable(arguments.join(' ')));
    }
    QVERIFY(!QFile::exists(report));
}

void tst_SingleInstance::quitOptionAndTermSignalEndItCleanly()
{
    ProgramCopy program = makeCopy();
    auto nothing = program.start({"--quit"}); // none runs: nothing to quit, nothing started
    QVERIFY(nothing->waitForFinished(10000));
    QCOMPARE(nothing->exitCode(), 2);

    const QString transcript = program.folder() + QStringLiteral("/transcript.jsonl");
    const QStringList demo{QStringLiteral("--virtual-mouse"),
                           QStringLiteral("--virtual-mouse-transcript=") + transcript};
    auto first = program.start(demo);
    QVERIFY(keepsRunning(*first, 2000));
    auto quit = program.start({"--quit"});
    QVERIFY(quit->waitForFinished(10000));
    QCOMPARE(quit->exitCode(), 0);
    QVERIFY(first->waitForFinished(5000));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);

    // Logout's SIGTERM: the same ending, the listener's last poll closes the
    // mouse's notification interface.
    auto next = program.start(demo);
    QVERIFY(keepsRunning(*next, 2000));
    next->terminate();
    QVERIFY(next->waitForFinished(5000));
    QCOMPARE(next->exitStatus(), QProcess::NormalExit);
    QCOMPARE(next->exitCode(), 0);
    QFile file(transcript);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString lastListenerCall;
    while (!file.atEnd()) {
        const QJsonObject call = QJsonDocument::fromJson(file.readLine()).object();
        if (call.value(QStringLiteral("path")).toString().endsWith(QLatin1String("ff01:ff01")))
            lastListenerCall = call.value(QStringLiteral("op")).toString();
    }
    QCOMPARE(lastListenerCall, QStringLiteral("hid_close"));

    // A relative transcript name belongs to the folder the program was started
    // from, not to its data folder; a closed terminal's SIGHUP ends it cleanly.
    QTemporaryDir startedFrom;
    auto fromTerminal = program.start(
        {QStringLiteral("--virtual-mouse"), QStringLiteral("--virtual-mouse-transcript=t.jsonl")},
        startedFrom.path());
    QVERIFY(keepsRunning(*fromTerminal, 2000));
    ::kill(fromTerminal->processId(), SIGHUP);
    QVERIFY(fromTerminal->waitForFinished(5000));
    QCOMPARE(fromTerminal->exitStatus(), QProcess::NormalExit);
    QCOMPARE(fromTerminal->exitCode(), 0);
    QVERIFY(QFileInfo(startedFrom.filePath(QStringLiteral("t.jsonl"))).size() > 0);
    QVERIFY(!QFile::exists(program.folder() + QStringLiteral("/t.jsonl")));
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
