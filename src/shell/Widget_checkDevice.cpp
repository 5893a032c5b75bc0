#include "shell/Widget.h"

#include "backend/myQQuickView.h"
#include "shell/DetectionRecord.h"
#include "shell/DeviceConnectedFlag.h"

#include <QDebug>

// Detection: find and verify the first present device of the table, then
// connect it or report that none is there.
void Widget::checkDevice()
{
    const int index = hidLink.findVerifiedDevice(QStringLiteral("./modules/setting/apConfig.bin"));
    recordDetection(index, hidLink.deviceTable());
    if (index < 0) {
        qDebug() << "Device DisConnect";
        setDeviceConnected(false);
        startUi();
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
    startUi();
}
