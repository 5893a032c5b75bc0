// The report transport: taking the link, opening the interfaces, sending
// command frames with their bulk data and querying answers.
#include "device/Hid_Thread.h"

#include "device/FrameCodec.h"
#include "device/HidApi.h"
#include "device/LinkSleeper.h"

#include <QMetaObject>
#include <mutex>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// The longest a bulk read waits for one input report of the mouse.
constexpr int BulkReadTimeoutMs = 1000;
} // namespace

Hid_Thread::Hid_Thread() : Hid_Thread(defaultHidApi(), defaultLinkSleeper()) {}

Hid_Thread::Hid_Thread(HidApi *hidApi, LinkSleeper *linkSleeper) : api(hidApi), sleeper(linkSleeper)
{
    // On the thread that builds the link (the GUI thread), before a listener can exist.
    if (api)
        api->init();
}

Hid_Thread::~Hid_Thread()
{
    stopListener();
    waitForListener();
    closeHid();
    closeHidEvent();
}

std::optional<DeviceEntry> Hid_Thread::entry(int index) const
{
    std::lock_guard lock(pathMutex);
    if (index < 0 || index >= devices.size())
        return std::nullopt;
    return devices.at(index);
}

HidDevice *Hid_Thread::openHid(int index)
{
    QByteArray path;
    {
        std::lock_guard lock(pathMutex);
        if (index < 0 || index >= devices.size())
            return nullptr;
        path = devices.at(index).commandPath.toLatin1();
    }
    if (path.isEmpty())
        return nullptr;
    closeHid();
    hidHandle = api->openPath(path.constData());
    if (hidHandle) {
        api->setNonblocking(hidHandle, 0);
        return hidHandle;
    }
    // Later commands to this entry fail at once until detection finds it again.
    std::lock_guard lock(pathMutex);
    if (index < devices.size())
        devices[index].commandPath.clear();
    return nullptr;
}

HidDevice *Hid_Thread::openHidEvent(int index)
{
    QByteArray path;
    {
        std::lock_guard lock(pathMutex);
        if (index < 0 || index >= devices.size())
            return nullptr;
        path = devices.at(index).notificationPath.toLatin1();
    }
    closeHidEvent();
    if (path.isEmpty())
        return nullptr;
    hidEventHandle = api->openPath(path.constData());
    if (hidEventHandle) {
        api->setNonblocking(hidEventHandle, 0);
        return hidEventHandle;
    }
    std::lock_guard lock(pathMutex);
    if (index < devices.size())
        devices[index].notificationPath.clear();
    return nullptr;
}

void Hid_Thread::closeHid()
{
    if (hidHandle) {
        api->close(hidHandle);
        hidHandle = nullptr;
    }
}

void Hid_Thread::closeHidEvent()
{
    if (hidEventHandle) {
        api->close(hidEventHandle);
        hidEventHandle = nullptr;
    }
}

bool Hid_Thread::waitHidFree()
{
    if (hidFree) {
        hidFree = false;
        return true;
    }
    // Another command holds the link; it runs on under us while events are processed.
    for (int i = 0; i < 255; ++i) {
        sleeper->sleep(8);
        sleeper->processEvents();
        if (hidFree) {
            hidFree = false;
            return true;
        }
    }
    return false;
}

void Hid_Thread::waitSettle()
{
    settleFlag = false;
    sleeper->sleep(64);
    if (settleFlag)
        return;
    settleFlag = true;
    sleeper->sleep(64);
}

bool Hid_Thread::failTransfer()
{
    closeHid();
    hidFree = true;
    breakSequence();
    return false;
}

void Hid_Thread::breakSequence()
{
    // A mouse that stalls would otherwise freeze the window once per
    // transfer of the sequence (a connect of chip 560 makes about twenty).
    if (sequenceBroken)
        return;
    sequenceBroken = true;
    QMetaObject::invokeMethod(
        this, [this] { sequenceBroken = false; }, Qt::QueuedConnection);
}

// Opens the command interface, scrambles the frame when the device asks for
// it and sends it. Returns the device entry, or nothing once the link is free
// again after a failure.
std::optional<DeviceEntry> Hid_Thread::sendCommandFrame()
{
    std::optional<DeviceEntry> e = entry(currentDevice);
    if (!e || !openHid(currentDevice)) {
        hidFree = true;
        breakSequence();
        return std::nullopt;
    }
    if (e->isEncode)
        USBDataEncryption(commandFrame + 1, linkSecrecyCode());
    // Every transfer opens the interface afresh.
    HidDevice *h = openHid(currentDevice);
    if (!h || api->sendFeatureReport(h, commandFrame, FrameCodec::FrameSize) < 0) {
        failTransfer();
        return std::nullopt;
    }
    return e;
}

bool Hid_Thread::hidSend(int bulkLength, bool settle)
{
    sleeper->processEvents();
    const std::optional<DeviceEntry> e = sendCommandFrame();
    if (!e)
        return false;
    HidDevice *h = nullptr;
    if (settle)
        waitSettle();
    if (bulkLength > 0) {
        const int reportLength = e->reportLength;
        const size_t chunk = size_t(bulkLength < reportLength ? bulkLength : reportLength);
        std::vector<uchar> report(size_t(reportLength) + 1, 0);
        for (size_t offset = 0; offset < size_t(bulkLength); offset += chunk) {
            // A short last chunk must not carry bytes of the report before it.
            std::fill(report.begin(), report.end(), uchar(0));
            std::memcpy(report.data() + 1, bulkArea + offset,
                        std::min(chunk, size_t(bulkLength) - offset));
            h = openHid(currentDevice);
            if (!h || api->write(h, report.data(), report.size()) < 0)
                return failTransfer();
            sleeper->sleep(120);
        }
        if (settle)
            waitSettle();
    }
    closeHid();
    hidFree = true;
    return true;
}

bool Hid_Thread::hidQuery(int bulkLength)
{
    const std::optional<DeviceEntry> e = sendCommandFrame();
    if (!e)
        return false;
    HidDevice *h = openHid(currentDevice);
    if (!h || api->getFeatureReport(h, answerFrame, FrameCodec::FrameSize) < 0)
        return failTransfer();
    if (bulkLength == 0) {
        closeHid();
        hidFree = true;
        if (e->isEncode)
            USBDataDecipher(answerFrame + 1, linkSecrecyCode());
        return true;
    }
    const int reportLength = e->reportLength;
    const size_t chunk = size_t(bulkLength < reportLength ? bulkLength : reportLength);
    std::vector<uchar> report(size_t(reportLength) + 1, 0);
    for (size_t offset = 0; offset < size_t(bulkLength); offset += chunk) {
        std::fill(report.begin(), report.end(), uchar(0));
        h = openHid(currentDevice);
        // A mouse that stops sending must not hang the program: a report that
        // does not come within the bound fails the query like a read error.
        if (!h || api->readTimeout(h, report.data(), report.size(), BulkReadTimeoutMs) <= 0)
            return failTransfer();
        std::memcpy(bulkArea + offset, report.data(), std::min(chunk, size_t(bulkLength) - offset));
    }
    closeHid();
    hidFree = true;
    return true;
}
