#include "platform/linux/KWinActiveWindowWatcher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDebug>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace {

const QString kwinService = QStringLiteral("org.kde.KWin");
constexpr int UnloadTimeout = 1000; // ms: quitting must not hang on a stuck KWin

// A JavaScript string literal of text.
QString jsString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

KWinActiveWindowWatcher::KWinActiveWindowWatcher(const QDBusConnection &connection)
    : bus(connection), scriptFile(QDir::tempPath() + QStringLiteral("/r770-kwin-XXXXXX.js"))
{
    if (!bus.isConnected())
        unavailable = QStringLiteral("There is no session bus to reach KWin.");
}

KWinActiveWindowWatcher::~KWinActiveWindowWatcher()
{
    if (loadSent) {
        // Waits (briefly) so that the message leaves before the program ends.
        QDBusMessage unload = scriptingCall("unloadScript");
        unload << QString::fromLatin1(PluginName);
        bus.call(unload, QDBus::Block, UnloadTimeout);
    }
    if (registered)
        bus.unregisterObject(QString::fromLatin1(ObjectPath));
}

QString KWinActiveWindowWatcher::script(const QString &service)
{
    // Plasma 6 names them windowActivated and activeWindow, Plasma 5
    // clientActivated and activeClient.
    return QStringLiteral(R"((function () {
    function report(w) {
        callDBus(%1, %2, %3, "WindowActivated",
                 w ? String(w.resourceClass) : "", w ? String(w.resourceName) : "",
                 w ? String(w.pid) : "");
    }
    var activated = workspace.windowActivated || workspace.clientActivated;
    activated.connect(report);
    report(workspace.activeWindow !== undefined ? workspace.activeWindow : workspace.activeClient);
})();
)")
        .arg(jsString(service), jsString(QString::fromLatin1(ObjectPath)),
             jsString(QString::fromLatin1(InterfaceName)));
}

QDBusMessage KWinActiveWindowWatcher::scriptingCall(const char *method) const
{
    return QDBusMessage::createMethodCall(kwinService, QStringLiteral("/Scripting"),
                                          QStringLiteral("org.kde.kwin.Scripting"),
                                          QString::fromLatin1(method));
}

void KWinActiveWindowWatcher::start()
{
    if (!isAvailable() || registered)
        return;
    registered = bus.registerObject(QString::fromLatin1(ObjectPath), this,
                                    QDBusConnection::ExportScriptableSlots);
    if (!registered) {
        fail(QStringLiteral("the object path %1 is taken").arg(QString::fromLatin1(ObjectPath)));
        return;
    }
    const QByteArray text = script(bus.baseService()).toUtf8();
    if (!scriptFile.open() || scriptFile.write(text) != text.size() || !scriptFile.flush()) {
        fail(QStringLiteral("cannot write %1: %2")
                 .arg(scriptFile.fileName(), scriptFile.errorString()));
        return;
    }
    // KWin's connection is known before its script can call.
    QDBusMessage owner = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"));
    owner << kwinService;
    whenAnswered(bus.asyncCall(owner), QStringLiteral("KWin is not on the session bus"),
                 [this](const QDBusMessage &reply) {
                     kwinConnection = reply.arguments().value(0).toString();
                     loadScript();
                 });
}

void KWinActiveWindowWatcher::loadScript()
{
    // The bus keeps the order of one connection's calls: a script left over
    // by a crash goes first, then this one is loaded and run.
    QDBusMessage unload = scriptingCall("unloadScript");
    unload << QString::fromLatin1(PluginName);
    bus.call(unload, QDBus::NoBlock);
    QDBusMessage load = scriptingCall("loadScript");
    load << scriptFile.fileName() << QString::fromLatin1(PluginName);
    loadSent = true;
    whenAnswered(bus.asyncCall(load), QStringLiteral("KWin did not load the script"),
                 [this](const QDBusMessage &reply) {
                     if (reply.arguments().value(0).toInt() < 0)
                         fail(QStringLiteral("KWin refused the script"));
                 });
    whenAnswered(bus.asyncCall(scriptingCall("start")),
                 QStringLiteral("KWin did not start the script"), [](const QDBusMessage &) {});
}

void KWinActiveWindowWatcher::whenAnswered(const QDBusPendingCall &call, const QString &failure,
                                           std::function<void(const QDBusMessage &)> onReply)
{
    auto *pending = new QDBusPendingCallWatcher(call, this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, failure, onReply = std::move(onReply)](QDBusPendingCallWatcher *answered) {
                answered->deleteLater();
                if (answered->isError())
                    fail(failure + QStringLiteral(": ") + answered->error().message());
                else
                    onReply(answered->reply());
            });
}

void KWinActiveWindowWatcher::WindowActivated(const QString &resourceClass,
                                              const QString &resourceName, const QString &pid)
{
    // Anyone on the session bus may call: only KWin's connection tells the truth.
    if (!isAvailable() || !calledFromDBus() || kwinConnection.isEmpty() ||
        message().service() != kwinConnection)
        return;
    ActiveWindow window;
    window.className = resourceClass;
    window.instanceName = resourceName;
    window.pid = pid.toLongLong();
    emit activeWindowChanged(window);
}

void KWinActiveWindowWatcher::fail(const QString &reason)
{
    if (!isAvailable())
        return;
    unavailable = QStringLiteral("KWin does not report the active window (%1).").arg(reason);
    qDebug().noquote() << "Active window: KWin script:" << reason;
}
