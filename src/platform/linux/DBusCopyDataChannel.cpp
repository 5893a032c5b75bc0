#include "platform/linux/DBusCopyDataChannel.h"

#include <QMetaObject>

DBusCopyDataChannel::DBusCopyDataChannel(QDBusConnection connection) : bus(std::move(connection)) {}

DBusCopyDataChannel::~DBusCopyDataChannel()
{
    close();
}

bool DBusCopyDataChannel::open(QCoreApplication *application, Handler messageHandler)
{
    Q_UNUSED(application); // the bus connection is process-wide
    close();
    handler = std::move(messageHandler);
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(QString::fromLatin1(ObjectPath), this, QDBusConnection::ExportAllSlots))
        return false;
    registered = true;
    // Another program already holding the name keeps it; this one then gets no messages.
    if (!bus.registerService(QString::fromLatin1(ServiceName))) {
        close();
        return false;
    }
    return true;
}

void DBusCopyDataChannel::close()
{
    if (!registered)
        return;
    bus.unregisterService(QString::fromLatin1(ServiceName));
    bus.unregisterObject(QString::fromLatin1(ObjectPath));
    registered = false;
}

void DBusCopyDataChannel::Send(uint dwData, const QByteArray &payload)
{
    // Queued: the bus dispatch returns first, whatever the handler shows.
    QMetaObject::invokeMethod(
        this, [this, dwData, payload] { deliver(dwData, payload); }, Qt::QueuedConnection);
}

void DBusCopyDataChannel::deliver(uint dwData, const QByteArray &payload)
{
    if (!handler)
        return;
    CopyDataMessage message;
    message.dwData = dwData;
    message.cbData = static_cast<std::uint32_t>(payload.size());
    message.lpData = payload.constData();
    handler(message);
}

std::unique_ptr<CopyDataChannel> createCopyDataChannel()
{
    return std::make_unique<DBusCopyDataChannel>();
}
