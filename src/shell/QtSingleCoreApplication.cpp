#include "shell/QtSingleCoreApplication.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

#include <algorithm>

namespace {

QString currentUserName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return user;
}

// The key already names the user, so the shared temporary folder is enough.
QString lockFolder()
{
    return QDir::tempPath();
}

} // namespace

QtSingleCoreApplication::QtSingleCoreApplication(int &argc, char **argv)
    : QApplication(argc, argv), key(instanceKey(QCoreApplication::applicationFilePath()))
{
    lock = std::make_unique<QLockFile>(lockFolder() + QLatin1Char('/') + key +
                                       QStringLiteral(".lock"));
    // Only a lock whose owner process is gone counts as stale, never an old one.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        becomePrimary();
}

QtSingleCoreApplication::~QtSingleCoreApplication()
{
    server.close();
}

QString QtSingleCoreApplication::instanceKey(const QString &executablePath)
{
    const QByteArray id =
        (QDir::cleanPath(executablePath) + QLatin1Char('\n') + currentUserName()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("r770config-") + QString::fromLatin1(hash);
}

void QtSingleCoreApplication::becomePrimary()
{
    primary = true;
    // A socket left behind by a crashed instance would make listen() fail.
    QLocalServer::removeServer(key);
    server.setSocketOptions(QLocalServer::UserAccessOption);
    server.listen(key);
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readClient(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            readClient(socket);
        }
    });
}

void QtSingleCoreApplication::readClient(QLocalSocket *socket)
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

bool QtSingleCoreApplication::sendMessage(const QString &message, int timeout)
{
    if (primary)
        return false;
    QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    // The first instance may hold the lock but not listen yet: retry until the deadline.
    for (;;) {
        socket.connectToServer(key);
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
