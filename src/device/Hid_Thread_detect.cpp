// Device table and detection.
#include "device/Hid_Thread.h"

#include "device/HidApi.h"
#include "device/LinkObserver.h"

#include <QDebug>
#include <QSettings>
#include <mutex>

void Hid_Thread::findDevicePaths(QList<DeviceEntry> &table)
{
    for (qsizetype i = 0; i < table.size(); ++i) {
        DeviceEntry &e = table[i];
        e.commandPath.clear();
        e.notificationPath.clear();
        // Id 0 enumerates every device of any vendor or product: the echo
        // would go to whatever shares the usage pair.
        if (e.vid == 0 || e.pid == 0) {
            qDebug("Device entry %d skipped: no vendor or product id", int(i));
            continue;
        }
        HidDeviceInfo *list = api->enumerate(e.vid, e.pid);
        // A later matching record overwrites an earlier one.
        for (HidDeviceInfo *d = list; d; d = d->next) {
            if (d->usagePage == e.usagePage && d->usage == e.usage)
                e.commandPath = QString::fromLatin1(d->path.c_str());
            if (d->usagePage == e.usagePage2 && d->usage == e.usage2)
                e.notificationPath = QString::fromLatin1(d->path.c_str());
        }
        api->freeEnumeration(list);
    }
}

void Hid_Thread::setDeviceTable(const QList<DeviceEntry> &table)
{
    std::lock_guard lock(pathMutex);
    devices = table;
    // Detection starts afresh: what failed before is its to judge now.
    sequenceBroken = false;
}

QList<DeviceEntry> Hid_Thread::deviceTable() const
{
    std::lock_guard lock(pathMutex);
    return devices;
}

int Hid_Thread::findVerifiedDevice(const QString &apConfigPath)
{
    // The table is never rebuilt under a listener that still reads it.
    stopListener();
    waitForListener();

    QSettings apConfig(apConfigPath, QSettings::IniFormat);
    QList<DeviceEntry> table = readDeviceTable(apConfig);
    findDevicePaths(table);
    setDeviceTable(table);
    int notOpened = -1;
    for (int j = 0; j < table.size(); ++j) {
        if (table.at(j).commandPath.isEmpty())
            continue;
        if (chkDeviceIsEnCode(j))
            return j;
        // A failed open empties the path: the device is there but closed to us.
        const std::optional<DeviceEntry> checked = entry(j);
        if (notOpened < 0 && checked && checked->commandPath.isEmpty())
            notOpened = j;
    }
    if (notOpened >= 0 && owner)
        owner->linkDeviceNotOpened(table.at(notOpened).vid, table.at(notOpened).pid);
    return -1;
}
