#pragma once

#include <QString>

// What the user is told when a device of the table is plugged in but cannot
// be opened: that it was found, and how to give this user access. Which
// advice fits depends on where the udev rule lies: beside the executable (a
// build folder), already installed, or nowhere.
namespace DeviceAccessHint {

QString text(unsigned short vendorId, unsigned short productId, const QString &executableDir);

// Where a rule beside the executable and an installed rule are looked for.
QString ruleBesideExecutable(const QString &executableDir);
QStringList installedRules();

} // namespace DeviceAccessHint
