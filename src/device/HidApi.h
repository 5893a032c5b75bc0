#pragma once

#include <cstddef>
#include <string>

// One HID top-level collection as hid_enumerate reports it (the fields the link uses).
struct HidDeviceInfo
{
    std::string path;
    unsigned short vendorId = 0;
    unsigned short productId = 0;
    unsigned short usagePage = 0;
    unsigned short usage = 0;
    int interfaceNumber = -1;
    HidDeviceInfo *next = nullptr;
};

// An open HID device; every implementation of HidApi derives its own handle.
class HidDevice
{
public:
    virtual ~HidDevice() = default;
};

// Exactly the hidapi calls the link makes. The program forwards them to
// libhidapi; tests and the demo mode put the virtual mouse behind them.
// Implementations accept calls from the GUI thread and the listener thread at
// the same time (on different handles).
class HidApi
{
public:
    virtual ~HidApi() = default;

    // hid_init: called once by the link on the GUI thread, before any other
    // call and before the listener thread exists.
    virtual void init() {}

    // hid_enumerate / hid_free_enumeration: a list the caller hands back.
    virtual HidDeviceInfo *enumerate(unsigned short vendorId, unsigned short productId) = 0;
    virtual void freeEnumeration(HidDeviceInfo *devices) = 0;
    // hid_open_path: null on failure. hid_close.
    virtual HidDevice *openPath(const char *path) = 0;
    virtual void close(HidDevice *device) = 0;
    virtual int setNonblocking(HidDevice *device, int nonblock) = 0;
    // data[0] is the report id; the results are byte counts or -1.
    virtual int sendFeatureReport(HidDevice *device, const unsigned char *data, size_t length) = 0;
    virtual int getFeatureReport(HidDevice *device, unsigned char *data, size_t length) = 0;
    virtual int write(HidDevice *device, const unsigned char *data, size_t length) = 0;
    // Input reports: bytes read, 0 when a timed read saw nothing, -1 on error.
    virtual int read(HidDevice *device, unsigned char *data, size_t length) = 0;
    virtual int readTimeout(HidDevice *device, unsigned char *data, size_t length,
                            int milliseconds) = 0;
};

// The implementation a default-constructed link uses: the system's HID
// devices unless start-up chose another before building the window. Not owned.
HidApi *defaultHidApi();
void setDefaultHidApi(HidApi *api);
