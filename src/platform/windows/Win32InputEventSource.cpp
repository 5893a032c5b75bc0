// Global key and button capture through the low-level hooks of user32.
// Free of Qt, so that the MinGW check compiles it on any machine.
#include "platform/InputEvents.h"

#include <windows.h>

namespace {

// The hook procedures get no context: the one active source lives here.
HHOOK keyboardHook = nullptr;
HHOOK mouseHook = nullptr;
InputEventSink *activeSink = nullptr;

LRESULT CALLBACK keyboardProcedure(int nCode, WPARAM wParam, LPARAM lParam)
{
    // Negative codes must go straight on, as the hook chain requires.
    if (nCode >= 0 && activeSink && lParam) {
        const auto *info = reinterpret_cast<const KBDLLHOOKSTRUCT *>(lParam);
        activeSink->keyboardHookEvent(nCode, static_cast<unsigned>(wParam),
                                      static_cast<unsigned>(info->scanCode),
                                      static_cast<unsigned>(info->flags));
    }
    // Never swallowed.
    return CallNextHookEx(keyboardHook, nCode, wParam, lParam);
}

LRESULT CALLBACK mouseProcedure(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode >= 0 && activeSink && lParam) {
        const auto *info = reinterpret_cast<const MSLLHOOKSTRUCT *>(lParam);
        activeSink->mouseHookEvent(nCode, static_cast<unsigned>(wParam), info->pt.x, info->pt.y);
    }
    return CallNextHookEx(mouseHook, nCode, wParam, lParam);
}

class Win32InputEventSource final : public InputEventSource
{
public:
    ~Win32InputEventSource() override { remove(); }

    bool install(InputEventSink *sink) override
    {
        remove();
        activeSink = sink;
        // The hooks run on this (the GUI) thread, through its message loop.
        HINSTANCE module = GetModuleHandleW(nullptr);
        keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardProcedure, module, 0);
        mouseHook = SetWindowsHookExW(WH_MOUSE_LL, mouseProcedure, module, 0);
        if (keyboardHook && mouseHook)
            return true;
        // Half a capture is no capture: undo the hook that did install.
        remove();
        return false;
    }

    void remove() override
    {
        if (keyboardHook)
            UnhookWindowsHookEx(keyboardHook);
        if (mouseHook)
            UnhookWindowsHookEx(mouseHook);
        keyboardHook = nullptr;
        mouseHook = nullptr;
        activeSink = nullptr;
    }

    bool isInstalled() const override { return keyboardHook || mouseHook; }
    const char *name() const override { return "low-level hooks"; }
};

} // namespace

std::unique_ptr<InputEventSource> createInputEventSource()
{
    return std::make_unique<Win32InputEventSource>();
}

std::unique_ptr<InputEventSource> createFocusedWindowEventSource(QWindow *)
{
    // The low-level hooks see the program's own window as any other.
    return nullptr;
}
