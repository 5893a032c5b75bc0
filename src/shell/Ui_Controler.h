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
    void setBusy(int busyTime = 0);
    // Desktop services of the pages (Ui_Controler_desktop.cpp).
    bool appProfilesAvailable();
    void saveReport();

private:
    QWidget *window = nullptr;
    myQQuickView *view = nullptr;
};
