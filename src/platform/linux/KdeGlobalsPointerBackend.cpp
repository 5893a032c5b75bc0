#include "platform/linux/PointerBackends.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace {

bool kdeSession()
{
    return qgetenv("XDG_CURRENT_DESKTOP").toUpper().contains("KDE") ||
           !qEnvironmentVariableIsEmpty("KDE_FULL_SESSION");
}

// KDE applications re-read their mouse settings on this signal.
void announceMouseSettings()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                                     QStringLiteral("org.kde.KGlobalSettings"),
                                                     QStringLiteral("notifyChange"));
    signal << 3 /* settings changed */ << 0 /* mouse */;
    bus.send(signal);
}

bool isGroupLine(const QString &line)
{
    return line.trimmed().startsWith(QLatin1Char('['));
}

// The key of "key=value" or "key[$i]=value" lines, empty for others.
QString keyOf(const QString &line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || isGroupLine(line))
        return {};
    QString key = line.left(equals).trimmed();
    const qsizetype bracket = key.indexOf(QLatin1Char('['));
    return bracket < 0 ? key : key.left(bracket);
}

} // namespace

bool setKdeConfigValue(const QString &path, const QString &group, const QString &key,
                       const QString &value)
{
    QStringList lines;
    QFile in(path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
            return false;
        lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
        in.close();
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
    }

    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype groupStart = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed() == header) {
            groupStart = i;
            break;
        }
    }
    if (groupStart < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << header << entry;
    } else {
        qsizetype insertAt = groupStart + 1;
        bool replaced = false;
        for (qsizetype i = groupStart + 1; i < lines.size() && !isGroupLine(lines[i]); ++i) {
            if (keyOf(lines[i]) == key) {
                if (lines[i].contains(QLatin1String("[$i]")))
                    return false; // locked by the administrator
                lines[i] = entry;
                replaced = true;
                break;
            }
            if (!lines[i].trimmed().isEmpty())
                insertAt = i + 1;
        }
        if (!replaced)
            lines.insert(insertAt, entry);
    }

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return out.commit();
}

KdeGlobalsPointerBackend::KdeGlobalsPointerBackend(QString filePath) : path(std::move(filePath)) {}

QString KdeGlobalsPointerBackend::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kdeglobals");
}

bool KdeGlobalsPointerBackend::write(const char *key, unsigned value)
{
    if (!QFileInfo::exists(path) && !kdeSession())
        return false;
    if (!setKdeConfigValue(path, QStringLiteral("KDE"), QString::fromLatin1(key),
                           QString::number(value)))
        return false;
    announceMouseSettings();
    return true;
}

bool KdeGlobalsPointerBackend::setDoubleClickTime(unsigned milliseconds)
{
    return write("DoubleClickInterval", milliseconds);
}

bool KdeGlobalsPointerBackend::setWheelScrollLines(unsigned lines)
{
    return write("WheelScrollLines", lines);
}
