#pragma once

#include <QString>
#include <QStringList>

// The eight balloon texts the listener shows when the mouse switches its DPI
// stage: text s for stage s = 1..7, the eighth for any other stage. All start
// as "DPI Switch to"; the language strings replace them. Thread-safe.
QString dpiSwitchText(int stage);
// Takes the first eight entries; missing entries keep their text.
void setDpiSwitchTexts(const QStringList &eight);
