#pragma once

#include "platform/CopyDataChannel.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QObject>

// The copy-data channel on the session bus: service "com.zerant.molta.R770",
// object "/", interface "com.zerant.molta.R770.CopyData", method
// Send(u dwData, ay payload). Each call is handed on after the reply has
// gone out, so a sender never waits for a message box to close.
class DBusCopyDataChannel final : public QObject, public CopyDataChannel
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zerant.molta.R770.CopyData")
public:
    static constexpr const char *ServiceName = "com.zerant.molta.R770";
    static constexpr const char *ObjectPath = "/";

    // The session bus by default; tests may pass another connection.
    explicit DBusCopyDataChannel(QDBusConnection connection = QDBusConnection::sessionBus());
    ~DBusCopyDataChannel() override;

    bool open(QCoreApplication *application, Handler handler) override;
    void close() override;

public slots:
    void Send(uint dwData, const QByteArray &payload);

private:
    void deliver(uint dwData, const QByteArray &payload);

    QDBusConnection bus;
    Handler handler;
    bool registered = false;
};
