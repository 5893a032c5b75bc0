#pragma once

#include "platform/CopyDataChannel.h"
#include "platform/InputEvents.h"
#include "shell/InputEventMerger.h"

#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>

class QCoreApplication;

// The global input hook: captures every key and button transition of the
// desktop, turns keys into USB HID keyboard usages through two tables
// (scan code -> virtual-key code -> usage), drops repeats and hands each
// transition to a callback. It also carries copy-data messages to a callback.
class InputHook final : public InputEventSink
{
public:
    using KeyboardCallback = void (*)(unsigned char usage, bool isDown, void *context);
    using MouseCallback = void (*)(unsigned char buttonCode, bool isDown, int x, int y,
                                   void *context);
    using CopyDataCallback = void (*)(const CopyDataMessage *message, void *context);

    // flag: the alternative-backslash flag (0xDC gives 0x32 instead of 0x31).
    explicit InputHook(unsigned char flag);
    InputHook(unsigned char flag, std::unique_ptr<InputEventSource> source,
              std::unique_ptr<CopyDataChannel> channel);
    ~InputHook() override;
    InputHook(const InputHook &) = delete;
    InputHook &operator=(const InputHook &) = delete;

    // The process-wide module (the last one constructed), or null.
    static InputHook *instance();

    // Installs keyboard and mouse capture; true when both are active.
    bool installHooks();
    void removeHooks();
    // Adds the keys and buttons of the program's own focused window, for
    // desktops whose global source cannot see them; what both sources see
    // arrives once. True when it is installed.
    bool addFocusedWindowSource(std::unique_ptr<InputEventSource> windowSource);
    // The sources that deliver events now, by name.
    QStringList captureSources() const;
    void setKeyboardCallback(KeyboardCallback callback, void *context);
    void setMouseCallback(MouseCallback callback, void *context);
    bool installCopyDataFilter(CopyDataCallback callback, QCoreApplication *application,
                               void *context);

    // The procedures, driven by the event source.
    void keyboardHookEvent(int nCode, unsigned message, unsigned scanCode, unsigned flags) override;
    void mouseHookEvent(int nCode, unsigned message, int x, int y) override;

    // Table look-ups: key = scan code * 256 + extended bit; 0 means no entry.
    unsigned char virtualKeyOf(unsigned key) const;
    unsigned char usageOf(unsigned char virtualKey) const { return usageTable[virtualKey]; }
    int scanCodeTableSize() const;
    int usageTableSize() const;
    bool keyState(unsigned char usage) const { return keyDown[usage]; }

private:
    void buildTables();
    void setScanCode(unsigned scanCode, bool extended, unsigned char virtualKey);
    bool copyDataArrived(const CopyDataMessage &message);

    unsigned char alternativeBackslash;
    std::unique_ptr<InputEventSource> source;
    std::unique_ptr<InputEventSource> focusedSource;
    InputEventMerger merger{*this};
    std::unique_ptr<CopyDataChannel> channel;

    KeyboardCallback keyboardCallback = nullptr;
    void *keyboardContext = nullptr;
    MouseCallback mouseCallback = nullptr;
    void *mouseContext = nullptr;
    CopyDataCallback copyDataCallback = nullptr;
    void *copyDataContext = nullptr;

    std::array<bool, 256> keyDown{};
    // Indexed by scan code * 2 + extended bit: a flat array keeps the hook cheap.
    std::array<std::uint8_t, 512> scanCodeTable{};
    std::array<std::uint8_t, 256> usageTable{};
    std::array<std::uint8_t, 8> mouseCodeTable{};
    std::array<std::uint8_t, 8> mouseDownTable{};
};
