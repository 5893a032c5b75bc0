#pragma once

#include "device/HidApi.h"
#include "virtualmouse/VirtualFirmware.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class VirtualClock;

// One call the program made through the hidapi seam.
struct HidCall
{
    double t = 0;    // ms since the mouse was made (virtual time on a virtual clock)
    QString op;      // the hidapi name: "hid_open_path", "hid_write", ...
    QString path;    // device path of the call, empty when it has none
    QByteArray data; // bytes sent or received
    int result = 0;
    QByteArray toJsonLine() const; // {"t":..,"op":..,"path":..,"data":"hex",..}
};

struct VirtualMouseConfig
{
    QString chipType = QStringLiteral("553");
    bool isEncode = false;
    QString sCode = QStringLiteral("274915"); // the mouse's own secrecy code
    int reportLength = 32;
    bool notificationInterface = true;
    bool notificationOpens = true; // false: listed, but opening it fails (no access)
    // The vendor's keyboard (04d9:8008, ff01/0001 and ff02/0001, 64-byte reports).
    bool keyboardPresent = false;
    bool keyboardIsEncode = false;
    QString keyboardSCode = QStringLiteral("274915");
    bool keyboardAnswersEcho = true;
};

enum class HidFault
{
    Error,  // the call fails (-1, or null for hid_open_path)
    Stall,  // a read waits its whole timeout and gets nothing; other calls hang 5 s then fail
    Unplug, // the mouse is pulled out just before the call
    Garbage // a read or feature read delivers bytes the firmware never made
};

// A model of the mouse (and optionally the keyboard) behind the hidapi seam:
// both interfaces of each device, scrambled or plain answers, the firmware
// state, notifications, unplug and plug, injected faults and a call log.
class VirtualMouse : public HidApi
{
public:
    static constexpr const char *CommandPath = "virtual/04d9:a1ee/ff00:ff00";
    static constexpr const char *NotificationPath = "virtual/04d9:a1ee/ff01:ff01";
    static constexpr const char *KeyboardCommandPath = "virtual/04d9:8008/ff01:0001";
    static constexpr const char *KeyboardNotificationPath = "virtual/04d9:8008/ff02:0001";

    explicit VirtualMouse(const VirtualMouseConfig &config = {});
    ~VirtualMouse() override;

    // Stalls then let virtual time pass, and time stamps follow it.
    void setClock(VirtualClock *clock);

    // HidApi
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

    // Physical events.
    void pressDpiButton(int stage);
    void setRightHand(bool on);
    void sendNotification(const QByteArray &report); // any bytes, for malformed reports
    void unplug();
    void plug();
    bool isPlugged() const;
    // Makes reads that wait for a report return at once with nothing (a
    // stopped listener then ends without waiting out its poll).
    void interruptReads();
    // Called (outside the mouse's lock) after unplug() and plug(): the
    // device-change notice a system raises.
    void setPlugHook(std::function<void(bool plugged)> hook);

    // Faults: the n-th call from now (1-based) on the command side (every
    // call except those on the notification interfaces) gets the fault.
    void failCall(int n, HidFault fault);
    // A mouse that stops answering: the n-th call and every one after it
    // (meant for Error and Stall).
    void failCallsFrom(int n, HidFault fault);
    void clearFaults();
    // Answers the echo with altered bytes.
    void setWrongEcho(bool on);
    // Refuses every hid_open_path while set, as a system does whose device
    // nodes this user may not open; the mouse still enumerates.
    void setOpenRefused(bool refused);

    // The call log and the transcript sink (each call, as it happens).
    // Without keeping, calls() and receivedFrames() stay empty and only the
    // sink sees the calls: a mouse that lives as long as the program must not
    // grow with every call.
    void setKeepsCalls(bool keep);
    QList<HidCall> calls() const;
    void clearCalls();
    void setCallSink(std::function<void(const HidCall &)> sink);
    // Plain command frames the firmware took (after descrambling), in order.
    QList<QByteArray> receivedFrames() const;

    FirmwareState firmwareState() const;
    void setFirmwareState(const FirmwareState &state);
    QJsonObject stateJson() const;
    VirtualMouseConfig config() const { return cfg; }

private:
    struct Device;
    struct Handle;
    enum class Side
    {
        Command,
        Notification
    };

    double nowMs() const;
    void record(const QString &op, const QString &path, const QByteArray &data, int result);
    std::optional<HidFault> takeFault(Side side);
    Device *deviceOf(const std::string &path, Side *side);
    Handle *live(HidDevice *device);
    // A call on an open handle: the fault planned for it (taken in call
    // order) and the handle while it still reaches the mouse.
    struct HandleCall
    {
        Handle *raw;
        Handle *handle;
        std::optional<HidFault> fault;
        QString path() const;
        // Reaches the firmware: no fault, or one that only garbles the answer.
        bool reaches() const { return handle && (!fault || *fault == HidFault::Garbage); }
    };
    HandleCall beginCall(HidDevice *device);
    static QByteArray bytesOf(const unsigned char *data, size_t length);
    void pause(double ms, std::unique_lock<std::mutex> &lock);
    int waitForInput(Handle *h, unsigned char *data, size_t length, int milliseconds,
                     std::unique_lock<std::mutex> &lock);
    void unplugLocked();

    VirtualMouseConfig cfg;
    mutable std::mutex mutex;
    std::condition_variable_any inputArrived;
    std::unique_ptr<Device> mouse;
    std::unique_ptr<Device> keyboard;
    bool plugged = true;
    int plugGeneration = 0;
    int wakeGeneration = 0;
    VirtualClock *clock = nullptr;
    QElapsedTimer realTime;
    QList<HidCall> log;
    QList<QByteArray> frames;
    std::function<void(const HidCall &)> sink;
    std::function<void(bool)> plugHook;
    int commandCalls = 0;
    QMap<int, HidFault> faults;
    int lastingFrom = 0; // 0: no lasting fault
    HidFault lastingFault = HidFault::Error;
    bool wrongEcho = false;
    bool openRefused = false;
    bool keepsCalls = true;
};
