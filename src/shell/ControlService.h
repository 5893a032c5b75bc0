#pragma once

#include "shell/AppProfileFollower.h"

#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class ScreenState;
class Widget;

// The running program on the session bus, for scripts and the command line:
// service "com.zerant.molta.R770", object "/Control", interface
// "com.zerant.molta.R770.Control". Every change goes the way the window's own
// controls go: a profile switch runs the root screen's switch, so nothing
// reaches the mouse that the window would not send.
class ControlService : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zerant.molta.R770.Control")
    Q_PROPERTY(QStringList Profiles READ profiles)
    Q_PROPERTY(int ActiveProfile READ activeProfile NOTIFY ActiveProfileChanged)
    Q_PROPERTY(int DpiStage READ dpiStage NOTIFY DpiStageChanged)
public:
    static constexpr const char *ServiceName = "com.zerant.molta.R770";
    static constexpr const char *ObjectPath = "/Control";
    static constexpr const char *InterfaceName = "com.zerant.molta.R770.Control";

    explicit ControlService(Widget &widget, QObject *parent = nullptr);
    ~ControlService() override;

    bool registerOnSessionBus();

    // One row of the profiles page.
    struct ProfileRow
    {
        QString name;
        int profileNo = -1;
    };
    QList<ProfileRow> rows() const;

    QStringList profiles() const;
    int activeProfile() const; // row of the title-bar list, -1 before start-up
    int dpiStage() const;      // 1-based, 0 while unknown

    // The switch the per-program rules ask for, by profile number.
    AppProfileFollower::SwitchResult switchToProfileNo(int profileNo);

public slots:
    void SwitchProfile(int row);
    void SetDpiStage(int stage);
    void ShowWindow();
    void Quit();
    QString Report();

signals:
    void ActiveProfileChanged(int row);
    void DpiStageChanged(int stage);

private:
    // What the root screen reports of itself; never its items.
    const ScreenState &screen() const;
    bool screenLocked() const;
    // A modal panel (key assignment, macro editor, ...) is open over the window.
    bool panelOpen() const;
    bool mouseConnected() const;
    // Another command holds the link to the mouse.
    bool linkHeld() const;
    // Fails the running bus call with a named error; false for chaining.
    bool refuse(const char *error, const QString &message);
    // Refuses the running call while no mouse is connected or an update holds the screen.
    bool refusedForNow();
    void watchScreen();
    void announce(const QString &property, const QVariant &value);

    Widget &window;
    bool registered = false;
};
