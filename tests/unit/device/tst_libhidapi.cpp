// hidapi's start and its one process-wide error text: initialised once by
// the link on the thread that builds it, and opened and scanned from the GUI
// thread and the listener at the same time without a race (the
// ThreadSanitizer build, scripts/tsan.sh, runs this too).
#include "device/Hid_Thread.h"
#include "device/LibHidApi.h"
#include "virtualmouse/VirtualClock.h"
#include "virtualmouse/VirtualMouse.h"

#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

namespace {

class InitRecordingMouse : public VirtualMouse
{
public:
    void init() override
    {
        initThreads.append(QThread::currentThread());
        callsBeforeInit = int(calls().size());
    }
    QList<QThread *> initThreads;
    int callsBeforeInit = -1;
};

} // namespace

class tst_LibHidApi : public QObject
{
    Q_OBJECT
private slots:
    void linkInitialisesOnItsOwnThreadFirst();
    void opensAndScansFromTwoThreads();
};

void tst_LibHidApi::linkInitialisesOnItsOwnThreadFirst()
{
    InitRecordingMouse mouse;
    VirtualClock clock;
    mouse.setClock(&clock);
    Hid_Thread link(&mouse, &clock);
    QCOMPARE(mouse.initThreads, QList<QThread *>{QThread::currentThread()});
    QCOMPARE(mouse.callsBeforeInit, 0);
}

// Every open and scan runs hid_init inside hidapi, which frees the shared
// error text; a failed open writes a new one. Two threads doing both at once.
void tst_LibHidApi::opensAndScansFromTwoThreads()
{
    LibHidApi api;
    api.init();
    std::atomic<int> opened{0};
    auto work = [&](int thread) {
        for (int i = 0; i < 300; ++i) {
            const QByteArray path = "/nonexistent/hidraw-" + QByteArray::number(thread * 1000 + i);
            if (HidDevice *d = api.openPath(path.constData())) {
                api.close(d);
                ++opened;
            }
            if (i % 50 == 0)
                api.freeEnumeration(api.enumerate(0x04D9, 0xA1EE));
        }
    };
    std::vector<std::thread> threads;
    threads.emplace_back(work, 1);
    threads.emplace_back(work, 2);
    work(0);
    for (std::thread &t : threads)
        t.join();
    QCOMPARE(opened.load(), 0);
}

QTEST_GUILESS_MAIN(tst_LibHidApi)
#include "tst_libhidapi.moc"
