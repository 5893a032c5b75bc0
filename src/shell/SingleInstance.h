#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalSocket;

// The single-instance channel: the first start of an executable by a user
// holds a lock file and listens on a local socket beside it; later starts
// find the lock held and can send that first instance a message.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    SingleInstance(const QString &key, const QString &folder, QObject *parent = nullptr);
    ~SingleInstance() override;

    bool isPrimary() const { return primary; }
    bool sendMessage(const QString &message, int timeout);
    // Sends a message to the instance of key that runs, without becoming
    // one: false at once when none holds the lock, or when none answers in time.
    static bool sendToRunning(const QString &key, const QString &folder, const QString &message,
                              int timeout);
    QString lockPath() const { return lockFile; }
    QString socketPath() const { return socketFile; }

    // Derived from the executable's full path and the user, so copies in other
    // folders or under other users do not see each other.
    static QString instanceKey(const QString &executablePath);
    // The user's runtime folder ($XDG_RUNTIME_DIR) when it is a folder of this
    // user's alone; otherwise the temporary folder.
    static QString channelFolder();

signals:
    void messageReceived(QString message);

private:
    bool heldByLiveInstance();
    void becomePrimary();
    void readClient(QLocalSocket *socket);
    static bool deliver(const QString &socketPath, const QString &message, int timeout);

    QString lockFile;
    QString socketFile;
    std::unique_ptr<QLockFile> lock;
    QLocalServer server;
    bool primary = false;
};
