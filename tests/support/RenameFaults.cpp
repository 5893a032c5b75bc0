#include "RenameFaults.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {
std::atomic<bool> pinStamps{false};
std::atomic<const char *> failingName{nullptr};

bool mustFail(const char *to)
{
    const char *name = failingName;
    if (!name || !*name)
        return false;
    const char *slash = std::strrchr(to, '/');
    return std::strcmp(slash ? slash + 1 : to, name) == 0;
}
} // namespace

namespace RenameFaults {

void setPinStamps(bool on)
{
    pinStamps = on;
}

void failRenamesOnto(const char *fileName)
{
    failingName = fileName;
}

} // namespace RenameFaults

extern "C" int rename(const char *from, const char *to)
{
    using Rename = int (*)(const char *, const char *);
    static const auto real = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    if (mustFail(to)) {
        errno = EIO;
        return -1;
    }
    struct stat old = {};
    const bool pin = pinStamps && ::stat(to, &old) == 0;
    const int result = real(from, to);
    if (result == 0 && pin) {
        const struct timespec times[2] = {old.st_atim, old.st_mtim};
        ::utimensat(AT_FDCWD, to, times, 0);
    }
    return result;
}
