#pragma once

#include "device/HidApi.h"

// The system's HID devices through libhidapi (hidraw backend on Linux).
class LibHidApi : public HidApi
{
public:
    LibHidApi();
    ~LibHidApi() override;

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
};
