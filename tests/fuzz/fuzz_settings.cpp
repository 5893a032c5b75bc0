// Fuzz target: a damaged settings file (apConfig.bin, pD.bin, p1.bin or
// name.bin; the first byte picks which) read through the back end the way
// the pages read it, and the commands built from what it holds. The view is
// built per input, since it reads the settings when it is made.
#include "FuzzBackend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const char *const files[] = {"setting/apConfig.bin", "setting/pD.bin", "setting/p1.bin",
                                 "setting/name.bin"};
    FuzzFolder &folder = FuzzFolder::shared({files[0], files[1], files[2], files[3]});
    const FuzzFolder::Input input(folder, QLatin1String(files[data[0] % 4]),
                                  FuzzBackend::bytes(data + 1, size - 1));
    FuzzView fuzz;
    fuzz.readAsPages();
    return 0;
}
