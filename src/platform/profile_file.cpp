#include "platform/profile_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
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
    return ::close(fd) == 0 ? std::error_code() : LastSystemError();
  }

 private:
  int fd_;
};

std::error_code WriteAll(int fd, std::string_view bytes) {
  off_t offset = 0;
  while (!bytes.empty()) {
    const ssize_t count = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return LastSystemError();
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
      error = LastSystemError();
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

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr char kCommentStart = ';';
constexpr char kPaddingFill = ' ';

// `bytes` followed by blank or comment text up to `length` bytes, in the encoding of `bytes`:
// UTF-16LE where they start with its mark, else one byte per ASCII character (UTF-8 and
// GB18030 alike). A file cut off anywhere after `bytes` holds their text and then at most a
// comment line ("; " and blanks) or blank lines, which no reader takes for a key.
std::string PaddedToLength(std::string_view bytes, size_t length) {
  const bool utf16 = bytes.starts_with(kUtf16LeMark);
  const size_t unit = utf16 ? 2 : 1;
  std::string padded(bytes);
  // A last half unit is read as a unit of its own: complete it as such.
  if (utf16 && padded.size() % 2 != 0 && padded.size() < length) padded.push_back('\0');
  auto ascii = [&](std::string_view text) {
    std::string encoded;
    for (const char c : text) {
      encoded.push_back(c);
      if (utf16) encoded.push_back('\0');
    }
    return encoded;
  };
  const std::string lf = ascii("\n");
  const std::string crlf = ascii("\r\n");
  const std::string& ending = padded.find(crlf) != std::string::npos ? crlf : lf;
  const bool endsLine = padded.ends_with(lf);
  const size_t units = (length - std::min(length, padded.size())) / unit;
  const size_t framing = (endsLine ? 0 : ending.size() / unit) + 1 + ending.size() / unit;
  if (units >= framing) {
    if (!endsLine) padded += ending;
    padded += ascii(std::string(1, kCommentStart) +
                    std::string(units - framing, kPaddingFill));
    padded += ending;
  } else {
    for (size_t i = 0; i < units; ++i) padded += lf;  // too short for a comment: blank lines
  }
  if (padded.size() < length) padded.push_back('\n');  // an odd byte: read as a line end
  return padded;
}

// Rewrites an existing file through its own inode, so that owner, group, mode and links stay.
// Space for the new length is reserved before the first byte is written. A shorter file is
// written to the old length with padding (PaddedToLength) before it is cut, so that the old
// file's tail never stands after the new text, even when the cut does not happen.
std::error_code WriteInPlace(const fs::path& target, std::string_view bytes) {
  const std::unique_lock lock(InPlaceWriteMutex());
  FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  if (!fd.valid()) return LastSystemError();
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0) return LastSystemError();
  if (!S_ISREG(status.st_mode)) return std::make_error_code(std::errc::invalid_argument);
  const auto length = static_cast<off_t>(bytes.size());
  if (length > status.st_size) {
    // Some file systems cannot reserve space; the write itself then finds a full disk.
    if (::fallocate(fd.get(), 0, 0, length) != 0 && errno != EOPNOTSUPP && errno != ENOSYS) {
      return LastSystemError();
    }
  }
  const std::string padded =
      length < status.st_size ? PaddedToLength(bytes, static_cast<size_t>(status.st_size))
                              : std::string();
  if (const std::error_code error = WriteAll(fd.get(), padded.empty() ? bytes : padded)) {
    return error;
  }
  if (::ftruncate(fd.get(), length) != 0) return LastSystemError();
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
    contents.error = LastSystemError();
    contents.outcome = errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kFailed;
    return contents;
  }
  if (::fstat(fd.get(), &contents.status) != 0) {
    contents.error = LastSystemError();
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
      contents.error = LastSystemError();
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

std::error_code LastSystemError() { return {errno, std::generic_category()}; }

fs::path NamedEntry(const fs::path& path) {
  return path.has_filename() ? path : path.parent_path();
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
    error = LastSystemError();
  }
  const std::error_code closeError = fd.Close();
  if (!error) error = closeError;
  if (!error && ::rename(temp->c_str(), target.c_str()) != 0) error = LastSystemError();
  if (error) discard();
  return error;
}

}  // namespace gm
