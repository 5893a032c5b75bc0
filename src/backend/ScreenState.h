#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

// What native code may know of the root screen: the profile rows, the active
// profile, the DPI stage and whether the screen takes a change now. The
// pages report it through ui_View; the control interface, the per-program
// switch and the quit question read it here and never look into QML.
class ScreenState : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList profileNames READ profileNames NOTIFY profilesChanged)
    Q_PROPERTY(QList<int> profileNumbers READ profileNumbers NOTIFY profilesChanged)
    Q_PROPERTY(int activeRow READ activeRow NOTIFY activeRowChanged)
    Q_PROPERTY(int dpiStage READ dpiStage NOTIFY dpiStageChanged)
    Q_PROPERTY(bool started READ started NOTIFY startedChanged)
    Q_PROPERTY(bool locked READ locked NOTIFY lockedChanged)
    Q_PROPERTY(bool panelOpen READ panelOpen NOTIFY panelOpenChanged)
    Q_PROPERTY(bool unsaved READ unsaved NOTIFY unsavedChanged)
public:
    using QObject::QObject;

    // Row order of the profiles page; each row names its profile file's number.
    QStringList profileNames() const { return names; }
    QList<int> profileNumbers() const { return numbers; }
    int activeProfileNo() const { return activeNo; }
    // The row of the active profile's number, -1 while no row has it.
    int activeRow() const;
    int rowOfProfileNo(int profileNo) const;
    // 1-based, 0 while unknown.
    int dpiStage() const { return stage; }
    // The start-up pass has filled the pages.
    bool started() const { return isStarted; }
    // The busy lock is on the screen.
    bool locked() const { return isLocked; }
    // A modal panel (key assignment, macro editor, ...) is open over the window.
    bool panelOpen() const { return isPanelOpen; }
    // Pages hold edits the Save button has not sent.
    bool unsaved() const { return hasUnsaved; }

    // Names and numbers pair up by position; a shorter list cuts the other.
    void setProfiles(const QStringList &profileNames, const QList<int> &profileNumbers);
    void setActiveProfileNo(int profileNo);
    void setDpiStage(int dpiStage);
    void setStarted(bool value);
    void setLocked(bool value);
    void setPanelOpen(bool value);
    void setUnsaved(bool value);

signals:
    void profilesChanged();
    void activeRowChanged(int row);
    void dpiStageChanged(int stage);
    void startedChanged(bool started);
    void lockedChanged(bool locked);
    void panelOpenChanged(bool open);
    void unsavedChanged(bool unsaved);

private:
    void updateActiveRow();

    QStringList names;
    QList<int> numbers;
    int activeNo = -1;
    int lastActiveRow = -1;
    int stage = 0;
    bool isStarted = false;
    bool isLocked = false;
    bool isPanelOpen = false;
    bool hasUnsaved = false;
};
