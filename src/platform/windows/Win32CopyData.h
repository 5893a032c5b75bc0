#pragma once

#include "platform/CopyDataChannel.h"

// Reads a WM_COPYDATA message (message points at a MSG); false for any other
// message. The payload stays owned by the sender for the time of the call.
bool copyDataFromMessage(const void *message, CopyDataMessage *data);
