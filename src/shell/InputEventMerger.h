#pragma once

#include "platform/InputEvents.h"

#include <QtGlobal>

#include <deque>
#include <functional>

// Joins two sources of the same physical input: the global source (every
// window, where the desktop allows it) and the program's own focused window.
// A key or button transition that both see reaches the target once, whichever
// source reports it first; a transition only one of them sees passes at once.
class InputEventMerger
{
public:
    using Clock = std::function<qint64()>; // milliseconds, monotonic
    // How long a delivered transition waits for its twin from the other source.
    static constexpr qint64 PairingMs = 500;

    explicit InputEventMerger(InputEventSink &target, Clock clock = {});

    InputEventSink &globalPort() { return ports[0]; }
    InputEventSink &focusedPort() { return ports[1]; }

private:
    struct Transition
    {
        unsigned message = 0; // WM_KEYDOWN/WM_KEYUP (system variants folded in) or a button's
        unsigned scanCode = 0;
        bool extended = false;
        qint64 at = 0;
        bool sameAs(const Transition &other) const
        {
            return message == other.message && scanCode == other.scanCode &&
                   extended == other.extended;
        }
    };

    class Port final : public InputEventSink
    {
    public:
        Port(InputEventMerger &owner, int index) : merger(owner), source(index) {}
        void keyboardHookEvent(int nCode, unsigned message, unsigned scanCode,
                               unsigned flags) override;
        void mouseHookEvent(int nCode, unsigned message, int x, int y) override;

    private:
        InputEventMerger &merger;
        int source;
    };

    // True when the transition is new and is to be handed on.
    bool firstReport(int source, Transition transition);

    InputEventSink &target;
    Clock clock;
    Port ports[2] = {Port(*this, 0), Port(*this, 1)};
    std::deque<Transition> unpaired[2]; // delivered, not yet seen by the other source
};
