#include "platform/linux/XInputEventSource.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace {

// Raw events reach every client that selects them on the root window, grabs
// or not, from XInput 2.1 on.
bool queryXInput(Display *display, int *opcode)
{
    int event = 0;
    int error = 0;
    if (!XQueryExtension(display, "XInputExtension", opcode, &event, &error))
        return false;
    int major = 2;
    int minor = 2;
    return XIQueryVersion(display, &major, &minor) == Success &&
           (major > 2 || (major == 2 && minor >= 1));
}

} // namespace

XInputEventSource::XInputEventSource()
{
    connect();
}

XInputEventSource::~XInputEventSource()
{
    remove();
    if (display)
        XCloseDisplay(display);
}

bool XInputEventSource::connect()
{
    if (display)
        return true;
    display = XOpenDisplay(nullptr);
    if (display && !queryXInput(display, &xinputOpcode)) {
        XCloseDisplay(display);
        display = nullptr;
    }
    return display != nullptr;
}

bool XInputEventSource::selectEvents(bool capture)
{
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    if (capture) {
        XISetMask(mask, XI_RawKeyPress);
        XISetMask(mask, XI_RawKeyRelease);
        XISetMask(mask, XI_RawButtonPress);
        XISetMask(mask, XI_RawButtonRelease);
    }
    // Master devices only: each physical event arrives once, whichever slave sent it.
    XIEventMask eventMask{XIAllMasterDevices, static_cast<int>(sizeof(mask)), mask};
    const bool ok = XISelectEvents(display, DefaultRootWindow(display), &eventMask, 1) == Success;
    XFlush(display);
    return ok;
}

bool XInputEventSource::install(InputEventSink *eventSink)
{
    remove();
    if (!connect() || !selectEvents(true))
        return false;
    sink = eventSink;
    notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(display), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                     [this] { readEvents(); });
    readEvents();
    return true;
}

void XInputEventSource::remove()
{
    if (!sink)
        return;
    notifier.reset();
    sink = nullptr;
    selectEvents(false);
    // Drop what arrived before the events were deselected.
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

void XInputEventSource::pointerPosition(int *x, int *y)
{
    Window root = 0;
    Window child = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    *x = 0;
    *y = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, x, y, &windowX, &windowY,
                  &buttons);
}

void XInputEventSource::readEvents()
{
    // XPending also reads what is waiting on the socket; events that Xlib
    // queued during other calls are handled here too.
    while (display && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        XGenericEventCookie *cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xinputOpcode ||
            !XGetEventData(display, cookie))
            continue;
        const auto *raw = static_cast<const XIRawEvent *>(cookie->data);
        const int type = cookie->evtype;
        const unsigned detail = static_cast<unsigned>(raw->detail);
        XFreeEventData(display, cookie);
        if (!sink)
            continue;

        if (type == XI_RawKeyPress || type == XI_RawKeyRelease) {
            HookKeyEvent key;
            // X key codes are the Linux key codes plus 8.
            if (detail >= 8 && translator.translate(detail - 8, type == XI_RawKeyPress, &key))
                sink->keyboardHookEvent(HookEvent::Action, key.message, key.scanCode, key.flags);
        } else if (type == XI_RawButtonPress || type == XI_RawButtonRelease) {
            const unsigned message = buttonMessage(detail, type == XI_RawButtonPress);
            if (message == 0)
                continue;
            int x = 0;
            int y = 0;
            pointerPosition(&x, &y);
            sink->mouseHookEvent(HookEvent::Action, message, x, y);
        }
    }
}
