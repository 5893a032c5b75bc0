#include "platform/linux/FocusedWindowEventSource.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

unsigned xButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::MiddleButton:
        return 2;
    case Qt::RightButton:
        return 3;
    default:
        return 0;
    }
}

} // namespace

FocusedWindowEventSource::FocusedWindowEventSource(QWindow *window) : target(window) {}

FocusedWindowEventSource::~FocusedWindowEventSource()
{
    remove();
}

bool FocusedWindowEventSource::install(InputEventSink *eventSink)
{
    remove();
    if (!target)
        return false;
    sink = eventSink;
    // The window sees each event once, before Qt hands it to a widget or item.
    target->installEventFilter(this);
    return true;
}

void FocusedWindowEventSource::remove()
{
    if (target)
        target->removeEventFilter(this);
    sink = nullptr;
}

bool FocusedWindowEventSource::eventFilter(QObject *watched, QEvent *event)
{
    if (!sink || watched != target)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        // The global sources see no repeats; held keys are one press here too.
        if (key->isAutoRepeat() || key->nativeScanCode() < 8)
            break;
        HookKeyEvent hook;
        if (translator.translate(key->nativeScanCode() - 8, event->type() == QEvent::KeyPress,
                                 &hook))
            sink->keyboardHookEvent(HookEvent::Action, hook.message, hook.scanCode, hook.flags);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        // A double click is a press as well (Qt adds a MouseButtonDblClick,
        // which the hooks do not know): the press alone counts.
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        const unsigned message =
            buttonMessage(xButton(mouse->button()), event->type() == QEvent::MouseButtonPress);
        if (message != 0) {
            const QPoint at = mouse->globalPosition().toPoint();
            sink->mouseHookEvent(HookEvent::Action, message, at.x(), at.y());
        }
        break;
    }
    default:
        break;
    }
    return false; // observed, never taken
}

std::unique_ptr<InputEventSource> createFocusedWindowEventSource(QWindow *window)
{
    return std::make_unique<FocusedWindowEventSource>(window);
}
