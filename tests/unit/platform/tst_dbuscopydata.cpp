#include "platform/linux/DBusCopyDataChannel.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QTest>

namespace {

struct Received
{
    std::uint64_t dwData = 0;
    QByteArray payload;
};

QDBusPendingCall send(QDBusConnection &bus, uint dwData, const QByteArray &payload)
{
    QDBusMessage call = QDBusMessage::createMethodCall("com.zerant.molta.R770", "/",
                                                       "com.zerant.molta.R770.CopyData", "Send");
    call << dwData << payload;
    return bus.asyncCall(call);
}

} // namespace

class DBusCopyDataTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus (run under dbus-run-session)");
    }

    void messagesArriveWholeAfterTheReply()
    {
        DBusCopyDataChannel channel;
        QList<Received> received;
        QVERIFY(channel.open(QCoreApplication::instance(), [&received](
                                                               const CopyDataMessage &message) {
            received.append({message.dwData, QByteArray(static_cast<const char *>(message.lpData),
                                                        qsizetype(message.cbData))});
            return true;
        }));

        QDBusConnection sender =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "copydata-sender");
        QVERIFY(sender.isConnected());
        QDBusPendingCall first = send(sender, 0x250F, QByteArray("Hello", 5));
        QDBusPendingCall second = send(sender, 7, QByteArray("A\0B\0", 4));
        QDBusPendingCall third = send(sender, 0x250F, QByteArray());
        QTRY_VERIFY(first.isFinished() && second.isFinished() && third.isFinished());
        QVERIFY(!first.isError());
        QVERIFY(!second.isError());
        QTRY_COMPARE(received.size(), 3);
        QCOMPARE(received[0].dwData, std::uint64_t(0x250F));
        QCOMPARE(received[0].payload, QByteArray("Hello"));
        QCOMPARE(received[1].dwData, std::uint64_t(7));
        QCOMPARE(received[1].payload, QByteArray("A\0B\0", 4));
        QCOMPARE(received[2].payload, QByteArray());

        // A wrong signature is refused by the bus layer and never handed on.
        QDBusMessage wrong = QDBusMessage::createMethodCall(
            "com.zerant.molta.R770", "/", "com.zerant.molta.R770.CopyData", "Send");
        wrong << QStringLiteral("text");
        QDBusPendingCall refused = sender.asyncCall(wrong);
        QTRY_VERIFY(refused.isFinished());
        QVERIFY(refused.isError());
        QTest::qWait(50);
        QCOMPARE(received.size(), 3);
        QDBusConnection::disconnectFromBus("copydata-sender");
    }

    void oneOwnerOfTheName()
    {
        auto accept = [](const CopyDataMessage &) { return true; };
        DBusCopyDataChannel first;
        QVERIFY(first.open(QCoreApplication::instance(), accept));
        // A second program on the same bus does not get the messages.
        QDBusConnection other =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "second-program");
        DBusCopyDataChannel second(other);
        QVERIFY(!second.open(QCoreApplication::instance(), accept));
        first.close();
        QVERIFY(second.open(QCoreApplication::instance(), accept));
        second.close();
        QDBusConnection::disconnectFromBus("second-program");
    }
};

QTEST_GUILESS_MAIN(DBusCopyDataTest)
#include "tst_dbuscopydata.moc"
