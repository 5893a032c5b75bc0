// Per-program profiles: which row a window's class selects, how the rules are
// read from apConfig, and when the follower switches.
#include "FakeActiveWindowWatcher.h"
#include "shell/AppProfileFollower.h"
#include "shell/AppProfileRules.h"

#include <QTest>

class tst_AppProfiles : public QObject
{
    Q_OBJECT
private slots:
    void matching_data();
    void matching();
    void reading_data();
    void reading();
    void following();
    void busyScreenIsRetried();
};

void tst_AppProfiles::matching_data()
{
    QTest::addColumn<QString>("instanceName");
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("profileNo");
    QTest::newRow("class, case ignored") << "gimp-2.10"
                                         << "Gimp" << 1;
    QTest::newRow("instance name") << "navigator"
                                   << "Tor" << 2;
    QTest::newRow("lowest row number wins") << "Navigator"
                                            << "firefox" << 1;
    QTest::newRow("no rule: fallback") << "xclock"
                                       << "XClock" << 4;
    QTest::newRow("no class at all: fallback") << ""
                                               << "" << 4;
    QTest::newRow("part of a name is no match") << "term"
                                                << "Term" << 4;
}

void tst_AppProfiles::matching()
{
    QFETCH(QString, instanceName);
    QFETCH(QString, className);
    QFETCH(int, profileNo);
    AppProfileRules rules;
    rules.programs.insert(2, {QStringLiteral("navigator"), QStringLiteral("firefox")});
    rules.programs.insert(1, {QStringLiteral("GIMP"), QStringLiteral("Firefox")});
    rules.programs.insert(3, {QStringLiteral("xterm")});
    rules.fallback = 4;
    QCOMPARE(profileForWindow(rules, instanceName, className), profileNo);
}

void tst_AppProfiles::reading_data()
{
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<QStringList>("programsOf1");
    QTest::addColumn<int>("ruleCount");
    QTest::addColumn<int>("fallback");
    QTest::newRow("nothing stored") << QVariantMap{} << QStringList{} << 0 << 0;
    QTest::newRow("blanks and commas")
        << QVariantMap{{"appProfile/1", " gimp,  inkscape  xterm"}, {"appProfile/fallback", "2"}}
        << QStringList{"gimp", "inkscape", "xterm"} << 1 << 2;
    // QSettings hands a text with commas back as a list.
    QTest::newRow("list from the settings file")
        << QVariantMap{{"appProfile/1", QStringList{"gimp", " inkscape"}}}
        << QStringList{"gimp", "inkscape"} << 1 << 0;
    QTest::newRow("empty rule, fallback out of range") << QVariantMap{{"appProfile/1", "   "},
                                                                      {"appProfile/3", "xterm"},
                                                                      {"appProfile/fallback", "6"}}
                                                       << QStringList{} << 1 << 0;
    QTest::newRow("fallback not a number")
        << QVariantMap{{"appProfile/5", "xterm"}, {"appProfile/fallback", "x"}} << QStringList{}
        << 1 << 0;
}

void tst_AppProfiles::reading()
{
    QFETCH(QVariantMap, stored);
    QFETCH(QStringList, programsOf1);
    QFETCH(int, ruleCount);
    QFETCH(int, fallback);
    const AppProfileRules rules =
        readAppProfileRules([&](const QString &key) { return stored.value(key); });
    QCOMPARE(rules.programs.value(1), programsOf1);
    QCOMPARE(rules.programs.size(), ruleCount);
    QCOMPARE(rules.fallback, fallback);
}

void tst_AppProfiles::following()
{
    FakeActiveWindowWatcher watcher;
    AppProfileRules rules;
    rules.programs.insert(1, {QStringLiteral("gimp")});
    rules.programs.insert(2, {QStringLiteral("xterm")});
    QList<int> switches;
    AppProfileFollower::Hooks hooks;
    hooks.rules = [&] { return rules; };
    hooks.switchTo = [&](int no) {
        switches.append(no);
        return AppProfileFollower::SwitchResult::Done;
    };
    hooks.isOwnWindow = [](const ActiveWindow &window) { return window.id == 99; };
    AppProfileFollower follower(watcher, hooks);

    watcher.activate(1, QStringLiteral("gimp"), QStringLiteral("Gimp"));
    QCOMPARE(switches, QList<int>{1});
    // Another window of the same program, or the program's own window: a
    // profile chosen by hand in between stays.
    watcher.activate(2, QStringLiteral("gimp"), QStringLiteral("Gimp"));
    watcher.activate(99, QStringLiteral("R770"), QStringLiteral("R770"));
    QCOMPARE(switches, QList<int>{1});
    watcher.activate(3, QStringLiteral("xterm"), QStringLiteral("XTerm"));
    watcher.activate(4, QStringLiteral("xclock"), QStringLiteral("XClock"));
    // No active window (the desktop) is a program without a rule too.
    watcher.activate(0, QString(), QString());
    QCOMPARE(switches, (QList<int>{1, 2, 0, 0}));
    watcher.activate(5, QStringLiteral("gimp"), QStringLiteral("Gimp"));
    QCOMPARE(switches, (QList<int>{1, 2, 0, 0, 1}));

    // A rule made while the program was away applies when it comes back.
    rules.programs.remove(1);
    rules.programs.insert(3, {QStringLiteral("gimp")});
    watcher.activate(99, QStringLiteral("R770"), QStringLiteral("R770"));
    watcher.activate(7, QStringLiteral("gimp"), QStringLiteral("Gimp"));
    QCOMPARE(switches, (QList<int>{1, 2, 0, 0, 1, 3}));

    // Without any rule nothing is switched, not even to the fallback.
    rules = AppProfileRules();
    watcher.activate(6, QStringLiteral("xterm"), QStringLiteral("XTerm"));
    QCOMPARE(switches.size(), 6);
}

void tst_AppProfiles::busyScreenIsRetried()
{
    FakeActiveWindowWatcher watcher;
    int calls = 0;
    QList<int> asked;
    AppProfileFollower::Hooks hooks;
    hooks.rules = [] {
        AppProfileRules rules;
        rules.programs.insert(3, {QStringLiteral("gimp")});
        return rules;
    };
    hooks.switchTo = [&](int no) {
        ++calls;
        asked.append(no);
        return calls < 3 ? AppProfileFollower::SwitchResult::Busy
                         : AppProfileFollower::SwitchResult::Done;
    };
    AppProfileFollower follower(watcher, hooks);
    watcher.activate(1, QStringLiteral("gimp"), QStringLiteral("Gimp"));
    QCOMPARE(calls, 1);
    QTRY_COMPARE_WITH_TIMEOUT(calls, 3, 3000);
    QTest::qWait(3 * AppProfileFollower::RetryInterval);
    QCOMPARE(calls, 3);
    QCOMPARE(asked, (QList<int>{3, 3, 3}));

    // Another program becomes active while a switch is still sending: the
    // screen is locked for it, and it follows once the lock is over.
    bool sending = false;
    hooks.rules = [] {
        AppProfileRules rules;
        rules.programs.insert(3, {QStringLiteral("gimp")});
        rules.fallback = 1;
        return rules;
    };
    asked.clear();
    FakeActiveWindowWatcher nested;
    hooks.switchTo = [&](int no) {
        asked.append(no);
        if (sending)
            return AppProfileFollower::SwitchResult::Busy;
        sending = true;
        if (no == 3)
            nested.activate(2, QStringLiteral("xterm"), QStringLiteral("XTerm"));
        sending = false;
        return AppProfileFollower::SwitchResult::Done;
    };
    AppProfileFollower busyFollower(nested, hooks);
    nested.activate(1, QStringLiteral("gimp"), QStringLiteral("Gimp"));
    QTRY_COMPARE_WITH_TIMEOUT(asked, (QList<int>{3, 1, 1}), 3000);
}

QTEST_GUILESS_MAIN(tst_AppProfiles)
#include "tst_appprofiles.moc"
