#pragma once

#include "platform/InputEvents.h"
#include "platform/linux/LinuxKeyTranslation.h"

#include <memory>

class QSocketNotifier;
typedef struct _XDisplay Display;

// Raw key and button events of every device from the X server, read on a
// connection of our own whose socket the Qt event loop watches. Raw events
// reach us whichever window has the focus and are never taken from it.
class XInputEventSource final : public InputEventSource
{
public:
    // Connects to the X server at once; the connection lives as long as the
    // source, so removing and installing again needs no new connection.
    XInputEventSource();
    ~XInputEventSource() override;

    // True when the X server was reached and offers XInput 2.1 or later.
    bool usable() const { return display != nullptr; }

    bool install(InputEventSink *sink) override;
    void remove() override;
    bool isInstalled() const override { return sink != nullptr; }
    const char *name() const override { return "XInput2 raw events"; }

private:
    bool connect();
    bool selectEvents(bool capture);
    void readEvents();
    void pointerPosition(int *x, int *y);

    Display *display = nullptr;
    int xinputOpcode = 0;
    InputEventSink *sink = nullptr;
    std::unique_ptr<QSocketNotifier> notifier;
    LinuxKeyTranslator translator;
};
