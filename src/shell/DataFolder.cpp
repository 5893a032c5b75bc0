#include "shell/DataFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool isWritableFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

// The installed copy: beside the executable, or in the share folder of its prefix.
QString installedModules(const QString &executableDir)
{
    const QStringList candidates = {
        executableDir + QStringLiteral("/modules"),
        QDir::cleanPath(executableDir + QStringLiteral("/../share/r770config/modules")),
    };
    for (const QString &candidate : candidates)
        if (QFileInfo(candidate).isDir())
            return candidate;
    return {};
}

} // namespace

DataFolderChoice chooseDataFolder(const QString &executableDir, const QString &userDataHome)
{
    if (isWritableFolder(executableDir + QStringLiteral("/modules")))
        return {executableDir, {}};
    return {userDataHome + QStringLiteral("/r770config"), installedModules(executableDir)};
}

int seedDataFolder(const QString &source, const QString &target)
{
    int copied = 0;
    const QDir sourceDir(source);
    QDirIterator it(source, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = target + QLatin1Char('/') + sourceDir.relativeFilePath(from);
        if (QFileInfo::exists(to))
            continue;
        QDir().mkpath(QFileInfo(to).absolutePath());
        if (QFile::copy(from, to)) {
            // Installed files are read-only; the user's copies must be writable.
            QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner);
            ++copied;
        }
    }
    // Empty folders (macro/) matter too: the program saves into them.
    QDirIterator dirs(source, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (dirs.hasNext())
        QDir().mkpath(target + QLatin1Char('/') + sourceDir.relativeFilePath(dirs.next()));
    return copied;
}

QString setUpDataFolder(const QString &executableDir, QString *error)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const DataFolderChoice choice = chooseDataFolder(executableDir, dataHome);
    const QString modules = choice.workingDirectory + QStringLiteral("/modules");
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return QString();
    };
    if (!choice.seedSource.isEmpty()) {
        if (!QDir().mkpath(modules))
            return fail(QStringLiteral("The data folder %1 cannot be made.").arg(modules));
        seedDataFolder(choice.seedSource, modules);
    }
    if (!QFileInfo(modules).isDir())
        return fail(QStringLiteral("The data folder %1 is missing.").arg(modules));
    if (!QDir::setCurrent(choice.workingDirectory))
        return fail(
            QStringLiteral("The folder %1 cannot be entered.").arg(choice.workingDirectory));
    return choice.workingDirectory;
}
