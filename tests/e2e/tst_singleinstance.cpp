// The real executable, started as separate processes: one instance per
// executable and user, the working directory, and recovery after a crash.
#include "ProgramCopy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
    void helpListsTheOptions();
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

void tst_SingleInstance::helpListsTheOptions()
{
    ProgramCopy program = makeCopy();
    auto process = program.start({"--help"});
    QVERIFY(process->waitForFinished(5000));
    QCOMPARE(process->exitCode(), 0);
    const QByteArray out = process->readAllStandardOutput();
    QVERIFY(out.contains("--virtual-mouse"));
    QVERIFY(out.contains("--virtual-mouse-transcript <FILE>"));
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
