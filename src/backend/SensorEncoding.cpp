#include "backend/SensorEncoding.h"

namespace SensorEncoding {

namespace {

unsigned char code4090(int dpi)
{
    // Up to 5000 in steps of 100, above in steps of 200 with bit 6 set.
    if (dpi <= 5000)
        return static_cast<unsigned char>(dpi / 100 - 1);
    return static_cast<unsigned char>((dpi / 200) | 0x40);
}

unsigned char code3050(int dpi)
{
    struct Step
    {
        int threshold;
        unsigned char code;
    };
    static constexpr Step steps[] = {{250, 1},     {500, 2},     {750, 3},     {1000, 4},
                                     {1250, 5},    {1500, 6},    {1750, 7},    {2000, 8},
                                     {2500, 0x45}, {3000, 0x46}, {3500, 0x47}, {4000, 0x48}};
    for (const Step &step : steps) {
        if (step.threshold >= dpi)
            return step.code;
    }
    return 0;
}

} // namespace

unsigned char stageCode(const QString &sensorType, int dpi, bool *highRange)
{
    if (highRange)
        *highRange = false;
    if (sensorType == QLatin1String("3360"))
        return static_cast<unsigned char>(dpi / 100 - 1);
    if (sensorType == QLatin1String("3050"))
        return code3050(dpi);
    if (sensorType == QLatin1String("3389")) {
        if (highRange)
            *highRange = dpi >= 12800;
        return static_cast<unsigned char>(dpi / 50);
    }
    if (sensorType == QLatin1String("3327"))
        return static_cast<unsigned char>(dpi / 100);
    return code4090(dpi); // "4090" and any sensor not listed
}

} // namespace SensorEncoding
