#pragma once

#include <QDBusConnection>
#include <QList>
#include <QRect>
#include <QString>

#include <memory>

class FocusEventLog;

// The roles a screen reader announces, as the accessibility bus names them.
namespace Role {
inline const QString button = QStringLiteral("push button");
inline const QString comboBox = QStringLiteral("combo box");
inline const QString listItem = QStringLiteral("list item");
inline const QString slider = QStringLiteral("slider");
inline const QString checkBox = QStringLiteral("check box");
inline const QString dialog = QStringLiteral("dialog");
} // namespace Role

// One running program as assistive technologies see it: its accessible
// objects on the accessibility bus (AT-SPI, reached through the session
// bus), found by name among those on screen, read and pressed. Works on any
// window system, so tests can open panels where no pointer can be injected.
// The program needs QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (or a screen reader
// setting) to show itself there.
class AccessibleApp
{
public:
    struct Node
    {
        QString service;
        QString path;
        bool isValid() const { return !service.isEmpty(); }
    };

    AccessibleApp();
    ~AccessibleApp();

    // Starts the accessibility bus of a session bus (this process's own
    // unless told) when it is not running; false (with the reason) when the
    // session bus does not offer one. Programs on that session bus find it
    // there and show themselves on it.
    bool connect(QString *whyNot, const QDBusConnection &session = QDBusConnection::sessionBus());
    // Waits until the program of process pid shows itself on that bus.
    bool attach(qint64 pid, int timeoutMs);

    // The objects on screen named name, in tree order, below under (the
    // program's root when invalid).
    QList<Node> findAll(const QString &name, const Node &under = {});
    // The first of them, waiting up to timeoutMs for it to appear.
    Node find(const QString &name, const Node &under = {}, int timeoutMs = 5000);
    // The same, of one role only ("push button", "list item", "slider").
    QList<Node> findAll(const QString &name, const QString &role, const Node &under = {});
    Node find(const QString &name, const QString &role, const Node &under = {},
              int timeoutMs = 5000);

    // The object on screen that holds the keyboard focus (the deepest one
    // when a panel holds it too); invalid when none does.
    Node focused();

    // From now on, notes the objects the program announces as focused, as a
    // screen reader hears of them; false when the bus refuses.
    bool listenForFocus();
    // The last object announced focused; invalid when none was.
    Node lastFocusAnnounced() const;

    QString name(const Node &node);
    QString description(const Node &node);
    QString role(const Node &node);
    // Where the object is in the program's main window (its first); empty
    // when it does not say. Its place on the screen is not used: under a
    // window manager the program may not know where its window was put.
    QRect extents(const Node &node);
    // Performs the object's "Press" action; false when it has none.
    bool press(const Node &node);

private:
    QList<Node> children(const Node &node);
    // The first word of the object's state set; 0 when it does not answer.
    uint state(const Node &node);
    QVariant property(const Node &node, const QString &name);
    QRect screenExtents(const Node &node);

    QString connectionName;
    QDBusConnection bus;
    Node root;
    std::unique_ptr<FocusEventLog> focusLog;
};
