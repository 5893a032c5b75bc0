#include "AccessibleApp.h"

#include <QDBusArgument>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QTest>
#include <QUuid>

namespace {

const QString accessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");
const QString actionInterface = QStringLiteral("org.a11y.atspi.Action");
const QString rootPath = QStringLiteral("/org/a11y/atspi/accessible/root");
// Bits of the first word of an object's state set.
constexpr uint stateFocused = 1u << 12;
constexpr uint stateShowing = 1u << 25;

} // namespace

// Collects the "focused" state changes that programs announce on the bus.
class FocusEventLog : public QObject
{
    Q_OBJECT
public:
    AccessibleApp::Node last;

public slots:
    void stateChanged(const QDBusMessage &message)
    {
        // (state name, 1 when set, ...)
        const QList<QVariant> arguments = message.arguments();
        if (arguments.size() >= 2 && arguments.at(0).toString() == QLatin1String("focused") &&
            arguments.at(1).toInt() == 1)
            last = {message.service(), message.path()};
    }
};

AccessibleApp::AccessibleApp()
    : connectionName(QStringLiteral("a11y-") + QUuid::createUuid().toString(QUuid::Id128)),
      bus(connectionName)
{
}

AccessibleApp::~AccessibleApp()
{
    QDBusConnection::disconnectFromBus(connectionName);
}

bool AccessibleApp::connect(QString *whyNot, const QDBusConnection &session)
{
    // Asking for the address starts the accessibility bus on demand.
    QDBusInterface launcher(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                            QStringLiteral("org.a11y.Bus"), session);
    const QDBusReply<QString> reply = launcher.call(QStringLiteral("GetAddress"));
    if (!reply.isValid()) {
        *whyNot = QStringLiteral("no accessibility bus (at-spi2-core): ") + reply.error().message();
        return false;
    }
    bus = QDBusConnection::connectToBus(reply.value(), connectionName);
    if (!bus.isConnected()) {
        *whyNot = QStringLiteral("cannot connect to the accessibility bus ") + reply.value();
        return false;
    }
    return true;
}

bool AccessibleApp::attach(qint64 pid, int timeoutMs)
{
    // The registry lists the programs that have shown themselves.
    const Node desktop{QStringLiteral("org.a11y.atspi.Registry"), rootPath};
    QDBusInterface busDaemon(QStringLiteral("org.freedesktop.DBus"),
                             QStringLiteral("/org/freedesktop/DBus"),
                             QStringLiteral("org.freedesktop.DBus"), bus);
    QDeadlineTimer deadline(timeoutMs);
    do {
        for (const Node &app : children(desktop)) {
            const QDBusReply<uint> owner =
                busDaemon.call(QStringLiteral("GetConnectionUnixProcessID"), app.service);
            if (owner.isValid() && owner.value() == pid) {
                root = app;
                return true;
            }
        }
        QTest::qWait(100);
    } while (!deadline.hasExpired());
    return false;
}

QList<AccessibleApp::Node> AccessibleApp::children(const Node &node)
{
    QDBusMessage call = QDBusMessage::createMethodCall(node.service, node.path, accessibleInterface,
                                                       QStringLiteral("GetChildren"));
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    QList<Node> nodes;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return nodes;
    // a(so): the bus name and object path of each child.
    const QDBusArgument list = reply.arguments().constFirst().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        Node child;
        QDBusObjectPath path;
        list.beginStructure();
        list >> child.service >> path;
        list.endStructure();
        child.path = path.path();
        nodes << child;
    }
    list.endArray();
    return nodes;
}

uint AccessibleApp::state(const Node &node)
{
    QDBusMessage call = QDBusMessage::createMethodCall(node.service, node.path, accessibleInterface,
                                                       QStringLiteral("GetState"));
    const QDBusReply<QList<uint>> words = bus.call(call, QDBus::Block, 5000);
    return words.isValid() && !words.value().isEmpty() ? words.value().at(0) : 0;
}

QVariant AccessibleApp::property(const Node &node, const QString &name)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        node.service, node.path, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    call << accessibleInterface << name;
    const QDBusReply<QDBusVariant> value = bus.call(call, QDBus::Block, 5000);
    return value.isValid() ? value.value().variant() : QVariant();
}

QString AccessibleApp::name(const Node &node)
{
    return property(node, QStringLiteral("Name")).toString();
}

QString AccessibleApp::description(const Node &node)
{
    return property(node, QStringLiteral("Description")).toString();
}

QString AccessibleApp::role(const Node &node)
{
    QDBusMessage call = QDBusMessage::createMethodCall(node.service, node.path, accessibleInterface,
                                                       QStringLiteral("GetRoleName"));
    const QDBusReply<QString> role = bus.call(call, QDBus::Block, 5000);
    return role.isValid() ? role.value() : QString();
}

QRect AccessibleApp::extents(const Node &node)
{
    const QRect onScreen = screenExtents(node);
    const QRect window = screenExtents(children(root).value(0));
    return onScreen.isEmpty() ? onScreen : onScreen.translated(-window.topLeft());
}

QRect AccessibleApp::screenExtents(const Node &node)
{
    if (!node.isValid())
        return {};
    QDBusMessage call = QDBusMessage::createMethodCall(node.service, node.path,
                                                       QStringLiteral("org.a11y.atspi.Component"),
                                                       QStringLiteral("GetExtents"));
    call << uint(0); // screen coordinates
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    // (iiii): x, y, width, height.
    int x = 0, y = 0, width = 0, height = 0;
    const QDBusArgument box = reply.arguments().constFirst().value<QDBusArgument>();
    box.beginStructure();
    box >> x >> y >> width >> height;
    box.endStructure();
    return {x, y, width, height};
}

QList<AccessibleApp::Node> AccessibleApp::findAll(const QString &wanted, const Node &under)
{
    return findAll(wanted, QString(), under);
}

QList<AccessibleApp::Node> AccessibleApp::findAll(const QString &wanted, const QString &wantedRole,
                                                  const Node &under)
{
    QList<Node> found;
    // Depth first, in tree order; what is not on screen is left out with all below it.
    QList<Node> stack{under.isValid() ? under : root};
    while (!stack.isEmpty()) {
        const Node node = stack.takeLast();
        if (node.path != rootPath && !(state(node) & stateShowing))
            continue;
        if (name(node) == wanted && (wantedRole.isEmpty() || role(node) == wantedRole))
            found << node;
        const QList<Node> below = children(node);
        for (auto it = below.crbegin(); it != below.crend(); ++it)
            stack << *it;
    }
    return found;
}

AccessibleApp::Node AccessibleApp::find(const QString &wanted, const Node &under, int timeoutMs)
{
    return find(wanted, QString(), under, timeoutMs);
}

AccessibleApp::Node AccessibleApp::find(const QString &wanted, const QString &wantedRole,
                                        const Node &under, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QList<Node> found = findAll(wanted, wantedRole, under);
        if (!found.isEmpty() || deadline.hasExpired())
            return found.value(0);
        QTest::qWait(100);
    }
}

AccessibleApp::Node AccessibleApp::focused()
{
    // Only one chain of objects holds the focus, so the last focused one in
    // tree order is the deepest.
    Node found;
    QList<Node> stack{root};
    while (!stack.isEmpty()) {
        const Node node = stack.takeLast();
        const uint bits = node.path == rootPath ? stateShowing : state(node);
        if (!(bits & stateShowing))
            continue;
        if (bits & stateFocused)
            found = node;
        const QList<Node> below = children(node);
        for (auto it = below.crbegin(); it != below.crend(); ++it)
            stack << *it;
    }
    return found;
}

bool AccessibleApp::listenForFocus()
{
    focusLog = std::make_unique<FocusEventLog>();
    if (!bus.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"),
                     QStringLiteral("StateChanged"), focusLog.get(),
                     SLOT(stateChanged(QDBusMessage))))
        return false;
    // Programs send only the events that some listener asked the registry for.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry"),
        QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("RegisterEvent"));
    call << QStringLiteral("object:state-changed:focused");
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    QTest::qWait(300); // the programs hear of the new listener
    return reply.type() == QDBusMessage::ReplyMessage;
}

AccessibleApp::Node AccessibleApp::lastFocusAnnounced() const
{
    return focusLog ? focusLog->last : Node();
}

bool AccessibleApp::press(const Node &node)
{
    const int count = [&] {
        QDBusMessage call = QDBusMessage::createMethodCall(
            node.service, node.path, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        call << actionInterface << QStringLiteral("NActions");
        const QDBusReply<QDBusVariant> value = bus.call(call, QDBus::Block, 5000);
        return value.isValid() ? value.value().variant().toInt() : 0;
    }();
    for (int i = 0; i < count; ++i) {
        QDBusMessage call = QDBusMessage::createMethodCall(node.service, node.path, actionInterface,
                                                           QStringLiteral("GetName"));
        call << i;
        const QDBusReply<QString> actionName = bus.call(call, QDBus::Block, 5000);
        if (!actionName.isValid() || actionName.value() != QLatin1String("Press"))
            continue;
        QDBusMessage doIt = QDBusMessage::createMethodCall(node.service, node.path, actionInterface,
                                                           QStringLiteral("DoAction"));
        doIt << i;
        const QDBusReply<bool> done = bus.call(doIt, QDBus::Block, 5000);
        return done.isValid() && done.value();
    }
    return false;
}

#include "AccessibleApp.moc"
