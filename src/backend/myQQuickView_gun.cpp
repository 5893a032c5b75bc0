#include "backend/ProfileBlock.h"
#include "backend/myQQuickView.h"

#include "device/Hid_Thread.h"

#include <QFile>
#include <QSettings>

namespace {

const QString gunFilePath = QStringLiteral("./modules/gun/gunData.bin");

// The key of a preset, or an empty string for a name the settings reader
// would fold into the group itself ("", "/", "\\"): removing that key
// would remove every preset.
QString recordKey(const QVariant &key)
{
    const QString name = key.toString();
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return {};
    return QStringLiteral("gunData/") + name;
}

// A list of exactly `count` values taken from list from position `first`;
// values the caller left out are empty.
QVariantList fields(const QVariantList &list, int first, int count)
{
    QVariantList out;
    for (int i = 0; i < count; ++i)
        out.append(list.value(first + i, QString()));
    return out;
}

} // namespace

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6)
{
    const QString key = recordKey(index);
    if (key.isEmpty() || !QFile::exists(gunFilePath))
        return;
    QSettings guns(gunFilePath, QSettings::IniFormat);
    guns.setValue(key, fields(src6, 0, 6));
    checkWritten(guns);
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    const QString key = recordKey(src6.value(0));
    if (key.isEmpty() || !QFile::exists(gunFilePath))
        return;
    const QString oldName = src6.value(6).toString();
    const QString oldKey = recordKey(oldName);
    // A rename from a name that addresses the group would remove every preset.
    if (!oldName.isEmpty() && oldKey.isEmpty())
        return;
    QSettings guns(gunFilePath, QSettings::IniFormat);
    switch (modifyType.toInt()) {
    case 0:
        guns.remove(key);
        break;
    case 1:
        if (!oldKey.isEmpty())
            guns.remove(oldKey);
        guns.setValue(key, fields(src6, 1, 5));
        break;
    default:
        return;
    }
    checkWritten(guns);
}

QVariantList myQQuickView::getGunData(QVariant name)
{
    const QString key = recordKey(name);
    if (key.isEmpty() || !QFile::exists(gunFilePath))
        return {};
    const QSettings guns(gunFilePath, QSettings::IniFormat);
    return guns.value(key).toList();
}

QStringList myQQuickView::getGunDataKey()
{
    if (!QFile::exists(gunFilePath))
        return {};
    QSettings guns(gunFilePath, QSettings::IniFormat);
    guns.beginGroup(QStringLiteral("gunData"));
    return guns.childKeys();
}

void myQQuickView::mouseSendGundata(int mode, QVariantList values)
{
    // Gun modes 1..3 live in device profiles 2..4.
    if (!isGun || mode < 1 || mode > 3)
        return;
    const uchar times = static_cast<uchar>(values.value(0).toUInt());
    const uchar x = static_cast<uchar>(values.value(1).toUInt());
    uchar y = static_cast<uchar>(values.value(2).toUInt());

    if (isChip560()) {
        using namespace ProfileBlock;
        uchar *block = profileData[mode + 1];
        block[GunPresent] = GunPresentMark;
        block[GunValues] = times;
        block[GunValues + 1] = x;
        block[GunValues + 2] = y;
        block[GunFlags] &= static_cast<uchar>(~GunFlagBit);
        sendProfileBlock(mode + 1);
        return;
    }
    if (!hid)
        return;
    uchar byte1 = 0, byte2 = 0, byte3 = 0, byte4 = 0;
    hid->hid553_83H_GetKeyboardoption(byte1, byte2, byte3, byte4);
    // The third keyboard option turns the Y axis over.
    if (byte3 != 0)
        y = static_cast<uchar>(-y);
    hid->hid553_04H_SetGunData(times, x, y, static_cast<uchar>(mode - 1));
}

QVariant myQQuickView::getXYSensitive(QVariant index)
{
    return profileSettings()->value(QStringLiteral("XYSensitive/") + index.toString(), 4);
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData)
{
    profileSettings()->setValue(QStringLiteral("XYSensitive/") + index.toString(), xyData);
    scheduleWriteCheck();
}

QVariant myQQuickView::getselectGun(QVariant index)
{
    return profileSettings()->value(QStringLiteral("selectGun/") + index.toString(), QString());
}

void myQQuickView::setSelectGun(QVariant index, QVariant xyData)
{
    profileSettings()->setValue(QStringLiteral("selectGun/") + index.toString(), xyData);
    scheduleWriteCheck();
}
