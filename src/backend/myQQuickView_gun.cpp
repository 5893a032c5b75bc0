#include "backend/ProfileBlock.h"
#include "backend/myQQuickView.h"

#include "device/Hid_Thread.h"

#include <QFile>
#include <QSettings>

namespace {

const QString gunFilePath = QStringLiteral("./modules/gun/gunData.bin");

QString recordKey(const QVariant &key)
{
    return QStringLiteral("gunData/") + key.toString();
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
    if (!QFile::exists(gunFilePath))
        return;
    QSettings guns(gunFilePath, QSettings::IniFormat);
    guns.setValue(recordKey(index), fields(src6, 0, 6));
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    if (!QFile::exists(gunFilePath))
        return;
    // An empty name would address the whole "gunData" group.
    const QString name = src6.value(0).toString();
    if (name.isEmpty())
        return;
    QSettings guns(gunFilePath, QSettings::IniFormat);
    switch (modifyType.toInt()) {
    case 0:
        guns.remove(recordKey(name));
        break;
    case 1: {
        const QString oldName = src6.value(6).toString();
        if (!oldName.isEmpty())
            guns.remove(recordKey(oldName));
        guns.setValue(recordKey(name), fields(src6, 1, 5));
        break;
    }
    default:
        break;
    }
}

QVariantList myQQuickView::getGunData(QVariant name)
{
    if (!QFile::exists(gunFilePath) || name.toString().isEmpty())
        return {};
    const QSettings guns(gunFilePath, QSettings::IniFormat);
    return guns.value(recordKey(name)).toList();
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
}

QVariant myQQuickView::getselectGun(QVariant index)
{
    return profileSettings()->value(QStringLiteral("selectGun/") + index.toString(), QString());
}

void myQQuickView::setSelectGun(QVariant index, QVariant xyData)
{
    profileSettings()->setValue(QStringLiteral("selectGun/") + index.toString(), xyData);
}
