// Fuzz target: a .mc exchange file of any content imported as a macro (or
// refused, and an empty macro made instead, as the editor does), then loaded
// by the macro editor, saved back and loaded again: what the editor saves is
// what it loads next time.
#include "FuzzBackend.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzImport import({"setting/apConfig.bin", "setting/p1.bin", "setting/name.bin"},
                      QStringLiteral("import.mc"), data, size);
    myQQuickView &view = *import.fuzz->view;
    const QString name = QStringLiteral("imported");
    // A file that is not a macro is refused; the editor then makes an empty one.
    if (!view.loadMacroFile(name) && !view.createMacroIni(name, 0).toBool())
        std::abort();
    QStringList events = view.loadMacroIni(name);
    if (events.isEmpty())
        std::abort(); // the repeat count always comes last
    const QString repeat = events.takeLast();
    if (!view.saveMacroIni(name, events, repeat).toBool())
        std::abort();
    if (view.loadMacroIni(name) != events + QStringList{repeat})
        std::abort();
    view.updataNameList(0, {name});
    view.deleteMacroUpdateProfile(name);
    view.deleteMacroIni(name);
    return 0;
}
