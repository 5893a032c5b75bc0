#include "shell/AppProfileFollower.h"

AppProfileFollower::AppProfileFollower(ActiveWindowWatcher &watcher, Hooks followerHooks,
                                       QObject *parent)
    : QObject(parent), hooks(std::move(followerHooks))
{
    retryTimer.setSingleShot(true);
    retryTimer.setInterval(RetryInterval);
    connect(&retryTimer, &QTimer::timeout, this, &AppProfileFollower::trySwitch);
    connect(&watcher, &ActiveWindowWatcher::activeWindowChanged, this,
            &AppProfileFollower::onActiveWindowChanged);
}

void AppProfileFollower::onActiveWindowChanged(const ActiveWindow &window)
{
    if (hooks.isOwnWindow && hooks.isOwnWindow(window))
        return;
    // Two windows of one program are one program. Rules edited since the
    // last decision count as a change: the new rule applies on return.
    const QString program =
        window.instanceName.toLower() + QLatin1Char('\n') + window.className.toLower();
    const AppProfileRules rules = hooks.rules ? hooks.rules() : AppProfileRules();
    if (seenProgram && program == lastProgram && rules == lastRules)
        return;
    seenProgram = true;
    lastProgram = program;
    lastRules = rules;
    // Without any rule the user has not asked for this: nothing moves.
    if (rules.isEmpty()) {
        pendingProfile = -1;
        retryTimer.stop();
        return;
    }
    pendingProfile = profileForWindow(rules, window.instanceName, window.className);
    trySwitch();
}

void AppProfileFollower::trySwitch()
{
    if (pendingProfile < 0 || !hooks.switchTo)
        return;
    const int wanted = pendingProfile;
    const SwitchResult result = hooks.switchTo(wanted);
    // A switch runs the event loop while it sends: another program may have
    // become active meanwhile, and its wish must not be lost.
    if (pendingProfile != wanted)
        return;
    if (result == SwitchResult::Busy) {
        retryTimer.start();
        return;
    }
    pendingProfile = -1;
}
