#pragma once
// The file side of the private-profile functions: reading a whole file, refusing files far
// beyond any settings file, and replacing a file's contents so that it keeps its owner, group
// and permission bits. No parsing and no locking here; the callers serialise the writers.

#include <sys/stat.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace gm {

// The largest file the profile functions read or write: macro files (".dat", any letter case)
// up to 32 MiB, every other INI file up to 4 MiB. A real settings file is a few kilobytes and
// a full group file about 120 KB.
inline constexpr std::size_t kMaxIniFileBytes = std::size_t{4} << 20;
inline constexpr std::size_t kMaxMacroFileBytes = std::size_t{32} << 20;
std::size_t MaxProfileFileBytes(const std::filesystem::path& file);

enum class ReadOutcome {
  kRead,
  kMissing,   // nothing exists at the path
  kTooLarge,  // a regular file above MaxProfileFileBytes: not read
  kFailed,    // exists but cannot be read as a regular file
};

struct FileContents {
  ReadOutcome outcome = ReadOutcome::kFailed;
  std::string bytes;
  struct stat status {};  // of the file read (kRead, kTooLarge)
  std::error_code error;  // the reason of kFailed and kTooLarge
};

// The whole file, opened without blocking (a FIFO is refused, not waited on). Never sees a file
// halfway through an in-place rewrite by this process.
FileContents ReadWholeFile(const std::filesystem::path& file);

// The status of the file at path (links followed); nothing when there is none.
std::optional<struct stat> StatFile(const std::filesystem::path& file);

// errno as the reason of the failure that just happened.
std::error_code LastSystemError();

// The entry a path names: "macro/" and "macro" both name "macro" (a link itself, not what it
// points to).
std::filesystem::path NamedEntry(const std::filesystem::path& path);

// The file a write must replace: a symbolic link is followed to its final target, so the link
// itself stays. Nothing for a loop of links or an unreadable link.
std::optional<std::filesystem::path> ResolveSymlinks(std::filesystem::path file);

// Puts `bytes` in place of `target`. Normally through a temporary file beside it that is then
// renamed over it, so readers and a crash see the old or the new file, never a mix; the
// temporary file gets the owner, group and permission bits of `existing` (the status of the
// file replaced; nothing for a new file). Where no temporary file can be made beside the target
// (a folder the user may not write) or it cannot be given the old owner (a file of another
// user that this user may write), an existing file is written in place instead: its space is
// reserved first, so a full disk fails before any byte changes, and readers in this process
// wait for it (other processes may see the file halfway). A file that gets shorter is first
// written to its old length with a padding comment line after the new text, in the file's
// encoding, and then cut, so a process killed before the cut leaves the new text and a
// comment, never the old file's tail. Returns the reason of a failure, empty on success.
std::error_code ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                                    const struct stat* existing);

}  // namespace gm
