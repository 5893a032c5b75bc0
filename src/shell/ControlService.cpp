#include "shell/ControlService.h"

#include "backend/myQQuickView.h"
#include "shell/DeviceConnectedFlag.h"
#include "shell/DiagnosticsReport.h"
#include "shell/Widget.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QMetaObject>
#include <QQuickItem>

namespace {

const QString errorPrefix = QStringLiteral("com.zerant.molta.R770.Control.Error.");

} // namespace

ControlService::ControlService(Widget &widget, QObject *parent) : QObject(parent), window(widget)
{
    watchScreen();
}

ControlService::~ControlService()
{
    if (registered)
        QDBusConnection::sessionBus().unregisterObject(QString::fromLatin1(ObjectPath));
}

bool ControlService::registerOnSessionBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    registered =
        bus.registerObject(QString::fromLatin1(ObjectPath), this,
                           QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                               QDBusConnection::ExportAllProperties);
    // The copy-data channel and the demo mouse share the name; owning it twice is fine.
    return registered && bus.registerService(QString::fromLatin1(ServiceName));
}

const ScreenState &ControlService::screen() const
{
    return window.view()->screenState();
}

void ControlService::watchScreen()
{
    // The pages hold the truth: whoever changes the profile or the stage (the
    // title bar, the mouse's DPI button, this interface) reports it there.
    connect(&screen(), &ScreenState::activeRowChanged, this, [this](int row) {
        emit ActiveProfileChanged(row);
        announce(QStringLiteral("ActiveProfile"), row);
    });
    connect(&screen(), &ScreenState::dpiStageChanged, this, [this](int stage) {
        emit DpiStageChanged(stage);
        announce(QStringLiteral("DpiStage"), stage);
    });
}

QList<ControlService::ProfileRow> ControlService::rows() const
{
    const QStringList names = screen().profileNames();
    const QList<int> numbers = screen().profileNumbers();
    QList<ProfileRow> list;
    for (qsizetype i = 0; i < names.size(); ++i)
        list.append({names.at(i), numbers.at(i)});
    return list;
}

QStringList ControlService::profiles() const
{
    return screen().profileNames();
}

// The row of the active profile: rows carry their file's number, which need not be the row.
int ControlService::activeProfile() const
{
    return screen().activeRow();
}

int ControlService::dpiStage() const
{
    return screen().dpiStage();
}

bool ControlService::screenLocked() const
{
    // Before the first start-up pass the pages hold nothing to switch.
    return screen().locked() || !screen().started();
}

bool ControlService::panelOpen() const
{
    return screen().panelOpen();
}

bool ControlService::mouseConnected() const
{
    // The flag stays up after a removal until the next detection; the
    // listener ends at once when the mouse goes.
    return deviceConnected() && window.link().isListenerRunning();
}

bool ControlService::refuse(const char *error, const QString &message)
{
    if (calledFromDBus())
        sendErrorReply(errorPrefix + QLatin1String(error), message);
    return false;
}

void ControlService::announce(const QString &property, const QVariant &value)
{
    if (!registered)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(ObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(InterfaceName) << QVariantMap{{property, value}} << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

bool ControlService::linkHeld() const
{
    // A command waiting for the mouse lets events through, this call among
    // them: anything sent now would find the link taken under it.
    return !window.link().isHidFree();
}

bool ControlService::refusedForNow()
{
    if (!mouseConnected())
        refuse("NoMouse", QStringLiteral("No mouse is connected"));
    else if (linkHeld())
        refuse("Busy", QStringLiteral("The mouse is busy with an update; try again"));
    else if (screenLocked())
        refuse("Busy", QStringLiteral("The window is busy with an update; try again"));
    else
        return false;
    return true;
}

void ControlService::SwitchProfile(int row)
{
    const int count = int(rows().size());
    if (row < 0 || row >= count) {
        refuse(
            "NoSuchProfile",
            QStringLiteral("There is no profile in row %1 (rows 0 to %2)").arg(row).arg(count - 1));
        return;
    }
    if (refusedForNow())
        return;
    // What a panel shows belongs to the profile it was opened on.
    if (panelOpen()) {
        refuse("Busy", QStringLiteral("A panel is open in the window; close it first"));
        return;
    }
    // The title bar's own switch, lock and all; the reply leaves when it is done.
    QMetaObject::invokeMethod(window.view()->rootObject(), "switchToRow", Qt::DirectConnection,
                              Q_ARG(QVariant, QVariant(row)));
}

AppProfileFollower::SwitchResult ControlService::switchToProfileNo(int profileNo)
{
    const int row = screen().rowOfProfileNo(profileNo);
    if (row < 0)
        return AppProfileFollower::SwitchResult::Refused;
    if (row == activeProfile())
        return AppProfileFollower::SwitchResult::Done;
    // Unasked, a switch must not throw away edits or move a panel's work
    // into another profile: it waits until they are saved or closed.
    if (linkHeld() || screenLocked() || panelOpen() || screen().unsaved())
        return AppProfileFollower::SwitchResult::Busy;
    QMetaObject::invokeMethod(window.view()->rootObject(), "switchToRow", Qt::DirectConnection,
                              Q_ARG(QVariant, QVariant(row)));
    return AppProfileFollower::SwitchResult::Done;
}

void ControlService::SetDpiStage(int stage)
{
    myQQuickView *view = window.view();
    bool ok = false;
    int count = view->getData(QStringLiteral("mouse/currentDpiCount")).toInt(&ok);
    if (!ok || count < 1 || count > 8)
        count = 8;
    if (stage < 1 || stage > count) {
        refuse("NoSuchStage",
               QStringLiteral("There is no DPI stage %1 (stages 1 to %2)").arg(stage).arg(count));
        return;
    }
    if (refusedForNow())
        return;
    view->mouseSetCurrentDPI(uchar(stage));
    if (!window.link().lastCommandSucceeded()) {
        refuse("Failed", QStringLiteral("The mouse did not take DPI stage %1").arg(stage));
        return;
    }
    // The DPI page shows it as if the mouse's own button had chosen it.
    view->setCurrentDPI(stage);
}

void ControlService::ShowWindow()
{
    window.restoreWindow();
}

void ControlService::Quit()
{
    if (calledFromDBus()) {
        // The bus connection writes on its own thread: a program that ends at
        // once may take the reply with it. The reply first, then a round trip
        // to the bus, which passes on messages in order.
        setDelayedReply(true);
        connection().send(message().createReply());
        connection().call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
    }
    QMetaObject::invokeMethod(&window, &Widget::exitSYS, Qt::QueuedConnection);
}

QString ControlService::Report()
{
    return diagnosticsReport(window);
}
