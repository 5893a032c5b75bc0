#include "platform/DeviceChangeMonitor.h"

#include <QSocketNotifier>

#include <libudev.h>

// udev events of the hidraw and usb subsystems, read on the GUI thread when
// the monitor's socket becomes readable.
struct DeviceChangeMonitor::Private
{
    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};

DeviceChangeMonitor::DeviceChangeMonitor(QObject *parent) : QObject(parent), d(new Private)
{
    d->context = udev_new();
    if (!d->context)
        return;
    d->monitor = udev_monitor_new_from_netlink(d->context, "udev");
    if (!d->monitor)
        return;
    udev_monitor_filter_add_match_subsystem_devtype(d->monitor, "hidraw", nullptr);
    udev_monitor_filter_add_match_subsystem_devtype(d->monitor, "usb", nullptr);
    if (udev_monitor_enable_receiving(d->monitor) < 0) {
        udev_monitor_unref(d->monitor);
        d->monitor = nullptr;
        return;
    }
    d->notifier = new QSocketNotifier(udev_monitor_get_fd(d->monitor), QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, [this] {
        // Drain what is queued; one notice per event, a burst ends in one check anyway.
        while (udev_device *device = udev_monitor_receive_device(d->monitor)) {
            udev_device_unref(device);
            emit deviceChanged();
        }
    });
}

DeviceChangeMonitor::~DeviceChangeMonitor()
{
    delete d->notifier;
    if (d->monitor)
        udev_monitor_unref(d->monitor);
    if (d->context)
        udev_unref(d->context);
    delete d;
}

bool DeviceChangeMonitor::isActive() const
{
    return d->notifier != nullptr;
}
