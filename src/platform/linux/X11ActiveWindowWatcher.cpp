#include "platform/linux/X11ActiveWindowWatcher.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include <cstdlib>
#include <cstring>

namespace {

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

} // namespace

bool x11SessionTellsActiveWindow()
{
    // On Wayland the X server (if any) sees only its own clients: the active
    // window it reports would be wrong whenever a native program has the focus.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland"))
        return false;
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    return !qGuiApp || QGuiApplication::platformName() == QLatin1String("xcb");
}

X11ActiveWindowWatcher::X11ActiveWindowWatcher()
{
    int screenNumber = 0;
    connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        connection = nullptr;
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem) {
        xcb_disconnect(connection);
        connection = nullptr;
        return;
    }
    root = screens.data->root;
    activeAtom = atom("_NET_ACTIVE_WINDOW");
}

X11ActiveWindowWatcher::~X11ActiveWindowWatcher()
{
    delete notifier;
    if (connection)
        xcb_disconnect(connection);
}

xcb_atom_t X11ActiveWindowWatcher::atom(const char *name) const
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

void X11ActiveWindowWatcher::start()
{
    if (!connection || notifier)
        return;
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    notifier = new QSocketNotifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, this,
                     &X11ActiveWindowWatcher::readEvents);
    reportActiveWindow();
}

void X11ActiveWindowWatcher::readEvents()
{
    // Replies read while reporting can leave events queued in xcb that the
    // socket will not announce again: read until the queue is empty.
    for (bool changed = true; changed;) {
        changed = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
                const auto *property = reinterpret_cast<xcb_property_notify_event_t *>(event);
                changed = changed || (property->window == root && property->atom == activeAtom);
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection)) {
            // The X server went away: stop listening rather than spin on a dead socket.
            notifier->setEnabled(false);
            return;
        }
        if (changed)
            reportActiveWindow();
    }
}

void X11ActiveWindowWatcher::reportActiveWindow()
{
    const Reply<xcb_get_property_reply_t> active(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, activeAtom, XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    xcb_window_t window = 0;
    if (active && active->type == XCB_ATOM_WINDOW &&
        xcb_get_property_value_length(active.get()) >= 4)
        std::memcpy(&window, xcb_get_property_value(active.get()), sizeof window);
    if (window == lastWindow)
        return;
    lastWindow = window;

    ActiveWindow result;
    result.id = window;
    if (window) {
        // A window that is already gone answers with an error: no class then.
        const Reply<xcb_get_property_reply_t> wmClass(xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 128),
            nullptr));
        if (wmClass) {
            const int length = xcb_get_property_value_length(wmClass.get());
            const QByteArray value(static_cast<const char *>(xcb_get_property_value(wmClass.get())),
                                   length);
            const QList<QByteArray> parts = value.split('\0');
            result.instanceName = QString::fromLocal8Bit(parts.value(0));
            result.className = QString::fromLocal8Bit(parts.value(1));
        }
    }
    emit activeWindowChanged(result);
}
