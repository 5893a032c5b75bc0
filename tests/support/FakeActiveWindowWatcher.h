#pragma once

#include "platform/ActiveWindowWatcher.h"

// An active-window watcher whose changes the test makes by hand.
class FakeActiveWindowWatcher final : public ActiveWindowWatcher
{
public:
    bool isAvailable() const override { return true; }
    QString sourceName() const override { return QStringLiteral("fake"); }
    void start() override { ++starts; }

    void activate(quint64 id, const QString &instanceName, const QString &className)
    {
        emit activeWindowChanged({id, instanceName, className});
    }

    int starts = 0;
};
