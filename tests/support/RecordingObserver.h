#pragma once

#include "device/LinkObserver.h"

#include <QStringList>
#include <mutex>

// A LinkObserver for tests: records every effect the link asks for, from
// whatever thread, as text lines in call order:
//   "balloon|<title>|<text>|<msecs>", "dpi|<stage>", "right|0/1", "runUI", "enabled|0/1",
//   "deviceChange", "notOpened|<vid>:<pid>" (hex).
class RecordingObserver : public LinkObserver
{
public:
    void linkBalloon(const QString &title, const QString &text, int msecs) override;
    void linkSetCurrentDPI(int stage) override;
    void linkSetRightHand(bool rightHand) override;
    void linkRunUI() override;
    void linkSetViewEnabled(bool enabled) override;
    void linkDeviceChange() override;
    void linkDeviceNotOpened(unsigned short vendorId, unsigned short productId) override;
    QString linkChipType() const override;
    int linkProfileNumber() const override;

    QStringList events() const;
    void clear();

    // What the link reads when it builds a command.
    void setChipType(const QString &chip);
    void setProfileNumber(int number);

private:
    void add(const QString &line);

    mutable std::mutex mutex;
    QStringList lines;
    QString chip = QStringLiteral("553");
    int profile = 1;
};
