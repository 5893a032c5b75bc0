// Post-connect start and the notification listener.
#include "device/Hid_Thread.h"

#include "device/DpiSwitchTexts.h"
#include "device/HidApi.h"
#include "device/LinkObserver.h"

#include <QDebug>
#include <QScopeGuard>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <mutex>

void Hid_Thread::hidStart(int index)
{
    if (listenerRunning.load())
        listenerRunning.store(false);
    // One listener at a time: they would share the notification handle.
    waitForListener();

    const bool chip560 = owner && owner->linkChipType() == QLatin1String("560");
    if (chip560) {
        uchar o1 = 0, o2 = 0;
        hid560_81H_GetKeyboardoption(o1, o2);
        // Options that could not be read are not written back as guesses.
        if (lastTransferOk)
            hid560_01H_SetKeyboardoption(uchar(o1 | 0x08), o2);
    } else {
        uchar o1 = 0, o2 = 0, o3 = 0, o4 = 0;
        hid553_83H_GetKeyboardoption(o1, o2, o3, o4);
        if (lastTransferOk)
            hid553_03H_SetKeyboardoption(o1, o2, o3, uchar(o4 | 0x40));
    }

    listenerRunning.store(true);
    // The pool hands the task to its thread under a lock of its own, which a
    // thread sanitizer cannot follow into an uninstrumented Qt: this pairs
    // with the listener's first load, so everything written here before is
    // seen there in a way it can check.
    listenersStarted.fetch_add(1, std::memory_order_release);
    listenerFuture = QtConcurrent::run(QThreadPool::globalInstance(), &Hid_Thread::hidEventLoop,
                                       this, uint(index));
}

void Hid_Thread::stopListener()
{
    if (listenerRunning.load())
        listenerRunning.store(false);
}

void Hid_Thread::waitForListener()
{
    listenerFuture.waitForFinished();
    // Pairs with the listener's last store: what it wrote is seen from here
    // on, in a way the thread sanitizer can follow too.
    (void)listenersEnded.load(std::memory_order_acquire);
}

bool Hid_Thread::canOpenNotification(int index)
{
    const std::optional<DeviceEntry> e = entry(index);
    if (!e || e->notificationPath.isEmpty() || listenerRunning.load())
        return false;
    HidDevice *h = api->openPath(e->notificationPath.toLatin1().constData());
    if (!h)
        return false;
    api->close(h);
    return true;
}

void Hid_Thread::hidEventLoop(uint index)
{
    (void)listenersStarted.load(std::memory_order_acquire);
    const auto ended =
        qScopeGuard([this] { listenersEnded.fetch_add(1, std::memory_order_release); });
    bool hasPath = false;
    {
        std::lock_guard lock(pathMutex);
        hasPath =
            index < uint(devices.size()) && !devices.at(int(index)).notificationPath.isEmpty();
    }
    if (!hasPath) {
        // Nothing to listen to: say so, so device-change notices start detection again.
        listenerRunning.store(false);
        return;
    }
    while (listenerRunning.load()) {
        HidDevice *h = openHidEvent(int(index));
        if (!h) {
            listenerRemoved(index);
            return;
        }
        uchar report[4] = {};
        const int got = api->readTimeout(h, report, sizeof report, 500);
        if (got == 4 && report[0] == 0x06)
            handleNotification(report);
        closeHidEvent();
    }
}

void Hid_Thread::listenerRemoved(uint index)
{
    qDebug() << "Device removed";
    if (owner)
        owner->linkSetViewEnabled(false);
    {
        std::lock_guard lock(pathMutex);
        if (index < uint(devices.size()))
            devices[int(index)].notificationPath.clear();
    }
    // The path is empty before the flag lets a detection rebuild the table.
    if (listenerRunning.load())
        listenerRunning.store(false);
    if (owner)
        owner->linkDeviceChange();
}

void Hid_Thread::handleNotification(const uchar *report)
{
    if (!owner)
        return;
    if (report[1] == 0x07) {
        const int stage = report[3];
        owner->linkSetCurrentDPI(stage);
        owner->linkBalloon(QStringLiteral("Info"), dpiSwitchText(stage) + QLatin1Char(' '), 10000);
    } else if (report[1] == 0x0D) {
        const int state = report[2];
        owner->linkSetRightHand(state != 0);
        qDebug() << "test" << state;
        owner->linkRunUI();
    }
}
