// The window on a desktop with a window manager, on a display of the test's
// own: a drag on the title bar hands the move to the window manager and the
// window follows the pointer; a login start shows no window until asked,
// and the login entry is written and removed from the command line.
#include "DemoSession.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class tst_DesktopWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void dragMovesTheWindowWithThePointer();
    void hiddenStartAndLoginEntry();

private:
    bool windowManagerReady();

    QProcess xServer;
    QProcess windowManager;
};

bool tst_DesktopWindow::windowManagerReady()
{
    QByteArray supported;
    for (int i = 0; i < 100; ++i) {
        if (XDisplay::run(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTED"}, &supported) &&
            supported.contains("_NET_WM_MOVERESIZE"))
            return true;
        QTest::qWait(100);
    }
    return false;
}

void tst_DesktopWindow::initTestCase()
{
    for (const char *tool : {"Xvfb", "openbox", "xprop", "xdotool"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
    }
    // Xvfb names a free display on the descriptor it is given.
    xServer.start(QStringLiteral("Xvfb"),
                  {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"});
    QVERIFY(xServer.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(xServer.canReadLine(), 10000);
    const QByteArray display = xServer.readLine().trimmed();
    qputenv("DISPLAY", ":" + display);
    windowManager.start(QStringLiteral("openbox"), {});
    QVERIFY(windowManager.waitForStarted());
    QVERIFY2(windowManagerReady(), "openbox did not announce _NET_WM_MOVERESIZE");
}

void tst_DesktopWindow::cleanupTestCase()
{
    for (QProcess *process : {&windowManager, &xServer}) {
        process->terminate();
        if (!process->waitForFinished(5000))
            process->kill();
        process->waitForFinished(1000);
    }
}

void tst_DesktopWindow::dragMovesTheWindowWithThePointer()
{
    auto demo = DemoSession::startCopy();
    if (!demo)
        return;
    const QPoint before = demo->windowOrigin();
    const QRect close = demo->where(QStringLiteral("Close"), Role::button);
    QVERIFY(!close.isEmpty());
    // A free spot of the title bar; the first step of the drag hands it over.
    const QPoint grab(420, 24);
    const QPoint start = before + grab;
    const QPoint step(1, 1);
    const QPoint travel(150, 90);
    const QPoint end = start + step + travel;
    QVERIFY(demo->xdotool(
        {"mousemove", QString::number(start.x()), QString::number(start.y()), "mousedown", "1",
         "sleep", "0.3", "mousemove", QString::number(start.x() + step.x()),
         QString::number(start.y() + step.y()), "sleep", "0.3", "mousemove",
         QString::number(end.x()), QString::number(end.y()), "sleep", "0.3", "mouseup", "1"}));

    QPoint after;
    QTRY_VERIFY_WITH_TIMEOUT(
        (after = XDisplay::findProgramWindow(demo->program().processId(), 2000).origin,
         (after - before - travel).manhattanLength() <= 2),
        5000);

    // The window takes clicks where it now is: its close button hides it.
    const QPoint closeNow = after + close.center();
    QVERIFY(
        XDisplay::run(QStringLiteral("xdotool"), {"mousemove", QString::number(closeNow.x()),
                                                  QString::number(closeNow.y()), "click", "1"}));
    QTRY_VERIFY_WITH_TIMEOUT(!demo->windowVisible(), 5000);
}

void tst_DesktopWindow::hiddenStartAndLoginEntry()
{
    DemoSession demo;
    QString whyNot;
    if (!demo.startBus(&whyNot))
        QSKIP(qPrintable(whyNot));
    QVERIFY(demo.start({"--virtual-mouse", "--hidden"}));
    QVERIFY(demo.waitForOutput("Device Connect", 60000));
    QVERIFY(!demo.findWindow(3000));

    // Another login start leaves it hidden; a plain start shows it.
    QCOMPARE(demo.runAgain({"--hidden"}).code, 1);
    QVERIFY(!demo.findWindow(1500));
    QCOMPARE(demo.runAgain({"--show"}).code, 0);
    QVERIFY(demo.findWindow(10000));

    const QString entry =
        demo.environment().value("XDG_CONFIG_HOME") + "/autostart/r770config.desktop";
    const DemoSession::Run on = demo.runAgain({"--autostart", "on"});
    QCOMPARE(on.code, 0);
    QVERIFY2(on.out.contains(entry.toUtf8()), on.out.constData());
    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(
        file.readAll().contains("\nExec=\"" + demo.copy().executable().toUtf8() + "\" --hidden\n"));
    QByteArray complaints;
    if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
        QVERIFY2(XDisplay::run("desktop-file-validate", {entry}, &complaints),
                 complaints.constData());

    QCOMPARE(demo.runAgain({"--autostart", "off"}).code, 0);
    QVERIFY(!QFile::exists(entry));
    const DemoSession::Run wrong = demo.runAgain({"--autostart", "maybe"});
    QCOMPARE(wrong.code, 1);
    QVERIFY(wrong.err.contains("--autostart takes on or off"));
}

QTEST_GUILESS_MAIN(tst_DesktopWindow)
#include "tst_desktopwindow.moc"
