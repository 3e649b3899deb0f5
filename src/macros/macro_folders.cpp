#include "macros/macro_folders.h"

#include <system_error>
#include <vector>

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

FolderListing ListFolder(const fs::path& folder) {
  FolderListing listing;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) {
    listing.complete = false;
    return listing;
  }
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    listing.entries.push_back(it->path());
  }
  if (ec) listing.complete = false;
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

// Copies the contents of source into the existing folder destination.
bool CopyFolderContents(const fs::path& source, const fs::path& destination,
                        const fs::path& topDestination, int depth) {
  if (depth > kMaxFolderDepth) return false;
  const FolderListing listing = ListFolder(source);
  bool ok = listing.complete;
  std::error_code ec;
  for (const fs::path& entry : listing.entries) {
    const fs::file_status status = fs::symlink_status(entry, ec);
    if (ec) {
      ok = false;
      continue;
    }
    const fs::path target = destination / entry.filename();
    if (fs::is_directory(status)) {
      // The destination itself, when it lies inside the source: never copied into itself.
      if (fs::equivalent(entry, topDestination, ec)) continue;
      if (!PrepareSubFolder(target)) {
        ok = false;
        continue;
      }
      ok &= CopyFolderContents(entry, target, topDestination, depth + 1);
    } else if (fs::is_regular_file(status)) {
      ok &= RemoveLinkAt(target);
      fs::copy_file(entry, target, fs::copy_options::overwrite_existing, ec);
      if (ec) ok = false;
    }
    // Links, devices, pipes and sockets are skipped.
  }
  return ok;
}

bool EmptyFolder(const fs::path& folder, int depth) {
  if (depth > kMaxFolderDepth) return false;
  const FolderListing listing = ListFolder(folder);
  bool ok = listing.complete;
  std::error_code ec;
  for (const fs::path& entry : listing.entries) {
    const fs::file_status status = fs::symlink_status(entry, ec);
    if (ec) {
      ok = false;
      continue;
    }
    // symlink_status describes a link as a link, so a link to a folder is removed as a link
    // and never entered.
    if (fs::is_directory(status)) ok &= EmptyFolder(entry, depth + 1);
    if (!fs::remove(entry, ec)) ok = false;
  }
  return ok;
}

}  // namespace

bool CopyDirectory(const fs::path& source, const fs::path& destination) {
  // The destination the caller names is used as it is, also when it is a link to a folder.
  std::error_code ec;
  fs::create_directory(destination, ec);
  if (ec) return false;
  return CopyFolderContents(source, destination, destination, 0);
}

bool DeleteDirectory(const fs::path& folder) { return EmptyFolder(folder, 0); }

}  // namespace gm
