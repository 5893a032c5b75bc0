// The real executable in demo mode on an X display, driven with xdotool: the
// macro editor records "A" pressed and released, with its delay, while
// another program has the keyboard focus; the macro file holds the events.
// Button 3, bound to the macro in its key dialog, gets its bytes in the
// mouse; a rename follows the button and a deletion gives it its default.
#include "DemoSession.h"
#include "MouseBytes.h"

#include <QFile>
#include <QJsonArray>
#include <QTest>

#include <memory>

using MouseBytes::ints;

namespace {

// The key matrix the mouse gets for the shipped profile, button 3 (device
// slot 2) aside.
QList<int> matrixWithButton3(std::initializer_list<int> button3)
{
    return MouseBytes::withSlot(MouseBytes::factoryKeyMatrix(), 2, button3);
}

// A definition as the profile stores it: a list of numbers.
QList<int> stored(const QVariant &value)
{
    QList<int> out;
    for (const QVariant &v : value.toList())
        out << v.toInt();
    return out;
}

} // namespace

class tst_MacroRecording : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void recordsWhileAnotherProgramHasTheFocus();
    void boundButtonHoldsTheMacro();
    void renameAndDeleteFollowTheButton();

private:
    // A click on the button named name, in the macro editor when it is open.
    bool click(const QString &name, const QString &role = Role::button)
    {
        return demo->click(name, role, demo->accessible().find(editorName, Role::dialog, {}, 0));
    }
    bool xdotool(const QStringList &arguments, QByteArray *output = nullptr)
    {
        return demo->xdotool(arguments, output);
    }
    bool shoot(const QString &name) { return demo->shoot(QStringLiteral(R770_SHOT_DIR), name); }
    QList<int> userMatrix();
    // One value of a file of the program's data folder.
    QVariant read(const QString &file, const QString &key) const
    {
        return demo->copy().read(file, key);
    }
    bool exists(const QString &file) const { return QFile::exists(demo->copy().file(file)); }

    const QString editorName = QStringLiteral("Macro Editor");
    std::unique_ptr<DemoSession> demo;
    QProcess xev;
    QByteArray xevOutput;
};

void tst_MacroRecording::initTestCase()
{
    demo = DemoSession::startCopy({}, {}, {QStringLiteral("xev"), QStringLiteral("import")});
}

void tst_MacroRecording::cleanupTestCase()
{
    if (xev.state() != QProcess::NotRunning) {
        xev.kill();
        xev.waitForFinished(5000);
    }
    if (demo && demo->program().state() == QProcess::NotRunning)
        qWarning("the program ended (exit code %d): %s", demo->program().exitCode(),
                 demo->output().right(4000).constData());
}

// The matrix of the user's buttons: number 2 on this family, as the 0x8B
// answer of a fresh mouse sets the right-hand flag.
QList<int> tst_MacroRecording::userMatrix()
{
    return ints(
        demo->state().value(QStringLiteral("keyMatrices")).toObject().value(QStringLiteral("2")));
}

void tst_MacroRecording::recordsWhileAnotherProgramHasTheFocus()
{
    QVERIFY(click(editorName));
    QVERIFY(click(QStringLiteral("New")));
    QVERIFY(click(QStringLiteral("Delay"), Role::checkBox));
    QVERIFY(click(QStringLiteral("Start Record")));

    // Another program takes the keyboard focus and gets the keys.
    connect(&xev, &QProcess::readyReadStandardOutput, this,
            [this] { xevOutput += xev.readAllStandardOutput(); });
    xev.start(QStringLiteral("xev"), {QStringLiteral("-geometry"), QStringLiteral("100x100+0+0"),
                                      QStringLiteral("-event"), QStringLiteral("keyboard")});
    QVERIFY(xev.waitForStarted());
    QByteArray found;
    QVERIFY(xdotool({"search", "--sync", "--onlyvisible", "--name", "Event Tester"}, &found));
    const QString xevWindow = QString::fromLatin1(found.split('\n').value(0));
    QVERIFY(xdotool({"windowfocus", "--sync", xevWindow}));
    QVERIFY(xdotool({"keydown", "a", "sleep", "0.2", "keyup", "a"}));
    QTRY_VERIFY_WITH_TIMEOUT(xevOutput.contains("KeyRelease"), 5000);
    QVERIFY(xevOutput.contains("(keysym 0x61, a)"));
    xev.kill();
    xev.waitForFinished(5000);

    QVERIFY(click(QStringLiteral("Stop Record")));
    QVERIFY(shoot(QStringLiteral("macro-recorded")));

    // The macro file: press A, the time held, release A, repeat count 1.
    const QString file = QStringLiteral("macro/Macro_0.bin");
    QTRY_VERIFY_WITH_TIMEOUT(read(file, "config/total").toInt() == 3, 5000);
    QCOMPARE(read(file, "macro/0").toString(), QStringLiteral("1,A"));
    QCOMPARE(read(file, "macro/2").toString(), QStringLiteral("2,A"));
    QCOMPARE(read(file, "config/repeat").toInt(), 1);
    const QStringList delay = read(file, "macro/1").toString().split(QLatin1Char(','));
    QCOMPARE(delay.value(0), QStringLiteral("0"));
    const int ms = delay.value(1).toInt();
    QVERIFY2(ms >= 150 && ms <= 600 && ms % 10 == 0, qPrintable(delay.join(QLatin1Char(','))));

    QVERIFY(read(QStringLiteral("setting/name.bin"), "macro/macroName")
                .toStringList()
                .contains(QStringLiteral("Macro_0")));
}

void tst_MacroRecording::boundButtonHoldsTheMacro()
{
    const QString profileFile = QStringLiteral("setting/p1.bin");
    QVERIFY(click(QStringLiteral("Close")));
    // Button 3's dialog. Its macro list lies below the visible part of the
    // body: the media grid, dropped and closed again, scrolls it into view.
    QVERIFY(click(QStringLiteral("Button 3")));
    const AccessibleApp::Node dialog =
        demo->accessible().find(QStringLiteral("Key 3 : Middle Key"), Role::dialog);
    QVERIFY(dialog.isValid());
    for (const QString &list : {QStringLiteral("Media Function"), QStringLiteral("Media Function"),
                                QStringLiteral("Macro Function")})
        QVERIFY(demo->click(list, Role::comboBox, dialog));
    QVERIFY(demo->click(QStringLiteral("Macro_0"), Role::listItem, dialog));
    QVERIFY(shoot(QStringLiteral("macro-bound-dialog")));
    QVERIFY(demo->click(QStringLiteral("Close"), Role::button, dialog));

    // Closing the dialog sends the macro to button 3's slot: the mouse's
    // slot 3 (slots count from 1). Repeat count 1, press A held for the
    // time typed (in 10 ms), release A as the last event, end.
    QJsonArray slot;
    QTRY_VERIFY_WITH_TIMEOUT((slot = demo->state()
                                         .value(QStringLiteral("macros"))
                                         .toObject()
                                         .value(QStringLiteral("3"))
                                         .toArray())
                                     .size() == 128,
                             5000);
    QCOMPARE(demo->state().value(QStringLiteral("macros")).toObject().keys(), QStringList{"3"});
    QCOMPARE(slot.at(0).toInt(), 0x00);
    QCOMPARE(slot.at(1).toInt(), 0x01);
    const int held = slot.at(2).toInt();
    QVERIFY2(held >= 15 && held <= 60, qPrintable(QString::number(held)));
    QCOMPARE(slot.at(3).toInt(), 0x04);
    QCOMPARE(slot.at(4).toInt(), 0x81);
    QCOMPARE(slot.at(5).toInt(), 0x04);
    for (int i = 6; i < 128; ++i)
        QCOMPARE(slot.at(i).toInt(), 0x00);
    QTRY_COMPARE_WITH_TIMEOUT(read(profileFile, "mouseMacroKey/2").toString(),
                              QStringLiteral("Macro_0"), 5000);

    // Save: the button runs macro slot 3 once per press.
    QVERIFY(click(QStringLiteral("Save")));
    QTRY_COMPARE_WITH_TIMEOUT(userMatrix(), matrixWithButton3({0x09, 0x00, 0x03, 0x00}), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(stored(read(profileFile, "mouseKeyMatrix0/2")),
                              (QList<int>{4, 0, 2, 0}), 5000);
    QVERIFY(exists(QStringLiteral("macro/Macro_0.bin")));
}

void tst_MacroRecording::renameAndDeleteFollowTheButton()
{
    const QString profileFile = QStringLiteral("setting/p1.bin");
    const QString names = QStringLiteral("setting/name.bin");
    QVERIFY(click(editorName));

    // A double click opens the name for editing; typing replaces it.
    QVERIFY(shoot(QStringLiteral("macro-reopened")));
    QVERIFY(xdotool({"windowfocus", "--sync", demo->windowId()}));
    const QRect firstMacro = demo->where(QStringLiteral("Macro_0"), Role::listItem);
    QVERIFY(!firstMacro.isEmpty());
    QVERIFY(demo->moveTo(firstMacro.center(), {"click", "--repeat", "2", "--delay", "80", "1"}));
    QTest::qWait(300);
    QVERIFY(xdotool({"type", "--delay", "40", "Burst"}));
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_VERIFY_WITH_TIMEOUT(exists(QStringLiteral("macro/Burst.bin")), 5000);
    QVERIFY(!exists(QStringLiteral("macro/Macro_0.bin")));
    // The program writes its open profile when it is idle.
    QTRY_COMPARE_WITH_TIMEOUT(read(profileFile, "mouseMacroKey/2").toString(),
                              QStringLiteral("Burst"), 5000);
    QCOMPARE(read(names, "macro/macroName").toStringList().value(0), QStringLiteral("Burst"));

    // The key list knows button 3 by the new name: a repeat count of 3,
    // typed into the field, reaches the button's slot.
    QVERIFY(click(QStringLiteral("Times"), QStringLiteral("text")));
    QVERIFY(xdotool({"key", "End", "BackSpace", "BackSpace", "BackSpace", "BackSpace"}));
    QVERIFY(xdotool({"type", "--delay", "40", "3"}));
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_COMPARE_WITH_TIMEOUT(
        ints(demo->state().value(QStringLiteral("macros")).toObject().value(QStringLiteral("3")))
            .mid(0, 2),
        (QList<int>{0x00, 0x03}), 5000);
    QCOMPARE(read(QStringLiteral("macro/Burst.bin"), "config/repeat").toInt(), 3);

    // Deleted, the macro's button gets the default function back, in the
    // mouse and in the profile, and no button of the profile names it.
    QVERIFY(click(QStringLiteral("Delete")));
    QTRY_VERIFY_WITH_TIMEOUT(!exists(QStringLiteral("macro/Burst.bin")), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(userMatrix(), matrixWithButton3({0x01, 0x00, 0xF2, 0x00}), 5000);
    const QList<int> factory = stored(read(QStringLiteral("setting/pD.bin"), "mouseKeyMatrix/2"));
    QCOMPARE(factory, (QList<int>{0, 0, 0xF2, 0}));
    QTRY_COMPARE_WITH_TIMEOUT(stored(read(profileFile, "mouseKeyMatrix0/2")), factory, 5000);
    for (const char *group : {"mouseKeyMatrix/", "mouseKeyMatrix0/"})
        for (int n = 0; n < 16; ++n) {
            const QString key = QLatin1String(group) + QString::number(n);
            const QVariantList def = read(profileFile, key).toList();
            if (def.value(0).toInt() == 4)
                QVERIFY2(read(profileFile, "mouseMacroKey/" + def.value(2).toString()).toString() !=
                             QLatin1String("Burst"),
                         qPrintable(key));
        }
    QVERIFY(!read(names, "macro/macroName").isValid());
}

QTEST_GUILESS_MAIN(tst_MacroRecording)
#include "tst_macrorecording.moc"
