#pragma once

#include <QApplication>
#include <QLocalServer>
#include <QLockFile>
#include <QString>

#include <memory>

// Single-instance application: the first start of an executable by a user
// holds a lock file and listens on a local socket; later starts find the lock
// held and can send that first instance a message.
class QtSingleCoreApplication : public QApplication
{
    Q_OBJECT
public:
    QtSingleCoreApplication(int &argc, char **argv);
    ~QtSingleCoreApplication() override;

    bool isRunning() const { return !primary; }
    bool sendMessage(const QString &message, int timeout);

    // Derived from the executable's full path and the user, so copies in other
    // folders or under other users do not see each other.
    static QString instanceKey(const QString &executablePath);

signals:
    void messageReceived(QString message);

private:
    void becomePrimary();
    void readClient(class QLocalSocket *socket);

    QString key;
    std::unique_ptr<QLockFile> lock;
    QLocalServer server;
    bool primary = false;
};
