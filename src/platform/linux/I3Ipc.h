#pragma once

#include "platform/ActiveWindowWatcher.h"

#include <QByteArray>
#include <QJsonObject>

#include <optional>

// The binary protocol of the sway and i3 IPC socket: "i3-ipc", the payload's
// length and the message type (both 32-bit, little-endian), then the JSON
// payload. Events carry the high bit in their type.
namespace I3Ipc {

constexpr quint32 Subscribe = 2;
constexpr quint32 GetTree = 4;
constexpr quint32 WindowEvent = 0x80000003;
constexpr int HeaderSize = 14;
// A whole tree of a busy session is a few hundred kilobytes; a length far
// beyond that is a broken or lying peer, not a message to wait for.
constexpr quint32 MaxPayload = 8 * 1024 * 1024;

QByteArray frame(quint32 type, const QByteArray &payload);

struct Message
{
    quint32 type = 0;
    QByteArray payload;
};

// Cuts the bytes read from the socket into whole messages.
class Reader
{
public:
    enum class Result
    {
        NeedMore,
        Message,
        Broken
    };

    void append(const QByteArray &bytes) { buffer += bytes; }
    void clear() { buffer.clear(); }
    // The next whole message, or why the stream cannot be read on.
    Result next(Message *message, QString *why);

private:
    QByteArray buffer;
};

// The window a container of a tree or a window event stands for: a native
// window by its app_id, an XWayland (or i3) window by its X11 class.
ActiveWindow windowOfContainer(const QJsonObject &container);

// The focused node of a GET_TREE reply as a window (no window when a
// workspace without windows has the focus); nothing when no node is focused.
std::optional<ActiveWindow> focusedWindowOfTree(const QJsonObject &tree);

} // namespace I3Ipc
