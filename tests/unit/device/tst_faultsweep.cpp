// For every call of a connect and of a key-matrix write, make that call fail
// (error, stall, unplug or garbage): the link never hangs, is always free afterwards,
// and works again once the mouse is back.
#include "LinkFixture.h"
#include "TempDataFolder.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

const QString apConfigPath = QStringLiteral("./modules/setting/apConfig.bin");

// Detection and the post-connect start, as the tray window runs them.
void connectSequence(LinkFixture &f)
{
    const int index = f.link.findVerifiedDevice(apConfigPath);
    if (index < 0)
        return;
    f.link.clearHidBusy();
    f.link.hidStart(index);
    if (f.observer.linkChipType() == QLatin1String("560")) {
        uchar block[128] = {};
        for (uchar b = 0; b < 5; ++b)
            f.link.hid560_8CH_readProfile(block, b);
    }
}

QByteArray matrix()
{
    QByteArray m(64, '\0');
    for (int i = 0; i < 64; ++i)
        m[i] = char(i * 3 + 1);
    return m;
}

void keyMatrixSequence(LinkFixture &f)
{
    QByteArray m = matrix();
    auto *data = reinterpret_cast<uchar *>(m.data());
    if (f.observer.linkChipType() == QLatin1String("560")) {
        f.link.hid560_0DH_SetKeyMatrix(data, 2);
        f.link.hid560_02H_SetCurrentProfile(2);
    } else {
        f.link.hid553_12H_SetKeyMatrix(data, 2);
        f.link.hid553_02H_SetCurrentKeyMatrix(2);
    }
}

bool matrixArrived(const LinkFixture &f)
{
    const QByteArray stored = f.mouse.firmwareState().keyMatrices.value(2);
    return stored.left(64) == matrix();
}

int commandSideCalls(const LinkFixture &f)
{
    return int(f.commandCalls().size());
}

// Exchanges with the mouse among calls: opens and transfers. The scans of
// detection, closes and the blocking switch (a flag of the handle) do not
// talk to it.
int exchanges(const QList<HidCall> &calls)
{
    static const QStringList local{
        QStringLiteral("hid_enumerate"), QStringLiteral("hid_free_enumeration"),
        QStringLiteral("hid_close"), QStringLiteral("hid_set_nonblocking")};
    int n = 0;
    for (const HidCall &c : calls)
        n += !local.contains(c.op);
    return n;
}

struct Freeze
{
    double ms = 0;
    int fromCall = 0;
    const char *sequence = "";
    HidFault kind = HidFault::Stall;
};

} // namespace

class tst_FaultSweep : public QObject
{
    Q_OBJECT
private slots:
    void sweep_data();
    void sweep();
    void mouseThatStopsAnsweringFreezesOnce_data() { sweep_data(); }
    void mouseThatStopsAnsweringFreezesOnce();
};

void tst_FaultSweep::sweep_data()
{
    QTest::addColumn<QString>("chip");
    QTest::addColumn<bool>("encode");
    QTest::newRow("553 plain") << "553" << false;
    QTest::newRow("560 scrambled") << "560" << true;
}

void tst_FaultSweep::sweep()
{
    QFETCH(QString, chip);
    QFETCH(bool, encode);
    const VirtualMouseConfig config{.chipType = chip, .isEncode = encode, .sCode = "p.j6-$"};
    TempDataFolder folder;

    // The number of calls of a clean run of each sequence.
    int connectCalls = 0, matrixCalls = 0;
    {
        LinkFixture f(config);
        folder.write("modules/setting/apConfig.bin", f.apConfigText());
        connectSequence(f);
        QVERIFY(f.link.isListenerRunning());
        connectCalls = commandSideCalls(f);
        f.reset();
        keyMatrixSequence(f);
        QVERIFY(matrixArrived(f));
        matrixCalls = commandSideCalls(f);
    }
    QVERIFY(connectCalls > 20);
    QVERIFY(matrixCalls > 20);

    const HidFault kinds[] = {HidFault::Error, HidFault::Stall, HidFault::Unplug,
                              HidFault::Garbage};
    int runs = 0;
    for (HidFault kind : kinds) {
        for (int n = 1; n <= connectCalls; ++n) {
            LinkFixture f(config);
            f.mouse.failCall(n, kind);
            connectSequence(f);
            QVERIFY2(f.link.isHidFree(), qPrintable(QStringLiteral("connect call %1").arg(n)));
            f.link.stopListener();
            f.mouse.interruptReads();
            f.link.waitForListener();
            f.mouse.plug();
            f.mouse.clearFaults();
            connectSequence(f);
            QVERIFY2(f.link.isListenerRunning(), qPrintable(QStringLiteral("reconnect %1").arg(n)));
            keyMatrixSequence(f);
            QVERIFY2(matrixArrived(f), qPrintable(QStringLiteral("after connect fault %1").arg(n)));
            ++runs;
        }
        for (int n = 1; n <= matrixCalls; ++n) {
            LinkFixture f(config);
            QVERIFY(f.connectMouse());
            f.mouse.failCall(n, kind);
            keyMatrixSequence(f);
            QVERIFY2(f.link.isHidFree(), qPrintable(QStringLiteral("matrix call %1").arg(n)));
            f.mouse.plug();
            f.mouse.clearFaults();
            // After an unplug the path is gone until detection finds it again.
            QVERIFY(f.connectMouse());
            keyMatrixSequence(f);
            QVERIFY2(matrixArrived(f), qPrintable(QStringLiteral("after matrix fault %1").arg(n)));
            ++runs;
        }
    }
    QCOMPARE(runs, 4 * (connectCalls + matrixCalls));
}

// A mouse that stops answering part way through a connect or a key-matrix
// write: the transfer that fails ends the sequence, so the window freezes for
// one time-out, not once per remaining transfer. The longest freeze is
// measured on the virtual clock over every starting call, then that case is
// run again in real time.
void tst_FaultSweep::mouseThatStopsAnsweringFreezesOnce()
{
    QFETCH(QString, chip);
    QFETCH(bool, encode);
    const VirtualMouseConfig config{.chipType = chip, .isEncode = encode, .sCode = "p.j6-$"};
    TempDataFolder folder;
    int connectCalls = 0, matrixCalls = 0;
    {
        LinkFixture f(config);
        folder.write("modules/setting/apConfig.bin", f.apConfigText());
        connectSequence(f);
        connectCalls = commandSideCalls(f);
        f.reset();
        keyMatrixSequence(f);
        matrixCalls = commandSideCalls(f);
    }

    Freeze longest;
    for (HidFault kind : {HidFault::Stall, HidFault::Error}) {
        for (const bool connect : {true, false}) {
            const int calls = connect ? connectCalls : matrixCalls;
            for (int n = 1; n <= calls; ++n) {
                LinkFixture f(config);
                if (!connect)
                    QVERIFY(f.connectMouse());
                f.reset();
                const double start = f.clock.now();
                f.mouse.failCallsFrom(n, kind);
                connect ? connectSequence(f) : keyMatrixSequence(f);
                const double ms = f.clock.now() - start;
                const QList<HidCall> after = f.commandCalls().mid(n - 1);
                // The failing call itself, then nothing more reaches for the mouse.
                QVERIFY2(exchanges(after) <= 1,
                         qPrintable(QStringLiteral("%1 from call %2: %3 exchanges after it")
                                        .arg(connect ? "connect" : "matrix")
                                        .arg(n)
                                        .arg(exchanges(after))));
                QVERIFY(f.link.isHidFree());
                if (ms > longest.ms)
                    longest = {ms, n, connect ? "connect" : "key-matrix write", kind};
            }
        }
    }
    QVERIFY(longest.ms > 5000); // a stall waits out its time-out
    qInfo("chip %s: longest freeze %.0f ms (a %s whose mouse stops answering at call %d)",
          qPrintable(chip), longest.ms, longest.sequence, longest.fromCall);
    if (chip != QLatin1String("560"))
        return;

    // The same case on a mouse that stalls for real, timed by the wall clock
    // (once: the chip with the longer connect).
    VirtualMouse mouse(config);
    RecordingObserver observer;
    observer.setChipType(chip);
    Hid_Thread link(&mouse, defaultLinkSleeper());
    link.setOwner(&observer);
    if (QString::fromLatin1(longest.sequence) != QLatin1String("connect")) {
        QVERIFY(link.findVerifiedDevice(apConfigPath) >= 0);
        link.clearHidBusy();
    }
    mouse.clearCalls();
    QElapsedTimer wall;
    wall.start();
    mouse.failCallsFrom(longest.fromCall, longest.kind);
    if (QString::fromLatin1(longest.sequence) == QLatin1String("connect")) {
        const int index = link.findVerifiedDevice(apConfigPath);
        if (index >= 0) {
            link.clearHidBusy();
            link.hidStart(index);
            uchar block[128] = {};
            for (uchar b = 0; chip == QLatin1String("560") && b < 5; ++b)
                link.hid560_8CH_readProfile(block, b);
        }
    } else {
        QByteArray m = matrix();
        auto *data = reinterpret_cast<uchar *>(m.data());
        chip == QLatin1String("560") ? link.hid560_0DH_SetKeyMatrix(data, 2)
                                     : link.hid553_12H_SetKeyMatrix(data, 2);
        chip == QLatin1String("560") ? link.hid560_02H_SetCurrentProfile(2)
                                     : link.hid553_02H_SetCurrentKeyMatrix(2);
    }
    const qint64 realMs = wall.elapsed();
    link.stopListener();
    mouse.interruptReads();
    link.waitForListener();
    qInfo("chip %s: that freeze in real time: %lld ms", qPrintable(chip), realMs);
    QVERIFY(realMs >= 5000);
}

QTEST_GUILESS_MAIN(tst_FaultSweep)
#include "tst_faultsweep.moc"
