// The commands that create or replace group files: new group, import, export, reset.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>

#include "editor/macro_editor_state.h"
#include "editor/macro_group_commands.h"
#include "macros/group_name_rules.h"
#include "macros/macro_file.h"
#include "macros/macro_folders.h"
#include "macros/macro_group_names.h"
#include "macros/macro_groups.h"
#include "macros/macro_tables.h"
#include "platform/ini_document.h"
#include "platform/private_profile.h"
#include "platform/save_failure.h"
#include "platform/text.h"
#include "settings/paths.h"

namespace gm {

namespace {

namespace fs = std::filesystem;

constexpr char kScratchPattern[] = "gmouse-macro-XXXXXX";

// An empty file of its own in the temporary folder, removed with the object. Files are built
// here and then copied over their target with the profile writers' copy, so a target is
// replaced whole or not at all.
class ScratchFile {
 public:
  ScratchFile() {
    std::error_code ec;
    const fs::path folder = fs::temp_directory_path(ec);
    if (ec) return;
    std::string name = (folder / kScratchPattern).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return;
    ::close(fd);
    path_ = name;
  }
  ~ScratchFile() {
    std::error_code ec;
    if (path_) fs::remove(*path_, ec);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::optional<fs::path>& path() const { return path_; }

 private:
  std::optional<fs::path> path_;
};

bool AnyGroupIsNamed(std::u16string_view name) {
  for (int i = 0; i < g_macroGroupCount && i < kMaxMacroGroups; ++i) {
    if (SameIniName(g_macroGroupNames[i], name)) return true;
  }
  return false;
}

// Adds name as the last group and rewrites the list file; on a failed write the list is put
// back and false returned.
bool RegisterGroup(const std::u16string& name) {
  const int index = g_macroGroupCount;
  g_macroGroupNames[index] = name;
  g_macroGroupCount = index + 1;
  if (SaveMacroGroups()) return true;
  g_macroGroupNames[index].clear();
  g_macroGroupCount = index;
  SaveMacroGroups();
  return false;
}

// Loads the newly added last group and selects its (closed) row.
void OpenAddedGroup(GroupExpansion expanded, MacroCommandOutcome& outcome) {
  const int group = g_macroGroupCount - 1;
  expanded[static_cast<size_t>(group)] = 0;
  if (!OpenMacroGroupFile(static_cast<uint8_t>(group), true)) ClearLoadedGroup();
  {
    std::lock_guard lock(g_macroTablesMutex);
    g_curMacroGroup = group;
    g_curMacro = 0;
  }
  LoadMacroNames();
  g_macroListSel = MacroListRowOf(group, -1, expanded);
  outcome.ShowGroupListAfresh();
}

// The group name of an imported file: its name up to the first ".dat" (case counts).
std::u16string ImportedGroupName(const fs::path& chosen) {
  const std::u16string fileName = ToUtf16(chosen.filename().string());
  const size_t extension = fileName.find(kGroupFileExtension);
  return extension == std::u16string::npos ? std::u16string() : fileName.substr(0, extension);
}

}  // namespace

MacroCommandOutcome NewMacroGroup(GroupExpansion expanded) {
  SaveFailureCapture failures;
  MacroCommandOutcome outcome;
  {
    std::lock_guard lock(g_macroTablesMutex);
    g_curMacro = 0;
  }
  if (g_macroGroupCount >= kMaxMacroGroups) {
    outcome.Add(MacroMessageId::kMoreThanLimit);
    return outcome;
  }
  if (AnyGroupIsNamed(kNewItemName)) {
    outcome.Add(MacroMessageId::kDoubleNameOf, kNewItemName);
    return outcome;
  }
  // The file first, so that a group is never listed without one.
  const std::optional<fs::path> file = GroupFilePath(g_macroDir, kNewItemName);
  const ScratchFile empty;
  if (!file || !empty.path() || !CopyFileOverProfile(*empty.path(), *file)) {
    outcome.Add(MacroMessageId::kCreateFileFailed);
    return outcome;
  }
  if (!RegisterGroup(kNewItemName)) {
    std::error_code ec;
    fs::remove(*file, ec);
    outcome.AddSaveFailed(failures);
    return outcome;
  }
  OpenAddedGroup(expanded, outcome);
  ClearLoadedGroup();  // all 21 records, the template included
  return outcome;
}

MacroCommandOutcome ImportMacroGroup(const fs::path& chosen, GroupExpansion expanded) {
  SaveFailureCapture failures;
  MacroCommandOutcome outcome;
  if (g_macroGroupCount >= kMaxMacroGroups) {
    outcome.Add(MacroMessageId::kMoreThanLimit);
    return outcome;
  }
  const std::u16string name = ImportedGroupName(chosen);
  if (name.empty()) {
    outcome.Add(MacroMessageId::kError);
    return outcome;
  }
  const std::optional<fs::path> target = GroupFilePath(g_macroDir, name);
  if (!target) {
    outcome.Add(MacroMessageId::kInvalidName);
    return outcome;
  }
  if (AnyGroupIsNamed(name)) {
    outcome.Add(MacroMessageId::kDoubleName);
    return outcome;
  }
  std::error_code ec;
  const bool targetExisted = fs::exists(*target, ec);
  if (!CopyFileOverProfile(chosen, *target)) {
    outcome.AddSaveFailed(failures);
    return outcome;
  }
  if (!RegisterGroup(name)) {
    if (!targetExisted) fs::remove(*target, ec);
    outcome.AddSaveFailed(failures);
    return outcome;
  }
  OpenAddedGroup(expanded, outcome);
  return outcome;
}

MacroCommandOutcome ExportMacroGroup(const fs::path& chosen, bool locked) {
  SaveFailureCapture failures;
  MacroCommandOutcome outcome;
  if (g_macroGroupCount <= 0) {
    outcome.Add(MacroMessageId::kError);
    return outcome;
  }
  {
    std::lock_guard lock(g_macroTablesMutex);
    const uint32_t before = g_groupEncrypted;
    g_groupEncrypted = locked ? 1 : 0;
    // Written whole into a file of its own first: the chosen file is replaced, so neither an
    // old read-only marker nor old lines of it survive.
    const ScratchFile scratch;
    if (!scratch.path() || !SaveMacroFile(*scratch.path(), /*withReadOnlyMarker=*/locked) ||
        !CopyFileOverProfile(*scratch.path(), chosen)) {
      g_groupEncrypted = before;
      outcome.AddSaveFailed(failures);
      return outcome;
    }
  }
  // The chosen file may be a group's own (the dialog starts in the macro folder).
  LoadMacroNames();
  outcome.fillMacroList = true;
  return outcome;
}

MacroCommandOutcome ResetAllMacroGroups(GroupExpansion expanded) {
  SaveFailureCapture failures;
  MacroCommandOutcome outcome;
  // Nothing is replaced unless there is a factory set to put in its place.
  const fs::path factoryList = g_macroResetDir / kMacroGroupListFileName;
  std::error_code ec;
  if (!fs::is_regular_file(factoryList, ec)) {
    NoteFailedSave(factoryList,
                   ec ? ec : std::make_error_code(std::errc::no_such_file_or_directory));
    outcome.AddSaveFailed(failures);
    return outcome;
  }
  {
    std::lock_guard lock(g_macroTablesMutex);
    g_curMacroGroup = 0;
    g_curMacro = 0;
  }
  g_macroListSel = 0;
  // The whole factory set takes the folder's place in one step (its target, for a link).
  if (!ReplaceDirectoryWithCopy(g_macroResetDir, g_macroDir, kMacroGroupListFileName)) {
    outcome.AddSaveFailed(failures);
  }

  LoadMacroGroups();
  LoadMacroNames();
  if (g_macroGroupCount <= 0 || !OpenMacroGroupFile(0, true)) ClearLoadedGroup();
  for (uint32_t& flag : expanded) flag = 0;
  outcome.ShowGroupListAfresh();
  return outcome;
}

}  // namespace gm
