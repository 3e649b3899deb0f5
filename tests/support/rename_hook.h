#pragma once
// The file replacements of the program under test, seen at the rename(2) that ends each one:
// this test support defines rename() for the test program, counting every call and passing it
// on to the C library's. A child process can be made to end just before one of them, as a
// crash or a kill there would.

#include <cstdint>

namespace gm::test {

// The exit status of a process ended by ExitBeforeRename.
inline constexpr int kExitedBeforeRename = 86;

// Renames made by this process so far.
std::uint64_t RenamesSoFar();

// The process ends with _exit(kExitedBeforeRename) in place of the nth rename from now on
// (n >= 1), before anything of it reaches the file system. For a forked child only.
void ExitBeforeRename(std::uint64_t n);

}  // namespace gm::test
