#include "platform/linux/EvdevEventSource.h"

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <utility>

namespace {

bool testBit(const unsigned char *bits, unsigned bit)
{
    return (bits[bit / 8] >> (bit % 8)) & 1;
}

// A device worth reading: it has letter keys or a left button.
int openInputDevice(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    unsigned char keys[KEY_MAX / 8 + 1] = {};
    if (ioctl(fd, EVIOCGBIT(EV_KEY, sizeof(keys)), keys) < 0 ||
        !(testBit(keys, KEY_A) || testBit(keys, BTN_LEFT))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

QStringList eventNodes(const QString &directory)
{
    QStringList paths;
    const QDir dir(directory);
    for (const QString &name : dir.entryList({QStringLiteral("event*")}, QDir::System))
        paths << dir.filePath(name);
    return paths;
}

unsigned buttonOf(unsigned code)
{
    switch (code) {
    case BTN_LEFT:
        return 1;
    case BTN_MIDDLE:
        return 2;
    case BTN_RIGHT:
        return 3;
    default:
        return 0;
    }
}

} // namespace

EvdevEventSource::EvdevEventSource(QString inputDirectory) : directory(std::move(inputDirectory)) {}

EvdevEventSource::~EvdevEventSource()
{
    remove();
}

bool EvdevEventSource::available(const QString &directory)
{
    for (const QString &path : eventNodes(directory)) {
        const int fd = openInputDevice(path);
        if (fd >= 0) {
            ::close(fd);
            return true;
        }
    }
    return false;
}

bool EvdevEventSource::install(InputEventSink *eventSink)
{
    remove();
    for (const QString &path : eventNodes(directory)) {
        const int fd = openInputDevice(path);
        if (fd < 0)
            continue;
        Device device;
        device.fd = fd;
        device.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(device.notifier.get(), &QSocketNotifier::activated, device.notifier.get(),
                         [this, fd] { readDevice(fd); });
        devices.push_back(std::move(device));
    }
    decoder.setSink(devices.empty() ? nullptr : eventSink);
    return !devices.empty();
}

void EvdevEventSource::remove()
{
    for (Device &device : devices) {
        device.notifier.reset();
        ::close(device.fd);
    }
    devices.clear();
    decoder.setSink(nullptr);
}

void EvdevEventSource::readDevice(int fd)
{
    input_event events[64];
    for (;;) {
        const ssize_t got = ::read(fd, events, sizeof(events));
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            break; // drained
        if (got <= 0) {
            // The device went away: stop watching it, or its notifier fires forever.
            for (Device &device : devices)
                if (device.fd == fd)
                    device.notifier->setEnabled(false);
            break;
        }
        const size_t count = static_cast<size_t>(got) / sizeof(input_event);
        for (size_t i = 0; i < count; ++i)
            decoder.handleEvent(events[i].type, events[i].code, events[i].value);
    }
}

void EvdevEventDecoder::handleEvent(unsigned type, unsigned code, int value)
{
    if (type != EV_KEY || !sink)
        return;
    // value: 0 release, 1 press, 2 auto-repeat (a press again, as on Windows).
    const bool isDown = value != 0;
    if (const unsigned button = buttonOf(code)) {
        const QPoint position = QCursor::pos();
        sink->mouseHookEvent(HookEvent::Action, buttonMessage(button, isDown), position.x(),
                             position.y());
        return;
    }
    HookKeyEvent key;
    if (translator.translate(code, isDown, &key))
        sink->keyboardHookEvent(HookEvent::Action, key.message, key.scanCode, key.flags);
}
