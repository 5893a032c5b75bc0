#include "PlatformDoubles.h"
#include "shell/InputHook.h"

#include <QTest>

namespace {

struct Report
{
    int code;
    bool isDown;
    int x = -1;
    int y = -1;
    bool operator==(const Report &other) const
    {
        return code == other.code && isDown == other.isDown && x == other.x && y == other.y;
    }
};

struct Recorder
{
    QList<Report> reports;
    static void key(unsigned char usage, bool isDown, void *context)
    {
        static_cast<Recorder *>(context)->reports.append({usage, isDown});
    }
    static void button(unsigned char code, bool isDown, int x, int y, void *context)
    {
        static_cast<Recorder *>(context)->reports.append({code, isDown, x, y});
    }
};

struct Key
{
    const char *name;
    unsigned scanCode;
    bool extended;
    int usage; // keyboard/keypad page of the USB HID usage tables
};

// The keys of the scan-code table (a 105-key keyboard and F23) and the right
// Windows key, as the Windows hook reports them, and the usage of each.
const Key keyboard[] = {
    {"Esc", 0x01, false, 0x29},        {"1", 0x02, false, 0x1E},
    {"2", 0x03, false, 0x1F},          {"3", 0x04, false, 0x20},
    {"4", 0x05, false, 0x21},          {"5", 0x06, false, 0x22},
    {"6", 0x07, false, 0x23},          {"7", 0x08, false, 0x24},
    {"8", 0x09, false, 0x25},          {"9", 0x0A, false, 0x26},
    {"0", 0x0B, false, 0x27},          {"-", 0x0C, false, 0x2D},
    {"=", 0x0D, false, 0x2E},          {"Backspace", 0x0E, false, 0x2A},
    {"Tab", 0x0F, false, 0x2B},        {"Q", 0x10, false, 0x14},
    {"W", 0x11, false, 0x1A},          {"E", 0x12, false, 0x08},
    {"R", 0x13, false, 0x15},          {"T", 0x14, false, 0x17},
    {"Y", 0x15, false, 0x1C},          {"U", 0x16, false, 0x18},
    {"I", 0x17, false, 0x0C},          {"O", 0x18, false, 0x12},
    {"P", 0x19, false, 0x13},          {"[", 0x1A, false, 0x2F},
    {"]", 0x1B, false, 0x30},          {"Enter", 0x1C, false, 0x28},
    {"LCtrl", 0x1D, false, 0xE0},      {"A", 0x1E, false, 0x04},
    {"S", 0x1F, false, 0x16},          {"D", 0x20, false, 0x07},
    {"F", 0x21, false, 0x09},          {"G", 0x22, false, 0x0A},
    {"H", 0x23, false, 0x0B},          {"J", 0x24, false, 0x0D},
    {"K", 0x25, false, 0x0E},          {"L", 0x26, false, 0x0F},
    {";", 0x27, false, 0x33},          {"'", 0x28, false, 0x34},
    {"`", 0x29, false, 0x35},          {"LShift", 0x2A, false, 0xE1},
    {"\\", 0x2B, false, 0x31},         {"Z", 0x2C, false, 0x1D},
    {"X", 0x2D, false, 0x1B},          {"C", 0x2E, false, 0x06},
    {"V", 0x2F, false, 0x19},          {"B", 0x30, false, 0x05},
    {"N", 0x31, false, 0x11},          {"M", 0x32, false, 0x10},
    {",", 0x33, false, 0x36},          {".", 0x34, false, 0x37},
    {"/", 0x35, false, 0x38},          {"KP*", 0x37, false, 0x55},
    {"LAlt", 0x38, false, 0xE2},       {"Space", 0x39, false, 0x2C},
    {"CapsLock", 0x3A, false, 0x39},   {"F1", 0x3B, false, 0x3A},
    {"F2", 0x3C, false, 0x3B},         {"F3", 0x3D, false, 0x3C},
    {"F4", 0x3E, false, 0x3D},         {"F5", 0x3F, false, 0x3E},
    {"F6", 0x40, false, 0x3F},         {"F7", 0x41, false, 0x40},
    {"F8", 0x42, false, 0x41},         {"F9", 0x43, false, 0x42},
    {"F10", 0x44, false, 0x43},        {"Pause", 0x45, false, 0x48},
    {"ScrollLock", 0x46, false, 0x47}, {"KP7", 0x47, false, 0x5F},
    {"KP8", 0x48, false, 0x60},        {"KP9", 0x49, false, 0x61},
    {"KP-", 0x4A, false, 0x56},        {"KP4", 0x4B, false, 0x5C},
    {"KP5", 0x4C, false, 0x5D},        {"KP6", 0x4D, false, 0x5E},
    {"KP+", 0x4E, false, 0x57},        {"KP1", 0x4F, false, 0x59},
    {"KP2", 0x50, false, 0x5A},        {"KP3", 0x51, false, 0x5B},
    {"KP0", 0x52, false, 0x62},        {"KP.", 0x53, false, 0x63},
    {"ISO \\", 0x56, false, 0x64},     {"F11", 0x57, false, 0x44},
    {"F12", 0x58, false, 0x45},        {"F23", 0x6E, false, 0x72},
    {"KPEnter", 0x1C, true, 0x58},     {"RCtrl", 0x1D, true, 0xE4},
    {"KP/", 0x35, true, 0x54},         {"RShift", 0x36, true, 0xE5},
    {"PrintScreen", 0x37, true, 0x46}, {"RAlt", 0x38, true, 0xE6},
    {"NumLock", 0x45, true, 0x53},     {"Home", 0x47, true, 0x4A},
    {"Up", 0x48, true, 0x52},          {"PageUp", 0x49, true, 0x4B},
    {"Left", 0x4B, true, 0x50},        {"Right", 0x4D, true, 0x4F},
    {"End", 0x4F, true, 0x4D},         {"Down", 0x50, true, 0x51},
    {"PageDown", 0x51, true, 0x4E},    {"Insert", 0x52, true, 0x49},
    {"Delete", 0x53, true, 0x4C},      {"LWin", 0x5B, true, 0xE3},
    {"RWin", 0x5C, true, 0xE7},        {"Menu", 0x5D, true, 0x65},
};

} // namespace

class InputHookTest : public QObject
{
    Q_OBJECT

    FakeInputEventSource *source = nullptr;
    FakeCopyDataChannel *channel = nullptr;
    std::unique_ptr<InputHook> hook;
    Recorder recorder;

    void makeHook(unsigned char flag = 0)
    {
        auto fakeSource = std::make_unique<FakeInputEventSource>();
        auto fakeChannel = std::make_unique<FakeCopyDataChannel>();
        source = fakeSource.get();
        channel = fakeChannel.get();
        hook.reset();
        hook = std::make_unique<InputHook>(flag, std::move(fakeSource), std::move(fakeChannel));
        hook->setKeyboardCallback(&Recorder::key, &recorder);
        hook->setMouseCallback(&Recorder::button, &recorder);
        recorder.reports.clear();
    }

private slots:
    void init() { makeHook(); }
    void cleanup() { hook.reset(); }

    void tablesHaveTheirEntries()
    {
        // 105 keys of the keyboard plus the right Windows key; 121 usages.
        QCOMPARE(hook->scanCodeTableSize(), 106);
        QCOMPARE(hook->usageTableSize(), 121);
        QCOMPARE(int(hook->virtualKeyOf(0x1C * 256)), 0x0D);
        QCOMPARE(int(hook->virtualKeyOf(0x1C * 256 + 1)), 0x0E);
        QCOMPARE(int(hook->virtualKeyOf(0x36 * 256)), 0);
        QCOMPARE(int(hook->virtualKeyOf(0x45 * 256)), 0x13);
        QCOMPARE(int(hook->virtualKeyOf(0x45 * 256 + 1)), 0x90);
        QCOMPARE(int(hook->virtualKeyOf(0x6E * 256)), 0x86);
        QCOMPARE(int(hook->virtualKeyOf(0x64 * 256)), 0); // F13 has no entry
        QCOMPARE(int(hook->usageOf(0x7C)), 0x68);         // but its usage is there
        QCOMPARE(int(hook->usageOf(0xFF)), 0x66);
        QCOMPARE(int(hook->usageOf(0xEB)), 0x8B);
        QCOMPARE(InputHook::instance(), hook.get());
    }

    void everyKeyReportsItsUsageOncePerTransition()
    {
        for (const Key &key : keyboard) {
            recorder.reports.clear();
            const unsigned flags = key.extended ? HookEvent::FlagExtended : 0;
            source->key(key.scanCode, true, flags);
            source->key(key.scanCode, true, flags); // auto-repeat
            source->key(key.scanCode, false, flags);
            const QList<Report> expected{{key.usage, true}, {key.usage, false}};
            QVERIFY2(recorder.reports == expected, key.name);
        }
        QCOMPARE(int(std::size(keyboard)), 106);
    }

    void keysThatDependOnModifiers()
    {
        // Alt+Print Screen arrives as 0x54 with the Alt flag.
        source->key(0x54, true, HookEvent::FlagAltDown);
        source->key(0x54, false, HookEvent::FlagAltDown);
        // Without Alt, 0x54 means nothing.
        source->key(0x54, true);
        // Ctrl+Break arrives as extended 0x46.
        source->extendedKey(0x46, true);
        source->extendedKey(0x46, false);
        const QList<Report> expected{{0x46, true}, {0x46, false}, {0x48, true}, {0x48, false}};
        QCOMPARE(recorder.reports, expected);
    }

    void unknownKeysAreSkipped()
    {
        source->key(0x36, true);         // right Shift without the extended flag
        source->key(0x64, true);         // F13
        source->key(0x1E + 0x100, true); // scan code above 0xFF counts as 0
        source->extendedKey(0x20, true); // a media key
        QVERIFY(recorder.reports.isEmpty());
    }

    void repeatsAndStaleReleasesAreDropped()
    {
        // A key held before the program started: only its release arrives.
        source->key(0x1E, false);
        QVERIFY(recorder.reports.isEmpty());
        // nCode other than HC_ACTION counts as a release, as does anything not a key-down.
        source->key(0x1E, true, 0, 3);
        QVERIFY(recorder.reports.isEmpty());
        // System key messages (with Alt) count like plain ones.
        hook->keyboardHookEvent(HookEvent::Action, HookEvent::SysKeyDown, 0x1E,
                                HookEvent::FlagAltDown);
        hook->keyboardHookEvent(HookEvent::Action, HookEvent::SysKeyDown, 0x1E,
                                HookEvent::FlagAltDown);
        hook->keyboardHookEvent(HookEvent::Action, HookEvent::SysKeyUp, 0x1E, 0);
        source->key(0x1E, false);
        const QList<Report> expected{{0x04, true}, {0x04, false}};
        QCOMPARE(recorder.reports, expected);
        // Print Screen and Alt+Print Screen share usage 0x46 and its state.
        recorder.reports.clear();
        source->extendedKey(0x37, true);
        source->key(0x54, true, HookEvent::FlagAltDown);
        source->extendedKey(0x37, false);
        QCOMPARE(recorder.reports, (QList<Report>{{0x46, true}, {0x46, false}}));
    }

    void eventsBeforeRegistrationOnlyUpdateTheState()
    {
        hook->setKeyboardCallback(nullptr, nullptr);
        source->key(0x1E, true);
        QVERIFY(hook->keyState(0x04));
        hook->setKeyboardCallback(&Recorder::key, &recorder);
        source->key(0x1E, true); // already down: a repeat
        source->key(0x1E, false);
        QCOMPARE(recorder.reports, (QList<Report>{{0x04, false}}));
        QVERIFY(!hook->keyState(0x04));
    }

    void alternativeBackslash()
    {
        makeHook(1);
        source->key(0x2B, true);
        QCOMPARE(recorder.reports, (QList<Report>{{0x32, true}}));
    }

    void buttons()
    {
        // A double click: the low-level hook sees two plain clicks.
        source->mouse(HookEvent::LButtonDown, 10, 20);
        source->mouse(HookEvent::LButtonUp, 11, 20);
        source->mouse(HookEvent::LButtonDown, 12, 21);
        source->mouse(HookEvent::LButtonUp, 12, 22);
        source->mouse(HookEvent::LButtonDblClk, 12, 22);
        source->mouse(HookEvent::RButtonDown, -5, 7);
        source->mouse(HookEvent::RButtonDblClk, -5, 7);
        source->mouse(HookEvent::RButtonUp, -5, 7);
        source->mouse(HookEvent::MButtonDown, 1, 2);
        source->mouse(HookEvent::MButtonDown, 1, 2); // no repeat suppression for buttons
        source->mouse(HookEvent::MButtonUp, 1, 2);
        source->mouse(0x200, 3, 3); // movement
        source->mouse(0x20A, 3, 3); // wheel
        source->mouse(0x20B, 3, 3); // side button
        const QList<Report> expected{
            {0xF0, true, 10, 20},  {0xF0, false, 11, 20}, {0xF0, true, 12, 21},
            {0xF0, false, 12, 22}, {0xF1, true, -5, 7},   {0xF1, false, -5, 7},
            {0xF2, true, 1, 2},    {0xF2, true, 1, 2},    {0xF2, false, 1, 2},
        };
        QCOMPARE(recorder.reports, expected);
    }

    void installAndRemove()
    {
        QCOMPARE(source->installs, 1);
        QVERIFY(source->isInstalled());
        // Installing again removes the active hooks first.
        QVERIFY(hook->installHooks());
        QCOMPARE(source->removals, 1);
        QCOMPARE(source->installs, 2);
        hook->removeHooks();
        hook->removeHooks(); // harmless
        QCOMPARE(source->removals, 2);
        QVERIFY(!source->isInstalled());

        // A failed install is tolerated; nothing is reported.
        auto failing = std::make_unique<FakeInputEventSource>();
        failing->failInstall = true;
        InputHook silent(0, std::move(failing), nullptr);
        QVERIFY(!silent.installHooks());
        QVERIFY(!silent.installCopyDataFilter(nullptr, nullptr, nullptr));
    }

    void copyDataReachesItsCallback()
    {
        struct Seen
        {
            std::uint64_t dwData = 0;
            QByteArray payload;
            int calls = 0;
        } seen;
        channel->send(0x250F, "early"); // before installation: dropped
        QVERIFY(hook->installCopyDataFilter(
            [](const CopyDataMessage *message, void *context) {
                auto *s = static_cast<Seen *>(context);
                ++s->calls;
                s->dwData = message->dwData;
                s->payload = QByteArray(static_cast<const char *>(message->lpData),
                                        qsizetype(message->cbData));
            },
            nullptr, &seen));
        channel->send(0x250F, "Hello");
        QCOMPARE(seen.calls, 1);
        QCOMPARE(seen.dwData, std::uint64_t(0x250F));
        QCOMPARE(seen.payload, QByteArray("Hello"));
    }
};

QTEST_GUILESS_MAIN(InputHookTest)
#include "tst_inputhook.moc"
