#include "shell/Widget.h"

#include "shell/DeviceConnectedFlag.h"

#include <QDebug>

// Detection: until the device link lands there is nothing to find, so every
// cycle runs the disconnect steps.
void Widget::checkDevice()
{
    qDebug() << "Device DisConnect";
    setDeviceConnected(false);
    startUi();
}
