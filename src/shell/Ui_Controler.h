#pragma once

#include <QObject>

class QWidget;
class myQQuickView;

// Turns the tray window into a frameless host for the QML view and offers
// QML the window operations a frameless window needs.
class Ui_Controler : public QObject
{
    Q_OBJECT
public:
    Ui_Controler() = default;

    void setupWindow(QWidget *window, QObject *link);
    myQQuickView *getView() const { return view; }
    QWidget *getWindow() const { return window; }

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    // Asks the window system to move the window with the pointer, from the
    // first step of a drag on; false when the window must move itself
    // (onXChanged/onYChanged) instead.
    bool startSystemMove();
    void setBusy(int busyTime = 0);
    // Desktop services of the pages (Ui_Controler_desktop.cpp).
    bool appProfilesAvailable();
    void saveReport();

public:
    // Whether a drag goes to the window system: where a client cannot place
    // its own window (Wayland) it must; elsewhere whenever the window system
    // takes the request. Windows keeps the window's own move.
    static bool asksWindowSystemToMove(const QString &platformName);

private:
    QWidget *window = nullptr;
    myQQuickView *view = nullptr;
};
