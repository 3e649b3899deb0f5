#pragma once
// The file replacements of the program under test, seen at the rename(2) or renameat2(2) that
// ends each one, and the cut (ftruncate) that ends an in-place rewrite: this test support
// defines rename(), renameat2() and ftruncate() for the test program, counting every call and
// passing it on to the C library's. A child process can be made to end just before one of
// them, as a crash or a kill there would.

#include <sys/types.h>

#include <cstdint>
#include <functional>

namespace gm::test {

// The exit status of a process ended by ExitBeforeRename or ExitBeforeTruncate.
inline constexpr int kExitedBeforeRename = 86;
inline constexpr int kExitedBeforeTruncate = 87;

// The user a forked child of root takes on where it must meet folder permissions (root passes
// every one of them).
inline constexpr uid_t kNobody = 65534;

// Runs `body` in a forked child and waits for it: the child's exit status (0 when body
// returned true, 1 when false, or the status it ended with itself, kExitedBeforeRename say),
// -1 when it did not exit. With asNobody a child of root first becomes kNobody (status 2 when
// it cannot).
int ExitStatusOfChild(const std::function<bool()>& body, bool asNobody = false);

// The id of a process that has ended and been waited for: no process runs under it.
pid_t DeadProcessId();

// Renames (rename and renameat2 together) made by this process so far.
std::uint64_t RenamesSoFar();

// The process ends with _exit(kExitedBeforeRename) in place of the nth rename from now on
// (n >= 1), before anything of it reaches the file system. For a forked child only.
void ExitBeforeRename(std::uint64_t n);

// The process ends with _exit(kExitedBeforeTruncate) in place of its next ftruncate. For a
// forked child only.
void ExitBeforeNextTruncate();

// From now on renameat2 with RENAME_EXCHANGE fails with EINVAL, as on a file system that
// cannot swap two entries (the call still counts as a rename). For a forked child only.
void RefuseRenameExchange();

}  // namespace gm::test
