#include "platform/DeviceChangeMonitor.h"

// On Windows the window receives WM_DEVICECHANGE itself (Widget::nativeEvent).
struct DeviceChangeMonitor::Private
{
};

DeviceChangeMonitor::DeviceChangeMonitor(QObject *parent) : QObject(parent), d(new Private) {}

DeviceChangeMonitor::~DeviceChangeMonitor()
{
    delete d;
}

bool DeviceChangeMonitor::isActive() const
{
    return false;
}
