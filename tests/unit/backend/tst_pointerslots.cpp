#include "PlatformDoubles.h"
#include "TempDataFolder.h"
#include "backend/myQQuickView.h"

#include <QTest>

class PointerSlotsTest : public QObject
{
    Q_OBJECT

private slots:
    void valuesFollowTheSliderSteps()
    {
        TempDataFolder folder;
        myQQuickView view;
        RecordingPointerSettings settings;
        view.setPointerSettings(&settings);
        for (uint step = 0; step <= 10; ++step) {
            view.mouseSetCursorSpeed(step);
            view.mouseSetDoubleClickSpeed(step);
        }
        QCOMPARE(settings.speeds, (QList<unsigned>{1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20}));
        QCOMPARE(settings.doubleClickTimes,
                 (QList<unsigned>{900, 830, 760, 690, 620, 550, 480, 410, 340, 270, 200}));
        view.mouseSetVerticalScrollLines(3);
        view.mouseSetVerticalScrollLines(1000); // whole screen
        QCOMPARE(settings.wheelLines, (QList<unsigned>{3, 1000}));
        // No range check of its own: the desktop decides.
        view.mouseSetCursorSpeed(11);
        QCOMPARE(settings.speeds.last(), 22u);
        view.openUpdateExe(); // starts nothing
    }

    void refusedSettingsWriteTheirFailureLine()
    {
        TempDataFolder folder;
        myQQuickView view;
        RecordingPointerSettings settings;
        settings.accept = false;
        view.setPointerSettings(&settings);
        QTest::ignoreMessage(QtDebugMsg, "setCursorSpeed Failed");
        view.mouseSetCursorSpeed(5);
        QTest::ignoreMessage(QtDebugMsg, "setDoubleClickSpeed Failed");
        view.mouseSetDoubleClickSpeed(5);
        QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
        view.mouseSetVerticalScrollLines(1000);
        QCOMPARE(settings.speeds.size(), 1);

        // A step so large that the time would fall below zero is refused
        // without asking the desktop.
        settings.accept = true;
        QTest::ignoreMessage(QtDebugMsg, "setDoubleClickSpeed Failed");
        view.mouseSetDoubleClickSpeed(13);
        QCOMPARE(settings.doubleClickTimes, (QList<unsigned>{550}));
        view.mouseSetDoubleClickSpeed(12); // 60 ms still goes through
        QCOMPARE(settings.doubleClickTimes.last(), 60u);

        // Without a desktop service every setting fails.
        view.setPointerSettings(nullptr);
        QTest::ignoreMessage(QtDebugMsg, "setCursorSpeed Failed");
        view.mouseSetCursorSpeed(5);
        QTest::ignoreMessage(QtDebugMsg, "setDoubleClickSpeed Failed");
        view.mouseSetDoubleClickSpeed(5);
        QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
        view.mouseSetVerticalScrollLines(3);
    }
};

QTEST_MAIN(PointerSlotsTest)
#include "tst_pointerslots.moc"
