#include "platform/linux/I3Ipc.h"

#include <QJsonArray>
#include <QtEndian>

namespace I3Ipc {

namespace {

constexpr char Magic[] = "i3-ipc";
constexpr int MagicSize = 6;

bool isWindow(const QJsonObject &node)
{
    return node.contains(QLatin1String("app_id")) ||
           node.value(QLatin1String("window_properties")).isObject();
}

std::optional<ActiveWindow> findFocused(const QJsonObject &node)
{
    if (node.value(QLatin1String("focused")).toBool())
        return isWindow(node) ? windowOfContainer(node) : ActiveWindow();
    for (const char *children : {"nodes", "floating_nodes"}) {
        const QJsonArray list = node.value(QLatin1String(children)).toArray();
        for (const QJsonValue &child : list) {
            if (std::optional<ActiveWindow> found = findFocused(child.toObject()))
                return found;
        }
    }
    return std::nullopt;
}

} // namespace

QByteArray frame(quint32 type, const QByteArray &payload)
{
    QByteArray bytes(Magic, MagicSize);
    char numbers[8];
    qToLittleEndian<quint32>(quint32(payload.size()), numbers);
    qToLittleEndian<quint32>(type, numbers + 4);
    bytes.append(numbers, sizeof numbers);
    return bytes + payload;
}

Reader::Result Reader::next(Message *message, QString *why)
{
    if (buffer.size() < HeaderSize) {
        // A wrong start is wrong however few bytes have come.
        if (!QByteArray(Magic, MagicSize).startsWith(buffer.left(MagicSize))) {
            *why = QStringLiteral("no i3-ipc header");
            return Result::Broken;
        }
        return Result::NeedMore;
    }
    if (!buffer.startsWith(QByteArray(Magic, MagicSize))) {
        *why = QStringLiteral("no i3-ipc header");
        return Result::Broken;
    }
    const quint32 length = qFromLittleEndian<quint32>(buffer.constData() + MagicSize);
    if (length > MaxPayload) {
        *why = QStringLiteral("a message of %1 bytes").arg(length);
        return Result::Broken;
    }
    if (buffer.size() < HeaderSize + qsizetype(length))
        return Result::NeedMore;
    message->type = qFromLittleEndian<quint32>(buffer.constData() + MagicSize + 4);
    message->payload = buffer.mid(HeaderSize, length);
    buffer.remove(0, HeaderSize + length);
    return Result::Message;
}

ActiveWindow windowOfContainer(const QJsonObject &container)
{
    ActiveWindow window;
    // "window" is the X11 id of an XWayland or i3 window, null for a native one.
    window.id = quint64(container.value(QLatin1String("window")).toInteger());
    window.pid = container.value(QLatin1String("pid")).toInteger();
    const QString appId = container.value(QLatin1String("app_id")).toString();
    if (!appId.isEmpty()) {
        window.className = appId;
        return window;
    }
    const QJsonObject properties = container.value(QLatin1String("window_properties")).toObject();
    window.instanceName = properties.value(QLatin1String("instance")).toString();
    window.className = properties.value(QLatin1String("class")).toString();
    return window;
}

std::optional<ActiveWindow> focusedWindowOfTree(const QJsonObject &tree)
{
    return findFocused(tree);
}

} // namespace I3Ipc
