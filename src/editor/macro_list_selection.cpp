#include "editor/macro_list_selection.h"

#include <cstdint>
#include <mutex>

#include "editor/macro_editor_state.h"
#include "editor/macro_page_access.h"
#include "macros/macro_record.h"
#include "platform/text.h"

namespace gm {

namespace {

void ToggleExpanded(const MacroListEntry& entry, GroupExpansion expanded) {
  uint32_t& flag = expanded[entry.group % kMaxMacroGroups];
  flag = flag != 0 ? 0 : 1;
}

// Opens the row's group when another group is open, under one lock: no device thread sees the
// group compared and then another one opened.
void OpenGroupOfRow(const MacroListEntry& entry) {
  std::lock_guard lock(g_macroTablesMutex);
  if (entry.group != g_curMacroGroup) SelectEditorGroup(entry.group, /*load=*/true);
}

// The macro row shows its steps (RefreshStepList sets the repeat edit from the macro).
void ShowMacro(const MacroListEntry& entry, MacroCommandOutcome& outcome) {
  g_curMacro = entry.macro;
  outcome.refreshStepListOf = g_curMacro;
}

MacroCommandOutcome Click(const MacroRowChoice& choice, GroupExpansion expanded) {
  MacroCommandOutcome outcome;
  outcome.clearParamList = true;
  const int row = choice.row;
  if (row < 0) return outcome;
  const int prev = g_macroListSel;

  if (row == prev) {
    // A click on the selected row: a group row opens or closes.
    if (const MacroListEntry* entry = MacroListEntryAt(row); IsMacroListGroupRow(row)) {
      ToggleExpanded(*entry, expanded);
      outcome.fillMacroList = true;
      outcome.clearStepList = true;
    }
    outcome.selectMacroListRow = row;
    return outcome;
  }

  g_macroListSel = row;
  outcome.selectMacroListRow = row;
  const MacroListEntry* picked = MacroListEntryAt(row);
  if (picked == nullptr) {
    outcome.Add(MacroMessageId::kListBoxError);
    return outcome;
  }
  const MacroListEntry entry = *picked;
  outcome.clearStepList = true;
  g_curMacro = 0;

  if (entry.kind == kMacroListGroupRow) {
    ToggleExpanded(entry, expanded);
    outcome.fillMacroList = true;
    outcome.disableRepeatEdit = true;
    OpenGroupOfRow(entry);
    return outcome;
  }

  // The macro left keeps the repeat count shown, in its own group's file, before another group
  // is opened.
  if (const MacroListEntry* before = MacroListEntryAt(prev); IsMacroListMacroRow(prev)) {
    const auto count = static_cast<uint16_t>(WToI(choice.repeatEditText));
    const MacroCommandOutcome stored = StoreRepeatCount(before->group, before->macro, count);
    outcome.messages.insert(outcome.messages.end(), stored.messages.begin(), stored.messages.end());
  }
  OpenGroupOfRow(entry);
  ShowMacro(entry, outcome);
  outcome.selectFirstStepRow = true;
  return outcome;
}

MacroCommandOutcome RightClick(int row) {
  MacroCommandOutcome outcome;
  g_macroListSel = row;
  outcome.selectMacroListRow = row;
  const MacroListEntry* listed = MacroListEntryAt(row);
  if (listed == nullptr) return outcome;
  const MacroListEntry entry = *listed;
  OpenGroupOfRow(entry);
  outcome.clearParamList = true;
  if (entry.kind == kMacroListMacroRow) {
    ShowMacro(entry, outcome);
  } else {
    g_curMacro = 0;
    outcome.clearStepList = true;
  }
  return outcome;
}

MacroCommandOutcome AfterLanguageSwitch(int row) {
  MacroCommandOutcome outcome;
  const MacroListEntry* listed = MacroListEntryAt(row);
  if (listed == nullptr || listed->kind != kMacroListMacroRow) {
    // The steps shown are those of a macro of the language left: no macro row holds them now.
    outcome.clearStepList = true;
    outcome.disableRepeatEdit = true;
  }
  if (listed == nullptr) return outcome;
  const MacroListEntry entry = *listed;
  std::lock_guard lock(g_macroTablesMutex);
  OpenGroupOfRow(entry);
  if (entry.kind == kMacroListMacroRow) ShowMacro(entry, outcome);
  return outcome;
}

}  // namespace

MacroCommandOutcome MakeMacroListRowCurrent(const MacroRowChoice& choice, GroupExpansion expanded) {
  switch (choice.pick) {
    case MacroRowPick::kClick: return Click(choice, expanded);
    case MacroRowPick::kRightClick: return RightClick(choice.row);
    case MacroRowPick::kLanguageSwitch: return AfterLanguageSwitch(choice.row);
  }
  return {};
}

}  // namespace gm
