// Fuzz target: a damaged language file read for every page's texts, then
// the DPI-switch balloon texts it sets.
#include "FuzzBackend.h"

#include "device/DpiSwitchTexts.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzBackend::ensureApplication();
    FuzzFolder folder;
    folder.ship(QStringLiteral("setting/apConfig.bin"));
    folder.write(QStringLiteral("i18n/English.ini"), FuzzBackend::bytes(data, size));
    FuzzView fuzz;
    for (const char *group :
         {"main", "keyMatrix", "keyAssigment", "dpiSetting", "lightControl", "macroEditor",
          "systemSetting", "gunControl", "profile", "keyCode", "other"}) {
        if (fuzz.view->getLangStrings(QLatin1String(group), QStringLiteral("English")).size() >
            4096)
            std::abort();
    }
    for (int stage = 0; stage <= 9; ++stage)
        dpiSwitchText(stage);
    return 0;
}
