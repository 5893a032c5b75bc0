#include "backend/myQQuickView.h"

#include "platform/PointerSettings.h"

#include <QDebug>

#include <limits>

// Slider step 0..10 -> pointer speed 1..20 (never 0).
void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed)
{
    const quint64 speed = 2ull * cursorSpeed;
    const quint64 largest = std::numeric_limits<unsigned>::max();
    const unsigned value = speed == 0 ? 1u : static_cast<unsigned>(qMin(speed, largest));
    if (!pointerSettings || !pointerSettings->setMouseSpeed(value))
        qDebug("setCursorSpeed Failed");
}

// Slider step 0..10 -> 900..200 ms. A step past 12 would give a negative
// time; it is refused instead of wrapping round to a huge one.
void myQQuickView::mouseSetDoubleClickSpeed(uint speed)
{
    const qint64 milliseconds = 900 - 70 * static_cast<qint64>(speed);
    if (milliseconds < 0 || !pointerSettings ||
        !pointerSettings->setDoubleClickTime(static_cast<unsigned>(milliseconds)))
        qDebug("setDoubleClickSpeed Failed");
}

// Lines per wheel notch, passed unchanged (1000 for a whole screen).
void myQQuickView::mouseSetVerticalScrollLines(uint lines)
{
    if (!pointerSettings || !pointerSettings->setWheelScrollLines(lines))
        qDebug("setVerticalScrollLines Failed");
}

// There is no updater to start.
void myQQuickView::openUpdateExe() {}
