#include "shell/DesktopControl.h"

#include "backend/myQQuickView.h"
#include "platform/ActiveWindowWatcher.h"
#include "shell/AppProfileFollower.h"
#include "shell/ControlService.h"
#include "shell/OwnWindow.h"
#include "shell/Ui_Controler.h"
#include "shell/Widget.h"

DesktopControl::DesktopControl(Widget &widget)
    : service(std::make_unique<ControlService>(widget)), watcher(createActiveWindowWatcher()),
      controller(widget.controller())
{
    service->registerOnSessionBus();
    // The profiles page and the report ask it whether it works, and why not.
    if (controller)
        controller->setActiveWindowWatcher(watcher.get());
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

DesktopControl::~DesktopControl()
{
    if (controller)
        controller->setActiveWindowWatcher(nullptr);
}
