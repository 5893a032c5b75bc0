#pragma once

#include <memory>

// Global key and button events as the Windows low-level hooks report them.
// Every platform source speaks these values, so one set of tables and one
// procedure turn them into usage codes everywhere.
namespace HookEvent {
constexpr int Action = 0;               // HC_ACTION
constexpr unsigned KeyDown = 0x100;     // WM_KEYDOWN
constexpr unsigned KeyUp = 0x101;       // WM_KEYUP
constexpr unsigned SysKeyDown = 0x104;  // WM_SYSKEYDOWN
constexpr unsigned SysKeyUp = 0x105;    // WM_SYSKEYUP
constexpr unsigned FlagExtended = 0x01; // LLKHF_EXTENDED
constexpr unsigned FlagAltDown = 0x20;  // LLKHF_ALTDOWN
constexpr unsigned LButtonDown = 0x201;
constexpr unsigned LButtonUp = 0x202;
constexpr unsigned LButtonDblClk = 0x203;
constexpr unsigned RButtonDown = 0x204;
constexpr unsigned RButtonUp = 0x205;
constexpr unsigned RButtonDblClk = 0x206;
constexpr unsigned MButtonDown = 0x207;
constexpr unsigned MButtonUp = 0x208;
} // namespace HookEvent

// Receives every key and button transition of the desktop. Called on the GUI
// thread; an implementation must return quickly and never block.
class InputEventSink
{
public:
    virtual ~InputEventSink() = default;
    // nCode, message (WM_KEYDOWN...), scan code and LLKHF_* flags of one key event.
    virtual void keyboardHookEvent(int nCode, unsigned message, unsigned scanCode,
                                   unsigned flags) = 0;
    // nCode, message (WM_LBUTTONDOWN...) and the pointer's screen position.
    virtual void mouseHookEvent(int nCode, unsigned message, int x, int y) = 0;
};

// Captures the desktop's keys and buttons without swallowing any of them.
class InputEventSource
{
public:
    virtual ~InputEventSource() = default;
    // Starts delivering events to sink; true when both keys and buttons are captured.
    virtual bool install(InputEventSink *sink) = 0;
    // Stops delivering; harmless when nothing is installed.
    virtual void remove() = 0;
    virtual bool isInstalled() const = 0;
    // What the source reads, for the diagnostics report ("XInput2", ...).
    virtual const char *name() const = 0;
};

// The source of this platform (on Linux: XInput2, or evdev devices where no
// X server is reachable; a source that captures nothing where neither works).
std::unique_ptr<InputEventSource> createInputEventSource();

class QWindow;

// Keys and buttons that reach the program's own window while it has the
// focus, as Qt delivers them: the source that works on every desktop
// (a Wayland compositor shows a client only its own input). Null where the
// global source always sees the own window too (Windows).
std::unique_ptr<InputEventSource> createFocusedWindowEventSource(QWindow *window);
