#include "shell/InputEventMerger.h"

#include <QElapsedTimer>

#include <memory>

#include <algorithm>

namespace {

constexpr std::size_t MaxUnpaired = 64;

unsigned foldSystemKey(unsigned message)
{
    // With Alt held a source may say WM_SYSKEYDOWN where the other says
    // WM_KEYDOWN (each follows Alt by what it saw): the same key either way.
    if (message == HookEvent::SysKeyDown)
        return HookEvent::KeyDown;
    if (message == HookEvent::SysKeyUp)
        return HookEvent::KeyUp;
    return message;
}

InputEventMerger::Clock steadyClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}

} // namespace

InputEventMerger::InputEventMerger(InputEventSink &eventTarget, Clock time)
    : target(eventTarget), clock(time ? std::move(time) : steadyClock())
{
}

bool InputEventMerger::firstReport(int source, Transition transition)
{
    transition.at = clock();
    for (auto &list : unpaired) {
        while (!list.empty() && transition.at - list.front().at > PairingMs)
            list.pop_front();
    }
    std::deque<Transition> &other = unpaired[1 - source];
    const auto twin = std::find_if(other.begin(), other.end(),
                                   [&](const Transition &t) { return t.sameAs(transition); });
    if (twin != other.end()) {
        other.erase(twin);
        return false;
    }
    std::deque<Transition> &own = unpaired[source];
    if (own.size() == MaxUnpaired)
        own.pop_front();
    own.push_back(transition);
    return true;
}

void InputEventMerger::Port::keyboardHookEvent(int nCode, unsigned message, unsigned scanCode,
                                               unsigned flags)
{
    const Transition transition{foldSystemKey(message), scanCode,
                                (flags & HookEvent::FlagExtended) != 0};
    if (nCode != HookEvent::Action || merger.firstReport(source, transition))
        merger.target.keyboardHookEvent(nCode, message, scanCode, flags);
}

void InputEventMerger::Port::mouseHookEvent(int nCode, unsigned message, int x, int y)
{
    if (nCode != HookEvent::Action || merger.firstReport(source, Transition{message}))
        merger.target.mouseHookEvent(nCode, message, x, y);
}
