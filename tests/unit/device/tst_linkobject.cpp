// The link's meta-object: what QML and callers find by name.
#include "LinkFixture.h"
#include "device/Hid_Thread.h"

#include <QMetaMethod>
#include <QTest>
#include <QThreadPool>

class tst_LinkObject : public QObject
{
    Q_OBJECT
private slots:
    void slotsInOrder();
    void constructedIdle();
    void listenerRunsOnThePool();
};

void tst_LinkObject::slotsInOrder()
{
    const QMetaObject &mo = Hid_Thread::staticMetaObject;
    QCOMPARE(mo.className(), "Hid_Thread");
    QCOMPARE(mo.superClass(), &QThread::staticMetaObject);
    QCOMPARE(mo.propertyCount() - mo.propertyOffset(), 0);
    QStringList own;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        const QMetaMethod m = mo.method(i);
        QCOMPARE(m.methodType(), QMetaMethod::Slot);
        QCOMPARE(m.access(), QMetaMethod::Public);
        own << QString::fromLatin1(m.methodSignature());
    }
    const QStringList expected = {
        "hidCS(uchar*)",
        "chkDeviceIsEnCode(int)",
        "USBDataEncryption(uchar[],uchar[])",
        "USBDataDecipher(uchar[],uchar[])",
        "hid553_00H_GetSecrecyCode(uchar&,uchar&,uchar&,uchar&)",
        "hid553_83H_GetKeyboardoption(uchar&,uchar&,uchar&,uchar&)",
        "hid560_81H_GetKeyboardoption(uchar&,uchar&)",
        "hid560_82H_GetCurrentProfile(uchar&)",
        "hid560_84H_GetCurrentDPI(uchar&,uchar&)",
        "hid553_8BH_GetCurrentDPI(uchar&)",
        "hid553_8BH_GetRight(uchar&)",
        "hid553_03H_SetKeyboardoption(uchar,uchar,uchar,uchar)",
        "hid553_04H_SetGunData(uchar,uchar,uchar,uchar)",
        "hid560_01H_SetKeyboardoption(uchar,uchar)",
        "hid553_01H_SetReportRate(uchar)",
        "hid560_03H_SetReportRate(uchar)",
        "hid560_04H_SetCurrentDPI(uchar)",
        "hid553_0BH_SetCurrentDPI(uchar)",
        "hid553_12H_SetKeyMatrix(uchar*,uchar)",
        "hid560_0DH_SetKeyMatrix(uchar*,uchar)",
        "hid560_0CH_setProfile(uchar*,uchar)",
        "hid560_8CH_readProfile(uchar*,uchar)",
        "hid560_02H_SetCurrentProfile(uchar)",
        "hid553_13H_SetMacroKey(uchar,uchar*)",
        "hid560_0FH_SetMacroKey(uchar,uchar*)",
        "hid553_11H_SetDPISet(uchar,uchar*)",
        "hid553_02H_SetCurrentKeyMatrix(uchar)",
        "hid553_0DH_SetRGBLedEffect(uchar,uchar,uchar)",
        "hid553_0CH_SetFixLEDColor(uchar*)",
        "hid553_10H_SetLED8StageColor(uchar,uchar*)",
    };
    QCOMPARE(own, expected);
}

void tst_LinkObject::constructedIdle()
{
    Hid_Thread link(nullptr, nullptr);
    QVERIFY(link.isHidFree());
    QVERIFY(!link.isListenerRunning());
    QCOMPARE(link.currentDeviceIndex(), 1);
    QVERIFY(link.deviceTable().isEmpty());
}

// A QThread by inheritance only: the listener is a task of the global pool.
void tst_LinkObject::listenerRunsOnThePool()
{
    LinkFixture f;
    QVERIFY(f.connectMouse());
    const int busyBefore = QThreadPool::globalInstance()->activeThreadCount();
    f.link.hidStart(1);
    QVERIFY(f.link.isListenerRunning());
    QTRY_COMPARE(QThreadPool::globalInstance()->activeThreadCount(), busyBefore + 1);
    QVERIFY(!f.link.isRunning());
    f.link.stopListener();
    f.mouse.interruptReads();
    f.link.waitForListener();
    QTRY_COMPARE(QThreadPool::globalInstance()->activeThreadCount(), busyBefore);
}

QTEST_GUILESS_MAIN(tst_LinkObject)
#include "tst_linkobject.moc"
