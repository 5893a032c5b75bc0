#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A private copy of the built program and its data folder in a temporary
// folder: its single-instance key and its files are its own.
class ProgramCopy
{
public:
    ProgramCopy(const QString &builtExecutable, const QString &builtDataFolder);

    QString folder() const { return dir.path(); }
    QString executable() const { return exe; }

    // Starts the copy; platform "offscreen" unless DISPLAY-based tests ask for "xcb".
    std::unique_ptr<QProcess> start(const QStringList &arguments = {},
                                    const QString &workingDir = {},
                                    const QString &platform = QStringLiteral("offscreen")) const;

private:
    QTemporaryDir dir;
    QString exe;
};
