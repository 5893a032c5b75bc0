#include "backend/FileReplace.h"
#include "backend/myQQuickView.h"

#include <QDebug>
#include <QFile>
#include <QSettings>

namespace {

// INI files keep booleans as the text "true" or "false". In QML a non-empty
// string is truthy, so "false" must reach the pages as a real boolean.
QVariant forQml(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text == QLatin1String("true"))
            return true;
        if (text == QLatin1String("false"))
            return false;
    }
    return value;
}

} // namespace

QVariant myQQuickView::getData(QVariant key, bool isRecovery)
{
    const QSettings *source = isRecovery ? pDefault : profileSettings();
    return forQml(source->value(key.toString()));
}

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    const QVariant value = getData(key, isRecovery);
    // A single plain value is not a list: it reads as an empty one.
    if (value.typeId() != QMetaType::QStringList && value.typeId() != QMetaType::QVariantList)
        return {};
    return value.toList();
}

QVariant myQQuickView::getGlobalData(QVariant key)
{
    return forQml(apConfig->value(key.toString()));
}

void myQQuickView::setData(QVariant key, QVariant data)
{
    profileSettings()->setValue(key.toString(), data);
    scheduleWriteCheck();
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    profileSettings()->setValue(key.toString(), QVariant(datalist));
    scheduleWriteCheck();
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata)
{
    apConfig->setValue(key.toString(), tmpdata);
    scheduleWriteCheck();
}

bool myQQuickView::syncSettings()
{
    return writeOpenSettings();
}

void myQQuickView::scheduleWriteCheck()
{
    writeCheck.start();
}

bool myQQuickView::writeOpenSettings()
{
    QString failed;
    const auto write = [&](QSettings *&file) {
        // A settings object keeps the first error it met. A fresh one on the
        // same file shares the changes not yet written and reports afresh.
        if (file->status() != QSettings::NoError) {
            QSettings *fresh = new QSettings(file->fileName(), QSettings::IniFormat, this);
            // A caller up the stack (a command that lets events through) may
            // still hold the old one.
            file->deleteLater();
            file = fresh;
        }
        file->sync();
        if (file->status() != QSettings::NoError && failed.isEmpty())
            failed = file->fileName();
    };
    write(apConfig);
    for (QSettings *&profile : profileList)
        write(profile);
    if (failed.isEmpty()) {
        writeProblemShown = false;
        return true;
    }
    reportNotWritten(failed);
    return false;
}

bool myQQuickView::checkWritten(QSettings &file)
{
    file.sync();
    if (file.status() == QSettings::NoError)
        return true;
    reportNotWritten(file.fileName());
    return false;
}

void myQQuickView::reportNotWritten(const QString &fileName)
{
    if (writeProblemShown)
        return;
    writeProblemShown = true;
    qDebug() << "Data not written" << fileName;
    emit dataNotWritten(fileName);
}

void myQQuickView::resetApconfig()
{
    const QString fileName = apConfig->fileName();
    const QString pristine = QStringLiteral("./modules/setting/apConfigD.bin");
    // Without the pristine copy there is nothing to restore: keep the current file.
    if (!QFile::exists(pristine))
        return;
    // Pending writes go to the old file now; a later flush of the released
    // object must not land on top of the copy.
    apConfig->sync();
    // Renamed over the old file: there is never a moment without a device table.
    if (!FileReplace::replaceWithCopyOf(pristine, fileName)) {
        reportNotWritten(fileName);
        return;
    }
    apConfig->deleteLater();
    apConfig = new QSettings(QString::fromLatin1(ApConfigFile), QSettings::IniFormat, this);
}
