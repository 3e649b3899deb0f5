#include "platform/private_profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <optional>

#include "platform/profile_content.h"

namespace gm {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxSymlinkHops = 40;
constexpr int kMaxTempNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666;  // before the umask, as for any new file
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr size_t kReadChunk = 64 * 1024;

// Serialises every writer of the process, so that each read-modify-write of a file sees
// the result of the one before it.
std::mutex& WriterMutex() {
  static std::mutex mutex;
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
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

enum class ReadOutcome { kRead, kMissing, kFailed };

struct FileContents {
  ReadOutcome outcome = ReadOutcome::kFailed;
  std::string bytes;
  mode_t mode = 0;
};

// The whole file. kMissing only when nothing exists at the path; anything that exists but
// cannot be read as a regular file is kFailed.
FileContents ReadWholeFile(const fs::path& file) {
  FileContents contents;
  // Non-blocking, so that a FIFO at the path cannot stall the caller; it is then refused as
  // not a regular file.
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.valid()) {
    contents.outcome = errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kFailed;
    return contents;
  }
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return contents;
  contents.mode = status.st_mode;
  std::string chunk(kReadChunk, '\0');
  for (;;) {
    const ssize_t count = ::read(fd.get(), chunk.data(), chunk.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return contents;
    if (count == 0) break;
    contents.bytes.append(chunk.data(), static_cast<size_t>(count));
  }
  contents.outcome = ReadOutcome::kRead;
  return contents;
}

// The file a write must replace: a symbolic link is followed to its final target, so the
// link itself stays. Nothing for a loop of links or an unreadable link.
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

// A file without any write permission is read-only even for a privileged user, as the
// read-only attribute is on Windows.
bool MayReplace(const fs::path& file, mode_t mode) {
  return (mode & kAnyWriteBit) != 0 && ::access(file.c_str(), W_OK) == 0;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(count));
  }
  return true;
}

// Creates a new, uniquely named file beside `target` (same folder, so the rename below
// stays within one file system).
std::optional<fs::path> CreateTempBeside(const fs::path& target, int& fdOut) {
  static unsigned counter = 0;  // guarded by WriterMutex
  const std::string stem = "." + target.filename().string() + ".tmp" + std::to_string(::getpid());
  for (int attempt = 0; attempt < kMaxTempNameAttempts; ++attempt) {
    fs::path candidate = target.parent_path() / (stem + "." + std::to_string(counter++));
    const int fd =
        ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (fd >= 0) {
      fdOut = fd;
      return candidate;
    }
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

// Puts `bytes` in place of `target` by writing a temporary file and renaming it over the
// target. The rename is atomic, so readers see the old or the new file, never a mix, and a
// crash of the process leaves the old file. No fsync: surviving a power loss is not asked
// of a settings file, and one fsync per key would make saving the settings slow.
bool ReplaceFile(const fs::path& target, std::string_view bytes, std::optional<mode_t> keepMode) {
  int rawFd = -1;
  const auto temp = CreateTempBeside(target, rawFd);
  if (!temp) return false;
  FileDescriptor fd(rawFd);
  bool ok = WriteAll(fd.get(), bytes);
  if (ok && keepMode) ok = ::fchmod(fd.get(), *keepMode & kPermissionBits) == 0;
  ok = fd.Close() && ok;
  if (ok) ok = ::rename(temp->c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp->c_str());
  return ok;
}

// The file a writer replaces (a link followed to its target) and what it holds now.
struct WriteTarget {
  fs::path path;
  std::optional<std::string> oldBytes;  // nothing: no file yet
  std::optional<mode_t> keepMode;       // the permission bits an existing file keeps
};

// Nothing when the file cannot be replaced: a loop of links, something that exists but cannot
// be read as a regular file, or a read-only file. A missing folder shows later, when the
// temporary file cannot be created.
std::optional<WriteTarget> OpenWriteTarget(const fs::path& file) {
  const auto resolved = ResolveSymlinks(file);
  if (!resolved) return std::nullopt;
  FileContents contents = ReadWholeFile(*resolved);
  WriteTarget target{*resolved, std::nullopt, std::nullopt};
  switch (contents.outcome) {
    case ReadOutcome::kFailed:
      return std::nullopt;
    case ReadOutcome::kMissing:
      break;
    case ReadOutcome::kRead:
      if (!MayReplace(*resolved, contents.mode)) return std::nullopt;
      target.oldBytes = std::move(contents.bytes);
      target.keepMode = contents.mode;
      break;
  }
  return target;
}

}  // namespace

std::u16string GetPrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                        std::u16string_view defaultValue, std::size_t bufferChars,
                                        const fs::path& file) {
  const FileContents contents = ReadWholeFile(file);
  std::optional<std::string_view> bytes;
  if (contents.outcome == ReadOutcome::kRead) bytes = contents.bytes;
  return ReadProfileString(bytes, section, key, defaultValue, bufferChars);
}

bool WritePrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                std::u16string_view value, const fs::path& file) {
  const std::lock_guard lock(WriterMutex());
  const auto target = OpenWriteTarget(file);
  if (!target) return false;
  std::optional<std::string_view> oldBytes;
  if (target->oldBytes) oldBytes = *target->oldBytes;
  const auto newBytes = WriteProfileString(oldBytes, section, key, value);
  if (!newBytes) return false;
  if (oldBytes && *newBytes == *oldBytes) return true;  // same value: nothing to rewrite
  return ReplaceFile(target->path, *newBytes, target->keepMode);
}

bool CopyFileOverProfile(const fs::path& from, const fs::path& to) {
  const std::lock_guard lock(WriterMutex());
  const FileContents source = ReadWholeFile(from);
  if (source.outcome != ReadOutcome::kRead) return false;
  std::error_code error;
  if (fs::equivalent(from, to, error)) return true;
  const auto target = OpenWriteTarget(to);
  if (!target) return false;
  if (target->oldBytes == source.bytes) return true;  // nothing to rewrite
  return ReplaceFile(target->path, source.bytes, target->keepMode);
}

}  // namespace gm
