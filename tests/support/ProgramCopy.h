#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

// A private copy of the built program and its data folder in a temporary
// folder: its single-instance key and its files are its own.
class ProgramCopy
{
public:
    ProgramCopy(const QString &builtExecutable, const QString &builtDataFolder);

    QString folder() const { return dir.path(); }
    QString executable() const { return exe; }

    // A file of its data folder, named from there ("setting/p1.bin").
    QString file(const QString &relative) const;
    // Such a file's bytes; empty when it cannot be read.
    QByteArray read(const QString &relative) const;
    // One value of such a settings file (an INI file, read afresh).
    QVariant read(const QString &relative, const QString &key) const;
    void write(const QString &relative, const QString &key, const QVariant &value) const;
    // Removes a key, or a group with all its keys.
    void remove(const QString &relative, const QString &key) const;

    // Starts the copy; platform "offscreen" unless DISPLAY-based tests ask for "xcb".
    std::unique_ptr<QProcess> start(const QStringList &arguments = {},
                                    const QString &workingDir = {},
                                    const QString &platform = QStringLiteral("offscreen")) const;

private:
    QTemporaryDir dir;
    QString exe;
};
