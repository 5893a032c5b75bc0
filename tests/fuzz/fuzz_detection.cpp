// Fuzz target: a damaged device table in apConfig.bin, read and looked up the
// way every device check does. Whatever the text, no scan may ask for vendor
// or product 0 (every device of the system), and the scans may not outnumber
// the groups the file holds, whatever count it claims.
#include "device/DeviceEntry.h"
#include "device/HidApi.h"
#include "device/Hid_Thread.h"
#include "virtualmouse/VirtualClock.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// Answers every scan with the mouse's two interfaces and counts the scans.
class CountingHid : public HidApi
{
public:
    HidDeviceInfo *enumerate(unsigned short vendorId, unsigned short productId) override
    {
        if (vendorId == 0 || productId == 0)
            std::abort();
        ++scans;
        auto *command = new HidDeviceInfo{"cmd", vendorId, productId, 0xFF00, 0xFF00, 0, nullptr};
        command->next = new HidDeviceInfo{"ntf", vendorId, productId, 0xFF01, 0xFF01, 1, nullptr};
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
    // Nothing opens: the echo checks fail at once.
    HidDevice *openPath(const char *) override { return nullptr; }
    void close(HidDevice *device) override { delete device; }
    int setNonblocking(HidDevice *, int) override { return -1; }
    int sendFeatureReport(HidDevice *, const unsigned char *, size_t) override { return -1; }
    int getFeatureReport(HidDevice *, unsigned char *, size_t) override { return -1; }
    int write(HidDevice *, const unsigned char *, size_t) override { return -1; }
    int read(HidDevice *, unsigned char *, size_t) override { return -1; }
    int readTimeout(HidDevice *, unsigned char *, size_t, int) override { return -1; }

    int scans = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_detection";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir folder;
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    // The table and the count below come from the same read of the file.
    static int generation = 0;
    const QString path = folder.filePath(QStringLiteral("apConfig%1.bin").arg(++generation % 2));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    qsizetype groups = 0;
    {
        QSettings settings(path, QSettings::IniFormat);
        groups = settings.childGroups().size();
        if (readDeviceTable(settings).size() > groups)
            std::abort();
    }
    CountingHid hid;
    VirtualClock clock;
    Hid_Thread link(&hid, &clock);
    link.findVerifiedDevice(path);
    if (hid.scans > groups || !link.isHidFree())
        std::abort();
    return 0;
}
