#pragma once

#include "device/DeviceEntry.h"

#include <QDateTime>
#include <QList>

// What the last device check found, kept for the diagnostics report.
struct DetectionRecord
{
    bool done = false;
    QDateTime when;
    int connectedEntry = -1; // index in the device table, -1 = none verified
    QList<DeviceEntry> table;
};

void recordDetection(int connectedEntry, const QList<DeviceEntry> &table);
DetectionRecord lastDetection();
