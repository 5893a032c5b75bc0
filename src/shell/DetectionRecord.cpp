#include "shell/DetectionRecord.h"

namespace {
// GUI thread only, like detection itself.
DetectionRecord record;
} // namespace

void recordDetection(int connectedEntry, const QList<DeviceEntry> &table)
{
    record.done = true;
    record.when = QDateTime::currentDateTime();
    record.connectedEntry = connectedEntry;
    record.table = table;
}

DetectionRecord lastDetection()
{
    return record;
}
