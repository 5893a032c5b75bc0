#include "backend/SafeName.h"
#include "backend/myQQuickView.h"

#include "device/DpiSwitchTexts.h"

#include <QSettings>

#include <algorithm>

namespace {

// Far more texts than any page shows; a damaged "total" must not make the
// reader build a list of millions of entries.
constexpr int MaxTexts = 4096;
constexpr int DpiSwitchTextCount = 8;

} // namespace

QStringList myQQuickView::getLangStrings(QString typeStr, QString langCode)
{
    if (!SafeName::isSafe(langCode))
        return {};
    const QSettings lang(QStringLiteral("./modules/i18n/") + langCode + QStringLiteral(".ini"),
                         QSettings::IniFormat);
    const int total = std::min(lang.value(typeStr + QStringLiteral("/total")).toInt(), MaxTexts);
    QStringList texts;
    for (int i = 0; i < total; ++i)
        texts.append(lang.value(typeStr + QLatin1Char('/') + QString::number(i)).toString());

    // The balloons of the DPI button; a short group keeps the texts it does not name.
    if (typeStr == QLatin1String("other"))
        setDpiSwitchTexts(texts.mid(0, DpiSwitchTextCount));
    return texts;
}
