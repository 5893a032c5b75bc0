// How close the link comes to the pauses the mouse needs: a profile switch on
// each chip family through the real sleeper and the virtual mouse, wall time
// divided by the sum of the transport's sleeps (1.00 would be no overhead at
// all). Also frames per second through the seam when nothing sleeps.
#include "device/Hid_Thread.h"
#include "device/LinkSleeper.h"
#include "virtualmouse/VirtualClock.h"
#include "virtualmouse/VirtualMouse.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

// Sleeps for real and adds up what was asked for.
class CountingSleeper : public RealSleeper
{
public:
    void sleep(int milliseconds) override
    {
        asked += milliseconds;
        RealSleeper::sleep(milliseconds);
    }
    qint64 asked = 0;
};

QList<DeviceEntry> mouseTable(Hid_Thread &link, int reportLength)
{
    DeviceEntry e;
    e.vid = 0x04D9;
    e.pid = 0xA1EE;
    e.usagePage = 0xFF00;
    e.usage = 0xFF00;
    e.usagePage2 = 0xFF01;
    e.usage2 = 0xFF01;
    e.reportLength = reportLength;
    e.isEncode = true;
    e.sCode = QStringLiteral("274915");
    QList<DeviceEntry> table{DeviceEntry{}, e};
    link.findDevicePaths(table);
    return table;
}

// What the pages send when the user switches to another profile.
void profileSwitch(Hid_Thread &link, bool chip560)
{
    uchar block[128] = {};
    uchar matrix[64] = {};
    uchar dpi[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    if (chip560) {
        link.hid560_02H_SetCurrentProfile(2);
        link.hid560_0DH_SetKeyMatrix(matrix, 2);
        link.hid560_0CH_setProfile(block, 2);
        link.hid560_03H_SetReportRate(2);
    } else {
        link.hid553_02H_SetCurrentKeyMatrix(2);
        link.hid553_12H_SetKeyMatrix(matrix, 2);
        link.hid553_11H_SetDPISet(4, dpi);
        link.hid553_01H_SetReportRate(2);
        link.hid553_0DH_SetRGBLedEffect(1, 2, 3);
    }
}

void measureSwitch(const char *chip)
{
    VirtualMouse mouse({.chipType = QString::fromLatin1(chip), .isEncode = true});
    CountingSleeper sleeper;
    Hid_Thread link(&mouse, &sleeper);
    link.setDeviceTable(mouseTable(link, 32));
    if (!link.chkDeviceIsEnCode(1)) {
        std::printf("%s: the virtual mouse did not answer\n", chip);
        return;
    }
    sleeper.asked = 0;
    QElapsedTimer wall;
    wall.start();
    const int rounds = 3;
    for (int i = 0; i < rounds; ++i)
        profileSwitch(link, QByteArray(chip) == "560");
    const double elapsed = double(wall.nsecsElapsed()) / 1e6;
    std::printf("profile switch on \"%s\": %d rounds, wall %.1f ms, sleeps %lld ms, "
                "ratio %.4f\n",
                chip, rounds, elapsed, static_cast<long long>(sleeper.asked),
                elapsed / double(sleeper.asked));
}

void measureFrames()
{
    VirtualClock clock; // queries do not sleep; this keeps them off the real clock
    VirtualMouse mouse({.isEncode = true});
    mouse.setClock(&clock);
    Hid_Thread link(&mouse, &clock);
    link.setDeviceTable(mouseTable(link, 32));
    link.chkDeviceIsEnCode(1);
    const int count = 20000;
    QElapsedTimer wall;
    wall.start();
    uchar stage = 0;
    for (int i = 0; i < count; ++i)
        link.hid553_8BH_GetCurrentDPI(stage);
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    std::printf("queries through the seam: %d in %.3f s, %.0f per second (%.0f hidapi calls "
                "per second)\n",
                count, seconds, count / seconds, count * 11 / seconds);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    measureSwitch("553");
    measureSwitch("560");
    measureFrames();
    return 0;
}
