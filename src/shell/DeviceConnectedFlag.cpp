#include "shell/DeviceConnectedFlag.h"

namespace {
bool connectedFlag = false;
}

bool deviceConnected()
{
    return connectedFlag;
}

void setDeviceConnected(bool connected)
{
    connectedFlag = connected;
}
