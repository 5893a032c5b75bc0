#include "device/DpiSwitchTexts.h"

#include <mutex>

namespace {

struct Texts
{
    std::mutex mutex;
    QStringList texts = QStringList(8, QStringLiteral("DPI Switch to"));
};

Texts &store()
{
    static Texts s;
    return s;
}

} // namespace

QString dpiSwitchText(int stage)
{
    Texts &s = store();
    std::lock_guard lock(s.mutex);
    return (stage >= 1 && stage <= 7) ? s.texts.at(stage - 1) : s.texts.at(7);
}

void setDpiSwitchTexts(const QStringList &eight)
{
    Texts &s = store();
    std::lock_guard lock(s.mutex);
    for (int i = 0; i < 8 && i < eight.size(); ++i)
        s.texts[i] = eight.at(i);
}
