#pragma once

#include <QString>

class Widget;

// A plain-text report for bug reports: versions, the data folder, the device
// table, the vendor's HID devices and whether they open, the udev rule, the
// desktop's tray and notifications and the last detection. It names the
// user's macros by count only and holds nothing of their contents.
QString diagnosticsReport(Widget &widget);

// Writes the report to path; false with a reason in *error.
bool writeDiagnosticsReport(const QString &text, const QString &path, QString *error);

// The report of this process written to path for --report: prints the path,
// or a one-line error; the exit code (0 or 1).
int writeReportFile(Widget &widget, const QString &path);
