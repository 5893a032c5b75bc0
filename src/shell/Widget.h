#pragma once

#include "device/Hid_Thread.h"
#include "device/LinkObserver.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

class QAction;

class Ui_Controler;
class myQQuickView;
struct CopyDataMessage;

// The tray window: owns the device-check timer, the device link, the window
// controller (which hosts the QML view inside this window) and the tray icon.
class Widget : public QWidget, public LinkObserver
{
    Q_OBJECT
public:
    // The message a start with --quit sends the running instance.
    static constexpr const char *QuitMessage = "quit";

    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    // Show-UI step: QML initUI (queued), then QML run through a posted UserEvent.
    void startUi();

    Ui_Controler *controller() const { return controler; }
    myQQuickView *view() const;
    Hid_Thread &link() { return hidLink; }
    QSystemTrayIcon *tray() const { return trayIcon; }
    QTimer &deviceCheckTimer() { return checkTimer; }

    // A balloon on the tray icon, or a desktop notification where there is no tray.
    void showBalloon(const QString &title, const QString &text, int msecs);

    // A device-change notice: detection 2048 ms after the last one, unless a listener runs.
    void onDeviceChange();

    // Shows a hidden or minimised window again (the restore request's effect).
    void restoreWindow();

    // Copy-data callback (context: the Widget): shows the text of a 0x250F message.
    static void copyDataCallback(const CopyDataMessage *message, void *context);
    // The text of a message that is to be shown; false for any other message.
    static bool copyDataText(const CopyDataMessage &message, QString *text);

    // LinkObserver: effects of the device link, carried out on the GUI thread.
    void linkBalloon(const QString &title, const QString &text, int msecs) override;
    void linkSetCurrentDPI(int stage) override;
    void linkSetRightHand(bool rightHand) override;
    void linkRunUI() override;
    void linkSetViewEnabled(bool enabled) override;
    void linkDeviceChange() override;
    void linkDeviceNotOpened(unsigned short vendorId, unsigned short productId) override;
    QString linkChipType() const override;
    int linkProfileNumber() const override;

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void checkDevice();
    void exitSYS();
    void receiveMessage(QString message);
    // The tray menu's "Start at login": writes or removes the login start.
    void setStartAtLogin(bool enabled);

protected:
    // Where the desktop shows no tray, the tray cannot bring the window back.
    virtual bool hasSystemTray() const;
    void customEvent(QEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void setupTrayIcon();
    void postRestoreRequest();
    // The device at index is the one connected, and its notification interface
    // still cannot be opened: it stays connected without a listener.
    bool staysConnectedWithoutListener(int index);

    QTimer checkTimer;
    Ui_Controler *controler = nullptr;
    Hid_Thread hidLink;
    QSystemTrayIcon *trayIcon = nullptr;
    QAction *startAtLoginAction = nullptr;
    // The entry the last connect steps connected, and its command path.
    int connectedIndex = -1;
    QString connectedCommandPath;
    bool accessHintShown = false; // the hint comes once per run, not at every detection
};
