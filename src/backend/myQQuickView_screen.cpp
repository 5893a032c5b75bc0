#include "backend/myQQuickView.h"

// The root screen's own report of itself, kept for native code.

void myQQuickView::setScreenProfiles(const QStringList &names, const QVariantList &profileNumbers)
{
    QList<int> numbers;
    numbers.reserve(profileNumbers.size());
    for (const QVariant &number : profileNumbers) {
        bool ok = false;
        const int value = number.toInt(&ok);
        numbers.append(ok ? value : -1);
    }
    screen.setProfiles(names, numbers);
}

void myQQuickView::setScreenProfileNo(int profileNo)
{
    screen.setActiveProfileNo(profileNo);
}

void myQQuickView::setScreenDpiStage(int stage)
{
    screen.setDpiStage(stage);
}

void myQQuickView::setScreenStarted(bool started)
{
    screen.setStarted(started);
}

void myQQuickView::setScreenLocked(bool locked)
{
    screen.setLocked(locked);
}

void myQQuickView::setScreenPanelOpen(bool open)
{
    screen.setPanelOpen(open);
}

void myQQuickView::setScreenUnsaved(bool unsaved)
{
    screen.setUnsaved(unsaved);
}
