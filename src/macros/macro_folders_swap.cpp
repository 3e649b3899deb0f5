// The replacement of a whole folder by a copy of another, as one step.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <system_error>

#include "macros/macro_folders.h"
#include "platform/profile_file.h"
#include "platform/save_failure.h"
#include "platform/temp_leftovers.h"

namespace gm {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxFolderNameAttempts = 100;
constexpr mode_t kNewFolderMode = 0777;  // before the umask, as for any new folder
constexpr mode_t kPermissionBits = 07777;

std::error_code LastError() { return {errno, std::generic_category()}; }

bool Fail(const fs::path& file, std::error_code reason) {
  NoteFailedSave(file, reason);
  return false;
}

// "macro/" and "macro" both name the folder "macro" (a link itself, not what it points to).
fs::path NamedFolder(const fs::path& folder) {
  return folder.has_filename() ? folder : folder.parent_path();
}

// A new, empty folder beside `target` (same parent, so that a rename can swap them).
std::optional<fs::path> CreateFolderBeside(const fs::path& target, std::error_code& error) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < kMaxFolderNameAttempts; ++attempt) {
    fs::path candidate = target.parent_path() / TempFileName(target, counter++);
    if (::mkdir(candidate.c_str(), kNewFolderMode) == 0) return candidate;
    if (errno != EEXIST) {
      error = LastError();
      return std::nullopt;
    }
  }
  error = std::make_error_code(std::errc::file_exists);
  return std::nullopt;
}

// Gives the copy the old folder's permission bits and, where this user may, its owner and
// group (the copy's files included); otherwise the copy belongs to this user.
void TakeOverFolderOf(const fs::path& copy, const struct stat& old) {
  ::chmod(copy.c_str(), old.st_mode & kPermissionBits);
  if (old.st_uid == ::geteuid() && old.st_gid == ::getegid()) return;
  ::lchown(copy.c_str(), old.st_uid, old.st_gid);
  std::error_code ec;
  for (fs::recursive_directory_iterator it(copy, ec), end; !ec && it != end; it.increment(ec)) {
    ::lchown(it->path().c_str(), old.st_uid, old.st_gid);
  }
}

bool FileSystemCannotSwap(int error) {
  return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Puts the finished copy in place of the existing folder `real`; afterwards the old contents
// lie under a temporary or set-aside name, which is returned for deletion.
std::optional<fs::path> SwapIn(const fs::path& copy, const fs::path& real, std::error_code& error) {
  if (::renameat2(AT_FDCWD, copy.c_str(), AT_FDCWD, real.c_str(), RENAME_EXCHANGE) == 0) {
    return copy;  // the copy's name now holds the old folder
  }
  if (!FileSystemCannotSwap(errno)) {
    error = LastError();
    return std::nullopt;
  }
  // Two renames: a process killed between them leaves the old folder set aside, and
  // RemoveReplacementLeftovers gives it its name back.
  static std::atomic<unsigned> counter{0};
  const fs::path aside = real.parent_path() / SetAsideName(real, counter++);
  if (::rename(real.c_str(), aside.c_str()) != 0) {
    error = LastError();
    return std::nullopt;
  }
  if (::rename(copy.c_str(), real.c_str()) != 0) {
    error = LastError();
    ::rename(aside.c_str(), real.c_str());
    return std::nullopt;
  }
  return aside;
}

}  // namespace

bool ReplaceDirectoryWithCopy(const fs::path& source, const fs::path& folder) {
  const fs::path named = NamedFolder(folder);
  const std::optional<fs::path> real = ResolveSymlinks(named);
  if (!real) return Fail(named, std::make_error_code(std::errc::too_many_symbolic_link_levels));
  RemoveDeadTempFilesOnce(real->parent_path());

  struct stat old {};
  const bool exists = ::lstat(real->c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return Fail(named, LastError());
  if (exists && !S_ISDIR(old.st_mode)) {
    return Fail(named, std::make_error_code(std::errc::not_a_directory));
  }
  std::error_code error;
  const std::optional<fs::path> copy = CreateFolderBeside(*real, error);
  if (!copy) return Fail(named, error);
  auto discard = [](const fs::path& leftover) {
    std::error_code ignored;
    fs::remove_all(leftover, ignored);
  };
  if (!CopyDirectory(source, *copy)) {
    discard(*copy);
    return false;
  }
  if (!exists) {
    if (::rename(copy->c_str(), real->c_str()) == 0) return true;
    error = LastError();
    discard(*copy);
    return Fail(named, error);
  }
  TakeOverFolderOf(*copy, old);
  const std::optional<fs::path> replaced = SwapIn(*copy, *real, error);
  if (!replaced) {
    discard(*copy);
    return Fail(named, error);
  }
  // The new folder is in place; old contents that resist deletion go at the next start.
  discard(*replaced);
  return true;
}

void RemoveReplacementLeftovers(const fs::path& folder) {
  const std::optional<fs::path> real = ResolveSymlinks(NamedFolder(folder));
  if (real) RemoveDeadLeftovers(real->parent_path());
}

}  // namespace gm
