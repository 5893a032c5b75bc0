#pragma once

#include "platform/ActiveWindowWatcher.h"
#include "shell/AppProfileRules.h"

#include <QObject>
#include <QTimer>

#include <functional>

// Switches the profile when another program becomes active: to the row its
// rule names, or to the fallback row when no rule names it. It acts only when
// the active program changes, so a profile the user picks by hand stays while
// the same program keeps the focus (and the rules stay as they are).
class AppProfileFollower : public QObject
{
    Q_OBJECT
public:
    enum class SwitchResult
    {
        Done,
        Busy,
        Refused
    };

    struct Hooks
    {
        std::function<AppProfileRules()> rules;
        // Switches to the row of that profile number (Done also when it is
        // active); Busy while the window cannot switch now.
        std::function<SwitchResult(int profileNo)> switchTo;
        // The program's own windows: activating them changes nothing.
        std::function<bool(const ActiveWindow &window)> isOwnWindow;
    };

    AppProfileFollower(ActiveWindowWatcher &watcher, Hooks hooks, QObject *parent = nullptr);

    // Tries a switch the window could not take yet again, until it goes
    // through or another program becomes active.
    static constexpr int RetryInterval = 250;

    void onActiveWindowChanged(const ActiveWindow &window);

private:
    void trySwitch();

    Hooks hooks;
    QString lastProgram;
    AppProfileRules lastRules;
    bool seenProgram = false;
    int pendingProfile = -1;
    QTimer retryTimer;
};
