// Fuzz target: a damaged language file read for every page's texts, then
// the DPI-switch balloon texts it sets. The view reads the file afresh for
// each text group, so one view and one folder serve the whole run.
#include "FuzzBackend.h"

#include "device/DpiSwitchTexts.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzFolder &folder = FuzzFolder::shared({"setting/apConfig.bin"});
    const FuzzFolder::Input input(folder, QStringLiteral("i18n/English.ini"),
                                  FuzzBackend::bytes(data, size));
    // One view for the run, never destroyed: the process ends with it.
    static FuzzView &fuzz = *new FuzzView;
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
