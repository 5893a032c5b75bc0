// The window as a screen reader sees it: the accessibility tree of the real
// widget stack (Widget, view, main.qml) names every visible thing that takes
// clicks, with a role and an action, reports it where it is drawn, and its
// actions operate the screen.
#include "TempDataFolder.h"
#include "backend/myQQuickView.h"
#include "shell/Widget.h"

#include <QAccessible>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSet>
#include <QTest>

namespace {

const QSet<QAccessible::Role> interactiveRoles = {
    QAccessible::Button,    QAccessible::CheckBox,     QAccessible::RadioButton,
    QAccessible::ComboBox,  QAccessible::ListItem,     QAccessible::Slider,
    QAccessible::ScrollBar, QAccessible::EditableText, QAccessible::Link,
    QAccessible::SpinBox,   QAccessible::MenuItem,     QAccessible::PageTab};

QString describe(const QObject *object)
{
    QStringList chain;
    for (auto *o = object; o; o = o->parent()) {
        const QString name = o->objectName();
        chain.prepend(name.isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : name);
    }
    return chain.join(QLatin1Char('/'));
}

// Every visible interface under `iface`, keyed by its object.
void collect(QAccessibleInterface *iface, QHash<QObject *, QAccessibleInterface *> &seen)
{
    if (!iface || iface->state().invisible)
        return;
    if (iface->object())
        seen.insert(iface->object(), iface);
    for (int i = 0; i < iface->childCount(); ++i)
        collect(iface->child(i), seen);
}

QAccessibleInterface *find(const QHash<QObject *, QAccessibleInterface *> &seen,
                           QAccessible::Role role, const QString &name)
{
    for (QAccessibleInterface *iface : seen) {
        if (iface->role() == role && iface->text(QAccessible::Name) == name)
            return iface;
    }
    return nullptr;
}

QString text(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Where a magnifier or a click at the reported place lands must be where the
// item is drawn, turned or not: its rectangle in the scene, on the screen.
// Toolkit positions are whole pixels, so each edge may be one pixel off.
QString extentsFault(QAccessibleInterface *iface, const QQuickItem *item)
{
    const QRectF scene = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    const QPointF origin = item->window()->mapToGlobal(QPoint(0, 0));
    const QRectF drawn = scene.translated(origin);
    const QRect reported = iface->rect();
    const bool near = qAbs(reported.left() - drawn.left()) <= 1 &&
                      qAbs(reported.top() - drawn.top()) <= 1 &&
                      qAbs(reported.left() + reported.width() - drawn.right()) <= 1 &&
                      qAbs(reported.top() + reported.height() - drawn.bottom()) <= 1;
    if (near)
        return {};
    return QStringLiteral("extents %1, drawn %2: ").arg(text(reported), text(drawn.toRect()));
}

bool press(QAccessibleInterface *iface)
{
    if (!iface || !iface->actionInterface())
        return false;
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    return true;
}

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyVisibleControlIsNamedAndOperable();
    void theFocusedControlIsTheAccessibleFocus();

private:
    // What a screen reader would miss or not understand on the screen as it is.
    QStringList faults() const;
    QHash<QObject *, QAccessibleInterface *> tree() const;
    QQuickItem *part(const char *name) const;

    std::unique_ptr<TempDataFolder> folder;
    std::unique_ptr<Widget> widget;
};

void tst_Accessibility::initTestCase()
{
    // As when a screen reader runs: text items take their roles only then.
    QAccessible::setActive(true);
    folder = std::make_unique<TempDataFolder>();
    widget = std::make_unique<Widget>();
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    QMetaObject::invokeMethod(widget->view()->rootObject(), "initUI");
    QTRY_VERIFY_WITH_TIMEOUT(!part("powerOnLogo")->isVisible(), 5000);
}

QQuickItem *tst_Accessibility::part(const char *name) const
{
    auto *item = widget->view()->rootObject()->findChild<QQuickItem *>(QLatin1String(name));
    if (!item)
        qFatal("no part %s", name);
    return item;
}

QHash<QObject *, QAccessibleInterface *> tst_Accessibility::tree() const
{
    QHash<QObject *, QAccessibleInterface *> seen;
    collect(QAccessible::queryAccessibleInterface(widget->view()), seen);
    return seen;
}

QStringList tst_Accessibility::faults() const
{
    QStringList found;
    const auto seen = tree();
    for (QAccessibleInterface *iface : seen) {
        const auto *item = qobject_cast<QQuickItem *>(iface->object());
        if (!item)
            continue;
        const bool hasActions =
            iface->actionInterface() && !iface->actionInterface()->actionNames().isEmpty();
        if (!interactiveRoles.contains(iface->role()) && !hasActions)
            continue;
        if (iface->role() == QAccessible::NoRole)
            found << QStringLiteral("no role: ") + describe(item);
        if (iface->text(QAccessible::Name).trimmed().isEmpty())
            found << QStringLiteral("no name: ") + describe(item);
        if (!hasActions)
            found << QStringLiteral("no action: ") + describe(item);
        const QString misplaced = extentsFault(iface, item);
        if (!misplaced.isEmpty())
            found << misplaced + describe(item);
        // Tab reaches every control, or the control it is part of (a list's
        // rows, a drop-down's slider).
        const QQuickItem *tabStop = item;
        while (tabStop && !tabStop->activeFocusOnTab())
            tabStop = tabStop->parentItem();
        if (!tabStop && interactiveRoles.contains(iface->role()))
            found << QStringLiteral("not reached by Tab: ") + describe(item);
    }

    // Every visible item that takes mouse or key input belongs to one of
    // those: itself or its nearest accessible ancestor. Drag areas only move
    // the window or a box.
    QList<QQuickItem *> items{widget->view()->rootObject()};
    while (!items.isEmpty()) {
        QQuickItem *item = items.takeLast();
        items += item->childItems();
        const bool takesInput =
            item->inherits("QQuickMouseArea") || item->inherits("QQuickTextInput");
        const bool isDragArea = QByteArray(item->metaObject()->className()).startsWith("DragArea");
        // A mouse area's own "enabled" is not the item's.
        const bool enabled = item->isEnabled() && item->property("enabled").toBool();
        if (!takesInput || isDragArea || !item->isVisible() || !enabled)
            continue;
        QQuickItem *owner = item;
        while (owner && !seen.contains(owner))
            owner = owner->parentItem();
        if (!owner || !interactiveRoles.contains(seen.value(owner)->role()))
            found << QStringLiteral("not accessible: ") + describe(item);
    }
    found.sort();
    return found;
}

void tst_Accessibility::everyVisibleControlIsNamedAndOperable()
{
    QStringList problems = faults();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

    // The report-rate list opens and takes a row through its actions.
    QQuickItem *rate = part("reportRateLV");
    QAccessibleInterface *list = find(tree(), QAccessible::ComboBox, QStringLiteral("Report Rate"));
    QVERIFY(list);
    QCOMPARE(list->text(QAccessible::Description), QStringLiteral("1000Hz"));
    QVERIFY(press(list));
    QTRY_VERIFY(rate->property("isDrop").toBool() && !rate->property("isAnimating").toBool());
    problems = faults();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    QVERIFY(press(find(tree(), QAccessible::ListItem, QStringLiteral("500Hz"))));
    QTRY_COMPARE(list->text(QAccessible::Description), QStringLiteral("500Hz"));
    QCOMPARE(rate->property("currentSelect").toInt(), 2);

    // The hidden lift-off box holds the other controls of the column: its
    // slider is named after the box.
    QQuickItem *lod = part("lodLV");
    part("lodRect")->setVisible(true);
    QVERIFY(press(find(tree(), QAccessible::ComboBox, QStringLiteral("LOD"))));
    QTRY_VERIFY(lod->property("isDrop").toBool() && !lod->property("isAnimating").toBool());
    QVERIFY(find(tree(), QAccessible::Slider, QStringLiteral("LOD")));
    QVERIFY(find(tree(), QAccessible::CheckBox, QStringLiteral("Enable")));
    problems = faults();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    QMetaObject::invokeMethod(lod, "closeMenu");
    part("lodRect")->setVisible(false);

    // The reset question and the version box, opened and closed by their buttons.
    QVERIFY(press(find(tree(), QAccessible::Button, QStringLiteral("Reset"))));
    QVERIFY(part("factorysure")->isVisible());
    problems = faults();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    QVERIFY(press(find(tree(), QAccessible::Button, QStringLiteral("Cancel"))));
    QVERIFY(!part("factorysure")->isVisible());

    QVERIFY(press(find(tree(), QAccessible::Button, QStringLiteral("Version"))));
    QQuickItem *version = part("versionWnd");
    QVERIFY(version->isVisible());
    problems = faults();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    QAccessibleInterface *close = nullptr;
    for (QAccessibleInterface *iface : tree()) {
        if (iface->role() == QAccessible::Button &&
            iface->text(QAccessible::Name) == QStringLiteral("Close") &&
            version->isAncestorOf(qobject_cast<QQuickItem *>(iface->object())))
            close = iface;
    }
    QVERIFY(press(close));
    QVERIFY(!version->isVisible());
}

void tst_Accessibility::theFocusedControlIsTheAccessibleFocus()
{
    QQuickWindow *window = widget->view()->quickWindow();
    widget->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(widget.get()));
    widget->view()->setFocus();

    // Tab once round the screen: each item the focus lands on is a control
    // that assistive tools see focused (the toolkit tells them of the focus
    // going to the item's accessible object, so it must be this one).
    QStringList problems;
    QList<QQuickItem *> visited;
    for (int tab = 0; tab < 200; ++tab) {
        QTest::keyClick(widget->view(), Qt::Key_Tab);
        QQuickItem *focus = window->activeFocusItem();
        if (!focus || visited.contains(focus))
            break;
        visited << focus;
        QAccessibleInterface *iface = tree().value(focus);
        if (!iface || !interactiveRoles.contains(iface->role()))
            problems << QStringLiteral("focus on no control: ") + describe(focus);
        else if (!iface->state().focused || !iface->state().focusable)
            problems << QStringLiteral("not focused: ") + describe(focus);
    }
    QVERIFY2(visited.size() >= 20, qPrintable(QString::number(visited.size())));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

QTEST_MAIN(tst_Accessibility)

#include "tst_accessibility.moc"
