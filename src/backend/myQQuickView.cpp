#include "backend/myQQuickView.h"

#include "device/Hid_Thread.h"

#include <QMetaObject>
#include <QQuickItem>
#include <QSettings>
#include <QThread>

myQQuickView::myQQuickView(QWidget *parent) : QQuickWidget(parent)
{
    // The frameless window is translucent around the screen's rounded shapes.
    setClearColor(Qt::transparent);

    apConfig = new QSettings(QString::fromLatin1(ApConfigFile), QSettings::IniFormat, this);
    pDefault =
        new QSettings(QStringLiteral("./modules/setting/pD.bin"), QSettings::IniFormat, this);
    for (int i = 1; i <= ProfileCount; ++i)
        profileList.append(new QSettings(QStringLiteral("./modules/setting/p%1.bin").arg(i),
                                         QSettings::IniFormat, this));

    isColorful = apConfig->value(QStringLiteral("mouse/isColorful")).toBool();
    isGun = apConfig->value(QStringLiteral("mouse/isGun")).toBool();
    icType = apConfig->value(QStringLiteral("mouse/icType")).toString();
    is55328 = apConfig->value(QStringLiteral("mouse/is55328")).toBool();
    isRight = false;
    currentProfile = 0;

    // Writes made during one pass of the event loop are written and checked together.
    writeCheck.setSingleShot(true);
    writeCheck.setInterval(0);
    connect(&writeCheck, &QTimer::timeout, this, &myQQuickView::writeOpenSettings);
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::focusInEvent(QFocusEvent *event)
{
    repaint();
    // The base hands the focus on to the scene, so the QML item that had it takes keys again.
    QQuickWidget::focusInEvent(event);
    event->accept();
}

QSettings *myQQuickView::profileSettings() const
{
    return profileList.at(currentProfile);
}

bool myQQuickView::selectProfileIndex(int index)
{
    if (index < 0 || index >= ProfileCount)
        return false;
    currentProfile = index;
    return true;
}

void myQQuickView::invokeRoot(const char *function, Qt::ConnectionType type,
                              const QVariantList &args)
{
    QObject *root = rootObject();
    if (!root)
        return;
    // QML functions take QVariant arguments; the result is not used.
    switch (args.size()) {
    case 0:
        QMetaObject::invokeMethod(root, function, type);
        break;
    case 1:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]));
        break;
    case 2:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]),
                                  Q_ARG(QVariant, args[1]));
        break;
    default:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]),
                                  Q_ARG(QVariant, args[1]), Q_ARG(QVariant, args.value(2)),
                                  Q_ARG(QVariant, args.value(3)));
        break;
    }
}

void myQQuickView::initUI()
{
    invokeRoot("initUI", Qt::QueuedConnection);
}

void myQQuickView::runUI()
{
    invokeRoot("run", Qt::QueuedConnection);
}

void myQQuickView::setBusy(int busyTime)
{
    invokeRoot("setProtectUI", Qt::DirectConnection, {busyTime});
}

void myQQuickView::setCurrentDPI(int dpiValue)
{
    // The listener calls this from its own thread; QML runs only on the GUI thread.
    const bool onGuiThread = QThread::currentThread() == thread();
    invokeRoot("setCurrentDPI", onGuiThread ? Qt::DirectConnection : Qt::QueuedConnection,
               {dpiValue});
}

void myQQuickView::saveUnsavedPages()
{
    invokeRoot("saveAll", Qt::DirectConnection);
}

void myQQuickView::clearHidBusy()
{
    if (hid)
        hid->clearHidBusy();
}

void myQQuickView::postKeyboardEvent(bool isDown, int usbCode)
{
    invokeRoot("detectKeyboard", Qt::QueuedConnection, {isDown, usbCode & 0xFF});
}

void myQQuickView::postMouseEvent(bool isDown, int brinCode, int x, int y)
{
    invokeRoot("detectMouse", Qt::QueuedConnection, {isDown, brinCode & 0xFF, x, y});
}
