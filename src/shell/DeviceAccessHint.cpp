#include "shell/DeviceAccessHint.h"

#include <QFile>
#include <QStringList>

namespace {
const QString ruleName = QStringLiteral("70-r770-mouse.rules");
}

QString DeviceAccessHint::ruleBesideExecutable(const QString &executableDir)
{
    return executableDir + QLatin1Char('/') + ruleName;
}

QStringList DeviceAccessHint::installedRules()
{
    return {QStringLiteral("/etc/udev/rules.d/") + ruleName,
            QStringLiteral("/usr/lib/udev/rules.d/") + ruleName,
            QStringLiteral("/lib/udev/rules.d/") + ruleName};
}

QString DeviceAccessHint::text(unsigned short vendorId, unsigned short productId,
                               const QString &executableDir)
{
    const QString found =
        QStringLiteral("The mouse (%1:%2) is plugged in, but this user may not open it.")
            .arg(vendorId, 4, 16, QLatin1Char('0'))
            .arg(productId, 4, 16, QLatin1Char('0'));
#ifdef Q_OS_WIN
    Q_UNUSED(executableDir);
    return found + QStringLiteral(" Start the program as administrator.");
#else
    const QString reload =
        QStringLiteral("sudo udevadm control --reload-rules && sudo udevadm trigger");
    for (const QString &rule : installedRules()) {
        if (QFile::exists(rule))
            return found + QStringLiteral(" Its udev rule %1 is installed: plug the mouse in "
                                          "again, or run: %2")
                               .arg(rule, reload);
    }
    const QString beside = ruleBesideExecutable(executableDir);
    if (QFile::exists(beside))
        return found + QStringLiteral(" Install its udev rule, then plug the mouse in again: "
                                      "sudo install -m 644 '%1' /etc/udev/rules.d/ && %2")
                           .arg(beside, reload);
    return found + QStringLiteral(" Install the package r770config (its udev rule gives the user "
                                  "at the seat access), then plug the mouse in again.");
#endif
}
