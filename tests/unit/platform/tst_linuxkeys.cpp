#include "PlatformDoubles.h"
#include "platform/linux/EvdevEventSource.h"
#include "platform/linux/LinuxKeyTranslation.h"
#include "shell/InputHook.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <linux/input-event-codes.h>

namespace {

struct Key
{
    const char *name;
    unsigned linuxKey;
    int usage; // keyboard/keypad page of the USB HID usage tables
};

// Every key of the scan-code table (a 105-key keyboard and F23) and the right
// Windows key.
const Key keyboard[] = {
    {"Esc", KEY_ESC, 0x29},
    {"1", KEY_1, 0x1E},
    {"2", KEY_2, 0x1F},
    {"3", KEY_3, 0x20},
    {"4", KEY_4, 0x21},
    {"5", KEY_5, 0x22},
    {"6", KEY_6, 0x23},
    {"7", KEY_7, 0x24},
    {"8", KEY_8, 0x25},
    {"9", KEY_9, 0x26},
    {"0", KEY_0, 0x27},
    {"-", KEY_MINUS, 0x2D},
    {"=", KEY_EQUAL, 0x2E},
    {"Backspace", KEY_BACKSPACE, 0x2A},
    {"Tab", KEY_TAB, 0x2B},
    {"Q", KEY_Q, 0x14},
    {"W", KEY_W, 0x1A},
    {"E", KEY_E, 0x08},
    {"R", KEY_R, 0x15},
    {"T", KEY_T, 0x17},
    {"Y", KEY_Y, 0x1C},
    {"U", KEY_U, 0x18},
    {"I", KEY_I, 0x0C},
    {"O", KEY_O, 0x12},
    {"P", KEY_P, 0x13},
    {"[", KEY_LEFTBRACE, 0x2F},
    {"]", KEY_RIGHTBRACE, 0x30},
    {"Enter", KEY_ENTER, 0x28},
    {"LCtrl", KEY_LEFTCTRL, 0xE0},
    {"A", KEY_A, 0x04},
    {"S", KEY_S, 0x16},
    {"D", KEY_D, 0x07},
    {"F", KEY_F, 0x09},
    {"G", KEY_G, 0x0A},
    {"H", KEY_H, 0x0B},
    {"J", KEY_J, 0x0D},
    {"K", KEY_K, 0x0E},
    {"L", KEY_L, 0x0F},
    {";", KEY_SEMICOLON, 0x33},
    {"'", KEY_APOSTROPHE, 0x34},
    {"`", KEY_GRAVE, 0x35},
    {"LShift", KEY_LEFTSHIFT, 0xE1},
    {"\\", KEY_BACKSLASH, 0x31},
    {"Z", KEY_Z, 0x1D},
    {"X", KEY_X, 0x1B},
    {"C", KEY_C, 0x06},
    {"V", KEY_V, 0x19},
    {"B", KEY_B, 0x05},
    {"N", KEY_N, 0x11},
    {"M", KEY_M, 0x10},
    {",", KEY_COMMA, 0x36},
    {".", KEY_DOT, 0x37},
    {"/", KEY_SLASH, 0x38},
    {"RShift", KEY_RIGHTSHIFT, 0xE5},
    {"KP*", KEY_KPASTERISK, 0x55},
    {"LAlt", KEY_LEFTALT, 0xE2},
    {"Space", KEY_SPACE, 0x2C},
    {"CapsLock", KEY_CAPSLOCK, 0x39},
    {"F1", KEY_F1, 0x3A},
    {"F2", KEY_F2, 0x3B},
    {"F3", KEY_F3, 0x3C},
    {"F4", KEY_F4, 0x3D},
    {"F5", KEY_F5, 0x3E},
    {"F6", KEY_F6, 0x3F},
    {"F7", KEY_F7, 0x40},
    {"F8", KEY_F8, 0x41},
    {"F9", KEY_F9, 0x42},
    {"F10", KEY_F10, 0x43},
    {"NumLock", KEY_NUMLOCK, 0x53},
    {"ScrollLock", KEY_SCROLLLOCK, 0x47},
    {"KP7", KEY_KP7, 0x5F},
    {"KP8", KEY_KP8, 0x60},
    {"KP9", KEY_KP9, 0x61},
    {"KP-", KEY_KPMINUS, 0x56},
    {"KP4", KEY_KP4, 0x5C},
    {"KP5", KEY_KP5, 0x5D},
    {"KP6", KEY_KP6, 0x5E},
    {"KP+", KEY_KPPLUS, 0x57},
    {"KP1", KEY_KP1, 0x59},
    {"KP2", KEY_KP2, 0x5A},
    {"KP3", KEY_KP3, 0x5B},
    {"KP0", KEY_KP0, 0x62},
    {"KP.", KEY_KPDOT, 0x63},
    {"ISO \\", KEY_102ND, 0x64},
    {"F11", KEY_F11, 0x44},
    {"F12", KEY_F12, 0x45},
    {"KPEnter", KEY_KPENTER, 0x58},
    {"RCtrl", KEY_RIGHTCTRL, 0xE4},
    {"KP/", KEY_KPSLASH, 0x54},
    {"PrintScreen", KEY_SYSRQ, 0x46},
    {"RAlt", KEY_RIGHTALT, 0xE6},
    {"Home", KEY_HOME, 0x4A},
    {"Up", KEY_UP, 0x52},
    {"PageUp", KEY_PAGEUP, 0x4B},
    {"Left", KEY_LEFT, 0x50},
    {"Right", KEY_RIGHT, 0x4F},
    {"End", KEY_END, 0x4D},
    {"Down", KEY_DOWN, 0x51},
    {"PageDown", KEY_PAGEDOWN, 0x4E},
    {"Insert", KEY_INSERT, 0x49},
    {"Delete", KEY_DELETE, 0x4C},
    {"Pause", KEY_PAUSE, 0x48},
    {"LWin", KEY_LEFTMETA, 0xE3},
    {"RWin", KEY_RIGHTMETA, 0xE7},
    {"Menu", KEY_COMPOSE, 0x65},
    {"F23", KEY_F23, 0x72},
};

struct Recorder
{
    QList<QPair<int, bool>> reports;
    static void key(unsigned char usage, bool isDown, void *context)
    {
        static_cast<Recorder *>(context)->reports.append({usage, isDown});
    }
};

HookKeyEvent translated(LinuxKeyTranslator &translator, unsigned key, bool down)
{
    HookKeyEvent event;
    if (!translator.translate(key, down, &event))
        return HookKeyEvent{};
    return event;
}

} // namespace

class LinuxKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void everyKeyGivesItsUsage()
    {
        auto sourceOwner = std::make_unique<FakeInputEventSource>();
        FakeInputEventSource *source = sourceOwner.get();
        InputHook hook(0, std::move(sourceOwner), nullptr);
        Recorder recorder;
        hook.setKeyboardCallback(&Recorder::key, &recorder);
        LinuxKeyTranslator translator;
        QCOMPARE(int(std::size(keyboard)), 106);
        for (const Key &key : keyboard) {
            recorder.reports.clear();
            for (const bool down : {true, false}) {
                HookKeyEvent event;
                QVERIFY2(translator.translate(key.linuxKey, down, &event), key.name);
                source->sink->keyboardHookEvent(HookEvent::Action, event.message, event.scanCode,
                                                event.flags);
            }
            const QList<QPair<int, bool>> expected{{key.usage, true}, {key.usage, false}};
            QVERIFY2(recorder.reports == expected, key.name);
        }
    }

    // Keys where the Windows hook differs from the Linux code.
    void windowsScanCodes()
    {
        const struct
        {
            unsigned linuxKey;
            unsigned scanCode;
            bool extended;
        } cases[] = {
            {KEY_NUMLOCK, 0x45, true},    {KEY_PAUSE, 0x45, false},    {KEY_SYSRQ, 0x37, true},
            {KEY_KPENTER, 0x1C, true},    {KEY_ENTER, 0x1C, false},    {KEY_RIGHTCTRL, 0x1D, true},
            {KEY_RIGHTALT, 0x38, true},   {KEY_KPSLASH, 0x35, true},   {KEY_SLASH, 0x35, false},
            {KEY_HOME, 0x47, true},       {KEY_KP7, 0x47, false},      {KEY_DELETE, 0x53, true},
            {KEY_LEFTMETA, 0x5B, true},   {KEY_RIGHTMETA, 0x5C, true}, {KEY_COMPOSE, 0x5D, true},
            {KEY_RIGHTSHIFT, 0x36, true}, {KEY_102ND, 0x56, false},    {KEY_F12, 0x58, false},
            {KEY_F13, 0x64, false},       {KEY_F24, 0x76, false},
        };
        for (const auto &c : cases) {
            unsigned scanCode = 0;
            bool extended = false;
            QVERIFY(linuxKeyToScanCode(c.linuxKey, &scanCode, &extended));
            QCOMPARE(scanCode, c.scanCode);
            QCOMPARE(extended, c.extended);
        }
        unsigned scanCode = 0;
        bool extended = false;
        QVERIFY(!linuxKeyToScanCode(KEY_VOLUMEUP, &scanCode, &extended));
        QVERIFY(!linuxKeyToScanCode(84, &scanCode, &extended)); // unused code
        QVERIFY(!linuxKeyToScanCode(0, &scanCode, &extended));
    }

    void modifiersChangeKeysAsOnWindows()
    {
        LinuxKeyTranslator translator;
        // Alt+Print Screen: 0x54 with the Alt flag, as a system key.
        QCOMPARE(translated(translator, KEY_LEFTALT, true).message, HookEvent::SysKeyDown);
        HookKeyEvent print = translated(translator, KEY_SYSRQ, true);
        QCOMPARE(print.scanCode, 0x54u);
        QCOMPARE(print.flags, HookEvent::FlagAltDown);
        QCOMPARE(print.message, HookEvent::SysKeyDown);
        const HookKeyEvent altUp = translated(translator, KEY_LEFTALT, false);
        QCOMPARE(altUp.message, HookEvent::KeyUp);
        QCOMPARE(altUp.flags, 0u);
        print = translated(translator, KEY_SYSRQ, false);
        QCOMPARE(print.scanCode, 0x37u);
        QCOMPARE(print.flags, HookEvent::FlagExtended);

        // Ctrl+Pause is Break: extended 0x46.
        translated(translator, KEY_RIGHTCTRL, true);
        const HookKeyEvent brk = translated(translator, KEY_PAUSE, true);
        QCOMPARE(brk.scanCode, 0x46u);
        QCOMPARE(brk.flags, HookEvent::FlagExtended);
        QCOMPARE(brk.message, HookEvent::KeyDown);
        translated(translator, KEY_RIGHTCTRL, false);
        QCOMPARE(translated(translator, KEY_PAUSE, false).scanCode, 0x45u);
    }

    void evdevEvents()
    {
        struct Sink : InputEventSink
        {
            QStringList events;
            void keyboardHookEvent(int nCode, unsigned message, unsigned scanCode,
                                   unsigned flags) override
            {
                events << QStringLiteral("K %1 %2 %3 %4")
                              .arg(nCode)
                              .arg(message, 0, 16)
                              .arg(scanCode, 0, 16)
                              .arg(flags);
            }
            void mouseHookEvent(int nCode, unsigned message, int, int) override
            {
                events << QStringLiteral("M %1 %2").arg(nCode).arg(message, 0, 16);
            }
        } sink;
        EvdevEventDecoder decoder(&sink);
        decoder.handleEvent(EV_MSC, 4, 0x70004); // scan code report: ignored
        decoder.handleEvent(EV_KEY, KEY_KPENTER, 1);
        decoder.handleEvent(EV_KEY, KEY_KPENTER, 2); // auto-repeat: a press again
        decoder.handleEvent(EV_SYN, 0, 0);
        decoder.handleEvent(EV_KEY, KEY_KPENTER, 0);
        decoder.handleEvent(EV_KEY, BTN_LEFT, 1);
        decoder.handleEvent(EV_KEY, BTN_RIGHT, 0);
        decoder.handleEvent(EV_KEY, BTN_MIDDLE, 1);
        decoder.handleEvent(EV_KEY, BTN_SIDE, 1);     // not reported
        decoder.handleEvent(EV_KEY, KEY_VOLUMEUP, 1); // no scan code
        QCOMPARE(sink.events, (QStringList{"K 0 100 1c 1", "K 0 100 1c 1", "K 0 101 1c 1",
                                           "M 0 201", "M 0 205", "M 0 207"}));
        decoder.setSink(nullptr);
        decoder.handleEvent(EV_KEY, KEY_A, 1);
        QCOMPARE(sink.events.size(), 6);

        // No readable devices: nothing is captured, silently.
        QTemporaryDir empty;
        QVERIFY(!EvdevEventSource::available(empty.path()));
        EvdevEventSource source(empty.path());
        QVERIFY(!source.install(&sink));
        QVERIFY(!source.isInstalled());
    }

    void withoutAnyInputNothingIsCaptured()
    {
        if (EvdevEventSource::available())
            QSKIP("this machine's input devices are readable");
        const QByteArray display = qgetenv("DISPLAY");
        qunsetenv("DISPLAY");
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        auto sourceOwner = createInputEventSource();
        InputEventSource *source = sourceOwner.get();
        InputHook hook(0, std::move(sourceOwner), nullptr);
        QVERIFY(!source->isInstalled());
        QVERIFY(!hook.installHooks());
        hook.removeHooks();
        if (!display.isEmpty())
            qputenv("DISPLAY", display);
    }

    void buttons()
    {
        QCOMPARE(buttonMessage(1, true), HookEvent::LButtonDown);
        QCOMPARE(buttonMessage(1, false), HookEvent::LButtonUp);
        QCOMPARE(buttonMessage(2, true), HookEvent::MButtonDown);
        QCOMPARE(buttonMessage(3, false), HookEvent::RButtonUp);
        QCOMPARE(buttonMessage(4, true), 0u); // wheel
        QCOMPARE(buttonMessage(8, true), 0u); // side button
    }
};

QTEST_MAIN(LinuxKeysTest)
#include "tst_linuxkeys.moc"
