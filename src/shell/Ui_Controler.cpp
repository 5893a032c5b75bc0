#include "shell/Ui_Controler.h"

#include "backend/myQQuickView.h"

#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QWidget>
#include <QWindow>

void Ui_Controler::setupWindow(QWidget *hostWindow, QObject *link)
{
    if (hostWindow->objectName().isEmpty())
        hostWindow->setObjectName(QStringLiteral("Widget"));
    window = hostWindow;
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    window->setWindowOpacity(1.0);
    window->setAttribute(Qt::WA_TranslucentBackground);
    window->setStyleSheet(QStringLiteral("background:transparent;"));

    view = new myQQuickView(window);
    view->setObjectName(QStringLiteral("ui_View"));
    // The pages import their own module, compiled in under "qrc:/modules/qml".
    view->engine()->addImportPath(QStringLiteral("qrc:/"));
    view->setSource(QUrl(QStringLiteral("qrc:modules/qml/main.qml")));
    // Set after the source: QML must not touch these while the root item is created.
    view->rootContext()->setContextProperty(QStringLiteral("ui_View"), view);
    view->rootContext()->setContextProperty(QStringLiteral("hid"), link);
    view->rootContext()->setContextProperty(QStringLiteral("ui_Ctl"), this);

    window->resize(view->size());

    const QSettings apConfig(QStringLiteral("./modules/setting/apConfig.bin"),
                             QSettings::IniFormat);
    window->setWindowTitle(apConfig.value(QStringLiteral("common/name"), QString()).toString());
}

void Ui_Controler::onMinimize()
{
    if (window)
        window->showMinimized();
}

void Ui_Controler::onClose()
{
    if (window)
        window->setVisible(false);
}

void Ui_Controler::onXChanged(int x)
{
    if (window)
        window->move(window->x() + x, window->y());
}

void Ui_Controler::onYChanged(int y)
{
    if (window)
        window->move(window->x(), window->y() + y);
}

bool Ui_Controler::asksWindowSystemToMove(const QString &platformName)
{
    return platformName != QLatin1String("windows") && platformName != QLatin1String("offscreen") &&
           platformName != QLatin1String("minimal");
}

bool Ui_Controler::startSystemMove()
{
    if (!window || !asksWindowSystemToMove(QGuiApplication::platformName()))
        return false;
    QWindow *handle = window->windowHandle();
    // X11 without a window manager refuses (no _NET_WM_MOVERESIZE).
    return handle && handle->startSystemMove();
}

void Ui_Controler::setBusy(int busyTime)
{
    if (view)
        view->setBusy(busyTime);
}
