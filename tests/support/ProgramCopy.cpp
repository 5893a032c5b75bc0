#include "ProgramCopy.h"

#include "shell/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QSettings>

ProgramCopy::ProgramCopy(const QString &builtExecutable, const QString &builtDataFolder)
{
    exe = dir.path() + QStringLiteral("/R770");
    QFile::copy(builtExecutable, exe);
    QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner);
    seedDataFolder(builtDataFolder, dir.path() + QStringLiteral("/modules"));
}

std::unique_ptr<QProcess> ProgramCopy::start(const QStringList &arguments,
                                             const QString &workingDir,
                                             const QString &platform) const
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    process->setProcessEnvironment(env);
    process->setWorkingDirectory(workingDir.isEmpty() ? QDir::tempPath() : workingDir);
    process->start(exe, arguments);
    process->waitForStarted(5000);
    return process;
}

QString ProgramCopy::file(const QString &relative) const
{
    return dir.path() + QStringLiteral("/modules/") + relative;
}

QByteArray ProgramCopy::read(const QString &relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QVariant ProgramCopy::read(const QString &relative, const QString &key) const
{
    return QSettings(file(relative), QSettings::IniFormat).value(key);
}

void ProgramCopy::write(const QString &relative, const QString &key, const QVariant &value) const
{
    QSettings(file(relative), QSettings::IniFormat).setValue(key, value);
}

void ProgramCopy::remove(const QString &relative, const QString &key) const
{
    QSettings(file(relative), QSettings::IniFormat).remove(key);
}
