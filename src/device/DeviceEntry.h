#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

class QSettings;

// One configured device of the device table in apConfig.bin.
struct DeviceEntry
{
    int type = -1; // 0 keyboard, 1 mouse; carried only
    quint16 vid = 0;
    quint16 pid = 0;
    quint16 usagePage = 0; // command interface
    quint16 usage = 0;
    quint16 usagePage2 = 0; // notification interface
    quint16 usage2 = 0;
    int reportLength = 32; // payload bytes of one output or input report
    bool isEncode = false;
    QString sCode = QStringLiteral("274915");
    QString commandPath;      // found by detection; empty = interface absent
    QString notificationPath; // found by detection; empty = interface absent
};

// The entries of groups "0", "1", ... up to "common/deviceCount", paths empty.
QList<DeviceEntry> readDeviceTable(QSettings &apConfig);
