#include "shell/DesktopControl.h"

#include "backend/myQQuickView.h"
#include "platform/ActiveWindowWatcher.h"
#include "shell/AppProfileFollower.h"
#include "shell/ControlService.h"
#include "shell/Widget.h"

#include <QGuiApplication>
#include <QWindow>

namespace {

bool isOwnWindow(quint64 id)
{
    const QWindowList windows = QGuiApplication::allWindows();
    for (QWindow *window : windows) {
        // winId() would create a native window for one that has none yet.
        if (window->handle() && quint64(window->winId()) == id)
            return true;
    }
    return false;
}

} // namespace

DesktopControl::DesktopControl(Widget &widget)
    : service(std::make_unique<ControlService>(widget)), watcher(createActiveWindowWatcher())
{
    service->registerOnSessionBus();
    if (!watcher->isAvailable())
        return;
    myQQuickView *view = widget.view();
    ControlService *control = service.get();
    AppProfileFollower::Hooks hooks;
    // Read at each change of program, so edits on the profiles page count at once.
    hooks.rules = [view] {
        return readAppProfileRules([view](const QString &key) { return view->getGlobalData(key); });
    };
    hooks.switchTo = [control](int profileNo) { return control->switchToProfileNo(profileNo); };
    hooks.isOwnWindow = isOwnWindow;
    follower = std::make_unique<AppProfileFollower>(*watcher, std::move(hooks));
    watcher->start();
}

DesktopControl::~DesktopControl() = default;
