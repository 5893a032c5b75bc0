// Checksum, scrambling and the echo check that verifies a device.
#include "device/Hid_Thread.h"

#include "device/FrameCodec.h"
#include "device/LinkSleeper.h"

#include <random>

uchar *Hid_Thread::linkSecrecyCode()
{
    // One code for the process: each echo check of an entry with a
    // six-character sCode overwrites bytes 1 to 6.
    static uchar SecrecyCode[8] = {};
    return SecrecyCode;
}

uchar Hid_Thread::hidCS(uchar *cmd)
{
    return FrameCodec::checksum(cmd);
}

void Hid_Thread::USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[])
{
    FrameCodec::scramble(FIFOBuf, SecrecyCode);
}

void Hid_Thread::USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[])
{
    FrameCodec::descramble(FIFOBuf, SecrecyCode);
}

bool Hid_Thread::chkDeviceIsEnCode(int index)
{
    currentDevice = index;
    // Each entry's echo is an exchange of its own: a failure at the entry
    // before does not end it.
    sequenceBroken = false;
    // Seeded with whole seconds: two checks within one second draw the same bytes.
    std::minstd_rand generator(static_cast<std::uint_fast32_t>(sleeper->secondsSinceEpoch()));
    uchar r[4];
    for (uchar &b : r)
        b = static_cast<uchar>(generator() & 0xFF);
    const uchar kept[4] = {r[0], r[1], r[2], r[3]};

    if (const std::optional<DeviceEntry> e = entry(index))
        FrameCodec::applySecrecyCode(e->sCode, linkSecrecyCode());

    hid553_00H_GetSecrecyCode(r[0], r[1], r[2], r[3]);
    // No exchange is no proof: a busy link or a failed transfer fails the check.
    if (!lastTransferOk)
        return false;
    return r[0] == kept[0] && r[1] == kept[1] && r[2] == kept[2] && r[3] == kept[3];
}
