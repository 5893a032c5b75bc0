#include "backend/LightingEffect.h"
#include "backend/ProfileBlock.h"
#include "backend/SensorEncoding.h"
#include "backend/myQQuickView.h"

#include "device/Hid_Thread.h"

#include <QDebug>

#include <algorithm>

namespace {

constexpr int StageCount = 8;
constexpr int ColourBytes = 24;

bool validStageCount(int dpiCount)
{
    return dpiCount >= 1 && dpiCount <= StageCount;
}

} // namespace

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray)
{
    if (!validStageCount(dpiCount))
        return;
    uchar codes[StageCount] = {};
    uchar highRange = 0;
    const int values = std::min<qsizetype>(dpiValueArray.size(), StageCount);
    for (int i = 0; i < values; ++i) {
        bool high = false;
        codes[i] = SensorEncoding::stageCode(sensorType, dpiValueArray.at(i).toInt(), &high);
        if (high)
            highRange |= static_cast<uchar>(1u << i);
    }

    if (isChip560()) {
        const uchar enable = static_cast<uchar>((1u << dpiCount) - 1);
        for (int block = 1; block <= 4; ++block) {
            uchar *data = profileData[block];
            std::copy_n(codes, StageCount, data + ProfileBlock::DpiX);
            std::copy_n(codes, StageCount, data + ProfileBlock::DpiY);
            data[ProfileBlock::DpiEnable] = enable;
            if (sensorType == QLatin1String("3389")) {
                data[ProfileBlock::DpiHighRange] = highRange;
                data[ProfileBlock::DpiHighRange + 1] = highRange;
            }
        }
        sendProfileBlock(currentProfile + 1);
        return;
    }
    for (int i = dpiCount; i < StageCount; ++i)
        codes[i] = 0x80; // stage off
    if (hid)
        hid->hid553_11H_SetDPISet(static_cast<uchar>(dpiCount), codes);
}

void myQQuickView::mouseSetMaxDpi(int dpiCount)
{
    if (!validStageCount(dpiCount))
        return;
    profileData[0][ProfileBlock::DpiStageCount] = static_cast<uchar>(dpiCount);
    sendProfileBlock(0);
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI)
{
    if (!hid)
        return;
    if (isChip560())
        hid->hid560_04H_SetCurrentDPI(currentDPI);
    else
        hid->hid553_0BH_SetCurrentDPI(currentDPI);
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    uchar stage = 3; // what a silent mouse leaves
    if (hid) {
        if (isChip560()) {
            uchar profile = static_cast<uchar>(currentProfile + 1);
            hid->hid560_84H_GetCurrentDPI(profile, stage);
        } else {
            hid->hid553_8BH_GetCurrentDPI(stage);
        }
    }
    return int(stage);
}

void myQQuickView::mouseSetReportRate(uchar rate)
{
    if (!hid)
        return;
    if (isChip560())
        hid->hid560_03H_SetReportRate(rate);
    else
        hid->hid553_01H_SetReportRate(rate);
}

void myQQuickView::mouseSetLod(uchar rate, uchar en)
{
    // The mouse has no lift-off command; the value lives in the profile only.
    qDebug() << "test" << int(rate) << int(en);
}

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    using namespace ProfileBlock;
    if (isColorful) {
        const LightingEffect::Bytes e = LightingEffect::colourful(effect, option1, option2);
        if (!isChip560()) {
            if (hid)
                hid->hid553_0DH_SetRGBLedEffect(e.kind, e.a, e.b);
            return;
        }
        const int block = currentProfile + 1;
        if (block >= ProfileBlockCount)
            return;
        const uchar bytes[3] = {e.kind, e.a, e.b};
        std::copy_n(bytes, 3, profileData[block] + LightEffect);
        sendProfileBlock(block);
        return;
    }

    const LightingEffect::Bytes e = LightingEffect::plain(effect, option1, option2);
    if (!isChip560()) {
        if (hid)
            hid->hid553_0DH_SetRGBLedEffect(e.kind, e.a, is55328 ? e.b : uchar(2));
        return;
    }
    for (int block = 1; block <= 4; ++block) {
        profileData[block][LightEffect] = e.kind;
        profileData[block][LightEffect + 1] = e.a;
        profileData[block][LightEffect + 2] = 2;
    }
    if (isGun) {
        for (int block = 1; block <= 4; ++block)
            sendProfileBlock(block);
        return;
    }
    profileData[1][LightEffect + 2] = 3;
    // The block of the current profile, the one just changed.
    sendProfileBlock(currentProfile + 1);
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24)
{
    uchar colours[ColourBytes] = {};
    const int count = std::min<qsizetype>(src24.size(), ColourBytes);
    for (int i = 0; i < count; ++i)
        colours[i] = static_cast<uchar>(src24.at(i).toInt());

    if (isChip560()) {
        const int block = isColorful ? 0 : 1;
        const int offset = isColorful ? ProfileBlock::DeviceColours : ProfileBlock::ProfileColours;
        std::copy_n(colours, ColourBytes, profileData[block] + offset);
        sendProfileBlock(block);
        return;
    }
    if (!hid)
        return;
    if (!is55328) {
        hid->hid553_10H_SetLED8StageColor(type, colours);
        hid->hid553_10H_SetLED8StageColor(type, colours);
        return;
    }
    // The eighth colour black means one fixed colour: the first.
    const bool eighthBlack = colours[21] == 0 && colours[22] == 0 && colours[23] == 0;
    if (eighthBlack)
        hid->hid553_0CH_SetFixLEDColor(colours);
    else
        hid->hid553_10H_SetLED8StageColor(0, colours);
}
