// The commands on the tree list's rows: new macro, delete macro, delete group.
#include "editor/macro_group_commands.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "editor/macro_editor_state.h"
#include "editor/macro_step_insert.h"
#include "macros/group_name_rules.h"
#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_groups.h"
#include "macros/macro_tables.h"
#include "platform/save_failure.h"
#include "settings/paths.h"

namespace gm {

namespace {

namespace fs = std::filesystem;

// A group file that resists deletion is tried once more after this pause.
constexpr std::chrono::milliseconds kDeleteRetryPause{10};

std::optional<MacroListEntry> EntryOfRow(int row) {
  const MacroListEntry* listed = MacroListEntryAt(row);
  if (listed == nullptr) return std::nullopt;
  const MacroListEntry entry = *listed;
  if (entry.group >= std::min(g_macroGroupCount, kMaxMacroGroups)) return std::nullopt;
  return entry;
}

// Makes group the one loaded into g_macros. A group without a file loads as an empty group
// (its first saved macro creates the file).
void LoadGroup(int group) {
  if (group == g_curMacroGroup) return;
  if (!OpenMacroGroupFile(static_cast<uint8_t>(group), true)) ClearLoadedGroup();
  std::lock_guard lock(g_macroTablesMutex);
  g_curMacroGroup = group;
}

std::optional<fs::path> LoadedGroupFile() {
  if (g_curMacroGroup < 0 || g_curMacroGroup >= std::min(g_macroGroupCount, kMaxMacroGroups)) {
    return std::nullopt;
  }
  return GroupFilePath(g_macroDir, g_macroGroupNames[g_curMacroGroup]);
}

// Removes the file, once more after a pause when it is still there; true when it is gone.
// A file that stays is noted as a failed save, with the reason of the last try.
bool RemoveGroupFile(const fs::path& file) {
  std::error_code ec;
  if (!fs::exists(file, ec)) return true;
  fs::remove(file, ec);
  if (!fs::exists(file, ec)) return true;
  std::this_thread::sleep_for(kDeleteRetryPause);
  std::error_code reason;
  fs::remove(file, reason);
  if (!fs::exists(file, ec)) return true;
  NoteFailedSave(file, reason);
  return false;
}

}  // namespace

void ClearLoadedGroup() {
  std::lock_guard lock(g_macroTablesMutex);
  g_macroCount = 0;
  g_groupEncrypted = 0;
  g_curMacro = 0;
  for (int i = 0; i <= kMacroTemplateIndex; ++i) {
    ClearMacroRecord(g_macros, static_cast<uint8_t>(i));
  }
}

int MacroListRowOf(int group, int macro, GroupExpansion expanded) {
  const int groups = std::clamp(g_macroGroupCount, 0, kMaxMacroGroups);
  int row = 0;
  for (int g = 0; g < groups; ++g) {
    const int shown = expanded[static_cast<size_t>(g)] != 0 ? UsableMacroCount(g) : 0;
    if (g == group) {
      if (macro < 0) return row;
      return macro < shown ? row + 1 + macro : -1;
    }
    row += 1 + shown;
  }
  return -1;
}

MacroCommandOutcome NewMacro(int selectedRow, GroupExpansion expanded) {
  SaveFailureCapture failures;
  MacroCommandOutcome outcome;
  const std::optional<MacroListEntry> entry = EntryOfRow(selectedRow);
  if (g_macroGroupCount <= 0 || !entry) return outcome;
  g_macroListSel = selectedRow;
  const int group = entry->group;
  LoadGroup(group);

  int index = 0;
  {
    std::lock_guard lock(g_macroTablesMutex);
    index = std::clamp<int>(g_macroCount, 0, kMacrosPerGroup);
    if (index >= kMacrosPerGroup) {
      outcome.Add(MacroMessageId::kMoreThanLimit);
      return outcome;
    }
    if (FindMacroByName(g_macros, kNewItemName, index) < index) {
      outcome.Add(MacroMessageId::kDoubleNameOf, kNewItemName);
      return outcome;
    }
    ClearMacroRecord(g_macros, static_cast<uint8_t>(index));
    SetMacroName(g_macros[index], kNewItemName);
    g_macroCount = static_cast<int16_t>(index + 1);
    g_curMacro = index;
  }
  outcome.clearStepList = true;
  if (!SaveLoadedGroupMacro(index)) {
    std::lock_guard lock(g_macroTablesMutex);
    g_macroCount = static_cast<int16_t>(index);
    ClearMacroRecord(g_macros, static_cast<uint8_t>(index));
    g_curMacro = 0;
    outcome.AddSaveFailed(failures);
  } else {
    expanded[static_cast<size_t>(group)] = 1;
  }
  LoadMacroNames();
  outcome.fillMacroList = true;
  return outcome;
}

MacroCommandOutcome DeleteMacro(int selectedRow, bool recording) {
  SaveFailureCapture failures;
  MacroCommandOutcome outcome;
  const std::optional<MacroListEntry> entry = EntryOfRow(selectedRow);
  if (recording || !entry || entry->kind != kMacroListMacroRow || selectedRow == 0) return outcome;
  g_macroListSel = selectedRow;
  const int group = entry->group;
  LoadGroup(group);
  {
    std::lock_guard lock(g_macroTablesMutex);
    const int count = std::clamp<int>(g_macroCount, 0, kMacrosPerGroup);
    if (entry->macro >= count) return outcome;
    for (int i = entry->macro; i + 1 < count; ++i) g_macros[i] = g_macros[i + 1];
    ClearMacroRecord(g_macros, static_cast<uint8_t>(count - 1));
    g_macroCount = static_cast<int16_t>(count - 1);
  }

  // The row above takes the selection: the group's header or the macro before this one.
  const int above = selectedRow - 1;
  const MacroListEntry aboveEntry = g_macroListEntries[static_cast<size_t>(above)];
  g_macroListSel = above;
  if (aboveEntry.kind == kMacroListMacroRow && aboveEntry.group == group) {
    g_curMacro = aboveEntry.macro;
    outcome.refreshStepListOf = g_curMacro;
  } else {
    g_curMacro = 0;
    outcome.clearStepList = true;
    outcome.disableRepeatEdit = true;
  }

  const std::optional<fs::path> file = LoadedGroupFile();
  if (!file || !SaveMacroFile(*file)) {
    // The file keeps the macro; so do the tables.
    OpenMacroGroupFile(static_cast<uint8_t>(group), true);
    outcome.AddSaveFailed(failures);
  }
  LoadMacroNames();
  outcome.fillMacroList = true;
  return outcome;
}

MacroCommandOutcome DeleteMacroGroup(int selectedRow, GroupExpansion expanded) {
  SaveFailureCapture failures;
  MacroCommandOutcome outcome;
  const std::optional<MacroListEntry> entry = EntryOfRow(selectedRow);
  if (g_macroGroupCount <= 0 || !entry) return outcome;
  g_macroListSel = selectedRow;
  const int group = entry->group;

  const std::optional<fs::path> file = GroupFilePath(g_macroDir, g_macroGroupNames[group]);
  if (file && !RemoveGroupFile(*file)) {
    outcome.AddSaveFailed(failures);
    return outcome;
  }

  // The names move up one place and take their open/closed flags with them.
  const int count = std::min(g_macroGroupCount, kMaxMacroGroups);
  for (int k = group; k + 1 < count; ++k) {
    g_macroGroupNames[k] = g_macroGroupNames[k + 1];
    expanded[static_cast<size_t>(k)] = expanded[static_cast<size_t>(k + 1)];
  }
  g_macroGroupNames[count - 1].clear();
  expanded[static_cast<size_t>(count - 1)] = 0;
  g_macroGroupCount = count - 1;
  {
    std::lock_guard lock(g_macroTablesMutex);
    g_curMacroGroup = 0;
    g_curMacro = 0;
  }
  if (!SaveMacroGroups()) outcome.AddSaveFailed(failures);

  if (g_macroGroupCount > 0 && OpenMacroGroupFile(0, true)) {
    g_macroListSel = 0;
  } else {
    ClearLoadedGroup();
    g_macroListSel = g_macroGroupCount > 0 ? 0 : -1;
  }
  LoadMacroNames();
  outcome.ShowGroupListAfresh();
  return outcome;
}

}  // namespace gm
