#pragma once

#include <QObject>

// Tells when HID or USB devices come or go (the system's device-change notice).
class DeviceChangeMonitor : public QObject
{
    Q_OBJECT
public:
    explicit DeviceChangeMonitor(QObject *parent = nullptr);
    ~DeviceChangeMonitor() override;

    // False where the system offers no such notices to this process.
    bool isActive() const;

signals:
    void deviceChanged();

private:
    struct Private;
    Private *d = nullptr;
};
