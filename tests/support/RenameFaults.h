#pragma once

// Stands in for rename(2) in a test program that exports its symbols (CMake
// ENABLE_EXPORTS), so Qt's own atomic writes go through it too. It makes
// renames behave the way some file systems and failing disks do.
namespace RenameFaults {

// A file renamed over another takes over the old one's time stamps: what a
// file system shows whose clock ticks coarser than the program writes.
void setPinStamps(bool on);

// A rename onto a file of this name (no folder) fails with EIO and leaves
// both names as they were; empty: none fails.
void failRenamesOnto(const char *fileName);

} // namespace RenameFaults
