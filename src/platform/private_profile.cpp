#include "platform/private_profile.h"

#include <unistd.h>

#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "platform/profile_cache.h"
#include "platform/profile_content.h"
#include "platform/profile_file.h"
#include "platform/save_failure.h"
#include "platform/text.h"

namespace gm {

namespace fs = std::filesystem;

namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

// Serialises every writer of the process, so that each read-modify-write of a file sees the
// result of the one before it. Taken before the cache's own lock.
std::mutex& WriterMutex() {
  static std::mutex mutex;
  return mutex;
}

// Shows TooLargeFileMessage the first time a path is found too large.
void ReportTooLarge(const fs::path& file) {
  static std::mutex mutex;
  static std::set<fs::path> reported;
  {
    std::lock_guard lock(mutex);
    if (!reported.insert(file).second) return;
  }
  ShowUserMessage(TooLargeFileMessage(file));
}

// A file without any write permission is read-only even for a privileged user, as the
// read-only attribute is on Windows.
bool MayReplace(const fs::path& file, mode_t mode) {
  return (mode & kAnyWriteBit) != 0 && ::access(file.c_str(), W_OK) == 0;
}

bool Fail(const fs::path& file, std::error_code reason) {
  NoteFailedSave(file, reason);
  return false;
}

// The file a writer replaces (a link followed to its target) and what it holds now.
struct WriteTarget {
  fs::path path;
  std::shared_ptr<const ParsedProfile> current;  // nothing: no file yet (or one too large)
  std::optional<struct stat> status;             // of an existing file
};

// Nothing, with the failure noted under `named`, when the file cannot be replaced: a loop of
// links, something that exists but cannot be read as a regular file, or a read-only file.
// A file above the size limit is replaceable only when `mayBeTooLarge` (a whole new copy).
// A missing folder shows later, when the file cannot be created.
std::optional<WriteTarget> OpenWriteTarget(const fs::path& named, bool mayBeTooLarge) {
  const auto resolved = ResolveSymlinks(named);
  if (!resolved) {
    Fail(named, std::make_error_code(std::errc::too_many_symbolic_link_levels));
    return std::nullopt;
  }
  ProfileLookup lookup = LookUpProfile(*resolved);
  WriteTarget target{*resolved, nullptr, std::nullopt};
  switch (lookup.outcome) {
    case ReadOutcome::kFailed:
      Fail(named, lookup.error);
      return std::nullopt;
    case ReadOutcome::kMissing:
      return target;
    case ReadOutcome::kTooLarge:
      ReportTooLarge(named);
      if (!mayBeTooLarge) {
        Fail(named, lookup.error);
        return std::nullopt;
      }
      break;
    case ReadOutcome::kRead:
      target.current = std::move(lookup.parsed);
      break;
  }
  if (!MayReplace(*resolved, lookup.status.st_mode)) {
    Fail(named, std::make_error_code(std::errc::permission_denied));
    return std::nullopt;
  }
  target.status = lookup.status;
  return target;
}

// Writes `next` as the whole file and keeps it as the file's parsed contents.
bool Replace(const fs::path& named, const WriteTarget& target, ParsedProfile next) {
  const timespec started = FileClockNow();
  const std::error_code error = ReplaceFileContents(
      target.path, next.bytes, target.status ? &*target.status : nullptr);
  if (error) {
    ForgetProfile(target.path);
    return Fail(named, error);
  }
  StoreWrittenProfile(target.path, std::make_shared<const ParsedProfile>(std::move(next)),
                      started);
  return true;
}

}  // namespace

UserMessage TooLargeFileMessage(const fs::path& file) {
  const std::u16string path = ToUtf16(file.string());
  return {u"Error：文件过大，未读取!\n" + path,
          u"Error: the file is too large and was not read!\n" + path};
}

std::u16string GetPrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                        std::u16string_view defaultValue, std::size_t bufferChars,
                                        const fs::path& file) {
  const ProfileLookup lookup = LookUpProfile(file);
  if (lookup.outcome == ReadOutcome::kTooLarge) ReportTooLarge(file);
  const IniDocument* document = lookup.parsed ? &lookup.parsed->document : nullptr;
  return ReadProfileString(document, section, key, defaultValue, bufferChars);
}

bool WritePrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                std::u16string_view value, const fs::path& file) {
  ProfileWriteBatch batch(file);
  batch.Set(section, key, value);
  return batch.Write();
}

void ProfileWriteBatch::Set(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value) {
  entries_.push_back({std::u16string(section), std::u16string(key), std::u16string(value)});
}

bool ProfileWriteBatch::Write() {
  const std::vector<Entry> entries = std::exchange(entries_, {});
  if (entries.empty()) return true;
  const std::lock_guard lock(WriterMutex());
  const auto target = OpenWriteTarget(file_, /*mayBeTooLarge=*/false);
  if (!target) return false;
  const ParsedProfile* current = target->current.get();
  IniDocument document = current != nullptr ? current->document : IniDocument(std::u16string());
  bool stored = true;
  bool changed = false;
  for (const Entry& entry : entries) {
    if (document.Holds(entry.section, entry.key, entry.value)) continue;
    if (document.Set(entry.section, entry.key, entry.value)) {
      changed = true;
    } else {
      stored = Fail(file_, std::make_error_code(std::errc::invalid_argument));
    }
  }
  if (!changed) return stored;
  ParsedProfile next;
  if (current != nullptr) next.encoding = current->encoding;
  next.bytes = EncodeIniTextForStorage(document.Text(), next.encoding);
  next.document = std::move(document);
  if (current != nullptr && next.bytes == current->bytes) return stored;
  return Replace(file_, *target, std::move(next)) && stored;
}

bool CopyFileOverProfile(const fs::path& from, const fs::path& to) {
  const std::lock_guard lock(WriterMutex());
  FileContents source = ReadWholeFile(from);
  if (source.outcome == ReadOutcome::kRead && source.bytes.size() > MaxProfileFileBytes(to)) {
    source.outcome = ReadOutcome::kTooLarge;
  }
  if (source.outcome == ReadOutcome::kTooLarge) ReportTooLarge(from);
  if (source.outcome != ReadOutcome::kRead) return false;
  std::error_code error;
  if (fs::equivalent(from, to, error)) return true;
  const auto target = OpenWriteTarget(to, /*mayBeTooLarge=*/true);
  if (!target) return false;
  if (target->current && target->current->bytes == source.bytes) return true;
  return Replace(to, *target, ParseProfile(std::move(source.bytes)));
}

}  // namespace gm
