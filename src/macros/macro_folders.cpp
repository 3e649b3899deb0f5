#include "macros/macro_folders.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/profile_file.h"
#include "platform/save_failure.h"
#include "platform/temp_leftovers.h"

namespace gm {

namespace fs = std::filesystem;

namespace {

// Beyond this nesting the copy and delete stop (a guard against folder loops that links do
// not explain, such as bind mounts).
constexpr int kMaxFolderDepth = 64;

// The entries of a folder, read before any of them is touched so that creating or deleting
// entries cannot disturb the enumeration. `complete` is false when the folder could not be
// read to its end.
struct FolderListing {
  std::vector<fs::path> entries;
  bool complete = true;
};

// A folder that cannot be read to its end is noted as a failure of that folder.
FolderListing ListFolder(const fs::path& folder) {
  FolderListing listing;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    listing.entries.push_back(it->path());
  }
  if (ec) {
    listing.complete = false;
    NoteFailedSave(folder, ec);
  }
  return listing;
}

// Removes a symbolic link that stands where a copy will go, so the copy cannot write through it.
bool RemoveLinkAt(const fs::path& target) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(target, ec))) return true;
  return fs::remove(target, ec);
}

// Creates `folder` for a copy below the top destination: a link standing in its place is
// removed first, so the copy never continues through it.
bool PrepareSubFolder(const fs::path& folder) {
  std::error_code ec;
  const bool ok = RemoveLinkAt(folder);
  fs::create_directory(folder, ec);
  return ok && !ec;
}

// Replaces `target` with the bytes of `source` as one step (a temporary file renamed over it),
// so that a target is either as it was or the whole copy.
bool CopyFile(const fs::path& source, const fs::path& target) {
  const FileContents contents = ReadWholeFile(source);
  if (contents.outcome != ReadOutcome::kRead) {
    NoteFailedSave(source, contents.error);
    return false;
  }
  const std::optional<struct stat> existing = StatFile(target);
  const std::error_code error =
      ReplaceFileContents(target, contents.bytes, existing ? &*existing : nullptr);
  if (error) NoteFailedSave(target, error);
  return !error;
}

// Calls visit(entry, status) for every entry of folder, with the entry's own status (a link is
// seen as a link, never as what it points to). False when the folder or an entry could not be
// read, or when a visit returned false; the other entries are still visited.
template <typename Visit>
bool ForEachEntry(const fs::path& folder, int depth, Visit visit) {
  if (depth > kMaxFolderDepth) return false;
  const FolderListing listing = ListFolder(folder);
  bool ok = listing.complete;
  for (const fs::path& entry : listing.entries) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(entry, ec);
    if (ec) {
      ok = false;
      continue;
    }
    ok = visit(entry, status) && ok;
  }
  return ok;
}

// Copies the contents of source into the existing folder destination; an entry of source
// named `skipped` is left out.
bool CopyFolderContents(const fs::path& source, const fs::path& destination,
                        const fs::path& topDestination, int depth, const fs::path& skipped = {}) {
  return ForEachEntry(source, depth, [&](const fs::path& entry, const fs::file_status& status) {
    std::error_code ec;
    if (!skipped.empty() && entry.filename() == skipped) return true;
    const fs::path target = destination / entry.filename();
    if (fs::is_directory(status)) {
      // The destination itself, when it lies inside the source: never copied into itself.
      if (fs::equivalent(entry, topDestination, ec)) return true;
      if (!PrepareSubFolder(target)) return false;
      return CopyFolderContents(entry, target, topDestination, depth + 1);
    }
    if (fs::is_regular_file(status)) return RemoveLinkAt(target) && CopyFile(entry, target);
    return true;  // links, devices, pipes and sockets are skipped
  });
}

// Deletes what lies in folder with no entry of the same name and kind in source, sub-folders
// recursively.
bool RemoveWhatSourceLacks(const fs::path& source, const fs::path& folder, int depth) {
  return ForEachEntry(folder, depth, [&](const fs::path& entry, const fs::file_status& status) {
    std::error_code ec;
    const fs::file_status counterpart = fs::symlink_status(source / entry.filename(), ec);
    if (fs::is_directory(status) && fs::is_directory(counterpart)) {
      return RemoveWhatSourceLacks(source / entry.filename(), entry, depth + 1);
    }
    if (fs::is_regular_file(status) && fs::is_regular_file(counterpart)) return true;
    fs::remove_all(entry, ec);
    if (ec) NoteFailedSave(entry, ec);
    return !ec;
  });
}

bool EmptyFolder(const fs::path& folder, int depth) {
  return ForEachEntry(folder, depth, [&](const fs::path& entry, const fs::file_status& status) {
    // A link to a folder is described as a link, so it is removed as a link and never entered.
    const bool emptied = !fs::is_directory(status) || EmptyFolder(entry, depth + 1);
    std::error_code ec;
    const bool removed = fs::remove(entry, ec);
    if (ec) NoteFailedSave(entry, ec);
    return removed && emptied;
  });
}

// ---- Replacing a whole folder --------------------------------------------------------------

constexpr int kMaxFolderNameAttempts = 100;
constexpr mode_t kNewFolderMode = 0777;  // before the umask, as for any new folder
constexpr mode_t kPermissionBits = 07777;

bool Fail(const fs::path& file, std::error_code reason) {
  NoteFailedSave(file, reason);
  return false;
}

// The folder that `folder` names after every link on the way, without a trailing separator:
// a link may name its target as "my-macros/", and the copy goes beside that folder, never
// into it. Nothing for a loop of links.
std::optional<fs::path> RealFolder(const fs::path& folder) {
  fs::path current = NamedEntry(folder);
  for (int hop = 0; hop < kMaxFolderDepth; ++hop) {
    const std::optional<fs::path> resolved = ResolveSymlinks(current);
    if (!resolved) return std::nullopt;
    const fs::path named = NamedEntry(*resolved);
    if (named == current) return named;
    current = named;
  }
  return std::nullopt;
}

// A new, empty folder beside `target` (same parent, so that a rename can swap them).
std::optional<fs::path> CreateFolderBeside(const fs::path& target, std::error_code& error) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < kMaxFolderNameAttempts; ++attempt) {
    fs::path candidate = target.parent_path() / TempFileName(target, counter++);
    if (::mkdir(candidate.c_str(), kNewFolderMode) == 0) return candidate;
    if (errno != EEXIST) {
      error = LastSystemError();
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

// Where no folder can be made beside `real` (a folder this user may not write holds it), its
// contents are replaced in place, in an order that keeps it whole at every step: each file of
// source replaces its namesake as one step, `indexFile` (the file that names the others) last,
// and then what source lacks is deleted. A process killed on the way leaves the old or the
// new index file, each beside whole files of every name it lists, and at most unlisted old
// files.
bool ReplaceContentsInPlace(const fs::path& source, const fs::path& real,
                            const fs::path& indexFile) {
  if (!CopyFolderContents(source, real, real, 0, indexFile)) return false;
  std::error_code ec;
  if (fs::exists(fs::symlink_status(source / indexFile, ec)) &&
      !(RemoveLinkAt(real / indexFile) && CopyFile(source / indexFile, real / indexFile))) {
    return false;
  }
  return RemoveWhatSourceLacks(source, real, 0);
}

// Puts the finished copy in place of the existing folder `real`; afterwards the old contents
// lie under a temporary or set-aside name, which is returned for deletion.
std::optional<fs::path> SwapIn(const fs::path& copy, const fs::path& real, std::error_code& error) {
  if (::renameat2(AT_FDCWD, copy.c_str(), AT_FDCWD, real.c_str(), RENAME_EXCHANGE) == 0) {
    return copy;  // the copy's name now holds the old folder
  }
  if (!FileSystemCannotSwap(errno)) {
    error = LastSystemError();
    return std::nullopt;
  }
  // Two renames: a process killed between them leaves the old folder set aside, and
  // RemoveReplacementLeftovers gives it its name back.
  static std::atomic<unsigned> counter{0};
  const fs::path aside = real.parent_path() / SetAsideName(real, counter++);
  if (::rename(real.c_str(), aside.c_str()) != 0) {
    error = LastSystemError();
    return std::nullopt;
  }
  if (::rename(copy.c_str(), real.c_str()) != 0) {
    error = LastSystemError();
    ::rename(aside.c_str(), real.c_str());
    return std::nullopt;
  }
  return aside;
}

}  // namespace

bool CopyDirectory(const fs::path& source, const fs::path& destination) {
  // The destination the caller names is used as it is, also when it is a link to a folder.
  std::error_code ec;
  fs::create_directory(destination, ec);
  if (ec) return false;
  return CopyFolderContents(source, destination, destination, 0);
}

bool DeleteDirectory(const fs::path& folder) {
  // "macro/" names what the link points to; "macro" the link itself.
  const fs::path named = NamedEntry(folder);
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(named, ec))) return false;
  return EmptyFolder(folder, 0);
}

bool ReplaceDirectoryWithCopy(const fs::path& source, const fs::path& folder,
                              const fs::path& indexFile) {
  const fs::path named = NamedEntry(folder);
  const std::optional<fs::path> real = RealFolder(named);
  if (!real) return Fail(named, std::make_error_code(std::errc::too_many_symbolic_link_levels));
  RemoveDeadFolderLeftovers(*real);

  struct stat old {};
  const bool exists = ::lstat(real->c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return Fail(named, LastSystemError());
  if (exists && !S_ISDIR(old.st_mode)) {
    return Fail(named, std::make_error_code(std::errc::not_a_directory));
  }
  std::error_code error;
  const std::optional<fs::path> copy = CreateFolderBeside(*real, error);
  if (!copy && exists &&
      (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)) {
    return ReplaceContentsInPlace(source, *real, indexFile);
  }
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
    error = LastSystemError();
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
  const std::optional<fs::path> real = RealFolder(folder);
  if (!real) return;
  RemoveDeadFolderLeftovers(*real);
  RemoveDeadLeftovers(*real);  // files of a replacement in place
}

}  // namespace gm
