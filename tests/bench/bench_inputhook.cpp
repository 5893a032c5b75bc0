// Prints the cost of one keyboard procedure call: the work done inside the
// system's hook chain for every key event of the desktop.
#include "PlatformDoubles.h"
#include "shell/InputHook.h"

#include <chrono>
#include <cstdio>

namespace {

long long reported = 0;

void countKey(unsigned char usage, bool isDown, void *)
{
    reported += usage + (isDown ? 1 : 0);
}

template <typename Step> double nanosecondsPerCall(int calls, Step step)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i)
        step(i);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::nano>(elapsed).count() / calls;
}

} // namespace

int main()
{
    InputHook hook(0, std::make_unique<FakeInputEventSource>(), nullptr);
    hook.setKeyboardCallback(countKey, nullptr);
    constexpr int calls = 4000000;
    const unsigned scanCodes[] = {0x1E, 0x1C, 0x39, 0x2A};

    const double transition = nanosecondsPerCall(calls, [&](int i) {
        // Alternating press and release: every call reports.
        hook.keyboardHookEvent(HookEvent::Action, (i & 1) ? HookEvent::KeyUp : HookEvent::KeyDown,
                               scanCodes[(i >> 1) & 3], 0);
    });
    const double repeat = nanosecondsPerCall(calls, [&](int) {
        // A held key's auto-repeat: looked up and dropped.
        hook.keyboardHookEvent(HookEvent::Action, HookEvent::KeyDown, 0x1E, 0);
    });
    const double unknown = nanosecondsPerCall(calls, [&](int) {
        // A key without an entry: passed on after one look-up.
        hook.keyboardHookEvent(HookEvent::Action, HookEvent::KeyDown, 0x64, 0);
    });
    std::printf("keyboard procedure, reported transition: %.1f ns per call\n", transition);
    std::printf("keyboard procedure, dropped repeat:      %.1f ns per call\n", repeat);
    std::printf("keyboard procedure, key without entry:   %.1f ns per call\n", unknown);
    std::printf("(reports counted: %lld)\n", reported);
    return 0;
}
