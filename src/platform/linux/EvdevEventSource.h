#pragma once

#include "platform/InputEvents.h"
#include "platform/linux/LinuxKeyTranslation.h"

#include <QString>

#include <memory>
#include <vector>

class QSocketNotifier;

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

private:
    struct Device
    {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
    };
    void readDevice(int fd);
    void handle(unsigned type, unsigned code, int value);

    QString directory;
    InputEventSink *sink = nullptr;
    std::vector<Device> devices;
    LinuxKeyTranslator translator;
};
