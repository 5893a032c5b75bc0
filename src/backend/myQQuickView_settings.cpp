#include "backend/myQQuickView.h"

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
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    profileSettings()->setValue(key.toString(), QVariant(datalist));
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata)
{
    apConfig->setValue(key.toString(), tmpdata);
}

void myQQuickView::syncSettings()
{
    apConfig->sync();
    pDefault->sync();
    for (QSettings *profile : std::as_const(profileList))
        profile->sync();
}

void myQQuickView::resetApconfig()
{
    const QString fileName = apConfig->fileName();
    const QString pristine = QStringLiteral("./modules/setting/apConfigD.bin");
    // Without the pristine copy there is nothing to restore: keep the current file.
    if (!QFile::exists(pristine))
        return;
    apConfig->sync();
    apConfig->deleteLater();
    // Copy beside the target first, so a failed copy never leaves no apConfig at all.
    const QString staged = fileName + QStringLiteral(".new");
    QFile::remove(staged);
    if (QFile::copy(pristine, staged)) {
        QFile::setPermissions(staged, QFile::permissions(staged) | QFile::WriteOwner);
        QFile::remove(fileName);
        QFile::rename(staged, fileName);
    }
    apConfig =
        new QSettings(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat, this);
}
