// The tray window: frameless host set-up, tray icon and menu, the show-UI
// step, restoring a hidden window and device-change notices.
#include "TempDataFolder.h"
#include "backend/myQQuickView.h"
#include "platform/CopyDataChannel.h"
#include "shell/DeviceConnectedFlag.h"
#include "shell/DiagnosticsReport.h"
#include "shell/QuitSignals.h"
#include "shell/Ui_Controler.h"
#include "shell/UserEvent.h"
#include "shell/Widget.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QQmlContext>
#include <QQuickItem>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <unistd.h>

namespace {

// The test display may or may not have a tray: each test says which desktop it means.
class DesktopWidget : public Widget
{
public:
    explicit DesktopWidget(bool tray) : tray(tray) {}

protected:
    bool hasSystemTray() const override { return tray; }

private:
    bool tray;
};

QStringList recordedCalls(Widget &widget)
{
    return widget.view()->rootObject()->property("calls").toStringList();
}

void useRecordingRoot(Widget &widget)
{
    widget.view()->setSource(
        QUrl::fromLocalFile(QStringLiteral(R770_TEST_SOURCE_DIR "/RecordingRoot.qml")));
    QVERIFY(widget.view()->rootObject());
}

} // namespace

class tst_Widget : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void hostsTheViewFrameless();
    void titleIsEmptyWithoutName();
    void trayIconAndMenu();
    void startAtLoginFromTheTrayMenu();
    void showUiRunsInitThenRun();
    void restoresOnlyWhileConnected();
    void deviceChangeBurstGivesOneCheck();
    void controllerMovesAndHides();
    void closingWindowsDoesNotQuit();
    void withoutTrayASecondStartShowsTheWindow();
    void quitRequestAndSignalsQuitLikeTheTray();
    void trayQuitAsksAboutUnsavedEdits();
    void reportWritesTheHomeFolderAsTilde();
    void regainedFocusReachesTheQmlField();

private:
    std::unique_ptr<TempDataFolder> folder;
};

void tst_Widget::init()
{
    folder.reset();
    folder = std::make_unique<TempDataFolder>();
    folder->write("modules/setting/apConfig.bin", "[common]\nname=ZERANT MOLTA MOUSE R770\n");
    setDeviceConnected(false);
}

void tst_Widget::cleanup()
{
    setDeviceConnected(false);
}

void tst_Widget::hostsTheViewFrameless()
{
    Widget widget;
    QCOMPARE(widget.objectName(), QStringLiteral("Widget"));
    QCOMPARE(int(widget.windowFlags()), 0x2000801);
    QVERIFY(widget.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(widget.styleSheet(), QStringLiteral("background:transparent;"));
    QCOMPARE(widget.size(), QSize(1024, 640));
    QCOMPARE(widget.windowTitle(), QStringLiteral("ZERANT MOLTA MOUSE R770"));

    myQQuickView *view = widget.view();
    QCOMPARE(view->parentWidget(), &widget);
    QCOMPARE(view->objectName(), QStringLiteral("ui_View"));
    QCOMPARE(view->source(), QUrl(QStringLiteral("qrc:modules/qml/main.qml")));
    QVERIFY(view->rootObject());
    QCOMPARE(view->rootContext()->contextProperty("ui_View").value<QObject *>(), view);
    QCOMPARE(view->rootContext()->contextProperty("ui_Ctl").value<QObject *>(),
             widget.controller());
    QCOMPARE(view->rootContext()->contextProperty("hid").value<QObject *>(), &widget.link());
    QCOMPARE(view->hidLink(), &widget.link());
}

void tst_Widget::titleIsEmptyWithoutName()
{
    folder->write("modules/setting/apConfig.bin", "[common]\nlanguage=English\n");
    Widget widget;
    QCOMPARE(widget.windowTitle(), QString());
}

void tst_Widget::trayIconAndMenu()
{
    Widget widget;
    QSystemTrayIcon *tray = widget.tray();
    QVERIFY(tray);
    QCOMPARE(tray->parent(), &widget);
    QCOMPARE(tray->toolTip(), QStringLiteral("ZERANT MOLTA MOUSE R770"));
    QVERIFY(tray->isVisible());
    QMenu *menu = tray->contextMenu();
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 2);
    QCOMPARE(menu->actions().last()->text(), QStringLiteral("Quit (&Q)"));
    QVERIFY(menu->styleSheet().startsWith(
        "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); }"));
    QVERIFY(menu->styleSheet().endsWith("QMenu::icon { padding-left: 2px; padding-right: 2px; } "));

    // Quit ends the event loop with 0.
    QTimer::singleShot(0, menu->actions().last(), &QAction::trigger);
    QCOMPARE(qApp->exec(), 0);
}

void tst_Widget::startAtLoginFromTheTrayMenu()
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const QString entry = config.path() + "/autostart/r770config.desktop";
    Widget widget;
    QAction *startAtLogin = widget.tray()->contextMenu()->actions().first();
    QCOMPARE(startAtLogin->text(), QStringLiteral("Start at login"));
    QVERIFY(startAtLogin->isCheckable());
    QVERIFY(!startAtLogin->isChecked());

    startAtLogin->trigger();
    QVERIFY(startAtLogin->isChecked());
    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.startsWith("[Desktop Entry]\nType=Application\n"));
    QVERIFY2(text.contains("\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8() +
                           "\" --hidden\n"),
             text.constData());
    QProcess validate;
    validate.start("desktop-file-validate", {entry});
    if (validate.waitForFinished(10000))
        QVERIFY2(validate.exitCode() == 0, validate.readAll().constData());

    startAtLogin->trigger();
    QVERIFY(!startAtLogin->isChecked());
    QVERIFY(!QFileInfo::exists(entry));

    // An entry that cannot be written leaves the box as it was.
    QVERIFY(QDir().mkpath(entry + "/blocked"));
    startAtLogin->trigger();
    QVERIFY(!startAtLogin->isChecked());
    qunsetenv("XDG_CONFIG_HOME");
}

void tst_Widget::showUiRunsInitThenRun()
{
    Widget widget;
    useRecordingRoot(widget);
    widget.startUi();
    QVERIFY(recordedCalls(widget).isEmpty());
    QTRY_COMPARE(recordedCalls(widget), (QStringList{"initUI", "run"}));
    // Other user events are ignored.
    QCoreApplication::postEvent(&widget, new UserEvent(42));
    QCoreApplication::processEvents();
    QCOMPARE(recordedCalls(widget).size(), 2);
}

void tst_Widget::restoresOnlyWhileConnected()
{
    DesktopWidget widget(true);
    widget.show();
    widget.controller()->onClose();
    QVERIFY(!widget.isVisible());

    widget.receiveMessage(QString());
    widget.trayIconActivated(QSystemTrayIcon::DoubleClick);
    QCoreApplication::processEvents();
    QVERIFY(!widget.isVisible());

    setDeviceConnected(true);
    widget.trayIconActivated(QSystemTrayIcon::Trigger);
    widget.trayIconActivated(QSystemTrayIcon::MiddleClick);
    widget.trayIconActivated(QSystemTrayIcon::Context);
    QCoreApplication::processEvents();
    QVERIFY(!widget.isVisible());

    widget.trayIconActivated(QSystemTrayIcon::DoubleClick);
    QVERIFY(!widget.isVisible()); // posted: the caller returns first
    QTRY_VERIFY(widget.isVisible());

    widget.controller()->onMinimize();
    QTRY_VERIFY(widget.isMinimized());
    widget.receiveMessage(QStringLiteral("anything"));
    QTRY_VERIFY(!widget.isMinimized());
}

void tst_Widget::deviceChangeBurstGivesOneCheck()
{
    Widget widget;
    useRecordingRoot(widget);
    QCOMPARE(widget.deviceCheckTimer().interval(), 2048);
    QVERIFY(widget.deviceCheckTimer().isSingleShot());
    QVERIFY(!widget.deviceCheckTimer().isActive()); // not started by construction

    QSignalSpy fired(&widget.deviceCheckTimer(), &QTimer::timeout);
    widget.onDeviceChange();
    QTest::qWait(300);
    widget.onDeviceChange();
    QTest::qWait(300);
    widget.onDeviceChange();
    QVERIFY(widget.deviceCheckTimer().isActive());
    QVERIFY(widget.deviceCheckTimer().remainingTime() > 1900);
    QTRY_COMPARE_WITH_TIMEOUT(fired.size(), 1, 4000);
    QTest::qWait(300);
    QCOMPARE(fired.size(), 1);
    // The check ran the show-UI step.
    QTRY_COMPARE(recordedCalls(widget), (QStringList{"initUI", "run"}));
}

void tst_Widget::controllerMovesAndHides()
{
    Ui_Controler idle;
    idle.onMinimize(); // no window: nothing happens
    idle.onXChanged(5);
    idle.setBusy(100);

    Widget widget;
    widget.move(100, 80);
    widget.show();
    const QPoint start = widget.pos();
    widget.controller()->onXChanged(15);
    widget.controller()->onYChanged(-7);
    QCOMPARE(widget.pos(), start + QPoint(15, -7));

    useRecordingRoot(widget);
    widget.controller()->setBusy(1500);
    widget.controller()->setBusy();
    QCOMPARE(recordedCalls(widget), (QStringList{"setProtectUI 1500", "setProtectUI 0"}));
}

void tst_Widget::closingWindowsDoesNotQuit()
{
    Widget widget;
    widget.show();
    widget.controller()->onClose(); // hidden: only the tray is left
    bool boxClosed = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            box->close();
            boxClosed = true;
        }
    });
    closer.start(20);
    QTimer::singleShot(0, [&] {
        const CopyDataMessage message{0x250F, 2, "Hi"};
        Widget::copyDataCallback(&message, &widget);
        // The window manager's close of the frameless window hides it as well.
        widget.show();
        widget.close();
        QTimer::singleShot(300, [] { QCoreApplication::exit(7); });
    });
    QCOMPARE(qApp->exec(), 7); // not ended by the last window closing
    QVERIFY(boxClosed);
    QVERIFY(!widget.isVisible());
}

void tst_Widget::withoutTrayASecondStartShowsTheWindow()
{
    DesktopWidget widget(false);
    widget.show();
    widget.controller()->onClose();
    widget.trayIconActivated(QSystemTrayIcon::DoubleClick); // no device: nothing
    QCoreApplication::processEvents();
    QVERIFY(!widget.isVisible());
    widget.receiveMessage(QString());
    QTRY_VERIFY(widget.isVisible());
}

void tst_Widget::quitRequestAndSignalsQuitLikeTheTray()
{
    DesktopWidget widget(true);
    QuitSignals quitSignals;
    QVERIFY(quitSignals.isActive());
    connect(&quitSignals, &QuitSignals::quitRequested, &widget, &Widget::exitSYS);
    QTimer guard; // a request that went nowhere ends the loop with 9
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(9); });
    // The request of a start with --quit, then logout's SIGTERM, Ctrl+C's
    // SIGINT and a closed terminal's SIGHUP.
    const QList<std::function<void()>> requests{
        [&] { widget.receiveMessage(QLatin1String(Widget::QuitMessage)); },
        [] { ::kill(::getpid(), SIGTERM); }, [] { ::kill(::getpid(), SIGINT); },
        [] { ::kill(::getpid(), SIGHUP); }};
    int rate = 0;
    for (const auto &request : requests) {
        widget.view()->setData(QStringLiteral("mouse/reportRate"), ++rate);
        QTimer::singleShot(0, request);
        guard.start(3000);
        QCOMPARE(qApp->exec(), 0);
        guard.stop();
        QFile profile(QStringLiteral("./modules/setting/p1.bin"));
        QVERIFY(profile.open(QIODevice::ReadOnly));
        QVERIFY(profile.readAll().contains("reportRate=" + QByteArray::number(rate)));
        QVERIFY(!widget.link().isListenerRunning());
    }
}

// With edits the Save button has not sent, the tray's Quit asks: Cancel
// keeps running, Discard ends without saving, Save saves and ends. Nobody
// is asked at a signal: the edits are dropped, nothing is written unasked.
void tst_Widget::trayQuitAsksAboutUnsavedEdits()
{
    DesktopWidget widget(true);
    useRecordingRoot(widget);
    QObject *root = widget.view()->rootObject();
    QuitSignals quitSignals;
    connect(&quitSignals, &QuitSignals::quitRequested, &widget, &Widget::exitSYS);
    QStringList asked;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QTimer answering;
    connect(&answering, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked.append(box->text());
            box->button(answer)->click();
        }
    });
    answering.start(20);
    QTimer guard; // still running: the loop ends with 9
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(9); });
    const auto quitWith = [&](const std::function<void()> &request) {
        root->setProperty("calls", QStringList());
        root->setProperty("anyUnsaved", true);
        QTimer::singleShot(0, request);
        guard.start(1500);
        const int result = qApp->exec();
        guard.stop();
        return result;
    };
    const auto trayQuit = [&] {
        widget.Widget::tray()->contextMenu()->actions().last()->trigger();
    };

    answer = QMessageBox::Cancel;
    QCOMPARE(quitWith(trayQuit), 9);
    QCOMPARE(asked.size(), 1);
    QVERIFY(asked.first().contains(QLatin1String("not saved")));
    answer = QMessageBox::Discard;
    QCOMPARE(quitWith(trayQuit), 0);
    QCOMPARE(recordedCalls(widget), QStringList());
    answer = QMessageBox::Save;
    QCOMPARE(quitWith(trayQuit), 0);
    QCOMPARE(recordedCalls(widget), QStringList{QStringLiteral("saveAll")});
    QCOMPARE(asked.size(), 3);

    QCOMPARE(quitWith([] { ::kill(::getpid(), SIGHUP); }), 0);
    QCOMPARE(quitWith([&] { widget.receiveMessage(QLatin1String(Widget::QuitMessage)); }), 0);
    QCOMPARE(asked.size(), 3);
    QCOMPARE(recordedCalls(widget), QStringList());

    // Nothing unsaved: the tray's Quit asks nothing.
    root->setProperty("anyUnsaved", false);
    QTimer::singleShot(0, trayQuit);
    QCOMPARE(qApp->exec(), 0);
    QCOMPARE(asked.size(), 3);
}

// A shared report names no user: the home folder is written as "~".
void tst_Widget::reportWritesTheHomeFolderAsTilde()
{
    const QByteArray home = qgetenv("HOME");
    auto restore = qScopeGuard([&] { qputenv("HOME", home); });
    qputenv("HOME", QFile::encodeName(folder->path()));
    Widget widget;
    const QString report = diagnosticsReport(widget);
    QVERIFY2(report.contains(QLatin1String("\nfolder: ~/modules\n")), qPrintable(report));
    QVERIFY(!report.contains(folder->path()));
    QVERIFY(!report.contains(QDir(folder->path()).canonicalPath()));
}

void tst_Widget::regainedFocusReachesTheQmlField()
{
    folder->write("Field.qml", "import QtQuick\n"
                               "TextInput { width: 200; height: 30; focus: true }\n");
    Widget widget;
    myQQuickView *view = widget.view();
    view->setSource(QUrl::fromLocalFile(folder->path() + QStringLiteral("/Field.qml")));
    QVERIFY(view->rootObject());
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    // The window loses the focus and gets it back, as when the user switches away and back.
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(view, &out);
    QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(view, &in);
    QTest::keyClicks(view, QStringLiteral("ab"));
    QCOMPARE(view->rootObject()->property("text").toString(), QStringLiteral("ab"));
}

QTEST_MAIN(tst_Widget)
#include "tst_widget.moc"
