// The command set of both chip families: one slot per device command.
#include "device/Hid_Thread.h"

#include "device/LinkObserver.h"
#include "device/LinkSleeper.h"

#include <QDebug>

#include <algorithm>
#include <cstring>

bool Hid_Thread::takeLink(const char *failCode)
{
    // The rest of a sequence whose transfer failed: the next device check decides.
    if (!sequenceBroken && waitHidFree())
        return true;
    qDebug("cmd Failed %s", failCode);
    lastTransferOk = false;
    return false;
}

void Hid_Thread::buildFrame(uchar command, std::initializer_list<uchar> params)
{
    std::fill(std::begin(commandFrame), std::end(commandFrame), uchar(0));
    commandFrame[1] = command;
    int i = 2;
    for (uchar p : params)
        commandFrame[i++] = p;
    commandFrame[8] = hidCS(commandFrame + 1);
}

void Hid_Thread::runSet(const char *failCode, uchar command, std::initializer_list<uchar> params,
                        const uchar *bulkData, int bulkLength, AfterSend after)
{
    if (!takeLink(failCode))
        return;
    buildFrame(command, params);
    if (bulkLength > 0) {
        if (bulkData)
            std::memcpy(bulkArea, bulkData, size_t(bulkLength));
        else
            std::fill(bulkArea, bulkArea + bulkLength, uchar(0));
    }
    lastTransferOk = hidSend(bulkLength, after == AfterSend::Settle);
    if (after == AfterSend::Pause8)
        sleeper->sleep(8);
}

bool Hid_Thread::runGet(const char *failCode, uchar command, std::initializer_list<uchar> params,
                        std::initializer_list<uchar> preset)
{
    if (!takeLink(failCode))
        return false;
    buildFrame(command, params);
    // The answer starts as the command byte and the caller's own values, so a
    // failed query hands those back.
    std::fill(std::begin(answerFrame), std::end(answerFrame), uchar(0));
    answerFrame[1] = command;
    int i = 2;
    for (uchar p : preset)
        answerFrame[i++] = p;
    lastTransferOk = hidQuery(0);
    return true;
}

void Hid_Thread::hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    if (!runGet("00", 0x00, {byte1, byte2, byte3, byte4}, {}))
        return;
    byte1 = answerFrame[2];
    byte2 = answerFrame[3];
    byte3 = answerFrame[4];
    byte4 = answerFrame[5];
}

void Hid_Thread::hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3,
                                              uchar &byte4)
{
    if (!runGet("83", 0x83, {}, {byte1, byte2, byte3, byte4}))
        return;
    byte1 = answerFrame[2];
    byte2 = answerFrame[3];
    byte3 = answerFrame[4];
    byte4 = answerFrame[5];
}

void Hid_Thread::hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2)
{
    if (!runGet("81", 0x81, {}, {byte1, byte2}))
        return;
    byte1 = answerFrame[2];
    byte2 = answerFrame[3];
}

void Hid_Thread::hid560_82H_GetCurrentProfile(uchar &byte1)
{
    if (!runGet("82", 0x82, {}, {byte1}))
        return;
    byte1 = answerFrame[2];
}

void Hid_Thread::hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2)
{
    if (!runGet("84", 0x84, {byte1}, {byte1, byte2}))
        return;
    byte1 = answerFrame[2];
    byte2 = answerFrame[3];
}

void Hid_Thread::hid553_8BH_GetCurrentDPI(uchar &byte1)
{
    if (!runGet("8BH", 0x8B, {}, {byte1}))
        return;
    byte1 = answerFrame[2];
}

void Hid_Thread::hid553_8BH_GetRight(uchar &byte1)
{
    // Asks with 0x82, the same frame as the current-profile query of the other family.
    if (!runGet("82H", 0x82, {}, {byte1}))
        return;
    byte1 = answerFrame[2];
}

void Hid_Thread::hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    runSet("03", 0x03, {byte1, byte2, byte3, byte4}, nullptr, 0, AfterSend::Pause8);
}

void Hid_Thread::hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    runSet("04", 0x04, {0, byte1, byte2, byte3, byte4}, nullptr, 0, AfterSend::Pause8);
}

void Hid_Thread::hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2)
{
    runSet("01", 0x01, {byte1, byte2}, nullptr, 0, AfterSend::Pause8);
}

void Hid_Thread::hid553_01H_SetReportRate(uchar rate)
{
    runSet("01", 0x01, {rate}, nullptr, 0, AfterSend::Settle);
}

static uchar profileNumberOf(LinkObserver *owner)
{
    return owner ? uchar(owner->linkProfileNumber()) : uchar(1);
}

void Hid_Thread::hid560_03H_SetReportRate(uchar rate)
{
    runSet("03", 0x03, {profileNumberOf(owner), rate}, nullptr, 0, AfterSend::Settle);
}

void Hid_Thread::hid560_04H_SetCurrentDPI(uchar stage)
{
    runSet("04", 0x04, {profileNumberOf(owner), stage}, nullptr, 0, AfterSend::Settle);
}

void Hid_Thread::hid553_0BH_SetCurrentDPI(uchar stage)
{
    runSet("0B", 0x0B, {stage}, nullptr, 0, AfterSend::Settle);
}

void Hid_Thread::hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    runSet("12", 0x12, {indexAddOne, 0x40, 0x08}, src64, 64, AfterSend::Settle);
}

void Hid_Thread::hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    // The matrix travels as 128 bytes: the 64 of the caller, then zeros.
    uchar matrix[128] = {};
    if (src64)
        std::memcpy(matrix, src64, 64);
    runSet("0D", 0x0D, {indexAddOne, 0x80}, matrix, 128, AfterSend::Settle);
}

void Hid_Thread::hid560_0CH_setProfile(uchar *src128, uchar profileData)
{
    runSet("0C", 0x0C, {profileData, 0x80}, src128, 128, AfterSend::Settle);
}

void Hid_Thread::hid560_8CH_readProfile(uchar *src128, uchar profileNo)
{
    if (!takeLink("8c"))
        return;
    buildFrame(0x8C, {profileNo});
    std::fill(std::begin(answerFrame), std::end(answerFrame), uchar(0));
    if (src128)
        std::memcpy(bulkArea, src128, 128);
    lastTransferOk = hidQuery(128);
    // Only a complete block replaces the caller's: a partly read one mixed
    // with old bytes would be written back to the mouse later.
    if (lastTransferOk && src128)
        std::memcpy(src128, bulkArea, 128);
}

void Hid_Thread::hid560_02H_SetCurrentProfile(uchar profile)
{
    runSet("02", 0x02, {profile}, nullptr, 0, AfterSend::Pause8);
}

void Hid_Thread::hid553_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    runSet("13", 0x13, {macroId, 0x80}, src128, 128, AfterSend::Settle);
}

void Hid_Thread::hid560_0FH_SetMacroKey(uchar macroId, uchar *src128)
{
    runSet("0F", 0x0F, {macroId, 0x80}, src128, 128, AfterSend::Settle);
}

void Hid_Thread::hid553_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    runSet("11", 0x11, {dpiStage, 0x08}, src8, 8, AfterSend::Settle);
}

void Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix)
{
    runSet("02", 0x02, {currentKeyMatrix}, nullptr, 0, AfterSend::Settle);
}

void Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    runSet("0D", 0x0D, {effect, option1, option2}, nullptr, 0, AfterSend::Settle);
}

void Hid_Thread::hid553_0CH_SetFixLEDColor(uchar *src3)
{
    const uchar r = src3 ? src3[0] : 0;
    const uchar g = src3 ? src3[1] : 0;
    const uchar b = src3 ? src3[2] : 0;
    runSet("0C", 0x0C, {r, g, b}, nullptr, 0, AfterSend::Settle);
}

void Hid_Thread::hid553_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    const uchar length = type == 2 ? 4 : 24;
    runSet("10", 0x10, {type, length}, src24, length, AfterSend::Settle);
}
