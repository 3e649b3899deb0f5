#include "platform/temp_leftovers.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <set>
#include <system_error>

namespace gm {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempPrefix = ".";
constexpr std::string_view kTempMarker = ".tmp";
constexpr char kCounterSeparator = '.';

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// True unless the process certainly no longer exists (a process of another user still counts
// as running).
bool ProcessRuns(pid_t pid) { return ::kill(pid, 0) == 0 || errno != ESRCH; }

}  // namespace

std::string TempFileName(const fs::path& target, unsigned counter) {
  return std::string(kTempPrefix) + target.filename().string() + std::string(kTempMarker) +
         std::to_string(::getpid()) + kCounterSeparator + std::to_string(counter);
}

std::optional<pid_t> TempFileOwner(std::string_view fileName) {
  if (!fileName.starts_with(kTempPrefix)) return std::nullopt;
  const size_t counterDot = fileName.rfind(kCounterSeparator);
  if (counterDot == std::string_view::npos || !AllDigits(fileName.substr(counterDot + 1))) {
    return std::nullopt;
  }
  const size_t marker = fileName.rfind(kTempMarker, counterDot);
  if (marker == std::string_view::npos || marker <= kTempPrefix.size()) return std::nullopt;
  const std::string_view pidText =
      fileName.substr(marker + kTempMarker.size(), counterDot - marker - kTempMarker.size());
  if (!AllDigits(pidText)) return std::nullopt;
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid);
  if (error != std::errc() || end != pidText.data() + pidText.size() || pid <= 0) {
    return std::nullopt;
  }
  return pid;
}

void RemoveDeadTempFilesOnce(const fs::path& folder) {
  static std::set<fs::path> swept;  // guarded by the callers' writer lock
  if (!swept.insert(folder).second) return;
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::optional<pid_t> owner = TempFileOwner(it->path().filename().string());
    if (!owner || *owner == ::getpid() || ProcessRuns(*owner)) continue;
    struct stat status {};
    if (::lstat(it->path().c_str(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
    ::unlink(it->path().c_str());
  }
}

}  // namespace gm
