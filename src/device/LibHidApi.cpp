#include "device/LibHidApi.h"

#include <hidapi.h>

namespace {

class LibHidDevice : public HidDevice
{
public:
    explicit LibHidDevice(hid_device *d) : handle(d) {}
    hid_device *handle;
};

hid_device *raw(HidDevice *device)
{
    auto *d = static_cast<LibHidDevice *>(device);
    return d ? d->handle : nullptr;
}

} // namespace

LibHidApi::~LibHidApi()
{
    std::lock_guard lock(processWide);
    hid_exit();
}

void LibHidApi::init()
{
    std::lock_guard lock(processWide);
    if (!initialised)
        hid_init();
    initialised = true;
}

HidDeviceInfo *LibHidApi::enumerate(unsigned short vendorId, unsigned short productId)
{
    hid_device_info *list = nullptr;
    {
        std::lock_guard lock(processWide);
        list = hid_enumerate(vendorId, productId);
    }
    HidDeviceInfo *head = nullptr;
    HidDeviceInfo **tail = &head;
    for (hid_device_info *d = list; d; d = d->next) {
        auto *info = new HidDeviceInfo;
        info->path = d->path ? d->path : "";
        info->vendorId = d->vendor_id;
        info->productId = d->product_id;
        info->usagePage = d->usage_page;
        info->usage = d->usage;
        info->interfaceNumber = d->interface_number;
        *tail = info;
        tail = &info->next;
    }
    hid_free_enumeration(list); // frees only the list
    return head;
}

void LibHidApi::freeEnumeration(HidDeviceInfo *devices)
{
    while (devices) {
        HidDeviceInfo *next = devices->next;
        delete devices;
        devices = next;
    }
}

HidDevice *LibHidApi::openPath(const char *path)
{
    hid_device *d = nullptr;
    {
        std::lock_guard lock(processWide);
        d = hid_open_path(path);
    }
    return d ? new LibHidDevice(d) : nullptr;
}

void LibHidApi::close(HidDevice *device)
{
    if (!device)
        return;
    hid_close(raw(device));
    delete device;
}

int LibHidApi::setNonblocking(HidDevice *device, int nonblock)
{
    return device ? hid_set_nonblocking(raw(device), nonblock) : -1;
}

int LibHidApi::sendFeatureReport(HidDevice *device, const unsigned char *data, size_t length)
{
    return device ? hid_send_feature_report(raw(device), data, length) : -1;
}

int LibHidApi::getFeatureReport(HidDevice *device, unsigned char *data, size_t length)
{
    return device ? hid_get_feature_report(raw(device), data, length) : -1;
}

int LibHidApi::write(HidDevice *device, const unsigned char *data, size_t length)
{
    return device ? hid_write(raw(device), data, length) : -1;
}

int LibHidApi::read(HidDevice *device, unsigned char *data, size_t length)
{
    return device ? hid_read(raw(device), data, length) : -1;
}

int LibHidApi::readTimeout(HidDevice *device, unsigned char *data, size_t length, int milliseconds)
{
    return device ? hid_read_timeout(raw(device), data, length, milliseconds) : -1;
}
