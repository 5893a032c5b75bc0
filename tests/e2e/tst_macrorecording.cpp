// The real executable in demo mode on an X display, driven with xdotool: the
// macro editor records "A" pressed and released, with its delay, while
// another program has the keyboard focus; the macro file holds the events.
// Button 3, bound to the macro in its key dialog, gets its bytes in the
// mouse; a rename follows the button and a deletion gives it its default.
#include "DemoSession.h"
#include "MouseBytes.h"
#include "ProgramCopy.h"

#include <QFile>
#include <QJsonArray>
#include <QSettings>
#include <QTest>

#include <memory>

using MouseBytes::ints;

namespace {

// Places in the window: the macro editor opens centred at (192, 96).
constexpr int EditorX = 192;
constexpr int EditorY = 96;
const QPoint macroEntry(120, 402);
const QPoint newButton(EditorX + 48, EditorY + 420);
const QPoint recordButton(EditorX + 250, EditorY + 420);
const QPoint delayCheck(EditorX + 438, EditorY + 420);
const QPoint deleteButton(EditorX + 152, EditorY + 420);
const QPoint firstMacro(EditorX + 60, EditorY + 85);
const QPoint repeatField(EditorX + 386, EditorY + 420);
const QPoint editorClose(EditorX + 640 - 24, EditorY + 20);
// The key dialog opens centred at (304, 118); its body starts 41 lower and
// scrolls. Button 3's badge on the mouse picture opens it.
constexpr int DialogX = (1024 - 416) / 2;
constexpr int DialogY = (640 - 404) / 2;
constexpr int BodyY = DialogY + 41;
const QPoint badge3(494 + 18, 124 + 18);
const QPoint mediaBox(DialogX + 16 + 30, BodyY + 312 + 12);
const QPoint dialogClose(DialogX + 416 - 24, DialogY + 20);
const QPoint saveButton(936 + 32, 608 + 12);

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
    bool click(QPoint at) { return demo.click(at); }
    bool xdotool(const QStringList &arguments, QByteArray *output = nullptr)
    {
        return demo.xdotool(arguments, output);
    }
    bool shoot(const QString &name) { return demo.shoot(QStringLiteral(R770_SHOT_DIR), name); }
    QList<int> userMatrix();

    DemoSession demo;
    std::unique_ptr<ProgramCopy> program;
    QProcess xev;
    QByteArray xevOutput;
};

void tst_MacroRecording::initTestCase()
{
    QString whyNot;
    if (!demo.startBus(&whyNot, DemoSession::Display::Needed,
                       {QStringLiteral("xev"), QStringLiteral("import")}))
        QSKIP(qPrintable(whyNot));
    program = std::make_unique<ProgramCopy>(QStringLiteral(R770_EXECUTABLE),
                                            QStringLiteral(R770_EXECUTABLE_DIR "/modules"));
    QVERIFY2(demo.launch(program->executable()), demo.output().constData());
}

void tst_MacroRecording::cleanupTestCase()
{
    if (xev.state() != QProcess::NotRunning) {
        xev.kill();
        xev.waitForFinished(5000);
    }
    if (program && demo.program().state() == QProcess::NotRunning)
        qWarning("the program ended (exit code %d): %s", demo.program().exitCode(),
                 demo.output().right(4000).constData());
}

// The matrix of the user's buttons: number 2 on this family, as the 0x8B
// answer of a fresh mouse sets the right-hand flag.
QList<int> tst_MacroRecording::userMatrix()
{
    return ints(
        demo.state().value(QStringLiteral("keyMatrices")).toObject().value(QStringLiteral("2")));
}

void tst_MacroRecording::recordsWhileAnotherProgramHasTheFocus()
{
    QVERIFY(click(macroEntry));
    QVERIFY(click(newButton));
    QVERIFY(click(delayCheck));
    QVERIFY(click(recordButton));

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

    QVERIFY(click(recordButton));
    QVERIFY(shoot(QStringLiteral("macro-recorded")));

    // The macro file: press A, the time held, release A, repeat count 1.
    const QString file = program->folder() + QStringLiteral("/modules/macro/Macro_0.bin");
    QTRY_VERIFY_WITH_TIMEOUT(
        QSettings(file, QSettings::IniFormat).value("config/total").toInt() == 3, 5000);
    const QSettings macro(file, QSettings::IniFormat);
    QCOMPARE(macro.value("macro/0").toString(), QStringLiteral("1,A"));
    QCOMPARE(macro.value("macro/2").toString(), QStringLiteral("2,A"));
    QCOMPARE(macro.value("config/repeat").toInt(), 1);
    const QStringList delay = macro.value("macro/1").toString().split(QLatin1Char(','));
    QCOMPARE(delay.value(0), QStringLiteral("0"));
    const int ms = delay.value(1).toInt();
    QVERIFY2(ms >= 150 && ms <= 600 && ms % 10 == 0, qPrintable(delay.join(QLatin1Char(','))));

    const QSettings names(program->folder() + QStringLiteral("/modules/setting/name.bin"),
                          QSettings::IniFormat);
    QVERIFY(names.value("macro/macroName").toStringList().contains(QStringLiteral("Macro_0")));
}

void tst_MacroRecording::boundButtonHoldsTheMacro()
{
    const QString profileFile = program->folder() + QStringLiteral("/modules/setting/p1.bin");
    QVERIFY(click(editorClose));
    // Button 3's dialog. Its macro list lies below the visible part of the
    // body: the media grid, dropped and closed again, scrolls the body 48
    // down; the macro list, dropped, scrolls it to 68 and shows its one row.
    QVERIFY(click(badge3));
    QVERIFY(click(mediaBox));
    QVERIFY(click(mediaBox - QPoint(0, 48)));
    QVERIFY(click(QPoint(DialogX + 16 + 60, BodyY + 380 - 48 + 12)));
    QVERIFY(click(QPoint(DialogX + 16 + 60, BodyY + 404 - 68 + 12)));
    QVERIFY(shoot(QStringLiteral("macro-bound-dialog")));
    QVERIFY(click(dialogClose));

    // Closing the dialog sends the macro to button 3's slot: the mouse's
    // slot 3 (slots count from 1). Repeat count 1, press A held for the
    // time typed (in 10 ms), release A as the last event, end.
    QJsonArray slot;
    QTRY_VERIFY_WITH_TIMEOUT((slot = demo.state()
                                         .value(QStringLiteral("macros"))
                                         .toObject()
                                         .value(QStringLiteral("3"))
                                         .toArray())
                                     .size() == 128,
                             5000);
    QCOMPARE(demo.state().value(QStringLiteral("macros")).toObject().keys(), QStringList{"3"});
    QCOMPARE(slot.at(0).toInt(), 0x00);
    QCOMPARE(slot.at(1).toInt(), 0x01);
    const int held = slot.at(2).toInt();
    QVERIFY2(held >= 15 && held <= 60, qPrintable(QString::number(held)));
    QCOMPARE(slot.at(3).toInt(), 0x04);
    QCOMPARE(slot.at(4).toInt(), 0x81);
    QCOMPARE(slot.at(5).toInt(), 0x04);
    for (int i = 6; i < 128; ++i)
        QCOMPARE(slot.at(i).toInt(), 0x00);
    QTRY_COMPARE_WITH_TIMEOUT(
        QSettings(profileFile, QSettings::IniFormat).value("mouseMacroKey/2").toString(),
        QStringLiteral("Macro_0"), 5000);

    // Save: the button runs macro slot 3 once per press.
    QVERIFY(click(saveButton));
    QTRY_COMPARE_WITH_TIMEOUT(userMatrix(), matrixWithButton3({0x09, 0x00, 0x03, 0x00}), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(
        stored(QSettings(profileFile, QSettings::IniFormat).value("mouseKeyMatrix0/2")),
        (QList<int>{4, 0, 2, 0}), 5000);
    QVERIFY(QFile::exists(program->folder() + QStringLiteral("/modules/macro/Macro_0.bin")));
}

void tst_MacroRecording::renameAndDeleteFollowTheButton()
{
    const QString folder = program->folder() + QStringLiteral("/modules/");
    const QString profileFile = folder + QStringLiteral("setting/p1.bin");
    QVERIFY(click(macroEntry));

    // A double click opens the name for editing; typing replaces it.
    QVERIFY(shoot(QStringLiteral("macro-reopened")));
    QVERIFY(xdotool({"windowfocus", "--sync", demo.windowId()}));
    QVERIFY(demo.moveTo(firstMacro, {"click", "--repeat", "2", "--delay", "80", "1"}));
    QTest::qWait(300);
    QVERIFY(xdotool({"type", "--delay", "40", "Burst"}));
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder + QStringLiteral("macro/Burst.bin")), 5000);
    QVERIFY(!QFile::exists(folder + QStringLiteral("macro/Macro_0.bin")));
    // The program writes its open profile when it is idle.
    QTRY_COMPARE_WITH_TIMEOUT(
        QSettings(profileFile, QSettings::IniFormat).value("mouseMacroKey/2").toString(),
        QStringLiteral("Burst"), 5000);
    QCOMPARE(QSettings(folder + QStringLiteral("setting/name.bin"), QSettings::IniFormat)
                 .value("macro/macroName")
                 .toStringList()
                 .value(0),
             QStringLiteral("Burst"));

    // The key list knows button 3 by the new name: a repeat count of 3,
    // typed into the field, reaches the button's slot.
    QVERIFY(click(repeatField));
    QVERIFY(xdotool({"key", "End", "BackSpace", "BackSpace", "BackSpace", "BackSpace"}));
    QVERIFY(xdotool({"type", "--delay", "40", "3"}));
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_COMPARE_WITH_TIMEOUT(
        ints(demo.state().value(QStringLiteral("macros")).toObject().value(QStringLiteral("3")))
            .mid(0, 2),
        (QList<int>{0x00, 0x03}), 5000);
    QCOMPARE(QSettings(folder + QStringLiteral("macro/Burst.bin"), QSettings::IniFormat)
                 .value("config/repeat")
                 .toInt(),
             3);

    // Deleted, the macro's button gets the default function back, in the
    // mouse and in the profile, and no button of the profile names it.
    QVERIFY(click(deleteButton));
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(folder + QStringLiteral("macro/Burst.bin")), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(userMatrix(), matrixWithButton3({0x01, 0x00, 0xF2, 0x00}), 5000);
    const QList<int> factory =
        stored(QSettings(folder + QStringLiteral("setting/pD.bin"), QSettings::IniFormat)
                   .value("mouseKeyMatrix/2"));
    QCOMPARE(factory, (QList<int>{0, 0, 0xF2, 0}));
    QTRY_COMPARE_WITH_TIMEOUT(
        stored(QSettings(profileFile, QSettings::IniFormat).value("mouseKeyMatrix0/2")), factory,
        5000);
    const QSettings profile(profileFile, QSettings::IniFormat);
    for (const QString &group :
         {QStringLiteral("mouseKeyMatrix/"), QStringLiteral("mouseKeyMatrix0/")})
        for (int n = 0; n < 16; ++n) {
            const QVariantList def = profile.value(group + QString::number(n)).toList();
            if (def.value(0).toInt() == 4)
                QVERIFY2(profile.value("mouseMacroKey/" + def.value(2).toString()).toString() !=
                             QLatin1String("Burst"),
                         qPrintable(group + QString::number(n)));
        }
    QVERIFY(!QSettings(folder + QStringLiteral("setting/name.bin"), QSettings::IniFormat)
                 .contains("macro/macroName"));
}

QTEST_GUILESS_MAIN(tst_MacroRecording)
#include "tst_macrorecording.moc"
