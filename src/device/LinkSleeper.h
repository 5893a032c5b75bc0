#pragma once

#include <QtGlobal>

// Every pause of the transport goes through one sleeper, so tests can run
// the exact sequence of delays on a virtual clock without waiting.
class LinkSleeper
{
public:
    virtual ~LinkSleeper() = default;

    // Blocks the caller for this many milliseconds.
    virtual void sleep(int milliseconds) = 0;
    // Lets the GUI thread's pending events run (timers, queued calls, input).
    virtual void processEvents() = 0;
    // Whole seconds since 1970-01-01 UTC: the seed of the echo check's bytes.
    virtual qint64 secondsSinceEpoch() = 0;
};

// Sleeps for real.
class RealSleeper : public LinkSleeper
{
public:
    void sleep(int milliseconds) override;
    void processEvents() override;
    qint64 secondsSinceEpoch() override;
};

// The sleeper a default-constructed link uses (a RealSleeper unless replaced). Not owned.
LinkSleeper *defaultLinkSleeper();
void setDefaultLinkSleeper(LinkSleeper *sleeper);
