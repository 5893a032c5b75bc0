#include "virtualmouse/VirtualMouse.h"

#include "device/FrameCodec.h"
#include "virtualmouse/VirtualClock.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <chrono>
#include <cstring>

struct VirtualMouse::Device
{
    VirtualFirmware firmware;
    unsigned short vid = 0, pid = 0;
    unsigned short usagePage = 0, usage = 0, usagePage2 = 0, usage2 = 0;
    int reportLength = 32;
    bool isEncode = false;
    FrameCodec::SecrecyCode code{};
    std::string commandPath, notificationPath;
    bool hasNotification = true;
    bool answersEcho = true;
    bool isMouse = true;
    std::deque<QByteArray> inputReports;  // bulk data for the host, command interface
    std::deque<QByteArray> notifications; // 4-byte reports, notification interface
};

struct VirtualMouse::Handle : HidDevice
{
    Device *device = nullptr;
    Side side = Side::Command;
    std::string path;
    int generation = 0;
};

namespace {

// A JSON string value (quotes included).
QByteArray jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2); // strip [ ]
}

} // namespace

QByteArray HidCall::toJsonLine() const
{
    // Fields in a fixed order, so transcripts read and compare well.
    QByteArray line = "{\"t\": " + QByteArray::number(t, 'f', 3);
    line += ", \"op\": " + jsonString(op);
    line += ", \"path\": " + jsonString(path);
    line += ", \"data\": \"" + data.toHex() + "\"";
    line += ", \"result\": " + QByteArray::number(result) + "}";
    return line;
}

VirtualMouse::VirtualMouse(const VirtualMouseConfig &config) : cfg(config)
{
    realTime.start();
    mouse = std::make_unique<Device>();
    mouse->firmware = VirtualFirmware(cfg.chipType);
    mouse->vid = 0x04D9;
    mouse->pid = 0xA1EE;
    mouse->usagePage = 0xFF00;
    mouse->usage = 0xFF00;
    mouse->usagePage2 = 0xFF01;
    mouse->usage2 = 0xFF01;
    mouse->reportLength = cfg.reportLength;
    mouse->isEncode = cfg.isEncode;
    FrameCodec::applySecrecyCode(cfg.sCode, mouse->code.data());
    mouse->commandPath = CommandPath;
    mouse->notificationPath = NotificationPath;
    mouse->hasNotification = cfg.notificationInterface;
    if (cfg.keyboardPresent) {
        keyboard = std::make_unique<Device>();
        keyboard->vid = 0x04D9;
        keyboard->pid = 0x8008;
        keyboard->usagePage = 0xFF01;
        keyboard->usage = 0x0001;
        keyboard->usagePage2 = 0xFF02;
        keyboard->usage2 = 0x0001;
        keyboard->reportLength = 64;
        keyboard->isEncode = cfg.keyboardIsEncode;
        FrameCodec::applySecrecyCode(cfg.keyboardSCode, keyboard->code.data());
        keyboard->commandPath = KeyboardCommandPath;
        keyboard->notificationPath = KeyboardNotificationPath;
        keyboard->answersEcho = cfg.keyboardAnswersEcho;
        keyboard->isMouse = false;
    }
}

VirtualMouse::~VirtualMouse() = default;

void VirtualMouse::setClock(VirtualClock *virtualClock)
{
    std::lock_guard lock(mutex);
    clock = virtualClock;
}

double VirtualMouse::nowMs() const
{
    return clock ? clock->now() : double(realTime.nsecsElapsed()) / 1e6;
}

void VirtualMouse::record(const QString &op, const QString &path, const QByteArray &data,
                          int result)
{
    HidCall call{nowMs(), op, path, data, result};
    if (keepsCalls)
        log.append(call);
    if (sink)
        sink(call);
}

std::optional<HidFault> VirtualMouse::takeFault(Side side)
{
    if (side != Side::Command)
        return std::nullopt;
    ++commandCalls;
    if (lastingFrom > 0 && commandCalls >= lastingFrom)
        return lastingFault;
    auto it = faults.find(commandCalls);
    if (it == faults.end())
        return std::nullopt;
    const HidFault fault = it.value();
    faults.erase(it);
    if (fault == HidFault::Unplug)
        unplugLocked();
    return fault;
}

VirtualMouse::Device *VirtualMouse::deviceOf(const std::string &path, Side *side)
{
    for (Device *d : {mouse.get(), keyboard.get()}) {
        if (!d)
            continue;
        if (path == d->commandPath) {
            *side = Side::Command;
            return d;
        }
        if (path == d->notificationPath && d->hasNotification) {
            *side = Side::Notification;
            return d;
        }
    }
    return nullptr;
}

VirtualMouse::Handle *VirtualMouse::live(HidDevice *device)
{
    auto *h = static_cast<Handle *>(device);
    if (!h)
        return nullptr;
    if (h->device->isMouse && (!plugged || h->generation != plugGeneration))
        return nullptr;
    return h;
}

VirtualMouse::HandleCall VirtualMouse::beginCall(HidDevice *device)
{
    auto *raw = static_cast<Handle *>(device);
    const std::optional<HidFault> fault = takeFault(raw ? raw->side : Side::Command);
    return {raw, live(device), fault};
}

QString VirtualMouse::HandleCall::path() const
{
    return raw ? QString::fromStdString(raw->path) : QString();
}

QByteArray VirtualMouse::bytesOf(const unsigned char *data, size_t length)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(length));
}

void VirtualMouse::pause(double ms, std::unique_lock<std::mutex> &lock)
{
    if (clock) {
        clock->elapse(ms);
        return;
    }
    const int gen = plugGeneration;
    inputArrived.wait_for(lock, std::chrono::duration<double, std::milli>(ms),
                          [&] { return gen != plugGeneration; });
}

HidDeviceInfo *VirtualMouse::enumerate(unsigned short vendorId, unsigned short productId)
{
    std::unique_lock lock(mutex);
    const std::optional<HidFault> fault = takeFault(Side::Command);
    HidDeviceInfo *head = nullptr;
    HidDeviceInfo **tail = &head;
    int count = 0;
    if (!fault || fault == HidFault::Unplug) {
        for (Device *d : {keyboard.get(), mouse.get()}) {
            if (!d || (d->isMouse && !plugged))
                continue;
            if ((vendorId && vendorId != d->vid) || (productId && productId != d->pid))
                continue;
            const int interfaces = d->hasNotification ? 2 : 1;
            for (int i = 0; i < interfaces; ++i) {
                auto *info = new HidDeviceInfo;
                info->path = i == 0 ? d->commandPath : d->notificationPath;
                info->vendorId = d->vid;
                info->productId = d->pid;
                info->usagePage = i == 0 ? d->usagePage : d->usagePage2;
                info->usage = i == 0 ? d->usage : d->usage2;
                info->interfaceNumber = i;
                *tail = info;
                tail = &info->next;
                ++count;
            }
        }
    } else if (fault == HidFault::Stall) {
        pause(5000, lock);
    }
    QByteArray ids;
    ids.append(char(vendorId >> 8))
        .append(char(vendorId))
        .append(char(productId >> 8))
        .append(char(productId));
    record(QStringLiteral("hid_enumerate"), {}, ids, count);
    return head;
}

void VirtualMouse::freeEnumeration(HidDeviceInfo *devices)
{
    std::unique_lock lock(mutex);
    takeFault(Side::Command);
    while (devices) {
        HidDeviceInfo *next = devices->next;
        delete devices;
        devices = next;
    }
    record(QStringLiteral("hid_free_enumeration"), {}, {}, 0);
}

HidDevice *VirtualMouse::openPath(const char *path)
{
    std::unique_lock lock(mutex);
    const std::string p = path ? path : "";
    Side side = Side::Command;
    Device *d = deviceOf(p, &side);
    const std::optional<HidFault> fault = takeFault(side);
    Handle *h = nullptr;
    if (fault == HidFault::Stall)
        pause(5000, lock);
    const bool refused =
        openRefused || (side == Side::Notification && d && d->isMouse && !cfg.notificationOpens);
    if (d && !refused && (!fault || fault == HidFault::Garbage) && (!d->isMouse || plugged)) {
        h = new Handle;
        h->device = d;
        h->side = side;
        h->path = p;
        h->generation = plugGeneration;
    }
    record(QStringLiteral("hid_open_path"), QString::fromStdString(p), {}, h ? 0 : -1);
    return h;
}

void VirtualMouse::setOpenRefused(bool refused)
{
    std::lock_guard lock(mutex);
    openRefused = refused;
}

void VirtualMouse::close(HidDevice *device)
{
    std::unique_lock lock(mutex);
    auto *h = static_cast<Handle *>(device);
    if (!h)
        return;
    takeFault(h->side);
    record(QStringLiteral("hid_close"), QString::fromStdString(h->path), {}, 0);
    delete h;
}

int VirtualMouse::setNonblocking(HidDevice *device, int nonblock)
{
    std::unique_lock lock(mutex);
    const HandleCall call = beginCall(device);
    const int result = (call.handle && !call.fault) ? 0 : -1;
    record(QStringLiteral("hid_set_nonblocking"), call.path(), QByteArray(1, char(nonblock)),
           result);
    return result;
}

int VirtualMouse::sendFeatureReport(HidDevice *device, const unsigned char *data, size_t length)
{
    std::unique_lock lock(mutex);
    const HandleCall call = beginCall(device);
    int result = -1;
    if (call.fault == HidFault::Stall)
        pause(5000, lock);
    if (call.reaches() && call.handle->side == Side::Command &&
        length >= size_t(FrameCodec::FrameSize)) {
        Device *d = call.handle->device;
        unsigned char plain[9];
        std::memcpy(plain, data, 9);
        if (d->isEncode)
            FrameCodec::descramble(plain + 1, d->code.data());
        d->inputReports.clear();
        if (d->firmware.command(plain)) {
            if (d->isMouse && keepsCalls)
                frames.append(QByteArray(reinterpret_cast<const char *>(plain), 9));
            const QByteArray out = d->firmware.takeBulkOut();
            for (int offset = 0; offset < out.size(); offset += d->reportLength)
                d->inputReports.push_back(
                    out.mid(offset, d->reportLength).leftJustified(d->reportLength, '\0'));
        }
        result = int(length);
    }
    record(QStringLiteral("hid_send_feature_report"), call.path(), bytesOf(data, length), result);
    return result;
}

int VirtualMouse::getFeatureReport(HidDevice *device, unsigned char *data, size_t length)
{
    std::unique_lock lock(mutex);
    const HandleCall call = beginCall(device);
    int result = -1;
    if (call.fault == HidFault::Stall)
        pause(5000, lock);
    if (call.reaches() && call.handle->side == Side::Command) {
        Device *d = call.handle->device;
        std::array<unsigned char, 9> answer = d->firmware.answer();
        const bool echo = answer[1] == 0x00;
        if (echo && (wrongEcho || !d->answersEcho)) {
            for (int i = 2; i <= 5; ++i)
                answer[i] ^= 0x5A;
            answer[8] = FrameCodec::checksum(answer.data() + 1);
        }
        if (call.fault == HidFault::Garbage)
            for (int i = 1; i < 9; ++i)
                answer[i] = static_cast<unsigned char>(0xA5 ^ (i * 37));
        else if (d->isEncode)
            FrameCodec::scramble(answer.data() + 1, d->code.data());
        const size_t n = qMin(length, size_t(9));
        std::memcpy(data, answer.data(), n);
        result = int(n);
    }
    record(QStringLiteral("hid_get_feature_report"), call.path(),
           bytesOf(data, size_t(qMax(result, 0))), result);
    return result;
}

int VirtualMouse::write(HidDevice *device, const unsigned char *data, size_t length)
{
    std::unique_lock lock(mutex);
    const HandleCall call = beginCall(device);
    int result = -1;
    if (call.fault == HidFault::Stall)
        pause(5000, lock);
    if (call.reaches() && length >= 1) {
        if (call.handle->side == Side::Command) {
            Device *d = call.handle->device;
            d->firmware.bulkReport(data + 1, qMin(int(length) - 1, d->reportLength));
        }
        result = int(length);
    }
    record(QStringLiteral("hid_write"), call.path(), bytesOf(data, length), result);
    return result;
}

int VirtualMouse::waitForInput(Handle *h, unsigned char *data, size_t length, int milliseconds,
                               std::unique_lock<std::mutex> &lock)
{
    Device *d = h->device;
    std::deque<QByteArray> &queue = h->side == Side::Command ? d->inputReports : d->notifications;
    const int wake = wakeGeneration;
    const auto ready = [&] { return !queue.empty() || !live(h) || wake != wakeGeneration; };
    if (!ready()) {
        if (h->side == Side::Command && clock && milliseconds >= 0)
            clock->elapse(milliseconds);
        else if (milliseconds < 0)
            inputArrived.wait(lock, ready);
        else
            inputArrived.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
    }
    if (!live(h))
        return -1;
    if (queue.empty())
        return 0;
    const QByteArray report = queue.front();
    queue.pop_front();
    const size_t n = qMin(length, size_t(report.size()));
    std::memcpy(data, report.constData(), n);
    return int(n);
}

int VirtualMouse::read(HidDevice *device, unsigned char *data, size_t length)
{
    return readTimeout(device, data, length, -1);
}

int VirtualMouse::readTimeout(HidDevice *device, unsigned char *data, size_t length,
                              int milliseconds)
{
    std::unique_lock lock(mutex);
    const HandleCall call = beginCall(device);
    int result = -1;
    if (call.handle && !call.fault) {
        result = waitForInput(call.handle, data, length, milliseconds, lock);
    } else if (call.handle && call.fault == HidFault::Stall) {
        pause(milliseconds < 0 ? 5000 : milliseconds, lock);
        result = live(device) ? 0 : -1;
    } else if (call.handle && call.fault == HidFault::Garbage) {
        for (size_t i = 0; i < length; ++i)
            data[i] = static_cast<unsigned char>(0xEE ^ i);
        result = int(length);
    }
    record(milliseconds < 0 ? QStringLiteral("hid_read") : QStringLiteral("hid_read_timeout"),
           call.path(), bytesOf(data, size_t(qMax(result, 0))), result);
    return result;
}

void VirtualMouse::sendNotification(const QByteArray &report)
{
    std::lock_guard lock(mutex);
    if (!plugged || !mouse->hasNotification)
        return;
    mouse->notifications.push_back(report);
    // A mouse keeps only a few reports nobody has read.
    while (mouse->notifications.size() > 16)
        mouse->notifications.pop_front();
    inputArrived.notify_all();
}

void VirtualMouse::pressDpiButton(int stage)
{
    QByteArray report;
    {
        std::lock_guard lock(mutex);
        report = mouse->firmware.pressDpiButton(stage);
    }
    sendNotification(report);
}

void VirtualMouse::setRightHand(bool on)
{
    QByteArray report;
    {
        std::lock_guard lock(mutex);
        report = mouse->firmware.switchRightHand(on);
    }
    sendNotification(report);
}

void VirtualMouse::unplugLocked()
{
    plugged = false;
    ++plugGeneration;
    mouse->inputReports.clear();
    mouse->notifications.clear();
    inputArrived.notify_all();
}

void VirtualMouse::unplug()
{
    std::function<void(bool)> hook;
    {
        std::lock_guard lock(mutex);
        if (!plugged)
            return;
        unplugLocked();
        hook = plugHook;
    }
    if (hook)
        hook(false);
}

void VirtualMouse::plug()
{
    std::function<void(bool)> hook;
    {
        std::lock_guard lock(mutex);
        if (plugged)
            return;
        plugged = true;
        ++plugGeneration;
        hook = plugHook;
    }
    if (hook)
        hook(true);
}

void VirtualMouse::interruptReads()
{
    std::lock_guard lock(mutex);
    ++wakeGeneration;
    inputArrived.notify_all();
}

bool VirtualMouse::isPlugged() const
{
    std::lock_guard lock(mutex);
    return plugged;
}

void VirtualMouse::setPlugHook(std::function<void(bool)> hook)
{
    std::lock_guard lock(mutex);
    plugHook = std::move(hook);
}

void VirtualMouse::failCall(int n, HidFault fault)
{
    std::lock_guard lock(mutex);
    faults.insert(commandCalls + n, fault);
}

void VirtualMouse::failCallsFrom(int n, HidFault fault)
{
    std::lock_guard lock(mutex);
    lastingFrom = commandCalls + n;
    lastingFault = fault;
}

void VirtualMouse::clearFaults()
{
    std::lock_guard lock(mutex);
    faults.clear();
    lastingFrom = 0;
    wrongEcho = false;
}

void VirtualMouse::setWrongEcho(bool on)
{
    std::lock_guard lock(mutex);
    wrongEcho = on;
}

void VirtualMouse::setKeepsCalls(bool keep)
{
    std::lock_guard lock(mutex);
    keepsCalls = keep;
    if (!keep) {
        log.clear();
        frames.clear();
    }
}

QList<HidCall> VirtualMouse::calls() const
{
    std::lock_guard lock(mutex);
    // A list of its own, copied under the lock: sharing the log's buffer
    // would let the listener's next call move the calls out of it while the
    // caller is still copying them.
    QList<HidCall> copy = log;
    copy.detach();
    return copy;
}

void VirtualMouse::clearCalls()
{
    std::lock_guard lock(mutex);
    log.clear();
    frames.clear();
}

void VirtualMouse::setCallSink(std::function<void(const HidCall &)> callSink)
{
    std::lock_guard lock(mutex);
    sink = std::move(callSink);
}

QList<QByteArray> VirtualMouse::receivedFrames() const
{
    std::lock_guard lock(mutex);
    return frames;
}

FirmwareState VirtualMouse::firmwareState() const
{
    std::lock_guard lock(mutex);
    return mouse->firmware.state;
}

void VirtualMouse::setFirmwareState(const FirmwareState &state)
{
    std::lock_guard lock(mutex);
    mouse->firmware.state = state;
}

QJsonObject VirtualMouse::stateJson() const
{
    std::lock_guard lock(mutex);
    QJsonObject o = mouse->firmware.toJson();
    o.insert(QStringLiteral("plugged"), plugged);
    return o;
}
