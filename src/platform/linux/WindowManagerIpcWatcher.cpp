#include "platform/linux/WindowManagerIpcWatcher.h"

#include <QDebug>
#include <QJsonDocument>

WindowManagerIpcWatcher::WindowManagerIpcWatcher(QString socketPath) : path(std::move(socketPath))
{
    connect(&socket, &QLocalSocket::connected, this, &WindowManagerIpcWatcher::onConnected);
    connect(&socket, &QLocalSocket::readyRead, this, &WindowManagerIpcWatcher::readMessages);
    connect(&socket, &QLocalSocket::errorOccurred, this, [this] { drop(socket.errorString()); });
    connect(&socket, &QLocalSocket::disconnected, this,
            [this] { drop(QStringLiteral("the window manager closed it")); });
}

WindowManagerIpcWatcher::~WindowManagerIpcWatcher()
{
    // Closing the socket here is no broken connection worth a line.
    disconnect(&socket, nullptr, this, nullptr);
}

void WindowManagerIpcWatcher::start()
{
    if (started || !isAvailable())
        return;
    started = true;
    socket.connectToServer(path);
}

void WindowManagerIpcWatcher::onConnected()
{
    connected = true;
    // Subscribed first: a focus change before the tree's answer is older
    // than the tree, which the socket delivers in order.
    socket.write(I3Ipc::frame(I3Ipc::Subscribe, QByteArrayLiteral("[\"window\"]")));
    socket.write(I3Ipc::frame(I3Ipc::GetTree, QByteArray()));
}

void WindowManagerIpcWatcher::readMessages()
{
    // A report may run the event loop (a profile switch sends to the mouse);
    // bytes that arrive meanwhile are read by the loop already running.
    if (reading)
        return;
    reading = true;
    while (isAvailable() && socket.bytesAvailable() > 0) {
        reader.append(socket.readAll());
        I3Ipc::Message message;
        QString why;
        for (;;) {
            const I3Ipc::Reader::Result result = reader.next(&message, &why);
            if (result == I3Ipc::Reader::Result::NeedMore)
                break;
            if (result == I3Ipc::Reader::Result::Broken) {
                drop(why);
                break;
            }
            handle(message);
            if (!isAvailable())
                break;
        }
    }
    reading = false;
}

void WindowManagerIpcWatcher::handle(const I3Ipc::Message &message)
{
    if (message.type != I3Ipc::Subscribe && message.type != I3Ipc::GetTree &&
        message.type != I3Ipc::WindowEvent)
        return;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(message.payload, &error);
    if (!document.isObject()) {
        drop(error.error == QJsonParseError::NoError ? QStringLiteral("a reply that is no object")
                                                     : error.errorString());
        return;
    }
    const QJsonObject object = document.object();
    switch (message.type) {
    case I3Ipc::Subscribe:
        if (!object.value(QLatin1String("success")).toBool())
            drop(QStringLiteral("the subscription to window events was refused"));
        break;
    case I3Ipc::GetTree:
        if (const std::optional<ActiveWindow> focused = I3Ipc::focusedWindowOfTree(object))
            emit activeWindowChanged(*focused);
        break;
    default: {
        const QJsonValue container = object.value(QLatin1String("container"));
        if (object.value(QLatin1String("change")).toString() == QLatin1String("focus") &&
            container.isObject())
            emit activeWindowChanged(I3Ipc::windowOfContainer(container.toObject()));
        break;
    }
    }
}

void WindowManagerIpcWatcher::drop(const QString &why)
{
    if (!isAvailable())
        return;
    unavailable =
        connected
            ? QStringLiteral("The connection to the window manager broke (%1).").arg(why)
            : QStringLiteral("The window manager's socket %1 does not answer (%2).").arg(path, why);
    qDebug().noquote() << "Active window: sway/i3 IPC dropped:" << why;
    reader.clear();
    socket.abort();
}
