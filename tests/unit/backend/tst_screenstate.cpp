#include "TempDataFolder.h"
#include "backend/myQQuickView.h"

#include <QSignalSpy>
#include <QTest>

// The root screen's report of itself, as QML sends it through the view.
class ScreenStateTest : public QObject
{
    Q_OBJECT

private slots:
    // The active row follows the profile's number through removals, renames
    // and switches; each change is said once, as the control interface
    // passes every one on to the session bus.
    void activeRowFollowsTheProfileNumber()
    {
        TempDataFolder folder;
        myQQuickView view;
        const ScreenState &state = view.screenState();
        QSignalSpy rows(&state, &ScreenState::activeRowChanged);
        QSignalSpy lists(&state, &ScreenState::profilesChanged);

        view.setScreenProfileNo(3);
        QCOMPARE(state.activeRow(), -1);
        view.setScreenProfiles({"Standard", "Play", "Game"}, {2, 0, 3});
        QCOMPARE(state.activeRow(), 2);
        view.setScreenProfiles({"Standard", "Game"}, {2, 3});
        QCOMPARE(state.activeRow(), 1);
        view.setScreenProfiles({"Standard", "Quiet"}, {2, 3});
        view.setScreenProfiles({"Standard", "Quiet"}, {2, 3});
        view.setScreenProfileNo(3);
        view.setScreenProfileNo(2);
        QCOMPARE(state.activeRow(), 0);
        QCOMPARE(rows.size(), 3);
        QCOMPARE((QList<int>{rows.at(0).at(0).toInt(), rows.at(1).at(0).toInt(),
                             rows.at(2).at(0).toInt()}),
                 (QList<int>{2, 1, 0}));
        QCOMPARE(lists.size(), 3);

        // A number that is none matches no profile; names without a number are cut.
        view.setScreenProfiles({"Standard", "Odd", "Extra"}, {2, QStringLiteral("x")});
        QCOMPARE(state.profileNames(), (QStringList{"Standard", "Odd"}));
        QCOMPARE(state.profileNumbers(), (QList<int>{2, -1}));
        QCOMPARE(state.rowOfProfileNo(-1), 1);
    }

    void stageAndFlagsChangeOnlyWhenNew()
    {
        TempDataFolder folder;
        myQQuickView view;
        const ScreenState &state = view.screenState();
        QSignalSpy stages(&state, &ScreenState::dpiStageChanged);
        QSignalSpy unsaved(&state, &ScreenState::unsavedChanged);
        for (int stage : {3, 3, -1, 8})
            view.setScreenDpiStage(stage);
        QCOMPARE(stages.size(), 3);
        QCOMPARE(state.dpiStage(), 8);
        QCOMPARE(stages.at(1).at(0).toInt(), 0);
        view.setScreenUnsaved(true);
        view.setScreenUnsaved(true);
        QVERIFY(view.hasUnsavedPages());
        QCOMPARE(unsaved.size(), 1);
        view.setScreenStarted(true);
        view.setScreenLocked(true);
        view.setScreenPanelOpen(true);
        QVERIFY(state.started() && state.locked() && state.panelOpen());
    }
};

QTEST_MAIN(ScreenStateTest)
#include "tst_screenstate.moc"
