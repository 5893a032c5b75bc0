#include "virtualmouse/VirtualClock.h"

#include <QCoreApplication>

void VirtualClock::sleep(int milliseconds)
{
    std::function<void(int)> hook;
    {
        std::lock_guard lock(mutex);
        recorded.append(milliseconds);
        nowMs += milliseconds;
        hook = sleepHook;
    }
    if (hook)
        hook(milliseconds);
}

void VirtualClock::processEvents()
{
    bool runQt = false;
    {
        std::lock_guard lock(mutex);
        ++processCalls;
        runQt = qtEvents;
    }
    if (runQt && QCoreApplication::instance())
        QCoreApplication::processEvents();
}

qint64 VirtualClock::secondsSinceEpoch()
{
    std::lock_guard lock(mutex);
    return epochSeconds;
}

double VirtualClock::now() const
{
    std::lock_guard lock(mutex);
    return nowMs;
}

void VirtualClock::elapse(double milliseconds)
{
    std::lock_guard lock(mutex);
    nowMs += milliseconds;
}

void VirtualClock::setSecondsSinceEpoch(qint64 seconds)
{
    std::lock_guard lock(mutex);
    epochSeconds = seconds;
}

QList<int> VirtualClock::sleeps() const
{
    std::lock_guard lock(mutex);
    return recorded;
}

int VirtualClock::sleptTotal() const
{
    std::lock_guard lock(mutex);
    int total = 0;
    for (int ms : recorded)
        total += ms;
    return total;
}

int VirtualClock::processEventsCalls() const
{
    std::lock_guard lock(mutex);
    return processCalls;
}

void VirtualClock::clearSleeps()
{
    std::lock_guard lock(mutex);
    recorded.clear();
    processCalls = 0;
}

void VirtualClock::setProcessQtEvents(bool on)
{
    std::lock_guard lock(mutex);
    qtEvents = on;
}

void VirtualClock::setSleepHook(std::function<void(int)> hook)
{
    std::lock_guard lock(mutex);
    sleepHook = std::move(hook);
}
