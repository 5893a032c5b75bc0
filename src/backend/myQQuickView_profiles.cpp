#include "backend/FileDialogs.h"
#include "backend/FileReplace.h"
#include "backend/myQQuickView.h"

#include "device/Hid_Thread.h"

#include <QDebug>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString profilePath(int index)
{
    return QStringLiteral("./modules/setting/p%1.bin").arg(index + 1);
}

bool validProfile(int index)
{
    return index >= 0 && index < myQQuickView::ProfileCount;
}

// An exchange file is taken only when it reads as a profile: INI text that
// holds the group every profile has. Anything else would replace the
// user's settings with nothing.
bool looksLikeProfile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    file.close();
    QSettings settings(fileName, QSettings::IniFormat);
    // Sections are parsed when first read: the status counts only after all were.
    (void)settings.allKeys();
    if (settings.status() != QSettings::NoError)
        return false;
    settings.beginGroup(QStringLiteral("mouse"));
    return !settings.childKeys().isEmpty();
}

// The settings as the view holds them, written to path: what an export
// carries when the data folder does not take the changes (the user's way
// to keep them).
bool writeAsHeld(const QSettings &held, const QString &path)
{
    QSettings out(path, QSettings::IniFormat);
    out.clear();
    const QStringList keys = held.allKeys();
    for (const QString &key : keys)
        out.setValue(key, held.value(key));
    out.sync();
    return out.status() == QSettings::NoError;
}

QString desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

} // namespace

FileDialogs *myQQuickView::dialogs() const
{
    return fileDialogs ? fileDialogs : StandardFileDialogs::instance();
}

bool myQQuickView::replaceProfileFile(int index, const QString &source)
{
    // Nothing to put in place: not a failure to write.
    if (!QFile::exists(source))
        return false;
    QSettings *old = profileList.at(index);
    const QString fileName = old->fileName();
    // Pending writes go to the old file now; a later flush of the released
    // object must not land on top of the new content.
    old->sync();
    if (!FileReplace::replaceWithCopyOf(source, fileName)) {
        reportNotWritten(fileName);
        return false;
    }
    old->deleteLater();
    profileList[index] = new QSettings(fileName, QSettings::IniFormat, this);
    return true;
}

bool myQQuickView::sendProfileBlock(int block)
{
    if (block < 0 || block >= ProfileBlockCount)
        return false;
    if (hid)
        hid->hid560_0CH_setProfile(profileData[block], static_cast<uchar>(block));
    return true;
}

void myQQuickView::setCurrentProfile(int profile)
{
    if (!selectProfileIndex(profile))
        return;
    if (hid)
        hid->hid560_02H_SetCurrentProfile(static_cast<uchar>(profile + 1));
}

bool myQQuickView::saveProfile(int profile)
{
    if (!validProfile(profile))
        return false;
    const QString name =
        dialogs()->getSaveFileName(this, tr("Save File"), desktopFolder(), tr("Profile(*.pf)"));
    if (name.isEmpty())
        return false;
    // The export holds what the pages wrote a moment ago, too: a byte copy
    // of the file once it has them, else the settings as held.
    writeOpenSettings();
    const QSettings *held = profileList.at(profile);
    const bool written = held->status() == QSettings::NoError
                             ? FileReplace::replaceWithCopyOf(profilePath(profile), name)
                             : writeAsHeld(*held, name);
    if (written)
        return true;
    qDebug() << "Export not written" << name;
    emit exportNotWritten(name);
    return false;
}

bool myQQuickView::loadProfile(int profile)
{
    if (!validProfile(profile))
        return false;
    const QString name =
        dialogs()->getOpenFileName(this, tr("Open File"), desktopFolder(), tr("Profile(*.pf)"));
    if (name.isEmpty() || !looksLikeProfile(name))
        return false;
    return replaceProfileFile(profile, name);
}

void myQQuickView::resetProfile(int profile)
{
    if (!validProfile(profile))
        return;
    replaceProfileFile(profile, QStringLiteral("./modules/setting/pD.bin"));
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    if (!validProfile(destprofile) || !validProfile(srcprofile) || destprofile == srcprofile)
        return;
    QSettings *source = profileList.at(srcprofile);
    source->sync();
    replaceProfileFile(destprofile, source->fileName());
}
