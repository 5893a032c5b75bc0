#pragma once

#include <QString>

// The stage code that a sensor model expects for a resolution in counts per
// inch. highRange is set for the stages that the "3389" sensor runs in its
// upper range.
namespace SensorEncoding {

unsigned char stageCode(const QString &sensorType, int dpi, bool *highRange = nullptr);

} // namespace SensorEncoding
