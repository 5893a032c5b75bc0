#include "backend/ProfileBlock.h"
#include "backend/myQQuickView.h"

#include "device/Hid_Thread.h"

#include <QSettings>

#include <algorithm>
#include <array>

namespace {

constexpr int SlotCount = 16;
constexpr int MatrixSize = 64;
using Matrix = std::array<uchar, MatrixSize>;

// Device types of the key matrix.
enum : uchar
{
    KeyboardType = 0,
    MouseType = 1,
    ConsumerType = 3,
    NoFunctionType = 4,
    DpiType = 7,
    GunType = 8,
    MacroType = 9,
    FireType = 10,
    GunModeType = 11,
    FixedSlotType = 12,
};

QString keyOf(const char *prefix, int n)
{
    return QLatin1String(prefix) + QString::number(n);
}

// A Windows function that is really a consumer usage (My PC 0x0194 and the
// browser keys 0x0221, 0x0223) travels as one.
bool isConsumerUsage(uchar second, uchar third)
{
    return ((second == 0x21 || second == 0x23) && third == 2) || (second == 0x94 && third == 1);
}

// Page form to device form, button by button, in page order.
void convertButton(uchar *b, bool chip560)
{
    const uchar category = b[0];
    switch (category) {
    case 0:
        b[0] = (b[2] == 0x1E && b[3] == 2) ? FireType : MouseType;
        break;
    case 1:
        b[0] = FireType;
        break;
    case 2:
    case 6:
    case 7:
        b[0] = KeyboardType;
        break;
    case 3:
        b[0] = ConsumerType;
        break;
    case 4:
        b[0] = MacroType;
        b[2] = static_cast<uchar>(b[2] + 1); // device macro slots count from 1
        break;
    case 5:
        b[0] = DpiType;
        if (b[2] == 4) { // sniper
            const uchar sniper560[4] = {GunModeType, 0, 3, 3};
            const uchar sniper553[4] = {DpiType, 0, 4, 1};
            std::copy_n(chip560 ? sniper560 : sniper553, 4, b);
        }
        break;
    case 8:
        b[0] = GunType;
        break;
    case 0xFF:
        b[0] = NoFunctionType;
        break;
    default:
        break;
    }
    if (category == 6 && isConsumerUsage(b[2], b[3]))
        b[0] = ConsumerType;
}

// Device slots 3, 4, 5 hold page buttons 4, 5, 3; slot 8 is fixed.
void reorderSlots(Matrix &m)
{
    uchar button3[4];
    std::copy_n(&m[3 * 4], 4, button3);
    std::copy_n(&m[4 * 4], 8, &m[3 * 4]);
    std::copy_n(button3, 4, &m[5 * 4]);
    const uchar fixed[4] = {FixedSlotType, 0, 0, 0};
    std::copy_n(fixed, 4, &m[8 * 4]);
}

uchar bankMode(int gunCount)
{
    return gunCount == 1 ? 7 : gunCount == 2 ? 15 : 31;
}

} // namespace

void myQQuickView::readFirmwareKeyMatrix(uchar matrix[64]) const
{
    const QSettings *profile = profileSettings();
    for (int n = 0; n < SlotCount; ++n) {
        const QVariantList def = profile->value(keyOf("mouseFwKeyMatrix/", n)).toList();
        for (int i = 0; i < 4; ++i)
            matrix[4 * n + i] = static_cast<uchar>(def.value(i).toInt());
    }
}

void myQQuickView::mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam)
{
    const char *prefix = isRight ? "mouseKeyMatrix0/" : "mouseKeyMatrix/";
    for (int n = 0; n < SlotCount; ++n) {
        QVariantList def;
        for (int i = 0; i < 4; ++i)
            def.append(src64.value(4 * n + i, 0));
        profileSettings()->setValue(keyOf(prefix, n), def);
    }
    scheduleWriteCheck();
    if (!isSendData)
        return;

    const bool chip560 = isChip560();
    Matrix a{};
    for (int i = 0; i < MatrixSize; ++i)
        a[i] = static_cast<uchar>(src64.value(i).toInt());
    for (int n = 0; n < SlotCount; ++n)
        convertButton(&a[4 * n], chip560);
    bool gunPresent = false;
    for (int n = 0; n < SlotCount; ++n)
        gunPresent = gunPresent || a[4 * n] == GunType;
    reorderSlots(a);

    if (!gunPresent) {
        if (!hid)
            return;
        if (chip560)
            hid->hid560_0DH_SetKeyMatrix(a.data(), static_cast<uchar>(currentProfile + 1));
        else
            hid->hid553_12H_SetKeyMatrix(a.data(), isRight ? 2 : 1);
        return;
    }

    // The gun buttons cycle through matrices 2, 3 and 4, built on the firmware matrix.
    Matrix b[3];
    readFirmwareKeyMatrix(b[0].data());
    b[1] = b[0];
    b[2] = b[0];
    for (int s = 0; s < SlotCount; ++s) {
        uchar *slot = &a[4 * s];
        if (slot[0] != GunType)
            continue;
        const int count = slot[2];
        for (Matrix &m : b)
            m[4 * s] = GunType;
        const bool known = count >= 1 && count <= 3;
        // Which value carries the shot pattern differs by chip family.
        const int v = chip560 ? 2 : 3;
        if (known) {
            slot[v] = 1;
            b[0][4 * s + v] = count == 1 ? 0 : (chip560 ? 3 : 2);
            b[1][4 * s + v] = count == 3 ? 3 : 0;
            b[2][4 * s + v] = 0;
            if (chip560)
                profileData[0][ProfileBlock::KeyMatrixBankMode] = bankMode(count);
        }
        if (!chip560) {
            for (uchar *m : {a.data(), b[0].data(), b[1].data(), b[2].data()}) {
                m[4 * s + 1] = 0;
                m[4 * s + 2] = 1;
            }
        }
    }
    for (int k = 0; k < 3; ++k) {
        const uchar head[4] = {GunModeType, static_cast<uchar>(k),
                               static_cast<uchar>(otherParam.value(k).toUInt()), 0};
        std::copy_n(head, 4, b[k].data());
    }

    if (!hid)
        return;
    if (chip560) {
        sendProfileBlock(0);
        hid->hid560_0DH_SetKeyMatrix(a.data(), 1);
        for (int k = 0; k < 3; ++k)
            hid->hid560_0DH_SetKeyMatrix(b[k].data(), static_cast<uchar>(k + 2));
        hid->hid560_02H_SetCurrentProfile(1);
    } else {
        hid->hid553_12H_SetKeyMatrix(a.data(), 1);
        for (int k = 0; k < 3; ++k)
            hid->hid553_12H_SetKeyMatrix(b[k].data(), static_cast<uchar>(k + 2));
        hid->hid553_02H_SetCurrentKeyMatrix(1);
    }
}

QVariantList myQQuickView::mouseGetKeydefine(QVariant index, bool isRecovery)
{
    const QString n = index.toString();
    if (isRecovery)
        return pDefault->value(QStringLiteral("mouseKeyMatrix/") + n).toList();
    const QString prefix =
        isRight ? QStringLiteral("mouseKeyMatrix0/") : QStringLiteral("mouseKeyMatrix/");
    return profileSettings()->value(prefix + n).toList();
}

void myQQuickView::mouseResetKeyMatrix()
{
    Matrix fw{};
    readFirmwareKeyMatrix(fw.data());
    if (!hid)
        return;
    for (uchar matrix = 2; matrix <= 4; ++matrix) {
        if (isChip560())
            hid->hid560_0DH_SetKeyMatrix(fw.data(), matrix);
        else
            hid->hid553_12H_SetKeyMatrix(fw.data(), matrix);
    }
}

void myQQuickView::mouseSwitchKeyMatrix(int indexNo)
{
    // The mouse keeps key matrices 1..4.
    if (indexNo < 1 || indexNo > 4 || !hid)
        return;
    if (isChip560())
        hid->hid560_02H_SetCurrentProfile(static_cast<uchar>(indexNo));
    else
        hid->hid553_02H_SetCurrentKeyMatrix(static_cast<uchar>(indexNo - 1));
}

void myQQuickView::mouseGetRight()
{
    uchar byte1 = 0;
    if (hid)
        hid->hid553_8BH_GetCurrentDPI(byte1);
    isRight = byte1 != 0;
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (hid)
        hid->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList myQQuickView::GetKeyboardoption()
{
    uchar byte1 = 0, byte2 = 0, byte3 = 0, byte4 = 0;
    if (hid)
        hid->hid553_83H_GetKeyboardoption(byte1, byte2, byte3, byte4);
    return {int(byte1), int(byte2), int(byte3), int(byte4)};
}
