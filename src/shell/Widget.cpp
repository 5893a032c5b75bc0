#include "shell/Widget.h"

#include "backend/myQQuickView.h"
#include "platform/DesktopNotifications.h"
#include "platform/DeviceChangeMonitor.h"
#include "shell/Autostart.h"
#include "shell/DeviceConnectedFlag.h"
#include "shell/Ui_Controler.h"
#include "shell/UserEvent.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QSignalBlocker>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const char *const trayMenuStyle =
    "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
    "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
    "QMenu::item:enabled { color: rgb(225, 225, 225); } "
    "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
    "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, 255, "
    "40); } "
    "QMenu::separator { height: 1px; background: rgb(100, 100, 100); } "
    "QMenu::indicator { width: 13px; height: 13px; } "
    "QMenu::icon { padding-left: 2px; padding-right: 2px; } ";

#ifndef Q_OS_WIN
// Stands in for WM_SYSCOMMAND/SC_RESTORE: posted, so the caller returns first.
const QEvent::Type RestoreEventType = QEvent::Type(QEvent::User + 1);
#endif

} // namespace

Widget::Widget(QWidget *parent) : QWidget(parent)
{
    // A tray program: a hidden window and a closing dialog must not end it;
    // only Quit does.
    QApplication::setQuitOnLastWindowClosed(false);
    hidLink.setOwner(this);
    controler = new Ui_Controler;
    controler->setupWindow(this, &hidLink);
    controler->getView()->setHidLink(&hidLink);

    checkTimer.setInterval(2048);
    checkTimer.setSingleShot(true);
    connect(&checkTimer, &QTimer::timeout, this, &Widget::checkDevice);
    // The system's device-change notices (on Windows WM_DEVICECHANGE, below).
    auto *devices = new DeviceChangeMonitor(this);
    connect(devices, &DeviceChangeMonitor::deviceChanged, this, &Widget::onDeviceChange);

    setupTrayIcon();
}

Widget::~Widget()
{
    hidLink.stopListener();
    controler->deleteLater();
    // Members go in reverse order: the link (which waits for its listener), then the timer.
}

myQQuickView *Widget::view() const
{
    return controler->getView();
}

void Widget::setupTrayIcon()
{
    trayIcon = new QSystemTrayIcon(this);
    auto *quitAction = new QAction(tr("Quit (&Q)"), this);
    connect(quitAction, &QAction::triggered, this, &Widget::exitSYS);
    startAtLoginAction = new QAction(tr("Start at login"), this);
    startAtLoginAction->setCheckable(true);
    startAtLoginAction->setChecked(Autostart::isEnabled());
    connect(startAtLoginAction, &QAction::toggled, this, &Widget::setStartAtLogin);
    auto *menu = new QMenu(this);
    // The command line may have changed it since the menu was last open.
    connect(menu, &QMenu::aboutToShow, this, [this] {
        const QSignalBlocker quiet(startAtLoginAction);
        startAtLoginAction->setChecked(Autostart::isEnabled());
    });
    menu->addAction(startAtLoginAction);
    menu->addAction(quitAction);
    menu->setStyleSheet(QString::fromLatin1(trayMenuStyle));
    trayIcon->setContextMenu(menu);
    trayIcon->setToolTip(QStringLiteral("ZERANT MOLTA MOUSE R770"));
    trayIcon->setIcon(QIcon(QStringLiteral("./modules/img/logo.ico")));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    trayIcon->setVisible(true);
}

void Widget::setStartAtLogin(bool enabled)
{
    QString error;
    if (Autostart::setEnabled(enabled, QCoreApplication::applicationFilePath(), &error))
        return;
    qDebug() << "Start at login failed:" << Autostart::entryPath() << error;
    {
        const QSignalBlocker quiet(startAtLoginAction);
        startAtLoginAction->setChecked(!enabled);
    }
    showBalloon(QStringLiteral("Info"), tr("Cannot change the start at login: %1").arg(error),
                10000);
}

void Widget::showBalloon(const QString &title, const QString &text, int msecs)
{
    if (QSystemTrayIcon::isSystemTrayAvailable() && QSystemTrayIcon::supportsMessages())
        trayIcon->showMessage(title, text, QSystemTrayIcon::Information, msecs);
    else
        sendDesktopNotification(title, text, msecs);
}

void Widget::startUi()
{
    view()->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::RunUiCode));
}

void Widget::customEvent(QEvent *event)
{
#ifndef Q_OS_WIN
    if (event->type() == RestoreEventType) {
        restoreWindow();
        return;
    }
#endif
    if (event->type() == QEvent::User &&
        static_cast<UserEvent *>(event)->code() == UserEvent::RunUiCode)
        view()->runUI();
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick && deviceConnected())
        postRestoreRequest();
}

void Widget::receiveMessage(QString message)
{
    if (message == QLatin1String(QuitMessage)) {
        exitSYS();
        return;
    }
    // Without a tray a second start is the only way back to a hidden window.
    if (deviceConnected() || !hasSystemTray())
        postRestoreRequest();
}

bool Widget::hasSystemTray() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void Widget::postRestoreRequest()
{
#ifdef Q_OS_WIN
    PostMessageW(reinterpret_cast<HWND>(winId()), WM_SYSCOMMAND, SC_RESTORE, 0);
#else
    QCoreApplication::postEvent(this, new QEvent(RestoreEventType));
#endif
}

void Widget::restoreWindow()
{
    // A Wayland client cannot take its window out of the minimised state;
    // mapped anew, the window comes back.
    if (isMinimized() && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        setVisible(false);
    setVisible(true);
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void Widget::onDeviceChange()
{
    if (!hidLink.isListenerRunning())
        checkTimer.start();
}

bool Widget::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
#ifdef Q_OS_WIN
    if (eventType == "windows_generic_MSG") {
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->message == WM_SYSCOMMAND && msg->wParam == SC_RESTORE)
            setVisible(true);
        else if (msg->message == WM_DEVICECHANGE)
            onDeviceChange();
    }
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    // Never consume: the toolkit always goes on with its own handling.
    return *result != 0;
}

void Widget::exitSYS()
{
    hidLink.stopListener();
    view()->syncSettings();
    QCoreApplication::exit(0);
}
