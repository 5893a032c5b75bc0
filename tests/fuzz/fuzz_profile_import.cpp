// Fuzz target: a .pf exchange file of any content imported into profile 1,
// then read by the pages and sent to the mouse. An import that is refused
// leaves the profile as it was; one that is taken takes the pages' edits.
#include "FuzzBackend.h"

#include <QFile>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzBackend::ensureApplication();
    FuzzFolder folder;
    for (const char *file : {"setting/apConfig.bin", "setting/pD.bin", "setting/p1.bin"})
        folder.ship(QLatin1String(file));
    folder.write(QStringLiteral("import.pf"), FuzzBackend::bytes(data, size));
    {
        FuzzView fuzz;
        fuzz.dialogs.answer = folder.path(QStringLiteral("import.pf"));
        const bool taken = fuzz.view->loadProfile(0);
        QFile profile(folder.path(QStringLiteral("setting/p1.bin")));
        if (!profile.open(QIODevice::ReadOnly))
            std::abort();
        const QByteArray now = profile.readAll();
        // Taken: a byte-for-byte copy. Refused: the profile untouched.
        if (now != (taken ? FuzzBackend::bytes(data, size)
                          : FuzzBackend::shipped(QStringLiteral("setting/p1.bin"))))
            std::abort();
        // The pages' next edit of the profile reaches its file.
        fuzz.view->setData(QStringLiteral("fuzz/edit"), 770);
        fuzz.view.reset();
        // Read as bytes: a settings object could answer from its cache.
        QFile written(folder.path(QStringLiteral("setting/p1.bin")));
        if (!written.open(QIODevice::ReadOnly) || !written.readAll().contains("edit=770"))
            std::abort();
    }
    {
        FuzzView fuzz;
        fuzz.readAsPages();
    }
    return 0;
}
