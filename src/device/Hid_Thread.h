#pragma once

#include <QThread>

#include <atomic>

class LinkObserver;

// The device link. Placeholder until detection and the command set land.
class Hid_Thread : public QThread
{
    Q_OBJECT
public:
    Hid_Thread() = default;
    ~Hid_Thread() override = default;

    void setOwner(LinkObserver *observer) { owner = observer; }
    bool isListenerRunning() const { return listenerRunning.load(); }
    void stopListener() { listenerRunning.store(false); }
    void clearHidBusy() { hidFree = true; }

private:
    LinkObserver *owner = nullptr;
    std::atomic<bool> listenerRunning{false};
    bool hidFree = true;
};
