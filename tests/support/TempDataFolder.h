#pragma once

#include <QString>
#include <QTemporaryDir>

// A private copy of the shipped data folder, made the working directory for
// the lifetime of the object (the previous one is restored afterwards).
class TempDataFolder
{
public:
    TempDataFolder();
    ~TempDataFolder();

    QString path() const { return dir.path(); }
    QString file(const QString &relative) const { return dir.path() + QLatin1Char('/') + relative; }
    QByteArray read(const QString &relative) const;
    void write(const QString &relative, const QByteArray &content) const;

private:
    QTemporaryDir dir;
    QString previous;
};
