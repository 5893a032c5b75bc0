#pragma once

#include "platform/InputEvents.h"
#include "platform/linux/LinuxKeyTranslation.h"

#include <QString>

#include <memory>
#include <vector>

class QSocketNotifier;

// Turns the key events of input devices into hook events for a sink.
class EvdevEventDecoder
{
public:
    explicit EvdevEventDecoder(InputEventSink *eventSink = nullptr) : sink(eventSink) {}
    void setSink(InputEventSink *eventSink) { sink = eventSink; }
    // One input event (type, code, value) as a device reports it.
    void handleEvent(unsigned type, unsigned code, int value);

private:
    InputEventSink *sink;
    LinuxKeyTranslator translator;
};

// Key and button events read straight from the input devices under
// /dev/input, for sessions without an X server (Wayland) where the user may
// read them. The devices are only read, never grabbed.
class EvdevEventSource final : public InputEventSource
{
public:
    explicit EvdevEventSource(QString directory = QStringLiteral("/dev/input"));
    ~EvdevEventSource() override;

    // True when at least one keyboard or mouse device there can be opened.
    static bool available(const QString &directory = QStringLiteral("/dev/input"));

    bool install(InputEventSink *sink) override;
    void remove() override;
    bool isInstalled() const override { return !devices.empty(); }
    const char *name() const override { return "input devices (/dev/input)"; }

private:
    struct Device
    {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
    };
    void readDevice(int fd);

    QString directory;
    std::vector<Device> devices;
    EvdevEventDecoder decoder;
};
