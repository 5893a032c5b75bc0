#include "shell/InputHookCallbacks.h"

#include "backend/myQQuickView.h"
#include "shell/InputHook.h"
#include "shell/Widget.h"

namespace {

void keyboardCallback(unsigned char usage, bool isDown, void *context)
{
    if (myQQuickView *view = static_cast<Widget *>(context)->view())
        view->postKeyboardEvent(isDown, usage);
}

void mouseCallback(unsigned char buttonCode, bool isDown, int x, int y, void *context)
{
    if (myQQuickView *view = static_cast<Widget *>(context)->view())
        view->postMouseEvent(isDown, buttonCode, x, y);
}

} // namespace

void registerInputHookCallbacks(InputHook &hook, Widget *widget, QCoreApplication *application)
{
    hook.setKeyboardCallback(keyboardCallback, widget);
    hook.setMouseCallback(mouseCallback, widget);
    hook.installCopyDataFilter(&Widget::copyDataCallback, application, widget);
}
