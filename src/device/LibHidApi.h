#pragma once

#include "device/HidApi.h"

#include <mutex>

// The system's HID devices through libhidapi (hidraw backend on Linux).
// hidapi keeps one error text for the whole process: hid_init frees it and
// every enumeration and open runs hid_init again, so those calls (and
// hid_exit) are made one at a time. Calls on an open device touch only that
// device and run side by side.
class LibHidApi : public HidApi
{
public:
    LibHidApi() = default;
    ~LibHidApi() override;

    void init() override;
    HidDeviceInfo *enumerate(unsigned short vendorId, unsigned short productId) override;
    void freeEnumeration(HidDeviceInfo *devices) override;
    HidDevice *openPath(const char *path) override;
    void close(HidDevice *device) override;
    int setNonblocking(HidDevice *device, int nonblock) override;
    int sendFeatureReport(HidDevice *device, const unsigned char *data, size_t length) override;
    int getFeatureReport(HidDevice *device, unsigned char *data, size_t length) override;
    int write(HidDevice *device, const unsigned char *data, size_t length) override;
    int read(HidDevice *device, unsigned char *data, size_t length) override;
    int readTimeout(HidDevice *device, unsigned char *data, size_t length,
                    int milliseconds) override;

private:
    std::mutex processWide;
    bool initialised = false;
};
