#include "shell/Autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace {

#ifdef Q_OS_WIN
const char *const RunKey = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char *const RunValue = "R770";
#endif

// An Exec argument quoted as desktop entries want it: inside double quotes,
// '"', '`', '$' and '\' take a backslash; '%' is doubled.
QString quotedExecArgument(const QString &argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    return u'"' + quoted + u'"';
}

} // namespace

namespace Autostart {

QString entryPath()
{
#ifdef Q_OS_WIN
    return QString::fromLatin1(RunKey) + u'\\' + QString::fromLatin1(RunValue);
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/") + QString::fromLatin1(DesktopFileId) +
           QStringLiteral(".desktop");
#endif
}

QByteArray desktopEntry(const QString &program)
{
    // The desktop-entry escapes apply to the quoted Exec value, then the
    // string escapes of the file itself double each backslash again.
    QString exec = quotedExecArgument(program) + QStringLiteral(" --hidden");
    exec.replace(u'\\', QStringLiteral("\\\\"));
    return QByteArrayLiteral("[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=ZERANT MOLTA MOUSE R770\n"
                             "Comment=Keeps the R770 mouse's tray icon and notifications at hand\n"
                             "Exec=") +
           exec.toUtf8() +
           QByteArrayLiteral("\n"
                             "Icon=r770config\n"
                             "Terminal=false\n"
                             "NoDisplay=true\n"
                             "X-GNOME-Autostart-enabled=true\n");
}

bool isEnabled()
{
#ifdef Q_OS_WIN
    return QSettings(QString::fromLatin1(RunKey), QSettings::NativeFormat)
        .contains(QString::fromLatin1(RunValue));
#else
    return QFileInfo(entryPath()).isFile();
#endif
}

bool setEnabled(bool enabled, const QString &program, QString *error)
{
#ifdef Q_OS_WIN
    QSettings run(QString::fromLatin1(RunKey), QSettings::NativeFormat);
    if (enabled)
        run.setValue(QString::fromLatin1(RunValue),
                     u'"' + QDir::toNativeSeparators(program) + QStringLiteral("\" --hidden"));
    else
        run.remove(QString::fromLatin1(RunValue));
    run.sync();
    if (run.status() != QSettings::NoError) {
        *error = QStringLiteral("cannot write the Run key");
        return false;
    }
    return true;
#else
    const QString path = entryPath();
    if (!enabled) {
        QFile entry(path);
        if (entry.exists() && !entry.remove()) {
            *error = entry.errorString();
            return false;
        }
        return true;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot make the folder %1").arg(QFileInfo(path).absolutePath());
        return false;
    }
    QSaveFile entry(path);
    if (!entry.open(QIODevice::WriteOnly) || entry.write(desktopEntry(program)) < 0 ||
        !entry.commit()) {
        *error = entry.errorString();
        return false;
    }
    return true;
#endif
}

} // namespace Autostart
