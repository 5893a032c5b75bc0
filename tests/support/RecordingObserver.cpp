#include "RecordingObserver.h"

#include <mutex>

void RecordingObserver::add(const QString &line)
{
    std::lock_guard lock(mutex);
    lines.append(line);
}

void RecordingObserver::linkBalloon(const QString &title, const QString &text, int msecs)
{
    add(QStringLiteral("balloon|%1|%2|%3").arg(title, text).arg(msecs));
}

void RecordingObserver::linkSetCurrentDPI(int stage)
{
    add(QStringLiteral("dpi|%1").arg(stage));
}

void RecordingObserver::linkSetRightHand(bool rightHand)
{
    add(QStringLiteral("right|%1").arg(rightHand ? 1 : 0));
}

void RecordingObserver::linkRunUI()
{
    add(QStringLiteral("runUI"));
}

void RecordingObserver::linkSetViewEnabled(bool enabled)
{
    add(QStringLiteral("enabled|%1").arg(enabled ? 1 : 0));
}

void RecordingObserver::linkDeviceChange()
{
    add(QStringLiteral("deviceChange"));
}

void RecordingObserver::linkDeviceNotOpened(unsigned short vendorId, unsigned short productId)
{
    add(QStringLiteral("notOpened|%1:%2")
            .arg(vendorId, 4, 16, QLatin1Char('0'))
            .arg(productId, 4, 16, QLatin1Char('0')));
}

QString RecordingObserver::linkChipType() const
{
    std::lock_guard lock(mutex);
    return chip;
}

int RecordingObserver::linkProfileNumber() const
{
    std::lock_guard lock(mutex);
    return profile;
}

QStringList RecordingObserver::events() const
{
    std::lock_guard lock(mutex);
    // A copy of its own: a shared one would be freed on this thread while
    // the listener's next line reallocates the list.
    QStringList copy = lines;
    copy.detach();
    return copy;
}

void RecordingObserver::clear()
{
    std::lock_guard lock(mutex);
    lines.clear();
}

void RecordingObserver::setChipType(const QString &chipType)
{
    std::lock_guard lock(mutex);
    chip = chipType;
}

void RecordingObserver::setProfileNumber(int number)
{
    std::lock_guard lock(mutex);
    profile = number;
}
