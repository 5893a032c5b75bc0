#include "shell/InputHook.h"

namespace {
InputHook *processInstance = nullptr;
}

InputHook::InputHook(unsigned char flag)
    : InputHook(flag, createInputEventSource(), createCopyDataChannel())
{
}

InputHook::InputHook(unsigned char flag, std::unique_ptr<InputEventSource> eventSource,
                     std::unique_ptr<CopyDataChannel> copyDataChannel)
    : alternativeBackslash(flag), source(std::move(eventSource)),
      channel(std::move(copyDataChannel))
{
    processInstance = this;
    buildTables();
    // A failed install is not reported: the program then runs without capture.
    installHooks();
}

InputHook::~InputHook()
{
    if (channel)
        channel->close();
    if (source)
        source->remove();
    if (focusedSource)
        focusedSource->remove();
    if (processInstance == this)
        processInstance = nullptr;
}

InputHook *InputHook::instance()
{
    return processInstance;
}

bool InputHook::installHooks()
{
    if (!source)
        return false;
    if (source->isInstalled())
        source->remove();
    return source->install(&merger.globalPort());
}

void InputHook::removeHooks()
{
    if (source)
        source->remove();
    if (focusedSource)
        focusedSource->remove();
}

bool InputHook::addFocusedWindowSource(std::unique_ptr<InputEventSource> windowSource)
{
    if (focusedSource)
        focusedSource->remove();
    focusedSource = std::move(windowSource);
    return focusedSource && focusedSource->install(&merger.focusedPort());
}

QStringList InputHook::captureSources() const
{
    QStringList names;
    for (const InputEventSource *s : {source.get(), focusedSource.get()}) {
        if (s && s->isInstalled())
            names << QString::fromLatin1(s->name());
    }
    return names;
}

void InputHook::setKeyboardCallback(KeyboardCallback callback, void *context)
{
    keyboardCallback = callback;
    keyboardContext = context;
}

void InputHook::setMouseCallback(MouseCallback callback, void *context)
{
    mouseCallback = callback;
    mouseContext = context;
}

bool InputHook::installCopyDataFilter(CopyDataCallback callback, QCoreApplication *application,
                                      void *context)
{
    copyDataCallback = callback;
    copyDataContext = context;
    if (!channel)
        return false;
    return channel->open(
        application, [this](const CopyDataMessage &message) { return copyDataArrived(message); });
}

bool InputHook::copyDataArrived(const CopyDataMessage &message)
{
    if (!copyDataCallback)
        return false;
    copyDataCallback(&message, copyDataContext);
    return true;
}

void InputHook::keyboardHookEvent(int nCode, unsigned message, unsigned scanCode, unsigned flags)
{
    const bool isDown = nCode == HookEvent::Action &&
                        (message == HookEvent::KeyDown || message == HookEvent::SysKeyDown);
    const unsigned s = scanCode > 0xFF ? 0 : scanCode;
    const unsigned extended = flags & HookEvent::FlagExtended;

    unsigned char vk = scanCodeTable[s * 2 + extended];
    // Ctrl+Break comes as extended 0x46 and Alt+Print Screen as 0x54.
    if (s == 0x46 && extended)
        vk = 0x13;
    else if (s == 0x54)
        vk = (flags & HookEvent::FlagAltDown) ? 0x2C : 0;
    if (vk == 0)
        return;

    const unsigned char usage = usageTable[vk];
    if (usage == 0 || keyDown[usage] == isDown)
        return; // unknown key, or a repeat of the last transition
    keyDown[usage] = isDown;
    if (keyboardCallback)
        keyboardCallback(usage, isDown, keyboardContext);
}

void InputHook::mouseHookEvent(int nCode, unsigned message, int x, int y)
{
    (void)nCode; // every message counts, as the hook chain delivers it
    if (message < HookEvent::LButtonDown || message > HookEvent::MButtonUp)
        return;
    const unsigned index = message - HookEvent::LButtonDown;
    const unsigned char code = mouseCodeTable[index];
    if (code != 0 && mouseCallback)
        mouseCallback(code, mouseDownTable[index] != 0, x, y, mouseContext);
}
