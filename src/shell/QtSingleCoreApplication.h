#pragma once

#include "shell/SingleInstance.h"

#include <QApplication>
#include <QString>

// Single-instance application: a QApplication with the single-instance
// channel of its executable and user.
class QtSingleCoreApplication : public QApplication
{
    Q_OBJECT
public:
    QtSingleCoreApplication(int &argc, char **argv);

    bool isRunning() const { return !instance.isPrimary(); }
    bool sendMessage(const QString &message, int timeout)
    {
        return instance.sendMessage(message, timeout);
    }

signals:
    void messageReceived(QString message);

private:
    SingleInstance instance;
};
