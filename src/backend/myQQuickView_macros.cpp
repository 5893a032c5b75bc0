#include "backend/FileDialogs.h"
#include "backend/FileReplace.h"
#include "backend/SafeName.h"
#include "backend/myQQuickView.h"

#include "device/Hid_Thread.h"

#include <QDebug>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr int DeviceMacroSlots = 12;
constexpr int MacroBytes = 128;
// A recording holds fewer than 126 events; a damaged "total" must not make
// the reader build a list of millions of entries.
constexpr int MaxMacroEvents = 4096;
const QString nameFilePath = QStringLiteral("./modules/setting/name.bin");
const QString singleNameMarker = QStringLiteral("loadermorvel");

// The macro file of name, or an empty string when name would leave the
// folder or is the name list's marker (a macro of that name would vanish
// from a list of two).
QString macroPath(const QVariant &name)
{
    const QString text = name.toString();
    if (!SafeName::isSafe(text) || text == singleNameMarker)
        return {};
    return QStringLiteral("./modules/macro/") + text + QStringLiteral(".bin");
}

QString nameListKey(const QVariant &type)
{
    switch (type.toInt()) {
    case 0:
        return QStringLiteral("macro/macroName");
    case 1:
        return QStringLiteral("gun/gunName");
    case 2:
        return QStringLiteral("profile/profileName");
    case 3:
        return QStringLiteral("gun/selectGun");
    default:
        return {};
    }
}

QString desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

// An exchange file is taken only when it reads as a macro: INI text with the
// group every macro file has. A file the settings reader cannot parse would
// never take the editor's changes, and they would be lost at every save.
bool looksLikeMacro(const QString &fileName)
{
    const QSettings settings(fileName, QSettings::IniFormat);
    // Sections are parsed when first read: the status counts only after all were.
    (void)settings.allKeys();
    return settings.status() == QSettings::NoError &&
           settings.childGroups().contains(QStringLiteral("config"));
}

} // namespace

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex)
{
    const QString path = macroPath(name);
    // A file the name list does not hold (left by a crash between writing
    // the file and saving the names) is someone's macro: never taken over.
    if (path.isEmpty() || QFile::exists(path))
        return false;
    QSettings macro(path, QSettings::IniFormat);
    macro.setValue(QStringLiteral("config/index"), macroIndex.toUInt());
    macro.setValue(QStringLiteral("config/total"), 0);
    macro.setValue(QStringLiteral("config/repeat"), 1);
    macro.setValue(QStringLiteral("config/did"), -1);
    return checkWritten(macro);
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macros, QVariant repeat)
{
    const QString path = macroPath(name);
    if (path.isEmpty() || !QFile::exists(path))
        return false;
    QSettings macro(path, QSettings::IniFormat);
    macro.remove(QStringLiteral("macro"));
    macro.setValue(QStringLiteral("config/total"), int(macros.size()));
    macro.setValue(QStringLiteral("config/repeat"), repeat);
    for (int i = 0; i < macros.size(); ++i)
        macro.setValue(QStringLiteral("macro/") + QString::number(i), macros.at(i));
    return checkWritten(macro);
}

QStringList myQQuickView::loadMacroIni(QVariant name)
{
    const QString path = macroPath(name);
    if (path.isEmpty() || !QFile::exists(path))
        return {};
    const QSettings macro(path, QSettings::IniFormat);
    const int total = std::min(macro.value(QStringLiteral("config/total")).toInt(), MaxMacroEvents);
    QStringList events;
    for (int i = 0; i < total; ++i)
        events.append(
            macro.value(QStringLiteral("macro/") + QString::number(i), QStringLiteral("0"))
                .toString());
    events.append(macro.value(QStringLiteral("config/repeat"), QStringLiteral("0")).toString());
    return events;
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    const QString path = macroPath(name);
    if (path.isEmpty())
        return false;
    return QFile::remove(path);
}

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList)
{
    const QString key = nameListKey(type);
    if (key.isEmpty())
        return true;
    QSettings names(nameFilePath, QSettings::IniFormat);
    if (nameList.isEmpty()) {
        names.remove(key);
        return checkWritten(names);
    }
    // A list of one would read back as a plain text: the marker keeps it a list.
    if (nameList.size() == 1)
        nameList.append(singleNameMarker);
    names.setValue(key, nameList);
    return checkWritten(names);
}

QVariantList myQQuickView::getNameList(QVariant type)
{
    const QString key = nameListKey(type);
    if (key.isEmpty())
        return {};
    const QSettings names(nameFilePath, QSettings::IniFormat);
    const QVariant value = names.value(key);
    // A hand-written file may hold a single name without the marker.
    if (value.typeId() == QMetaType::QString)
        return value.toString().isEmpty() ? QVariantList{} : QVariantList{value};
    return value.toList();
}

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname)
{
    const QString oldPath = macroPath(oldname);
    const QString newPath = macroPath(newname);
    if (oldPath.isEmpty() || newPath.isEmpty() || !QFile::exists(oldPath))
        return false;
    // Rename first: the profiles must never point at a name whose file is
    // someone else's (or nobody's) because the rename failed.
    if (!QFile::rename(oldPath, newPath))
        return false;
    const QString from = oldname.toString();
    const QString to = newname.toString();
    for (int p = 0; p < 6; ++p) {
        QSettings *profile = profileList.at(p);
        profile->beginGroup(QStringLiteral("mouseMacroKey"));
        const QStringList keys = profile->childKeys();
        for (const QString &key : keys) {
            if (profile->value(key).toString() == from)
                profile->setValue(key, to);
        }
        profile->endGroup();
    }
    scheduleWriteCheck();
    return true;
}

void myQQuickView::deleteMacroUpdateProfile(QVariant macroName)
{
    const QString name = macroName.toString();
    for (int p = 0; p < 6; ++p) {
        QSettings *profile = profileList.at(p);
        for (int n = 0; n < 16; ++n) {
            const QString key = QStringLiteral("mouseKeyMatrix/") + QString::number(n);
            const QVariantList def = profile->value(key).toList();
            if (def.isEmpty() || def.at(0).toInt() != 4)
                continue;
            const QString slotKey =
                QStringLiteral("mouseMacroKey/") + QString::number(def.value(2).toInt());
            if (profile->value(slotKey).toString() != name)
                continue;
            const QVariant factory = pDefault->value(key);
            if (factory.isValid())
                profile->setValue(key, factory);
            else
                profile->remove(key);
        }
    }
    scheduleWriteCheck();
}

bool myQQuickView::loadMacroFile(QVariant macroFileName)
{
    const QString destination = macroPath(macroFileName);
    if (destination.isEmpty())
        return false;
    const QString picked =
        dialogs()->getOpenFileName(this, tr("Open File"), desktopFolder(), tr("Macro(*.mc)"));
    if (picked.isEmpty() || !looksLikeMacro(picked))
        return false;
    // An existing macro is never overwritten by an import.
    if (!QFile::copy(picked, destination))
        return false;
    // The picked file may be read-only; the macro editor writes the copy.
    QFile::setPermissions(destination, QFile::permissions(destination) | QFile::WriteOwner);
    return true;
}

bool myQQuickView::saveMacroFile(QVariant macroFileName)
{
    const QString source = macroPath(macroFileName);
    if (source.isEmpty())
        return false;
    const QString name =
        dialogs()->getSaveFileName(this, tr("Save File"), desktopFolder(), tr("Macro(*.mc)"));
    if (name.isEmpty())
        return false;
    if (FileReplace::replaceWithCopyOf(source, name))
        return true;
    qDebug() << "Export not written" << name;
    emit exportNotWritten(name);
    return false;
}

QVariant myQQuickView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex)
{
    // Checked before narrowing to a byte: slot 256 is not slot 0.
    const uint index = macroIndex.toUInt();
    if (index >= DeviceMacroSlots)
        return true;
    const uchar slot = static_cast<uchar>(index);
    uchar buffer[MacroBytes] = {};
    const int count = std::min<qsizetype>(macroData.size(), MacroBytes);
    for (int i = 0; i < count; ++i)
        buffer[i] = static_cast<uchar>(macroData.at(i).toInt());
    if (!hid)
        return true;
    if (isChip560())
        hid->hid560_0FH_SetMacroKey(static_cast<uchar>(slot + 1), buffer);
    else
        hid->hid553_13H_SetMacroKey(static_cast<uchar>(slot + 1), buffer);
    return true;
}
