#include "device/HidApi.h"
#include "device/LibHidApi.h"
#include "device/LinkSleeper.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QThread>

#include <atomic>
#include <chrono>
#include <thread>

namespace {
std::atomic<HidApi *> chosenHidApi{nullptr};
std::atomic<LinkSleeper *> chosenSleeper{nullptr};
} // namespace

HidApi *defaultHidApi()
{
    if (HidApi *api = chosenHidApi.load())
        return api;
    static LibHidApi system; // the first link initialises it
    return &system;
}

void setDefaultHidApi(HidApi *api)
{
    chosenHidApi.store(api);
}

LinkSleeper *defaultLinkSleeper()
{
    if (LinkSleeper *sleeper = chosenSleeper.load())
        return sleeper;
    static RealSleeper real;
    return &real;
}

void setDefaultLinkSleeper(LinkSleeper *sleeper)
{
    chosenSleeper.store(sleeper);
}

void RealSleeper::sleep(int milliseconds)
{
    // Against a deadline, so the pauses add up to what the mouse needs and no more.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::this_thread::sleep_until(until);
}

void RealSleeper::processEvents()
{
    if (QCoreApplication::instance() &&
        QThread::currentThread() == QCoreApplication::instance()->thread())
        // A click or key now would start its own command inside this one,
        // which holds the link: input waits until the command is done.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

qint64 RealSleeper::secondsSinceEpoch()
{
    return QDateTime::currentSecsSinceEpoch();
}
