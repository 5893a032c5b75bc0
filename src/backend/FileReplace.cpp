#include "backend/FileReplace.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(content) != content.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace FileReplace
