#include "PlatformDoubles.h"
#include "TempDataFolder.h"
#include "shell/InputHook.h"
#include "shell/InputHookCallbacks.h"
#include "shell/Widget.h"

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace {

CopyDataMessage message(std::uint64_t dwData, const QByteArray &payload)
{
    CopyDataMessage m;
    m.dwData = dwData;
    m.cbData = static_cast<std::uint32_t>(payload.size());
    m.lpData = payload.constData();
    return m;
}

struct ShownBox
{
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;
};

// Closes every message box that opens and records what it showed.
class BoxWatcher : public QObject
{
public:
    BoxWatcher()
    {
        timer.setInterval(10);
        connect(&timer, &QTimer::timeout, this, [this] { check(); });
        timer.start();
    }
    QList<ShownBox> boxes;

private:
    void check()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box || !box->isVisible())
                continue;
            boxes.append({box->windowTitle(), box->text(), box->textFormat(),
                          box->standardButtons(), box->icon(), box->isModal()});
            box->done(QMessageBox::Ok);
        }
    }
    QTimer timer;
};

} // namespace

class CopyDataTest : public QObject
{
    Q_OBJECT

private slots:
    void textRules()
    {
        QString text;
        QVERIFY(Widget::copyDataText(message(0x250F, "Hello"), &text));
        QCOMPARE(text, QStringLiteral("Hello"));
        // A terminating NUL counted in the size: not shown.
        QVERIFY(!Widget::copyDataText(message(0x250F, QByteArray("Hello", 6)), &text));
        // A NUL inside: not shown.
        QVERIFY(!Widget::copyDataText(message(0x250F, QByteArray("He\0lo", 5)), &text));
        // Any other number: not shown.
        QVERIFY(!Widget::copyDataText(message(0x2510, "Hello"), &text));
        QVERIFY(!Widget::copyDataText(message(0, "Hello"), &text));
        // UTF-8 counts in bytes.
        const QByteArray umlaut = QStringLiteral("Grüße").toUtf8();
        QVERIFY(Widget::copyDataText(message(0x250F, umlaut), &text));
        QCOMPARE(text, QStringLiteral("Grüße"));
        // Bytes that are not UTF-8 do not survive the round trip.
        QVERIFY(!Widget::copyDataText(message(0x250F, QByteArray("\xff\xfe", 2)), &text));
        // Nor when the replacement characters happen to fill the size: three bad
        // bytes decode to nine bytes, so a NUL and five more bytes must not pass.
        QVERIFY(
            !Widget::copyDataText(message(0x250F, QByteArray("\xff\xff\xff\0hide!", 9)), &text));
        QVERIFY(!Widget::copyDataText(message(0x250F, QByteArray("\xed\xa0\x80", 3)), &text));
        // The text never reaches past the bytes sent, terminated or not.
        const char unterminated[5] = {'A', 'B', 'C', 'D', 'E'};
        CopyDataMessage m;
        m.dwData = 0x250F;
        m.cbData = 3;
        m.lpData = unterminated;
        QVERIFY(Widget::copyDataText(m, &text));
        QCOMPARE(text, QStringLiteral("ABC"));
        m.lpData = nullptr; // a size without data
        QVERIFY(!Widget::copyDataText(m, &text));
    }

    void messagesShowAWarningBoxOfPlainText()
    {
        TempDataFolder folder;
        QSettings(folder.file(QStringLiteral("modules/setting/apConfig.bin")), QSettings::IniFormat)
            .setValue(QStringLiteral("common/name"), QStringLiteral("Molta Tool"));
        Widget widget;
        QCOMPARE(widget.windowTitle(), QStringLiteral("Molta Tool"));

        auto channelOwner = std::make_unique<FakeCopyDataChannel>();
        FakeCopyDataChannel *channel = channelOwner.get();
        InputHook hook(0, std::make_unique<FakeInputEventSource>(), std::move(channelOwner));
        registerInputHookCallbacks(hook, &widget, qApp);
        QCOMPARE(channel->application, qApp);

        BoxWatcher watcher;
        channel->send(0x250F, "Hello");
        channel->send(0x250F, QByteArray("Hello", 6));
        channel->send(0x1234, "Other");
        channel->send(0x250F, "<b>bold</b> &amp;");
        QTRY_COMPARE(watcher.boxes.size(), 2);
        const ShownBox &first = watcher.boxes[0];
        QCOMPARE(first.title, QStringLiteral("Molta Tool"));
        QCOMPARE(first.text, QStringLiteral("Hello"));
        QCOMPARE(first.icon, QMessageBox::Warning);
        QCOMPARE(first.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(first.modal);
        QCOMPARE(watcher.boxes[1].text, QStringLiteral("<b>bold</b> &amp;"));
        QCOMPARE(watcher.boxes[1].format, Qt::PlainText);

        // Without a context nothing is shown.
        Widget::copyDataCallback(nullptr, &widget);
        const CopyDataMessage hello = message(0x250F, "Hello");
        Widget::copyDataCallback(&hello, nullptr);
        QTest::qWait(50);
        QCOMPARE(watcher.boxes.size(), 2);
    }

    // Messages that keep coming while a box is open: the call that shows a
    // box returns at once, one box is open at a time, the next text follows
    // when it is closed, and a flood beyond the waiting ones is dropped.
    void oneBoxAtATime()
    {
        TempDataFolder folder;
        Widget widget;
        const QByteArray hello = "Hello";
        const CopyDataMessage m = message(0x250F, hello);
        auto openBoxes = [] {
            QList<QMessageBox *> open;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
                    open.append(box);
            return open;
        };
        for (int i = 0; i < 20; ++i)
            Widget::copyDataCallback(&m, &widget);
        QTRY_COMPARE(openBoxes().size(), 1);
        QVERIFY(openBoxes().first()->isModal());
        int shown = 0;
        while (!openBoxes().isEmpty()) {
            QCOMPARE(openBoxes().size(), 1);
            openBoxes().first()->done(QMessageBox::Ok);
            ++shown;
            QTest::qWait(20);
        }
        QCOMPARE(shown, 9); // the one shown and the eight that waited
    }
};

QTEST_MAIN(CopyDataTest)
#include "tst_copydata.moc"
