#pragma once

#include "backend/ScreenState.h"

#include <QList>
#include <QQuickWidget>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariant>
#include <QVariantList>

class FileDialogs;
class Hid_Thread;
class PointerSettings;
class QSettings;

// The QML view and the configuration back end that QML reaches as "ui_View".
// It keeps the settings files open and turns page values into device commands.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT
public:
    static constexpr int ProfileCount = 10;
    static constexpr int ProfileBlockCount = 5;
    static constexpr int ProfileBlockSize = 128;
    static constexpr const char *ApConfigFile = "./modules/setting/apConfig.bin";

    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    void setHidLink(Hid_Thread *link) { hid = link; }
    Hid_Thread *hidLink() const { return hid; }

    QString chipType() const { return icType; }
    bool isChip560() const { return icType == QLatin1String("560"); }
    bool rightHand() const { return isRight; }
    void setRightHand(bool right) { isRight = right; }
    int currentProfileIndex() const { return currentProfile; }

    // The save and open dialogs of the exchange files; the standard ones
    // unless a test hands in its own.
    void setFileDialogs(FileDialogs *dialogs) { fileDialogs = dialogs; }

    // What the root screen has reported of itself through the screen slots.
    const ScreenState &screenState() const { return screen; }
    ScreenState &screenState() { return screen; }

    // The root screen's pages hold edits the Save button has not sent yet.
    bool hasUnsavedPages() const { return screen.unsaved(); }
    // What the Save button does, at once.
    void saveUnsavedPages();

    // Global input events, forwarded to QML by queued calls.
    void postKeyboardEvent(bool isDown, int usbCode);
    void postMouseEvent(bool isDown, int brinCode, int x, int y);

public slots:
    // Settings access
    QVariant getData(QVariant key, bool isRecovery = false);
    QVariantList getDataList(QVariant key, bool isRecovery = false);
    QVariant getGlobalData(QVariant key);
    void setData(QVariant key, QVariant data);
    void setDataList(QVariant key, QVariantList datalist);
    void setGlobalData(QVariant key, QVariant tmpdata);
    void resetApconfig();

    // Calls into the root QML screen
    void initUI();
    void runUI();
    void setBusy(int busyTime);
    void setCurrentDPI(int dpiValue);
    void clearHidBusy();

    // The root screen reports its state (read by native code through screenState())
    void setScreenProfiles(const QStringList &names, const QVariantList &profileNumbers);
    void setScreenProfileNo(int profileNo);
    void setScreenDpiStage(int stage);
    void setScreenStarted(bool started);
    void setScreenLocked(bool locked);
    void setScreenPanelOpen(bool open);
    void setScreenUnsaved(bool unsaved);

    // Device profile blocks
    void mouseSetProfile(uint profileNo);
    void mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();

    // Profiles
    void setCurrentProfile(int profile);
    // Exports a profile; false when cancelled or not written.
    bool saveProfile(int profile);
    bool loadProfile(int profile);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);

    // Button assignment and key definitions
    void mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam);
    QVariantList mouseGetKeydefine(QVariant index, bool isRecovery);
    void mouseResetKeyMatrix();
    void mouseSwitchKeyMatrix(int indexNo);
    void mouseGetRight();
    void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    QVariantList GetKeyboardoption();

    // Macros
    QVariant createMacroIni(QVariant name, QVariant macroIndex);
    QVariant saveMacroIni(QVariant name, QStringList macros, QVariant repeat);
    QStringList loadMacroIni(QVariant name);
    QVariant deleteMacroIni(QVariant name);
    QVariant updataNameList(QVariant type, QStringList nameList);
    QVariantList getNameList(QVariant type);
    QVariant modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname);
    void deleteMacroUpdateProfile(QVariant macroName);
    bool loadMacroFile(QVariant macroFileName);
    // Exports a macro; false when cancelled or not written.
    bool saveMacroFile(QVariant macroFileName);
    QVariant mouseSendMacroData(QVariantList macroData, QVariant macroIndex);

    // Sensor, report rate and lighting
    void mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray);
    void mouseSetMaxDpi(int dpiCount);
    void mouseSetCurrentDPI(uchar currentDPI);
    QVariant mouseGetCurrentDPI();
    void mouseSetReportRate(uchar rate);
    void mouseSetLod(uchar rate, uchar en);
    void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    void mouseSetRGBColor(uchar type, QVariantList src24);

    // Gun data and XY sensitivity
    void mouseSaveGundata(QVariant index, QVariantList src6);
    void modifyGundata(QVariant modifyType, QVariantList src6);
    QVariantList getGunData(QVariant name);
    QStringList getGunDataKey();
    void mouseSendGundata(int mode, QVariantList values);
    QVariant getXYSensitive(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);
    QVariant getselectGun(QVariant index);
    void setSelectGun(QVariant index, QVariant xyData);

    // Language strings
    QStringList getLangStrings(QString typeStr, QString langCode);

    // Desktop pointer settings
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetDoubleClickSpeed(uint speed);
    void mouseSetVerticalScrollLines(uint lines);
    void openUpdateExe();

signals:
    // A data file cannot be written. Said once, until writing works again;
    // the changes stay in memory and go to disk at the next write or at quit.
    void dataNotWritten(const QString &fileName);
    // A file the user exported was not written.
    void exportNotWritten(const QString &fileName);

public:
    // Writes every open settings file to disk now (the quit path); false
    // when one of them could not take its changes.
    bool syncSettings();
    // The desktop service the pointer settings go to (not owned; may be null).
    void setPointerSettings(PointerSettings *settings) { pointerSettings = settings; }

private:
    PointerSettings *pointerSettings = nullptr;

protected:
    void focusInEvent(QFocusEvent *event) override;

    // The settings object of the current profile (never null).
    QSettings *profileSettings() const;
    // Makes index the current profile; an index outside 0..9 is refused.
    bool selectProfileIndex(int index);
    void invokeRoot(const char *function, Qt::ConnectionType type, const QVariantList &args = {});

    // Helpers of the configuration themes
    FileDialogs *dialogs() const;
    // Swaps profile index's file for a copy of source; false leaves it as it was.
    bool replaceProfileFile(int index, const QString &source);
    // After a write to an open settings file: it goes to disk, and is
    // checked, at the next pass of the event loop.
    void scheduleWriteCheck();
    // Writes the open settings files now; false (and said) when one fails.
    bool writeOpenSettings();
    // Writes a settings file opened for one call; false (and said) when it fails.
    bool checkWritten(QSettings &file);
    void reportNotWritten(const QString &fileName);

    // Sends device profile block `block` (0..4) as that block number.
    bool sendProfileBlock(int block);
    // The firmware key matrix of the current profile, in device form.
    void readFirmwareKeyMatrix(uchar matrix[64]) const;

    Hid_Thread *hid = nullptr;
    bool isColorful = false;
    bool isGun = false;
    QString icType;
    bool is55328 = false;
    bool isRight = false;
    QSettings *apConfig = nullptr;
    QSettings *pDefault = nullptr;
    QList<QSettings *> profileList;
    int currentProfile = 0;
    unsigned char profileData[ProfileBlockCount][ProfileBlockSize] = {};
    FileDialogs *fileDialogs = nullptr;
    QTimer writeCheck;
    bool writeProblemShown = false;
    ScreenState screen;
};
