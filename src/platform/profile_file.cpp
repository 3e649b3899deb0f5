#include "platform/profile_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <shared_mutex>

#include "platform/temp_leftovers.h"

namespace gm {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxSymlinkHops = 40;
constexpr int kMaxTempNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666;  // before the umask, as for any new file
constexpr mode_t kPermissionBits = 07777;
constexpr size_t kReadChunk = 64 * 1024;

// A file rewritten in place passes through states that are neither old nor new; readers in
// this process wait for the rewrite (shared by readers, exclusive for an in-place writer).
std::shared_mutex& InPlaceWriteMutex() {
  static std::shared_mutex mutex;
  return mutex;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded (a late write error shows here).
  std::error_code Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? std::error_code() : LastError();
  }

  static std::error_code LastError() { return {errno, std::generic_category()}; }

 private:
  int fd_;
};

std::error_code WriteAll(int fd, std::string_view bytes) {
  off_t offset = 0;
  while (!bytes.empty()) {
    const ssize_t count = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return FileDescriptor::LastError();
    if (count == 0) return std::make_error_code(std::errc::io_error);
    bytes.remove_prefix(static_cast<size_t>(count));
    offset += count;
  }
  return {};
}

// Creates a new, uniquely named file beside `target` (same folder, so the rename below stays
// within one file system).
std::optional<fs::path> CreateTempBeside(const fs::path& target, int& fdOut,
                                         std::error_code& error) {
  static unsigned counter = 0;  // guarded by the callers' writer lock
  for (int attempt = 0; attempt < kMaxTempNameAttempts; ++attempt) {
    fs::path candidate = target.parent_path() / TempFileName(target, counter++);
    const int fd =
        ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (fd >= 0) {
      fdOut = fd;
      return candidate;
    }
    if (errno != EEXIST) {
      error = FileDescriptor::LastError();
      return std::nullopt;
    }
  }
  error = std::make_error_code(std::errc::file_exists);
  return std::nullopt;
}

// Gives the new file the owner and group of the one it replaces. False (errno set) when this
// user may not.
bool TakeOwnerOf(int fd, const struct stat& existing) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return false;
  if (status.st_uid == existing.st_uid && status.st_gid == existing.st_gid) return true;
  return ::fchown(fd, existing.st_uid, existing.st_gid) == 0;
}

// Rewrites an existing file through its own inode, so that owner, group, mode and links stay.
// Space for the new length is reserved before the first byte is written.
std::error_code WriteInPlace(const fs::path& target, std::string_view bytes) {
  const std::unique_lock lock(InPlaceWriteMutex());
  FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  if (!fd.valid()) return FileDescriptor::LastError();
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0) return FileDescriptor::LastError();
  if (!S_ISREG(status.st_mode)) return std::make_error_code(std::errc::invalid_argument);
  const auto length = static_cast<off_t>(bytes.size());
  if (length > status.st_size) {
    // Some file systems cannot reserve space; the write itself then finds a full disk.
    if (::fallocate(fd.get(), 0, 0, length) != 0 && errno != EOPNOTSUPP && errno != ENOSYS) {
      return FileDescriptor::LastError();
    }
  }
  if (const std::error_code error = WriteAll(fd.get(), bytes)) return error;
  if (::ftruncate(fd.get(), length) != 0) return FileDescriptor::LastError();
  return fd.Close();
}

}  // namespace

std::size_t MaxProfileFileBytes(const fs::path& file) {
  std::string extension = file.extension().string();
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension == ".dat" ? kMaxMacroFileBytes : kMaxIniFileBytes;
}

FileContents ReadWholeFile(const fs::path& file) {
  const std::shared_lock lock(InPlaceWriteMutex());
  FileContents contents;
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.valid()) {
    contents.error = FileDescriptor::LastError();
    contents.outcome = errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kFailed;
    return contents;
  }
  if (::fstat(fd.get(), &contents.status) != 0) {
    contents.error = FileDescriptor::LastError();
    return contents;
  }
  if (!S_ISREG(contents.status.st_mode)) {
    contents.error = std::make_error_code(std::errc::invalid_argument);
    return contents;
  }
  const size_t limit = MaxProfileFileBytes(file);
  auto tooLarge = [&contents] {
    contents.bytes.clear();
    contents.error = std::make_error_code(std::errc::file_too_large);
    contents.outcome = ReadOutcome::kTooLarge;
    return std::move(contents);
  };
  if (static_cast<size_t>(contents.status.st_size) > limit) return tooLarge();
  contents.bytes.reserve(static_cast<size_t>(contents.status.st_size));
  std::string chunk(kReadChunk, '\0');
  for (;;) {
    const ssize_t count = ::read(fd.get(), chunk.data(), chunk.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      contents.error = FileDescriptor::LastError();
      return contents;
    }
    if (count == 0) break;
    contents.bytes.append(chunk.data(), static_cast<size_t>(count));
    if (contents.bytes.size() > limit) return tooLarge();  // it grew while being read
  }
  contents.outcome = ReadOutcome::kRead;
  return contents;
}

std::optional<struct stat> StatFile(const fs::path& file) {
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0) return std::nullopt;
  return status;
}

std::optional<fs::path> ResolveSymlinks(fs::path file) {
  for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(file, error))) return file;
    fs::path target = fs::read_symlink(file, error);
    if (error) return std::nullopt;
    file = target.is_absolute() ? target : file.parent_path() / target;
  }
  return std::nullopt;
}

// No fsync: surviving a power loss is not asked of a settings file, and one fsync per key would
// make saving the settings slow.
std::error_code ReplaceFileContents(const fs::path& target, std::string_view bytes,
                                    const struct stat* existing) {
  RemoveDeadTempFilesOnce(target.parent_path());
  int rawFd = -1;
  std::error_code error;
  const auto temp = CreateTempBeside(target, rawFd, error);
  if (!temp) return existing != nullptr ? WriteInPlace(target, bytes) : error;

  FileDescriptor fd(rawFd);
  auto discard = [&temp] { ::unlink(temp->c_str()); };
  if (existing != nullptr && !TakeOwnerOf(fd.get(), *existing)) {
    discard();
    return WriteInPlace(target, bytes);
  }
  error = WriteAll(fd.get(), bytes);
  if (!error && existing != nullptr &&
      ::fchmod(fd.get(), existing->st_mode & kPermissionBits) != 0) {
    error = FileDescriptor::LastError();
  }
  const std::error_code closeError = fd.Close();
  if (!error) error = closeError;
  if (!error && ::rename(temp->c_str(), target.c_str()) != 0) error = FileDescriptor::LastError();
  if (error) discard();
  return error;
}

}  // namespace gm
