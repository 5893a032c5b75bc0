#pragma once

#include "platform/ActiveWindowWatcher.h"
#include "platform/linux/I3Ipc.h"

#include <QLocalSocket>

// Follows the focus through the IPC socket of sway or i3: subscribes to
// window events, asks once for the tree to learn the window focused at the
// start, then reports each focus event. A peer that breaks the protocol
// loses the connection, with one debug line; nothing is retried.
class WindowManagerIpcWatcher final : public ActiveWindowWatcher
{
    Q_OBJECT
public:
    explicit WindowManagerIpcWatcher(QString socketPath);
    ~WindowManagerIpcWatcher() override;

    bool isAvailable() const override { return unavailable.isEmpty(); }
    QString sourceName() const override { return QStringLiteral("sway/i3 IPC"); }
    QString unavailableReason() const override { return unavailable; }
    void start() override;

private:
    void onConnected();
    void readMessages();
    void handle(const I3Ipc::Message &message);
    void drop(const QString &why);

    QString path;
    QLocalSocket socket;
    I3Ipc::Reader reader;
    QString unavailable;
    bool started = false;
    bool connected = false;
    bool reading = false;
};
