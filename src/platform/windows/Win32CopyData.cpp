// Free of Qt, so that the MinGW check compiles it on any machine.
#include "platform/windows/Win32CopyData.h"

#include <windows.h>

bool copyDataFromMessage(const void *message, CopyDataMessage *data)
{
    const MSG *msg = static_cast<const MSG *>(message);
    if (!msg || msg->message != WM_COPYDATA || !msg->lParam)
        return false;
    const auto *copy = reinterpret_cast<const COPYDATASTRUCT *>(msg->lParam);
    data->dwData = static_cast<std::uint64_t>(copy->dwData);
    data->cbData = static_cast<std::uint32_t>(copy->cbData);
    data->lpData = copy->lpData;
    return true;
}
