#include "platform/temp_leftovers.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <mutex>
#include <set>
#include <system_error>
#include <utility>

#include "platform/profile_file.h"

namespace gm {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempPrefix = ".";
constexpr std::string_view kTempMarker = ".tmp";
constexpr std::string_view kSetAsideMarker = ".old";
constexpr char kCounterSeparator = '.';

enum class LeftoverKind { kTemporary, kSetAside };

struct Leftover {
  LeftoverKind kind;
  pid_t owner;
  std::string_view originalName;  // the name of what it was made for
};

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

std::string LeftoverName(const fs::path& target, std::string_view marker, unsigned counter) {
  return std::string(kTempPrefix) + target.filename().string() + std::string(marker) +
         std::to_string(::getpid()) + kCounterSeparator + std::to_string(counter);
}

std::optional<Leftover> ParseLeftover(std::string_view fileName) {
  if (!fileName.starts_with(kTempPrefix)) return std::nullopt;
  const size_t counterDot = fileName.rfind(kCounterSeparator);
  if (counterDot == std::string_view::npos || !AllDigits(fileName.substr(counterDot + 1))) {
    return std::nullopt;
  }
  for (const auto& [marker, kind] : {std::pair{kTempMarker, LeftoverKind::kTemporary},
                                     std::pair{kSetAsideMarker, LeftoverKind::kSetAside}}) {
    const size_t at = fileName.rfind(marker, counterDot);
    if (at == std::string_view::npos || at <= kTempPrefix.size()) continue;
    const std::string_view pidText =
        fileName.substr(at + marker.size(), counterDot - at - marker.size());
    if (!AllDigits(pidText)) continue;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid);
    if (error != std::errc() || end != pidText.data() + pidText.size() || pid <= 0) continue;
    return Leftover{kind, pid, fileName.substr(kTempPrefix.size(), at - kTempPrefix.size())};
  }
  return std::nullopt;
}

// The leftover named `fileName` when a process that no longer runs made it.
std::optional<Leftover> DeadLeftover(std::string_view fileName) {
  const std::optional<Leftover> leftover = ParseLeftover(fileName);
  if (!leftover || leftover->owner == ::getpid() || ProcessRuns(leftover->owner)) {
    return std::nullopt;
  }
  return leftover;
}

// Calls visit(entry, leftover, status) for each entry of `folder` that a dead process left,
// with the entry's own status (a link is seen as a link).
template <typename Visit>
void ForEachDeadLeftover(const fs::path& folder, Visit visit) {
  const fs::path where = folder.empty() ? fs::path(".") : folder;
  std::error_code ec;
  fs::directory_iterator it(where, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const std::optional<Leftover> leftover = DeadLeftover(name);
    if (!leftover) continue;
    struct stat status {};
    if (::lstat(it->path().c_str(), &status) != 0) continue;
    visit(it->path(), *leftover, status);
  }
}

}  // namespace

std::string TempFileName(const fs::path& target, unsigned counter) {
  return LeftoverName(target, kTempMarker, counter);
}

std::string SetAsideName(const fs::path& target, unsigned counter) {
  return LeftoverName(target, kSetAsideMarker, counter);
}

std::optional<pid_t> TempFileOwner(std::string_view fileName) {
  const std::optional<Leftover> leftover = ParseLeftover(fileName);
  if (!leftover) return std::nullopt;
  return leftover->owner;
}

void RemoveDeadLeftovers(const fs::path& folder) {
  ForEachDeadLeftover(
      folder, [](const fs::path& entry, const Leftover& leftover, const struct stat& status) {
        if (leftover.kind == LeftoverKind::kTemporary && S_ISREG(status.st_mode)) {
          ::unlink(entry.c_str());
        }
      });
}

void RemoveDeadFolderLeftovers(const fs::path& folder) {
  const fs::path named = NamedEntry(folder);
  const std::string ownName = named.filename().string();
  if (ownName.empty()) return;
  const fs::path parent = named.parent_path();
  ForEachDeadLeftover(
      parent, [&](const fs::path& entry, const Leftover& leftover, const struct stat& status) {
        if (leftover.originalName != ownName || !S_ISDIR(status.st_mode)) return;
        if (leftover.kind == LeftoverKind::kSetAside) {
          // Killed between setting the old folder aside and moving the new one in: the old one
          // gets its name back. Where a new one did arrive, the old one goes.
          struct stat taken {};
          if (::lstat(named.c_str(), &taken) != 0 && errno == ENOENT &&
              ::rename(entry.c_str(), named.c_str()) == 0) {
            return;
          }
        }
        std::error_code ec;
        fs::remove_all(entry, ec);  // removes links inside as links
      });
}

void RemoveDeadTempFilesOnce(const fs::path& folder) {
  static std::mutex mutex;
  static std::set<fs::path> swept;
  {
    const std::lock_guard lock(mutex);
    if (!swept.insert(folder).second) return;
  }
  RemoveDeadLeftovers(folder);
}

}  // namespace gm
