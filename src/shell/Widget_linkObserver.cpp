#include "shell/Widget.h"

#include "backend/myQQuickView.h"
#include "shell/DeviceAccessHint.h"

#include <QCoreApplication>

#include <QMetaObject>

// The link calls these from its listener thread too: each effect is queued to
// the GUI thread, so effects of one report keep their order.

void Widget::linkBalloon(const QString &title, const QString &text, int msecs)
{
    QMetaObject::invokeMethod(
        this, [this, title, text, msecs] { showBalloon(title, text, msecs); },
        Qt::QueuedConnection);
}

void Widget::linkSetCurrentDPI(int stage)
{
    QMetaObject::invokeMethod(
        this, [this, stage] { view()->setCurrentDPI(stage); }, Qt::QueuedConnection);
}

void Widget::linkSetRightHand(bool rightHand)
{
    QMetaObject::invokeMethod(
        this, [this, rightHand] { view()->setRightHand(rightHand); }, Qt::QueuedConnection);
}

void Widget::linkRunUI()
{
    QMetaObject::invokeMethod(
        this, [this] { view()->runUI(); }, Qt::QueuedConnection);
}

void Widget::linkSetViewEnabled(bool enabled)
{
    QMetaObject::invokeMethod(
        this, [this, enabled] { view()->setEnabled(enabled); }, Qt::QueuedConnection);
}

void Widget::linkDeviceChange()
{
    // Queued: by the time it runs the listener has cleared its flag.
    QMetaObject::invokeMethod(
        this, [this] { onDeviceChange(); }, Qt::QueuedConnection);
}

void Widget::linkDeviceNotOpened(unsigned short vendorId, unsigned short productId)
{
    QMetaObject::invokeMethod(
        this,
        [this, vendorId, productId] {
            if (accessHintShown)
                return;
            accessHintShown = true;
            showBalloon(
                QStringLiteral("Info"),
                DeviceAccessHint::text(vendorId, productId, QCoreApplication::applicationDirPath()),
                10000);
        },
        Qt::QueuedConnection);
}

QString Widget::linkChipType() const
{
    return view()->chipType();
}

int Widget::linkProfileNumber() const
{
    return view()->currentProfileIndex() + 1;
}
