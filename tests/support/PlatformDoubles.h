#pragma once

#include "platform/CopyDataChannel.h"
#include "platform/InputEvents.h"
#include "platform/PointerSettings.h"

#include <QByteArray>
#include <QList>

#include <cstdint>

// An input source whose events the test sends by hand.
class FakeInputEventSource final : public InputEventSource
{
public:
    bool install(InputEventSink *eventSink) override
    {
        ++installs;
        if (failInstall)
            return false;
        sink = eventSink;
        return true;
    }
    void remove() override
    {
        if (sink)
            ++removals;
        sink = nullptr;
    }
    bool isInstalled() const override { return sink != nullptr; }
    const char *name() const override { return "fake"; }

    void key(unsigned scanCode, bool down, unsigned flags = 0, int nCode = HookEvent::Action)
    {
        if (sink)
            sink->keyboardHookEvent(nCode, down ? HookEvent::KeyDown : HookEvent::KeyUp, scanCode,
                                    flags);
    }
    void extendedKey(unsigned scanCode, bool down) { key(scanCode, down, HookEvent::FlagExtended); }
    void mouse(unsigned message, int x, int y)
    {
        if (sink)
            sink->mouseHookEvent(HookEvent::Action, message, x, y);
    }

    InputEventSink *sink = nullptr;
    bool failInstall = false;
    int installs = 0;
    int removals = 0;
};

// A copy-data channel that the test feeds directly.
class FakeCopyDataChannel final : public CopyDataChannel
{
public:
    bool open(QCoreApplication *app, Handler messageHandler) override
    {
        application = app;
        handler = std::move(messageHandler);
        return true;
    }
    void close() override { handler = nullptr; }

    void send(std::uint64_t dwData, const QByteArray &payload)
    {
        CopyDataMessage message;
        message.dwData = dwData;
        message.cbData = static_cast<std::uint32_t>(payload.size());
        message.lpData = payload.constData();
        if (handler)
            handler(message);
    }

    QCoreApplication *application = nullptr;
    Handler handler;
};

// Records every pointer setting; refuses them all when told to.
class RecordingPointerSettings final : public PointerSettings
{
public:
    bool setMouseSpeed(unsigned speed) override
    {
        speeds << speed;
        return accept;
    }
    bool setDoubleClickTime(unsigned milliseconds) override
    {
        doubleClickTimes << milliseconds;
        return accept;
    }
    bool setWheelScrollLines(unsigned lines) override
    {
        wheelLines << lines;
        return accept;
    }

    bool accept = true;
    QList<unsigned> speeds;
    QList<unsigned> doubleClickTimes;
    QList<unsigned> wheelLines;
};
