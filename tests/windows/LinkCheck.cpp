// Links the Qt-free Windows code into a small program, so that every Win32
// call it makes resolves against the import libraries. Built by
// scripts/check-windows.sh with MinGW-w64; never run.
#include "platform/InputEvents.h"
#include "platform/PointerSettings.h"
#include "platform/windows/Win32CopyData.h"

#include <windows.h>

namespace {

class NullSink final : public InputEventSink
{
public:
    void keyboardHookEvent(int, unsigned, unsigned, unsigned) override {}
    void mouseHookEvent(int, unsigned, int, int) override {}
};

} // namespace

int main()
{
    NullSink sink;
    auto source = createInputEventSource();
    const bool captured = source->install(&sink);
    source->remove();
    auto pointer = createPointerSettings();
    MSG msg{};
    CopyDataMessage data;
    return captured && pointer && copyDataFromMessage(&msg, &data) ? 0 : 1;
}
