#include "backend/FileReplace.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

struct Stamp
{
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;

    static Stamp of(const QString &path)
    {
        const QFileInfo info(path);
        return {info.exists(), info.size(), info.lastModified().toUTC()};
    }
    bool sameAs(const Stamp &other) const
    {
        return exists && other.exists && size == other.size && modified == other.modified;
    }
};

// Moves the new file's time stamp back from the old one by the smallest step
// the file system keeps apart. Backwards, so that no file claims a time to come.
void keepStampApart(const QString &path, const Stamp &old)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        qDebug() << "Replaced file keeps the old time stamp" << path;
        return;
    }
    for (const qint64 seconds : {2, 60, 86400}) {
        file.setFileTime(old.modified.addSecs(-seconds), QFileDevice::FileModificationTime);
        if (!Stamp::of(path).sameAs(old))
            return;
    }
    qDebug() << "Replaced file keeps the old time stamp" << path;
}

} // namespace

namespace FileReplace {

bool replaceWithCopyOf(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return false;
    in.close();

    // Same file under two spellings: it already holds the content.
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(destination).canonicalFilePath())
        return true;

    const Stamp old = Stamp::of(destination);
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(content) != content.size()) {
        out.cancelWriting();
        return false;
    }
    if (!out.commit())
        return false;
    if (Stamp::of(destination).sameAs(old))
        keepStampApart(destination, old);
    return true;
}

} // namespace FileReplace
