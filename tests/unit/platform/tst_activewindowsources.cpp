// Where the active window comes from outside X11: which source a session
// gets, and the sway/i3 IPC watcher against a window manager of the test's
// own on a local socket, down to the profile the follower picks.
#include "platform/linux/ActiveWindowSource.h"
#include "platform/linux/WindowManagerIpcWatcher.h"
#include "shell/AppProfileFollower.h"
#include "shell/OwnWindow.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray message(quint32 type, const QByteArray &payload)
{
    QByteArray bytes("i3-ipc");
    char numbers[8];
    qToLittleEndian<quint32>(quint32(payload.size()), numbers);
    qToLittleEndian<quint32>(type, numbers + 4);
    return bytes + QByteArray(numbers, 8) + payload;
}

QByteArray focusEvent(const QByteArray &container)
{
    return message(0x80000003, "{\"change\":\"focus\",\"container\":" + container + "}");
}

// A window manager that accepts one client and answers what the test says.
struct FakeWindowManager
{
    QTemporaryDir folder;
    QLocalServer server;
    QLocalSocket *client = nullptr;
    QByteArray received;

    QString path() const { return folder.filePath(QStringLiteral("ipc.sock")); }
    bool listen() { return server.listen(path()); }
    bool accept()
    {
        if (!server.waitForNewConnection(5000))
            return false;
        client = server.nextPendingConnection();
        QObject::connect(client, &QLocalSocket::readyRead,
                         [this] { received += client->readAll(); });
        return true;
    }
    void send(const QByteArray &bytes)
    {
        client->write(bytes);
        client->flush();
    }
};

struct Switches
{
    QList<int> profiles;
    AppProfileFollower::Hooks hooks()
    {
        AppProfileFollower::Hooks hooks;
        hooks.rules = [] {
            AppProfileRules rules;
            rules.programs.insert(1, {QStringLiteral("foot")});
            rules.programs.insert(2, {QStringLiteral("gimp")});
            rules.fallback = 3;
            return rules;
        };
        hooks.switchTo = [this](int no) {
            profiles.append(no);
            return AppProfileFollower::SwitchResult::Done;
        };
        hooks.isOwnWindow = isOwnWindow;
        return hooks;
    }
};

} // namespace

class tst_ActiveWindowSources : public QObject
{
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
    void followsSwayFocus();
    void brokenPeerIsDropped_data();
    void brokenPeerIsDropped();
    void nobodyListening();
};

void tst_ActiveWindowSources::choice_data()
{
    QTest::addColumn<bool>("x11Session");
    QTest::addColumn<QString>("ipcSocket");
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<bool>("kwinOnBus");
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("reasonPart");
    const int x11 = int(ActiveWindowSource::X11), ipc = int(ActiveWindowSource::WindowManagerIpc),
              kwin = int(ActiveWindowSource::KWinScript), none = int(ActiveWindowSource::None);
    QTest::newRow("i3 on X11 keeps the X11 watcher") << true << "/run/i3/ipc"
                                                     << "i3" << false << x11 << "";
    QTest::newRow("sway") << false << "/run/sway.sock"
                          << "sway" << false << ipc << "";
    QTest::newRow("Plasma on Wayland") << false << ""
                                       << "KDE" << false << kwin << "";
    QTest::newRow("KWin without the desktop's name") << false << ""
                                                     << "" << true << kwin << "";
    QTest::newRow("GNOME on Wayland")
        << false << ""
        << "ubuntu:GNOME" << false << none << "GNOME Shell extensions";
    QTest::newRow("another compositor") << false << ""
                                        << "Hyprland" << false << none << "does not tell";
}

void tst_ActiveWindowSources::choice()
{
    QFETCH(bool, x11Session);
    QFETCH(QString, ipcSocket);
    QFETCH(QString, desktop);
    QFETCH(bool, kwinOnBus);
    QFETCH(int, source);
    QFETCH(QString, reasonPart);
    const ActiveWindowSourceChoice choice =
        chooseActiveWindowSource({x11Session, ipcSocket, desktop, kwinOnBus});
    QCOMPARE(int(choice.source), source);
    QCOMPARE(choice.reason.isEmpty(), reasonPart.isEmpty());
    QVERIFY2(choice.reason.contains(reasonPart), qPrintable(choice.reason));
}

void tst_ActiveWindowSources::followsSwayFocus()
{
    FakeWindowManager manager;
    QVERIFY(manager.listen());
    WindowManagerIpcWatcher watcher(manager.path());
    Switches switches;
    AppProfileFollower follower(watcher, switches.hooks());
    watcher.start();
    QVERIFY(manager.accept());

    // Subscription to window events first, then the tree.
    const QByteArray subscribe("i3-ipc\x0a\0\0\0\x02\0\0\0[\"window\"]", 24);
    const QByteArray getTree("i3-ipc\0\0\0\0\x04\0\0\0", 14);
    QTRY_COMPARE(manager.received, subscribe + getTree);

    // The tree's focused native window is the one active at the start.
    manager.send(message(2, "{\"success\":true}"));
    manager.send(
        message(4, R"({"id":1,"type":"root","nodes":[{"id":2,"type":"output","nodes":[{"id":3,
        "type":"workspace","nodes":[{"id":4,"type":"con","app_id":"xterm","pid":5,
        "focused":false},{"id":5,"type":"con","app_id":"foot","pid":6,"focused":true}]}]}]})"));
    QTRY_COMPARE(switches.profiles, QList<int>{1});

    // An XWayland window by its X11 class; a title change is no focus.
    manager.send(focusEvent(R"({"id":7,"app_id":null,"window":4194307,"pid":8,
        "window_properties":{"class":"Gimp","instance":"gimp-2.10"}})"));
    manager.send(message(0x80000003, R"({"change":"title","container":{"app_id":"xterm"}})"));
    QTRY_COMPARE(switches.profiles, (QList<int>{1, 2}));

    // The program's own window changes nothing; a frame cut in two still
    // arrives whole, and a program without a rule gets the fallback.
    const QByteArray own = QByteArrayLiteral("{\"id\":9,\"app_id\":\"R770\",\"pid\":") +
                           QByteArray::number(QCoreApplication::applicationPid()) + '}';
    manager.send(focusEvent(own));
    const QByteArray other = focusEvent(R"({"id":10,"app_id":"org.other.App","pid":11})");
    manager.send(other.left(9));
    QTest::qWait(50);
    QCOMPARE(switches.profiles, (QList<int>{1, 2}));
    manager.send(other.mid(9));
    QTRY_COMPARE(switches.profiles, (QList<int>{1, 2, 3}));
    QVERIFY(watcher.isAvailable());
    QCOMPARE(watcher.sourceName(), QStringLiteral("sway/i3 IPC"));
}

void tst_ActiveWindowSources::brokenPeerIsDropped_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("wrong magic") << QByteArray("i4-ipc\x02\0\0\0\x02\0\0\0{}", 16);
    // Four gigabytes announced: dropped at once, not waited for.
    QTest::newRow("huge length") << QByteArray("i3-ipc\xf0\xff\xff\xff\x04\0\0\0{", 15);
    QTest::newRow("bad JSON") << message(0x80000003, "{\"change\":\"focus\",\"container\":");
    QTest::newRow("JSON that is no object") << message(4, "[1,2]");
    QTest::newRow("subscription refused") << message(2, "{\"success\":false}");
}

void tst_ActiveWindowSources::brokenPeerIsDropped()
{
    QFETCH(QByteArray, bytes);
    FakeWindowManager manager;
    QVERIFY(manager.listen());
    WindowManagerIpcWatcher watcher(manager.path());
    Switches switches;
    AppProfileFollower follower(watcher, switches.hooks());
    watcher.start();
    QVERIFY(manager.accept());
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Active window: sway/i3 "
                                                                       "IPC dropped: .+")));
    manager.send(bytes);
    QTRY_VERIFY(!watcher.isAvailable());
    QVERIFY(watcher.unavailableReason().startsWith(QLatin1String("The connection")));
    QTRY_COMPARE(manager.client->state(), QLocalSocket::UnconnectedState);
    // Nothing of the broken bytes reached the follower.
    QVERIFY(switches.profiles.isEmpty());
}

void tst_ActiveWindowSources::nobodyListening()
{
    QTemporaryDir folder;
    WindowManagerIpcWatcher watcher(folder.filePath(QStringLiteral("gone.sock")));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("dropped")));
    watcher.start();
    QTRY_VERIFY(!watcher.isAvailable());
    QVERIFY2(watcher.unavailableReason().contains(QLatin1String("gone.sock")),
             qPrintable(watcher.unavailableReason()));
}

QTEST_GUILESS_MAIN(tst_ActiveWindowSources)
#include "tst_activewindowsources.moc"
