#include "TempDataFolder.h"

#include "shell/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempDataFolder::TempDataFolder() : previous(QDir::currentPath())
{
    seedDataFolder(QStringLiteral(R770_DATA_SOURCE_DIR), dir.path() + QStringLiteral("/modules"));
    QDir().mkpath(dir.path() + QStringLiteral("/modules/macro"));
    QDir::setCurrent(dir.path());
}

TempDataFolder::~TempDataFolder()
{
    QDir::setCurrent(previous);
}

QByteArray TempDataFolder::read(const QString &relative) const
{
    QFile f(file(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TempDataFolder::write(const QString &relative, const QByteArray &content) const
{
    QDir().mkpath(QFileInfo(file(relative)).absolutePath());
    QFile f(file(relative));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(content);
}
