#pragma once

#include "platform/ActiveWindowWatcher.h"

// Whether the active window is one of this program's: by its process id
// where the desktop tells it, else by X11 window id on X11 and by app_id
// on Wayland. Focusing the program's own window must switch no profile.
bool isOwnWindow(const ActiveWindow &active);
