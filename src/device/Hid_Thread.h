#pragma once

#include "device/DeviceEntry.h"

#include <QFuture>
#include <QList>
#include <QString>
#include <QThread>
#include <mutex>

#include <atomic>
#include <initializer_list>
#include <optional>

class HidApi;
class HidDevice;
class LinkObserver;
class LinkSleeper;

// The device link: device table and detection, the report transport with its
// scrambling, the command set of both chip families and the notification
// listener. A QThread by inheritance only: commands run on the caller's (GUI)
// thread, the listener on a thread of the global pool.
class Hid_Thread : public QThread
{
    Q_OBJECT
public:
    // Uses the process-wide HidApi and sleeper (defaultHidApi(), defaultLinkSleeper()).
    Hid_Thread();
    // Tests and tools hand in their own; neither is owned.
    Hid_Thread(HidApi *api, LinkSleeper *sleeper);
    ~Hid_Thread() override; // waits for the listener

    void setOwner(LinkObserver *observer) { owner = observer; }
    LinkObserver *linkObserver() const { return owner; }
    HidApi *hidApi() const { return api; }
    LinkSleeper *linkSleeper() const { return sleeper; }

    // Detection: reads the device table from the settings file, looks up the
    // paths of both interfaces of every entry, replaces the link's table and
    // echo-checks the entries with a command path in order. Returns the index
    // of the first verified entry (now the current device index) or -1. A
    // listener still running is stopped and waited for first.
    int findVerifiedDevice(const QString &apConfigPath);
    // The steps of detection one by one.
    void findDevicePaths(QList<DeviceEntry> &table);
    void setDeviceTable(const QList<DeviceEntry> &table);
    QList<DeviceEntry> deviceTable() const;
    int currentDeviceIndex() const { return currentDevice; }

    // Post-connect start: sets the keyboard-option bit and starts the listener.
    void hidStart(int index);
    bool isListenerRunning() const { return listenerRunning.load(); }
    // Asks the listener to end after its current poll; does not wait.
    void stopListener();
    // Waits until the last started listener has returned.
    void waitForListener();
    // Whether the entry's notification interface is there and opens (tried
    // once, closed again); only while no listener runs.
    bool canOpenNotification(int index);

    // Sets the link-free flag (the view's clearHidBusy).
    void clearHidBusy() { hidFree = true; }
    bool isHidFree() const { return hidFree; }
    // Whether the last command took the link and its transfer went through.
    bool lastCommandSucceeded() const { return lastTransferOk; }
    // A transfer failed or timed out: the commands after it fail at once
    // without touching the mouse, until the program is back in its event
    // loop (the end of the sequence) or the next detection.
    bool isSequenceBroken() const { return sequenceBroken; }

public slots:
    uchar hidCS(uchar *cmd);
    bool chkDeviceIsEnCode(int index);
    void USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[]);
    void USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[]);

    void hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2);
    void hid560_82H_GetCurrentProfile(uchar &byte1);
    void hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2);
    void hid553_8BH_GetCurrentDPI(uchar &byte1);
    void hid553_8BH_GetRight(uchar &byte1);
    void hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2);
    void hid553_01H_SetReportRate(uchar rate);
    void hid560_03H_SetReportRate(uchar rate);
    void hid560_04H_SetCurrentDPI(uchar stage);
    void hid553_0BH_SetCurrentDPI(uchar stage);
    void hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    void hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    void hid560_0CH_setProfile(uchar *src128, uchar profileData);
    void hid560_8CH_readProfile(uchar *src128, uchar profileNo);
    void hid560_02H_SetCurrentProfile(uchar profile);
    void hid553_13H_SetMacroKey(uchar macroId, uchar *src128);
    void hid560_0FH_SetMacroKey(uchar macroId, uchar *src128);
    void hid553_11H_SetDPISet(uchar dpiStage, uchar *src8);
    void hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix);
    void hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    void hid553_0CH_SetFixLEDColor(uchar *src3);
    void hid553_10H_SetLED8StageColor(uchar type, uchar *src24);

private:
    enum class AfterSend
    {
        Settle,
        Pause8
    };

    HidDevice *openHid(int index);
    HidDevice *openHidEvent(int index);
    void closeHid();
    void closeHidEvent();
    bool waitHidFree();
    void waitSettle();
    bool hidSend(int bulkLength, bool settle);
    bool hidQuery(int bulkLength);

    // The shared shape of the commands.
    bool takeLink(const char *failCode);
    void buildFrame(uchar command, std::initializer_list<uchar> params);
    void runSet(const char *failCode, uchar command, std::initializer_list<uchar> params,
                const uchar *bulkData, int bulkLength, AfterSend after);
    bool runGet(const char *failCode, uchar command, std::initializer_list<uchar> params,
                std::initializer_list<uchar> preset);
    std::optional<DeviceEntry> entry(int index) const; // a copy, taken under the lock
    static uchar *linkSecrecyCode();                   // process-wide, bytes 0 and 7 stay 0
    bool failTransfer();
    void breakSequence();
    std::optional<DeviceEntry> sendCommandFrame();

    void hidEventLoop(uint index);
    void handleNotification(const uchar *report);
    void listenerRemoved(uint index);

    LinkObserver *owner = nullptr;
    QList<DeviceEntry> devices;
    int currentDevice = 1;
    HidDevice *hidHandle = nullptr;
    HidDevice *hidEventHandle = nullptr;
    bool hidFree = true;
    std::atomic<bool> listenerRunning{false};
    // Release and acquire pairs around the pool's hand-overs (see hidStart).
    std::atomic<int> listenersStarted{0};
    std::atomic<int> listenersEnded{0};
    bool settleFlag = true;
    QFuture<void> listenerFuture;
    uchar commandFrame[9] = {};
    uchar answerFrame[9] = {};
    uchar bulkArea[512] = {};

    HidApi *api = nullptr;
    LinkSleeper *sleeper = nullptr;
    bool lastTransferOk = false;
    bool sequenceBroken = false;
    // Guards the two path fields of the table, which the listener also writes.
    mutable std::mutex pathMutex;
};
