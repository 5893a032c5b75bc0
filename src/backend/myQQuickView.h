#pragma once

#include <QList>
#include <QQuickWidget>
#include <QString>
#include <QVariant>
#include <QVariantList>

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

    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    void setHidLink(Hid_Thread *link) { hid = link; }
    Hid_Thread *hidLink() const { return hid; }

    QString chipType() const { return icType; }
    bool isChip560() const { return icType == QLatin1String("560"); }
    bool rightHand() const { return isRight; }
    void setRightHand(bool right) { isRight = right; }
    int currentProfileIndex() const { return currentProfile; }

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

    // Desktop pointer settings
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetDoubleClickSpeed(uint speed);
    void mouseSetVerticalScrollLines(uint lines);
    void openUpdateExe();

public:
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
};
