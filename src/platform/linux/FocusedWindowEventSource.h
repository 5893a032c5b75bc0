#pragma once

#include "platform/InputEvents.h"
#include "platform/linux/LinuxKeyTranslation.h"

#include <QObject>
#include <QPointer>
#include <QWindow>

// Keys and buttons that Qt delivers to one window, turned into the hook
// events of the global sources. The key's native scan code is the X key code
// on X11 and on Wayland alike (the Linux key code plus 8), so the same
// translation as for raw X events serves.
class FocusedWindowEventSource final : public QObject, public InputEventSource
{
public:
    explicit FocusedWindowEventSource(QWindow *window);
    ~FocusedWindowEventSource() override;

    bool install(InputEventSink *sink) override;
    void remove() override;
    bool isInstalled() const override { return sink != nullptr; }
    const char *name() const override { return "keys and buttons in the program's window"; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWindow> target;
    InputEventSink *sink = nullptr;
    LinuxKeyTranslator translator;
};
