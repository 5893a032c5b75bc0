#include "device/HidApi.h"
#include "device/LibHidApi.h"
#include "device/LinkSleeper.h"

#include <QCoreApplication>
#include <QDateTime>
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
    static LibHidApi system; // hid_init once, on first use
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
        QCoreApplication::processEvents();
}

qint64 RealSleeper::secondsSinceEpoch()
{
    return QDateTime::currentSecsSinceEpoch();
}
