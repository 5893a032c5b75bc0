#include "shell/SingleInstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace {

QString currentUserName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return user;
}

bool isOwnPrivateFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return false;
#ifdef Q_OS_UNIX
    if (info.ownerId() != ::getuid())
        return false;
#endif
    constexpr QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    return (info.permissions() & others) == 0;
}

} // namespace

SingleInstance::SingleInstance(const QString &key, const QString &folder, QObject *parent)
    : QObject(parent), lockFile(folder + QLatin1Char('/') + key + QStringLiteral(".lock")),
      socketFile(folder + QLatin1Char('/') + key + QStringLiteral(".socket"))
{
    lock = std::make_unique<QLockFile>(lockFile);
    // Only a lock whose owner process is gone counts as stale, never an old one.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0) || !heldByLiveInstance())
        becomePrimary();
}

SingleInstance::~SingleInstance()
{
    server.close();
}

// Only a lock that a running instance of this user holds makes a start the
// second one; a lock that cannot be made, or someone else's, must not lock
// the user out.
bool SingleInstance::heldByLiveInstance()
{
    if (lock->error() != QLockFile::LockFailedError)
        return false;
#ifdef Q_OS_UNIX
    const QFileInfo info(lockFile);
    if (info.exists() && info.ownerId() != ::getuid())
        return false;
#endif
    return true;
}

QString SingleInstance::instanceKey(const QString &executablePath)
{
    const QByteArray id =
        (QDir::cleanPath(executablePath) + QLatin1Char('\n') + currentUserName()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("r770config-") + QString::fromLatin1(hash);
}

QString SingleInstance::channelFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isOwnPrivateFolder(runtime))
        return QDir::cleanPath(runtime);
    return QDir::tempPath();
}

void SingleInstance::becomePrimary()
{
    primary = true;
    // A socket left behind by a crashed instance would make listen() fail.
    QLocalServer::removeServer(socketFile);
    server.setSocketOptions(QLocalServer::UserAccessOption);
    server.listen(socketFile);
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readClient(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            readClient(socket);
        }
    });
}

void SingleInstance::readClient(QLocalSocket *socket)
{
    // One message per connection: a 32-bit length, then UTF-8 text.
    if (socket->bytesAvailable() < 4)
        return;
    QDataStream in(socket);
    in.startTransaction();
    QByteArray payload;
    in >> payload;
    if (!in.commitTransaction())
        return;
    socket->write("1", 1);
    socket->flush();
    emit messageReceived(QString::fromUtf8(payload));
}

bool SingleInstance::sendMessage(const QString &message, int timeout)
{
    if (primary)
        return false;
    return deliver(socketFile, message, timeout);
}

bool SingleInstance::sendToRunning(const QString &key, const QString &folder,
                                   const QString &message, int timeout)
{
    const QString base = folder + QLatin1Char('/') + key;
    QLockFile probe(base + QStringLiteral(".lock"));
    qint64 pid = 0;
    QString host, application;
    // Read, never taken: the lock belongs to a real start.
    if (!probe.getLockInfo(&pid, &host, &application))
        return false;
#ifdef Q_OS_UNIX
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno != EPERM))
        return false; // left behind by an instance that crashed
#endif
    return deliver(base + QStringLiteral(".socket"), message, timeout);
}

bool SingleInstance::deliver(const QString &socketFile, const QString &message, int timeout)
{
    QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    // The first instance may hold the lock but not listen yet: retry until the deadline.
    for (;;) {
        socket.connectToServer(socketFile);
        if (socket.waitForConnected(int(std::clamp<qint64>(deadline.remainingTime(), 0, 250))))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out << message.toUtf8();
    socket.write(frame);
    if (!socket.waitForBytesWritten(int(qMax<qint64>(0, deadline.remainingTime()))))
        return false;
    return socket.waitForReadyRead(int(qMax<qint64>(0, deadline.remainingTime())));
}
