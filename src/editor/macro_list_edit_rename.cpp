// New names typed into the macro list: a macro's or a group's.
#include <algorithm>
#include <filesystem>
#include <mutex>
#include <optional>
#include <system_error>

#include "editor/macro_editor_state.h"
#include "editor/macro_list_edit.h"
#include "editor/macro_step_insert.h"
#include "macros/group_name_rules.h"
#include "macros/macro_file.h"
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

// The name as the record stores it: at most 29 units, never ending inside a surrogate pair.
std::u16string StoredMacroName(std::u16string_view typed) {
  std::u16string name(typed.substr(0, kMaxMacroNameChars));
  if (name.size() < typed.size() && IsLowSurrogate(typed[name.size()])) {
    name.pop_back();  // the pair's high half
  }
  return name;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

MacroCommandOutcome Refused(MacroMessageId id, std::u16string storedName,
                            std::u16string quoted = {}) {
  MacroCommandOutcome outcome;
  outcome.Add(id, std::move(quoted));
  outcome.restoreMacroListRowText = std::move(storedName);
  return outcome;
}

// A rename refused because a file could not be written: the message names it.
MacroCommandOutcome RefusedSaving(SaveFailureCapture& failures, std::u16string storedName) {
  MacroCommandOutcome outcome;
  outcome.AddSaveFailed(failures);
  outcome.restoreMacroListRowText = std::move(storedName);
  return outcome;
}

// Makes group the one loaded into g_macros; false when its file cannot be read.
bool LoadGroupOfRow(int group) {
  if (group == g_curMacroGroup) return true;
  if (!OpenMacroGroupFile(static_cast<uint8_t>(group), true)) return false;
  std::lock_guard lock(g_macroTablesMutex);
  g_curMacroGroup = group;
  return true;
}

MacroCommandOutcome RenameMacro(const MacroListEntry& entry, std::u16string_view typed) {
  const int group = entry.group;
  const int macro = entry.macro;
  if (group >= g_macroGroupCount || macro >= kMacrosPerGroup) return {};
  // The record renamed is that of the row's group, so that group is the one loaded.
  if (!LoadGroupOfRow(group)) {
    return Refused(MacroMessageId::kGroupFileMissing,
                   g_macroNames[group * kMacrosPerGroup + macro]);
  }

  std::unique_lock lock(g_macroTablesMutex);
  g_curMacro = macro;
  const int count = std::clamp<int>(g_macroCount, 0, kMacrosPerGroup);
  if (macro >= count) return {};
  MacroRecord& record = g_macros[macro];
  const std::u16string stored = MacroNameOf(record);
  const std::u16string name = StoredMacroName(typed);
  if (name.empty()) return Refused(MacroMessageId::kEmptyName, stored);
  if (FindMacroByName(g_macros, name, count) < count) {
    return Refused(MacroMessageId::kDoubleNameOf, stored, std::u16string(typed));
  }
  SetMacroName(record, name);
  lock.unlock();

  SaveFailureCapture failures;
  if (!SaveLoadedGroupMacro(macro)) {
    {
      std::lock_guard relock(g_macroTablesMutex);
      SetMacroName(record, stored);
    }
    return RefusedSaving(failures, stored);
  }
  LoadMacroNames();
  MacroCommandOutcome outcome;
  outcome.fillMacroList = true;
  return outcome;
}

// Another group whose name is this one, also when they differ only in letter case: their
// files could not be told apart on a file system that ignores case.
bool AnotherGroupIsNamed(int group, std::u16string_view name) {
  for (int i = 0; i < g_macroGroupCount && i < kMaxMacroGroups; ++i) {
    if (i != group && SameIniName(g_macroGroupNames[i], name)) return true;
  }
  return false;
}

// Nothing when the name is unchanged (no refresh either).
std::optional<MacroCommandOutcome> RenameGroup(int group, std::u16string_view typed) {
  if (group >= g_macroGroupCount || group >= kMaxMacroGroups) return MacroCommandOutcome{};
  const std::u16string old = g_macroGroupNames[group];
  if (typed == old) return std::nullopt;
  if (AnotherGroupIsNamed(group, typed)) return Refused(MacroMessageId::kDoubleName, old);
  const std::optional<fs::path> newFile = GroupFilePath(g_macroDir, typed);
  if (!newFile) return Refused(MacroMessageId::kInvalidName, old);
  const std::optional<fs::path> oldFile = GroupFilePath(g_macroDir, old);

  SaveFailureCapture failures;
  MacroCommandOutcome outcome;
  std::error_code ec;
  const bool oldExists = oldFile && fs::is_regular_file(*oldFile, ec);
  if (!oldExists) {
    outcome.Add(MacroMessageId::kGroupFileMissing);
  } else if (!CopyFileOverProfile(*oldFile, *newFile)) {
    return RefusedSaving(failures, old);
  }

  g_macroGroupNames[group] = std::u16string(typed);
  if (!SaveMacroGroups()) {
    g_macroGroupNames[group] = old;
    SaveMacroGroups();
    if (oldExists && !SameFile(*oldFile, *newFile)) fs::remove(*newFile, ec);
    return RefusedSaving(failures, old);
  }
  // A name that differs only in letter case may name the same file.
  if (oldExists && !SameFile(*oldFile, *newFile)) fs::remove(*oldFile, ec);
  outcome.fillMacroList = true;
  return outcome;
}

}  // namespace

MacroCommandOutcome CommitMacroListRename(const ListEditCommit& commit) {
  g_macroListSel = commit.row;
  const MacroListEntry* listed = MacroListEntryAt(commit.row);
  if (listed == nullptr) {
    MacroCommandOutcome outcome;
    outcome.Add(MacroMessageId::kChooseRow);
    return outcome;
  }
  const MacroListEntry entry = *listed;
  MacroCommandOutcome outcome;
  if (entry.kind == kMacroListMacroRow && commit.row != 0) {
    outcome = RenameMacro(entry, commit.text);
  } else {
    std::optional<MacroCommandOutcome> renamed = RenameGroup(entry.group, commit.text);
    if (!renamed) return {};
    outcome = std::move(*renamed);
  }
  outcome.refreshStepListOf = std::clamp(commit.editMacro, 0, kMacrosPerGroup - 1);
  return outcome;
}

}  // namespace gm
