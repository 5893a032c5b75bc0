// Fuzz target: a damaged settings file (apConfig.bin, pD.bin, p1.bin or
// name.bin; the first byte picks which) read through the back end the way
// the pages read it, and the commands built from what it holds.
#include "FuzzBackend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    FuzzBackend::ensureApplication();
    const QString files[] = {QStringLiteral("setting/apConfig.bin"),
                             QStringLiteral("setting/pD.bin"), QStringLiteral("setting/p1.bin"),
                             QStringLiteral("setting/name.bin")};
    const QString &hostile = files[data[0] % 4];
    FuzzFolder folder;
    for (const QString &file : files)
        folder.ship(file);
    folder.write(hostile, FuzzBackend::bytes(data + 1, size - 1));
    FuzzView fuzz;
    fuzz.readAsPages();
    return 0;
}
