#include "PlatformDoubles.h"
#include "shell/InputEventMerger.h"
#include "shell/InputHook.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>

// The program's own window as a second capture source beside the global one:
// the same usages, the same repeat rules, and one report for what both see.

namespace {

// Records what passes the merger as "G/F down|up code" lines (source of the first report).
class LogSink final : public InputEventSink
{
public:
    QStringList log;
    void keyboardHookEvent(int, unsigned message, unsigned scanCode, unsigned) override
    {
        const bool down = message == HookEvent::KeyDown || message == HookEvent::SysKeyDown;
        log << QStringLiteral("key %1 %2").arg(down ? "down" : "up").arg(scanCode, 0, 16);
    }
    void mouseHookEvent(int, unsigned message, int, int) override
    {
        log << QStringLiteral("button %1").arg(message, 0, 16);
    }
};

struct Step
{
    char source; // 'G' global, 'F' focused window
    qint64 at;   // ms
    unsigned message;
    unsigned scanCode;
};

struct Reports
{
    QStringList lines;
    static void key(unsigned char usage, bool isDown, void *context)
    {
        static_cast<Reports *>(context)->lines
            << QStringLiteral("%1 %2").arg(usage, 2, 16, QLatin1Char('0')).arg(isDown);
    }
    static void button(unsigned char code, bool isDown, int x, int y, void *context)
    {
        static_cast<Reports *>(context)->lines
            << QStringLiteral("%1 %2 @%3,%4").arg(code, 2, 16).arg(isDown).arg(x).arg(y);
    }
};

constexpr unsigned Down = HookEvent::KeyDown;
constexpr unsigned Up = HookEvent::KeyUp;

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class FocusedCaptureTest : public QObject
{
    Q_OBJECT

private slots:
    void eachTransitionPassesOnce_data()
    {
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QStringList>("passed");
        const QString aDown = QStringLiteral("key down 1e");
        const QString aUp = QStringLiteral("key up 1e");
        QTest::newRow("global first") << QList<Step>{{'G', 0, Down, 0x1E},
                                                     {'F', 5, Down, 0x1E},
                                                     {'G', 90, Up, 0x1E},
                                                     {'F', 91, Up, 0x1E}}
                                      << QStringList{aDown, aUp};
        QTest::newRow("window first") << QList<Step>{{'F', 0, Down, 0x1E},
                                                     {'G', 40, Down, 0x1E},
                                                     {'F', 90, Up, 0x1E},
                                                     {'G', 130, Up, 0x1E}}
                                      << QStringList{aDown, aUp};
        // Two quick taps whose reports cross between the sources.
        QTest::newRow("crossed taps")
            << QList<Step>{{'G', 0, Down, 0x1E},  {'G', 30, Up, 0x1E}, {'F', 31, Down, 0x1E},
                           {'G', 60, Down, 0x1E}, {'F', 61, Up, 0x1E}, {'F', 62, Down, 0x1E},
                           {'G', 90, Up, 0x1E},   {'F', 120, Up, 0x1E}}
            << QStringList{aDown, aUp, aDown, aUp};
        // Another program has the focus: only the global source sees the key.
        QTest::newRow("global only")
            << QList<Step>{{'G', 0, Down, 0x1E}, {'G', 80, Up, 0x1E}} << QStringList{aDown, aUp};
        QTest::newRow("window only, other keys")
            << QList<Step>{{'F', 0, Down, 0x1E}, {'F', 10, Down, 0x30}, {'F', 20, Up, 0x1E}}
            << QStringList{aDown, QStringLiteral("key down 30"), aUp};
        // A report older than the pairing time is a press of its own.
        QTest::newRow("late twin") << QList<Step>{{'G', 0, Down, 0x1E}, {'F', 501, Down, 0x1E}}
                                   << QStringList{aDown, aDown};
        QTest::newRow("buttons") << QList<Step>{{'F', 0, HookEvent::LButtonDown, 0},
                                                {'G', 3, HookEvent::LButtonDown, 0},
                                                {'G', 50, HookEvent::RButtonDown, 0},
                                                {'G', 70, HookEvent::LButtonUp, 0},
                                                {'F', 71, HookEvent::LButtonUp, 0}}
                                 << QStringList{QStringLiteral("button 201"),
                                                QStringLiteral("button 204"),
                                                QStringLiteral("button 202")};
    }

    void eachTransitionPassesOnce()
    {
        QFETCH(QList<Step>, steps);
        QFETCH(QStringList, passed);
        LogSink target;
        qint64 now = 0;
        InputEventMerger merger(target, [&now] { return now; });
        for (const Step &step : steps) {
            now = step.at;
            InputEventSink &port = step.source == 'G' ? merger.globalPort() : merger.focusedPort();
            if (step.message >= HookEvent::LButtonDown)
                port.mouseHookEvent(HookEvent::Action, step.message, 0, 0);
            else
                port.keyboardHookEvent(HookEvent::Action, step.message, step.scanCode, 0);
        }
        QCOMPARE(target.log, passed);
    }

    // Keys and clicks that Qt delivers to the window reach the hook's
    // callbacks as the global source's do, and their global twins add nothing.
    void windowEventsReachTheCallbacks()
    {
        auto globalSource = std::make_unique<FakeInputEventSource>();
        FakeInputEventSource *global = globalSource.get();
        InputHook hook(0, std::move(globalSource), std::make_unique<FakeCopyDataChannel>());
        Reports reports;
        hook.setKeyboardCallback(&Reports::key, &reports);
        hook.setMouseCallback(&Reports::button, &reports);
        QWindow window;
        QVERIFY(hook.addFocusedWindowSource(createFocusedWindowEventSource(&window)));
        QCOMPARE(hook.captureSources().size(), 2);

        // "A" (X key code 38) and keypad Enter (104, an extended key).
        auto key = [&](QEvent::Type type, int xKeyCode, bool repeat = false) {
            QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, quint32(xKeyCode), 0, 0,
                            QString(), repeat);
            QCoreApplication::sendEvent(&window, &event);
        };
        key(QEvent::KeyPress, 38);
        global->key(0x1E, true); // the same press, seen by the global source too
        key(QEvent::KeyPress, 38, true);
        key(QEvent::KeyRelease, 38, true);
        key(QEvent::KeyRelease, 38);
        global->key(0x1E, false);
        key(QEvent::KeyPress, 104);
        key(QEvent::KeyRelease, 104);

        const QPointF local(5, 6);
        const QPointF screen(105, 206);
        QMouseEvent press(QEvent::MouseButtonPress, local, screen, Qt::RightButton, Qt::RightButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &press);
        global->mouse(HookEvent::RButtonDown, 105, 206);
        QMouseEvent release(QEvent::MouseButtonRelease, local, screen, Qt::RightButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &release);

        QCOMPARE(reports.lines,
                 (QStringList{"04 1", "04 0", "58 1", "58 0", "f1 1 @105,206", "f1 0 @105,206"}));

        hook.removeHooks();
        key(QEvent::KeyPress, 38);
        QCOMPARE(reports.lines.size(), 6);
    }
};

QTEST_MAIN(FocusedCaptureTest)
#include "tst_focusedcapture.moc"
