// Fuzz target: a hostile mouse whose every answer comes from the input
// bytes: answer frames (scrambled or not), bulk input reports of any length,
// notification reports, failures and disappearing interfaces. The link must
// neither crash nor keep the link taken nor hang.
#include "device/HidApi.h"
#include "device/Hid_Thread.h"
#include "device/LinkObserver.h"
#include "virtualmouse/VirtualClock.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

class ScriptedHid : public HidApi
{
public:
    ScriptedHid(const uint8_t *bytes, size_t count) : data(bytes), size(count) {}

    HidDeviceInfo *enumerate(unsigned short, unsigned short) override
    {
        if (next() % 16 == 0)
            return nullptr;
        auto *command = new HidDeviceInfo{"cmd", 0x04D9, 0xA1EE, 0xFF00, 0xFF00, 0, nullptr};
        command->next = new HidDeviceInfo{"ntf", 0x04D9, 0xA1EE, 0xFF01, 0xFF01, 1, nullptr};
        return command;
    }
    void freeEnumeration(HidDeviceInfo *d) override
    {
        while (d) {
            HidDeviceInfo *n = d->next;
            delete d;
            d = n;
        }
    }
    HidDevice *openPath(const char *) override
    {
        if (exhausted() || next() % 16 == 0)
            return nullptr;
        return new HidDevice;
    }
    void close(HidDevice *device) override { delete device; }
    int setNonblocking(HidDevice *, int) override { return 0; }
    int sendFeatureReport(HidDevice *, const unsigned char *, size_t length) override
    {
        return next() % 8 == 0 ? -1 : int(length);
    }
    int getFeatureReport(HidDevice *, unsigned char *out, size_t length) override
    {
        if (next() % 8 == 0)
            return -1;
        return fill(out, length, length);
    }
    int write(HidDevice *, const unsigned char *, size_t length) override
    {
        return next() % 8 == 0 ? -1 : int(length);
    }
    int read(HidDevice *device, unsigned char *out, size_t length) override
    {
        return readTimeout(device, out, length, -1);
    }
    int readTimeout(HidDevice *, unsigned char *out, size_t length, int) override
    {
        const uint8_t mode = next();
        if (mode % 4 == 0)
            return -1;
        if (mode % 4 == 1)
            return 0;
        return fill(out, length, std::min<size_t>(length, next()));
    }

private:
    uint8_t next()
    {
        std::lock_guard lock(mutex);
        return pos < size ? data[pos++] : 0;
    }
    bool exhausted()
    {
        std::lock_guard lock(mutex);
        return pos >= size;
    }
    int fill(unsigned char *out, size_t capacity, size_t count)
    {
        std::lock_guard lock(mutex);
        count = std::min(count, capacity);
        for (size_t i = 0; i < count; ++i)
            out[i] = pos < size ? data[pos++] : 0;
        return int(count);
    }

    const uint8_t *data;
    size_t size;
    size_t pos = 0;
    std::mutex mutex;
};

// Checks what the listener hands the window.
class CheckingObserver : public LinkObserver
{
public:
    void linkBalloon(const QString &title, const QString &text, int msecs) override
    {
        if (title != QLatin1String("Info") || !text.endsWith(QLatin1Char(' ')) || msecs != 10000)
            std::abort();
    }
    void linkSetCurrentDPI(int stage) override
    {
        if (stage < 0 || stage > 255)
            std::abort();
    }
    void linkSetRightHand(bool) override {}
    void linkRunUI() override {}
    void linkSetViewEnabled(bool) override {}
    QString linkChipType() const override { return chip; }
    int linkProfileNumber() const override { return 1; }
    QString chip;
};

// The end of one command sequence: the program is back in its event loop,
// where a sequence that a failed transfer ended is over.
void requireFree(const Hid_Thread &link)
{
    if (!link.isHidFree())
        std::abort();
    QCoreApplication::processEvents();
    if (link.isSequenceBroken())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    if (size < 2)
        return 0;
    static int argc = 1;
    static char name[] = "fuzz_link";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    const int lengths[] = {1, 8, 32, 33, 64, 200};
    DeviceEntry entry;
    entry.vid = 0x04D9;
    entry.pid = 0xA1EE;
    entry.usagePage = 0xFF00;
    entry.usage = 0xFF00;
    entry.usagePage2 = 0xFF01;
    entry.usage2 = 0xFF01;
    entry.isEncode = bytes[0] & 1;
    entry.reportLength = lengths[(bytes[0] >> 1) % 6];
    CheckingObserver observer;
    observer.chip = (bytes[0] & 0x80) ? QStringLiteral("560") : QStringLiteral("553");

    ScriptedHid hid(bytes + 1, size - 1);
    VirtualClock clock;
    Hid_Thread link(&hid, &clock);
    link.setOwner(&observer);
    QList<DeviceEntry> table{entry};
    link.findDevicePaths(table);
    link.setDeviceTable(table);

    link.chkDeviceIsEnCode(0);
    requireFree(link);
    uchar a = 1, b = 2, c = 3, d = 4;
    link.hid560_84H_GetCurrentDPI(a, b);
    requireFree(link);
    link.hid553_83H_GetKeyboardoption(a, b, c, d);
    requireFree(link);
    uchar block[128];
    std::memset(block, 0x5A, sizeof block);
    link.hid560_8CH_readProfile(block, 1);
    requireFree(link);
    link.hid553_13H_SetMacroKey(1, block);
    requireFree(link);
    link.hid560_0DH_SetKeyMatrix(block, 1);
    requireFree(link);
    link.hidStart(0);
    requireFree(link);
    // The listener ends when the script runs dry (the interface no longer opens).
    link.waitForListener();
    return 0;
}
