#include "macros/macro_folders.h"

#include <system_error>
#include <vector>

#include "platform/profile_file.h"
#include "platform/save_failure.h"

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

// Copies the contents of source into the existing folder destination.
bool CopyFolderContents(const fs::path& source, const fs::path& destination,
                        const fs::path& topDestination, int depth) {
  return ForEachEntry(source, depth, [&](const fs::path& entry, const fs::file_status& status) {
    std::error_code ec;
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
  const fs::path named = folder.has_filename() ? folder : folder.parent_path();
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(named, ec))) return false;
  return EmptyFolder(folder, 0);
}

}  // namespace gm
