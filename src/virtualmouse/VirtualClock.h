#pragma once

#include "device/LinkSleeper.h"

#include <QList>

#include <functional>
#include <mutex>

// A sleeper whose time only moves when the link sleeps or a virtual device
// lets time pass (a read that waits for its timeout). Every sleep is recorded,
// so tests check the exact pauses of a command without waiting for them.
class VirtualClock : public LinkSleeper
{
public:
    void sleep(int milliseconds) override;
    void processEvents() override;
    qint64 secondsSinceEpoch() override;

    // Milliseconds of virtual time since construction.
    double now() const;
    // Time passing without a sleep of the link (not recorded as a sleep).
    void elapse(double milliseconds);
    void setSecondsSinceEpoch(qint64 seconds);

    QList<int> sleeps() const;
    int sleptTotal() const;
    int processEventsCalls() const;
    void clearSleeps();

    // When set, processEvents also runs the Qt event loop of the calling thread once.
    void setProcessQtEvents(bool on);
    // Called after each recorded sleep, on the sleeping thread: tests act on
    // the mouse or the link "while" the link waits.
    void setSleepHook(std::function<void(int milliseconds)> hook);

private:
    mutable std::mutex mutex;
    double nowMs = 0;
    qint64 epochSeconds = 1767225600; // 2026-01-01 00:00 UTC
    QList<int> recorded;
    int processCalls = 0;
    bool qtEvents = false;
    std::function<void(int)> sleepHook;
};
