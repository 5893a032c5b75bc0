// A command to the mouse lets events through while it waits for it. What
// arrives then (a profile switch on the session bus or for the active
// program) must not start commands of its own inside it: afterwards the
// mouse holds exactly the profile the window shows.
#include "TempDataFolder.h"
#include "backend/myQQuickView.h"
#include "device/HidApi.h"
#include "shell/ControlService.h"
#include "shell/DeviceConnectedFlag.h"
#include "shell/Widget.h"
#include "virtualmouse/VirtualClock.h"
#include "virtualmouse/VirtualMouse.h"

#include <QQuickItem>
#include <QSettings>
#include <QTest>
#include <QTimer>

class tst_CommandNesting : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void switchWhileTheLinkIsHeld_data();
    void switchWhileTheLinkIsHeld();
};

void tst_CommandNesting::cleanup()
{
    setDefaultHidApi(nullptr);
    setDefaultLinkSleeper(nullptr);
    setDeviceConnected(false);
}

void tst_CommandNesting::switchWhileTheLinkIsHeld_data()
{
    QTest::addColumn<bool>("bySessionBus");
    QTest::addColumn<bool>("duringSave");
    QTest::newRow("bus switch during Save") << true << true;
    QTest::newRow("bus switch during a report-rate change") << true << false;
    QTest::newRow("program's switch during Save") << false << true;
    QTest::newRow("program's switch during a report-rate change") << false << false;
}

void tst_CommandNesting::switchWhileTheLinkIsHeld()
{
    QFETCH(bool, bySessionBus);
    QFETCH(bool, duringSave);
    TempDataFolder folder;
    QSettings(folder.file(QStringLiteral("modules/setting/apConfig.bin")), QSettings::IniFormat)
        .setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
    // Two rows: names end in their profile file's number.
    QSettings(folder.file(QStringLiteral("modules/setting/name.bin")), QSettings::IniFormat)
        .setValue(QStringLiteral("profile/profileName"),
                  QStringList{QStringLiteral("Standard0"), QStringLiteral("Second1")});
    VirtualClock clock;
    VirtualMouse mouse({.chipType = QStringLiteral("560")});
    mouse.setClock(&clock);
    setDefaultHidApi(&mouse);
    setDefaultLinkSleeper(&clock);

    Widget widget;
    widget.checkDevice();
    QVERIFY(deviceConnected());
    QQuickItem *root = widget.view()->rootObject();
    const ScreenState &screen = widget.view()->screenState();
    QTRY_VERIFY(screen.started());
    QTRY_VERIFY_WITH_TIMEOUT(!screen.locked(), 5000);
    ControlService service(widget);
    const QList<ControlService::ProfileRow> rows = service.rows();
    QVERIFY(rows.size() >= 2);
    QCOMPARE(service.activeProfile(), 0);
    auto windowAndMouseAgree = [&] {
        const int row = service.activeProfile();
        return row >= 0 && mouse.firmwareState().currentProfile == rows.at(row).profileNo + 1;
    };
    QVERIFY(windowAndMouseAgree());

    // The switch arrives with the first events the command lets through.
    clock.setProcessQtEvents(true);
    bool arrived = false;
    QTimer::singleShot(0, &widget, [&] {
        arrived = true;
        if (bySessionBus)
            service.SwitchProfile(1);
        else
            QCOMPARE(service.switchToProfileNo(rows.at(1).profileNo),
                     AppProfileFollower::SwitchResult::Busy);
    });
    if (duringSave) {
        QObject *dpi = root->findChild<QObject *>(QStringLiteral("dpiSettingMain"));
        dpi->setProperty("isSave", true);
        QObject *save = root->findChild<QObject *>(QStringLiteral("saveBtn"));
        QVERIFY(QMetaObject::invokeMethod(save, "clicked"));
    } else {
        widget.view()->mouseSetReportRate(2);
    }
    QVERIFY(arrived);
    QVERIFY(widget.link().isHidFree());
    QCOMPARE(service.activeProfile(), 0);
    QVERIFY(windowAndMouseAgree());

    // Asked again once the link is free, the same switch goes through.
    QTRY_VERIFY_WITH_TIMEOUT(!screen.locked(), 5000);
    if (bySessionBus)
        service.SwitchProfile(1);
    else
        QCOMPARE(service.switchToProfileNo(rows.at(1).profileNo),
                 AppProfileFollower::SwitchResult::Done);
    QCOMPARE(service.activeProfile(), 1);
    QVERIFY(windowAndMouseAgree());
}

QTEST_MAIN(tst_CommandNesting)
#include "tst_commandnesting.moc"
