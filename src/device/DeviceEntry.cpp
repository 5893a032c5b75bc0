#include "device/DeviceEntry.h"

#include <QSettings>

namespace {

// Hexadecimal text as in "04d9"; text that does not convert gives 0.
uint hexValue(const QSettings &settings, const QString &key, uint fallback)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const uint parsed = value.toString().trimmed().toUInt(&ok, 16);
    return ok ? parsed : 0;
}

// The transport cuts bulk data into reports of this size and allocates one
// report buffer of it: a length that is not positive or absurdly large would
// loop forever or exhaust memory, so it falls back to the usual 32 bytes.
int sanitizedReportLength(const QVariant &value)
{
    bool ok = false;
    const int length = value.toInt(&ok);
    if (!value.isValid() || !ok || length < 1 || length > 1024)
        return 32;
    return length;
}

} // namespace

QList<DeviceEntry> readDeviceTable(QSettings &apConfig)
{
    QList<DeviceEntry> table;
    // Every entry costs a scan of the system's HID devices at every device
    // check: a count beyond the groups the file holds only adds empty ones.
    const qsizetype groupsPresent = apConfig.childGroups().size();
    // The count is read again before every entry.
    for (int i = 0;
         i < apConfig.value(QStringLiteral("common/deviceCount"), 0).toInt() && i < groupsPresent;
         ++i) {
        const QString group = QString::number(i) + QLatin1Char('/');
        DeviceEntry e;
        const QVariant type = apConfig.value(group + QStringLiteral("type"));
        if (type.isValid()) {
            bool ok = false;
            e.type = type.toString().trimmed().toInt(&ok, 16);
            if (!ok)
                e.type = 0;
        }
        e.vid = quint16(hexValue(apConfig, group + QStringLiteral("vid"), 0));
        e.pid = quint16(hexValue(apConfig, group + QStringLiteral("pid"), 0));
        e.usagePage = quint16(hexValue(apConfig, group + QStringLiteral("usagePage"), 0));
        e.usage = quint16(hexValue(apConfig, group + QStringLiteral("usage"), 0));
        e.usagePage2 = quint16(hexValue(apConfig, group + QStringLiteral("usagePage2"), 0));
        e.usage2 = quint16(hexValue(apConfig, group + QStringLiteral("usage2"), 0));
        e.reportLength =
            sanitizedReportLength(apConfig.value(group + QStringLiteral("reportLength")));
        e.isEncode = apConfig.value(group + QStringLiteral("isEncode"), false).toBool();
        e.sCode =
            apConfig.value(group + QStringLiteral("sCode"), QStringLiteral("274915")).toString();
        table.append(e);
    }
    return table;
}
