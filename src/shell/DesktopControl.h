#pragma once

#include <memory>

class ActiveWindowWatcher;
class AppProfileFollower;
class ControlService;
class Ui_Controler;
class Widget;

// What the running program offers beyond its window: the control interface
// on the session bus and, where the desktop tells the active window,
// profiles that follow the active program.
class DesktopControl
{
public:
    explicit DesktopControl(Widget &widget);
    ~DesktopControl();

    ControlService &control() { return *service; }

private:
    std::unique_ptr<ControlService> service;
    std::unique_ptr<ActiveWindowWatcher> watcher;
    std::unique_ptr<AppProfileFollower> follower;
    Ui_Controler *controller = nullptr;
};
