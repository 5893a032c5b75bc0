#include "shell/Widget.h"

#include "backend/myQQuickView.h"
#include "shell/DetectionRecord.h"
#include "shell/DeviceConnectedFlag.h"

#include <QDebug>

// Detection: find and verify the first present device of the table, then
// connect it or report that none is there.
void Widget::checkDevice()
{
    // The timer fired while a command, processing events, holds the link: its
    // echo would find the link taken and report a present mouse gone. Look again later.
    if (!hidLink.isHidFree()) {
        checkTimer.start();
        return;
    }
    const int index = hidLink.findVerifiedDevice(QStringLiteral("./modules/setting/apConfig.bin"));
    recordDetection(index, hidLink.deviceTable());
    if (index < 0) {
        qDebug() << "Device DisConnect";
        connectedIndex = -1;
        setDeviceConnected(false);
        startUi();
        return;
    }
    if (staysConnectedWithoutListener(index)) {
        // Connecting again would only lose the listener again: no balloon, no
        // option write, no block reads, just the view back.
        view()->setEnabled(true);
        return;
    }

    qDebug() << "Device Connect";
    view()->clearHidBusy();
    setDeviceConnected(true);
    showBalloon(QStringLiteral("Info"), QStringLiteral("Detect Device"), 10000);
    hidLink.hidStart(index);
    if (view()->isChip560()) {
        // All five blocks: the pages write block 4 too, never before it was read.
        for (uint block = 0; block < uint(myQQuickView::ProfileBlockCount); ++block)
            view()->mouseReadProfile(block);
    }
    view()->setEnabled(true);
    connectedIndex = index;
    connectedCommandPath = hidLink.deviceTable().value(index).commandPath;
    startUi();
}

bool Widget::staysConnectedWithoutListener(int index)
{
    return deviceConnected() && index == connectedIndex &&
           hidLink.deviceTable().value(index).commandPath == connectedCommandPath &&
           !hidLink.canOpenNotification(index);
}
