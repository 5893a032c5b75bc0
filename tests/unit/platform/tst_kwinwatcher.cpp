// The KWin watcher against a stand-in for KWin on a private session bus: the
// stand-in runs the script it is given in a JavaScript engine with a
// workspace of its own, as KWin does, so the reports that reach the follower
// come from the script itself.
#include "platform/linux/KWinActiveWindowWatcher.h"
#include "shell/AppProfileFollower.h"
#include "shell/OwnWindow.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QFile>
#include <QJSEngine>
#include <QMutex>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

namespace {

// What KWin's scripts see: callDBus, and a workspace announcing activations
// under the names of Plasma 5 or of Plasma 6.
const char *workspaceScript = R"(
var workspace = { activeClient: undefined, activeWindow: undefined };
workspace[ACTIVE] = { resourceClass: "org.kde.dolphin", resourceName: "dolphin", pid: 300 };
workspace[SIGNAL] = { handlers: [], connect: function (f) { this.handlers.push(f); } };
function callDBus() { bus.send(Array.prototype.slice.call(arguments)); }
function activate(w) { workspace[SIGNAL].handlers.forEach(function (f) { f(w); }); }
)";

// Lives in a thread of its own, so that the watcher's blocking unload at
// the end finds it answering.
class FakeKWin : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")
public:
    FakeKWin(const QDBusConnection &connection, bool plasma6, bool refuse)
        : bus(connection), plasma6(plasma6), refuse(refuse)
    {
    }

    QStringList calls() const
    {
        QMutexLocker lock(&mutex);
        return callList;
    }
    QString script() const
    {
        QMutexLocker lock(&mutex);
        return scriptText;
    }
    QString scriptFile() const
    {
        QMutexLocker lock(&mutex);
        return scriptPath;
    }

    Q_INVOKABLE void send(const QVariantList &arguments)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            arguments.value(0).toString(), arguments.value(1).toString(),
            arguments.value(2).toString(), arguments.value(3).toString());
        call.setArguments(arguments.mid(4));
        bus.send(call);
    }

    // A window becomes active; a null one is the desktop.
    Q_INVOKABLE void activate(const QString &window)
    {
        engine->evaluate(QStringLiteral("activate(%1)").arg(window));
    }

public slots:
    int loadScript(const QString &path, const QString &pluginName)
    {
        record(QStringLiteral("loadScript ") + pluginName);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        QMutexLocker lock(&mutex);
        scriptText = QString::fromUtf8(file.readAll());
        scriptPath = path;
        return refuse ? -1 : 0;
    }
    void start()
    {
        record(QStringLiteral("start"));
        if (refuse)
            return;
        engine = new QJSEngine(this);
        engine->globalObject().setProperty(QStringLiteral("bus"), engine->newQObject(this));
        QJSEngine::setObjectOwnership(this, QJSEngine::CppOwnership);
        const QString names = plasma6 ? QStringLiteral("var ACTIVE = 'activeWindow', SIGNAL = "
                                                       "'windowActivated';")
                                      : QStringLiteral("var ACTIVE = 'activeClient', SIGNAL = "
                                                       "'clientActivated';");
        const QJSValue result =
            engine->evaluate(names + QString::fromLatin1(workspaceScript) + script());
        if (result.isError())
            qWarning("script failed: %s", qPrintable(result.toString()));
    }
    bool unloadScript(const QString &pluginName)
    {
        record(QStringLiteral("unloadScript ") + pluginName);
        return true;
    }

private:
    void record(const QString &call)
    {
        QMutexLocker lock(&mutex);
        callList.append(call);
    }

    QDBusConnection bus;
    const bool plasma6;
    const bool refuse;
    QJSEngine *engine = nullptr;
    mutable QMutex mutex;
    QStringList callList;
    QString scriptText;
    QString scriptPath;
};

struct KWinOnBus
{
    QThread thread;
    FakeKWin *kwin = nullptr;

    KWinOnBus(const QString &address, bool plasma6, bool refuse)
    {
        QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("kwin"));
        kwin = new FakeKWin(bus, plasma6, refuse);
        kwin->moveToThread(&thread);
        QObject::connect(&thread, &QThread::finished, kwin, &QObject::deleteLater);
        thread.start();
        bus.registerObject(QStringLiteral("/Scripting"), kwin, QDBusConnection::ExportAllSlots);
        bus.registerService(QStringLiteral("org.kde.KWin"));
    }
    ~KWinOnBus()
    {
        QDBusConnection bus(QStringLiteral("kwin"));
        bus.unregisterObject(QStringLiteral("/Scripting"));
        bus.unregisterService(QStringLiteral("org.kde.KWin"));
        thread.quit();
        thread.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("kwin"));
    }
    void activate(const QString &window)
    {
        QMetaObject::invokeMethod(kwin, "activate", Qt::BlockingQueuedConnection,
                                  Q_ARG(QString, window));
    }
};

} // namespace

class tst_KWinWatcher : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void scriptReportsActivations_data();
    void scriptReportsActivations();
    void refusedScript();

private:
    QProcess busDaemon;
    QString address;
};

void tst_KWinWatcher::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        QSKIP("dbus-daemon is not installed");
    busDaemon.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
    QVERIFY(busDaemon.waitForStarted(5000) && busDaemon.waitForReadyRead(5000));
    address = QString::fromLatin1(busDaemon.readLine().trimmed());
    QVERIFY(!address.isEmpty());
}

void tst_KWinWatcher::cleanupTestCase()
{
    busDaemon.kill();
    busDaemon.waitForFinished();
}

void tst_KWinWatcher::scriptReportsActivations_data()
{
    QTest::addColumn<bool>("plasma6");
    QTest::newRow("Plasma 5") << false;
    QTest::newRow("Plasma 6") << true;
}

void tst_KWinWatcher::scriptReportsActivations()
{
    QFETCH(bool, plasma6);
    KWinOnBus kwin(address, plasma6, false);
    QDBusConnection ours = QDBusConnection::connectToBus(address, QStringLiteral("ours"));
    QVERIFY(ours.isConnected());
    auto watcher = std::make_unique<KWinActiveWindowWatcher>(ours);
    QList<int> switches;
    AppProfileFollower::Hooks hooks;
    hooks.rules = [] {
        AppProfileRules rules;
        rules.programs.insert(1, {QStringLiteral("gimp")});
        rules.programs.insert(2, {QStringLiteral("org.kde.dolphin")});
        rules.fallback = 3;
        return rules;
    };
    hooks.switchTo = [&switches](int no) {
        switches.append(no);
        return AppProfileFollower::SwitchResult::Done;
    };
    hooks.isOwnWindow = isOwnWindow;
    AppProfileFollower follower(*watcher, hooks);
    watcher->start();

    // A script left by a crash goes first; the new one calls back this connection.
    const QString plugin = QStringLiteral("r770-active-window");
    QTRY_COMPARE(kwin.kwin->calls(),
                 (QStringList{QStringLiteral("unloadScript ") + plugin,
                              QStringLiteral("loadScript ") + plugin, QStringLiteral("start")}));
    QVERIFY(kwin.kwin->script().contains(QLatin1Char('"') + ours.baseService() +
                                         QLatin1String("\", \"/ActiveWindow\"")));
    // The window active when the script starts.
    QTRY_COMPARE(switches, QList<int>{2});

    kwin.activate(QStringLiteral("{resourceClass: 'gimp', resourceName: 'gimp-2.10', pid: 400}"));
    QTRY_COMPARE(switches, (QList<int>{2, 1}));
    // The program's own window, then the desktop (no window): the fallback.
    kwin.activate(QStringLiteral("{resourceClass: 'R770', resourceName: 'R770', pid: %1}")
                      .arg(QCoreApplication::applicationPid()));
    kwin.activate(QStringLiteral("null"));
    QTRY_COMPARE(switches, (QList<int>{2, 1, 3}));

    // Someone else on the bus cannot switch profiles.
    QDBusConnection other = QDBusConnection::connectToBus(address, QStringLiteral("other"));
    QDBusMessage fake = QDBusMessage::createMethodCall(
        ours.baseService(), QStringLiteral("/ActiveWindow"),
        QStringLiteral("com.zerant.molta.R770.ActiveWindow"), QStringLiteral("WindowActivated"));
    fake << QStringLiteral("gimp") << QStringLiteral("gimp") << QStringLiteral("1");
    QDBusPendingCall answered = other.asyncCall(fake);
    QTRY_VERIFY(answered.isFinished());
    QVERIFY(!answered.isError());
    QCOMPARE(switches, (QList<int>{2, 1, 3}));
    QDBusConnection::disconnectFromBus(QStringLiteral("other"));

    // At the end the script is unloaded and its file removed.
    QVERIFY(watcher->isAvailable());
    QCOMPARE(watcher->sourceName(), QStringLiteral("KWin script"));
    watcher.reset();
    QCOMPARE(kwin.kwin->calls().size(), 4);
    QCOMPARE(kwin.kwin->calls().last(), QStringLiteral("unloadScript ") + plugin);
    QVERIFY(!kwin.kwin->scriptFile().isEmpty());
    QVERIFY(!QFile::exists(kwin.kwin->scriptFile()));
    QDBusConnection::disconnectFromBus(QStringLiteral("ours"));
}

void tst_KWinWatcher::refusedScript()
{
    KWinOnBus kwin(address, false, true);
    QDBusConnection ours = QDBusConnection::connectToBus(address, QStringLiteral("ours"));
    KWinActiveWindowWatcher watcher(ours);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Active window: KWin "
                                                                       "script: .*refused")));
    watcher.start();
    QTRY_VERIFY(!watcher.isAvailable());
    QVERIFY2(watcher.unavailableReason().contains(QLatin1String("refused")),
             qPrintable(watcher.unavailableReason()));
}

QTEST_GUILESS_MAIN(tst_KWinWatcher)
#include "tst_kwinwatcher.moc"
