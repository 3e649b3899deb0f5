#include "platform/profile_cache.h"

#include <time.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <utility>

namespace gm {

namespace fs = std::filesystem;

namespace {

// Longer than the step of file times. A file system that keeps fractions of a second steps by
// the kernel's clock tick (at most 10 ms) or by 10 ms (exFAT); one whose times are whole
// seconds (FAT, ext2/3 and small-inode ext4) by up to two seconds.
constexpr int64_t kFineFileTimeStepNs = 100'000'000;
constexpr int64_t kCoarseFileTimeStepNs = 3'000'000'000;
constexpr int64_t kNsPerSecond = 1'000'000'000;
// Files kept at most, and their bytes at most; the least recently used go first.
constexpr std::size_t kMaxKeptFiles = 48;
constexpr std::size_t kMaxKeptBytes = std::size_t{96} << 20;

int64_t Nanoseconds(const timespec& time) {
  return static_cast<int64_t>(time.tv_sec) * kNsPerSecond + time.tv_nsec;
}

// A change time with a fraction of a second shows a file system with fine file times (a whole
// second from such a file system is a one in ten million chance, and then only costs a compare).
int64_t FileTimeStepOf(const struct stat& status) {
  return status.st_ctim.tv_nsec != 0 ? kFineFileTimeStepNs : kCoarseFileTimeStepNs;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         Nanoseconds(a.st_mtim) == Nanoseconds(b.st_mtim) &&
         Nanoseconds(a.st_ctim) == Nanoseconds(b.st_ctim);
}

struct KeptFile {
  std::shared_ptr<const ParsedProfile> parsed;
  struct stat status {};
  int64_t confirmedNs = 0;  // the bytes matched the file at or after this time
  uint64_t lastUse = 0;
};

class ProfileCache {
 public:
  // What is kept of path, if anything. mustCompare is false only when the kept status still
  // matches `now` and the file had been unchanged for a whole file-time step when its bytes
  // were last confirmed; otherwise the caller compares the bytes on disk with the kept ones.
  std::shared_ptr<const ParsedProfile> Find(const fs::path& file, const struct stat& now,
                                            bool& mustCompare) {
    std::lock_guard lock(mutex_);
    auto it = files_.find(file);
    if (it == files_.end()) return nullptr;
    KeptFile& kept = it->second;
    kept.lastUse = ++useCounter_;
    mustCompare = !SameFile(kept.status, now) ||
                  Nanoseconds(kept.status.st_ctim) + FileTimeStepOf(kept.status) >=
                      kept.confirmedNs;
    return kept.parsed;
  }

  void Store(const fs::path& file, std::shared_ptr<const ParsedProfile> parsed,
             const struct stat& status, int64_t confirmedNs) {
    std::lock_guard lock(mutex_);
    if (auto it = files_.find(file); it != files_.end()) Erase(it);
    keptBytes_ += parsed->bytes.size();
    files_[file] = KeptFile{std::move(parsed), status, confirmedNs, ++useCounter_};
    EvictBeyondLimits(file);
  }

  void Forget(const fs::path& file) {
    std::lock_guard lock(mutex_);
    if (auto it = files_.find(file); it != files_.end()) Erase(it);
  }

 private:
  using Files = std::map<fs::path, KeptFile>;

  void Erase(Files::iterator it) {
    keptBytes_ -= it->second.parsed->bytes.size();
    files_.erase(it);
  }

  // Drops the least recently used files, never the one just stored.
  void EvictBeyondLimits(const fs::path& keep) {
    while (files_.size() > kMaxKeptFiles || (keptBytes_ > kMaxKeptBytes && files_.size() > 1)) {
      auto oldest = files_.end();
      for (auto it = files_.begin(); it != files_.end(); ++it) {
        if (it->first == keep) continue;
        if (oldest == files_.end() || it->second.lastUse < oldest->second.lastUse) oldest = it;
      }
      if (oldest == files_.end()) return;
      Erase(oldest);
    }
  }

  std::mutex mutex_;
  Files files_;
  std::size_t keptBytes_ = 0;
  uint64_t useCounter_ = 0;
};

ProfileCache& Cache() {
  static ProfileCache cache;
  return cache;
}

std::atomic<std::uint64_t> g_filesParsed{0};

// Reads and parses the file and keeps the result; `started` is the time before the read.
ProfileLookup ReadAndKeep(const fs::path& file, int64_t started,
                          std::shared_ptr<const ParsedProfile> kept) {
  FileContents contents = ReadWholeFile(file);
  ProfileLookup lookup;
  lookup.outcome = contents.outcome;
  lookup.status = contents.status;
  lookup.error = contents.error;
  if (contents.outcome != ReadOutcome::kRead) {
    Cache().Forget(file);
    return lookup;
  }
  // The kept parse is still good when only the file's times moved on.
  if (kept && kept->bytes == contents.bytes) {
    lookup.parsed = std::move(kept);
  } else {
    lookup.parsed = std::make_shared<const ParsedProfile>(ParseProfile(std::move(contents.bytes)));
    g_filesParsed.fetch_add(1, std::memory_order_relaxed);
  }
  Cache().Store(file, lookup.parsed, lookup.status, started);
  return lookup;
}

}  // namespace

std::uint64_t ProfileFilesParsed() { return g_filesParsed.load(std::memory_order_relaxed); }

timespec FileClockNow() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return now;
}

ProfileLookup LookUpProfile(const fs::path& file) {
  const int64_t started = Nanoseconds(FileClockNow());
  const std::optional<struct stat> status = StatFile(file);
  std::shared_ptr<const ParsedProfile> kept;
  if (status && S_ISREG(status->st_mode)) {
    bool mustCompare = false;
    kept = Cache().Find(file, *status, mustCompare);
    if (kept && !mustCompare) {
      ProfileLookup lookup;
      lookup.outcome = ReadOutcome::kRead;
      lookup.parsed = std::move(kept);
      lookup.status = *status;
      return lookup;
    }
  }
  return ReadAndKeep(file, started, std::move(kept));
}

void StoreWrittenProfile(const fs::path& file, std::shared_ptr<const ParsedProfile> parsed,
                         const timespec& written) {
  const std::optional<struct stat> status = StatFile(file);
  if (!status) {
    Cache().Forget(file);
    return;
  }
  Cache().Store(file, std::move(parsed), *status, Nanoseconds(written));
}

void ForgetProfile(const fs::path& file) { Cache().Forget(file); }

}  // namespace gm
