// Fuzz target: a .pf exchange file of any content imported into profile 1,
// then read by the pages and sent to the mouse. An import that is refused
// leaves the profile as it was; one that is taken takes the pages' edits.
#include "FuzzBackend.h"

#include <QFile>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzImport import({"setting/apConfig.bin", "setting/pD.bin", "setting/p1.bin"},
                      QStringLiteral("import.pf"), data, size);
    const QString profilePath = import.folder.path(QStringLiteral("setting/p1.bin"));
    const bool taken = import.fuzz->view->loadProfile(0);
    QFile profile(profilePath);
    if (!profile.open(QIODevice::ReadOnly))
        std::abort();
    const QByteArray now = profile.readAll();
    // Taken: a byte-for-byte copy. Refused: the profile untouched.
    if (now != (taken ? FuzzBackend::bytes(data, size)
                      : FuzzBackend::shipped(QStringLiteral("setting/p1.bin"))))
        std::abort();
    // The pages' next edit of the profile reaches its file.
    import.fuzz->view->setData(QStringLiteral("fuzz/edit"), 770);
    import.fuzz.reset();
    // Read as bytes: a settings object could answer from its cache.
    QFile written(profilePath);
    if (!written.open(QIODevice::ReadOnly) || !written.readAll().contains("edit=770"))
        std::abort();
    FuzzView fuzz;
    fuzz.readAsPages();
    return 0;
}
