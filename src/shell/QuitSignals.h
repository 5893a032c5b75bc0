#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (session logout, kill, Ctrl+C, a closed
// terminal) as a Qt signal on the GUI thread, so the program ends through
// its own quit path: hooks removed, listener stopped, settings written. One
// object at a time; it puts the default handlers back when it goes.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

    // False where the system has no such signals or the handlers could not be set.
    bool isActive() const { return notifier != nullptr; }

signals:
    void quitRequested();

private:
    QSocketNotifier *notifier = nullptr;
};
