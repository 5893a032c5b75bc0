#pragma once

#include <memory>

class ActiveWindowWatcher;
class AppProfileFollower;
class ControlService;
class Widget;

// What the running program offers beyond its window: the control interface
// on the session bus and, on X11, profiles that follow the active program.
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
};
