#include "editor/macro_editor_state.h"

#include <cstddef>

namespace gm {

std::vector<MacroListEntry> g_macroListEntries;
int g_macroListSel = -1;
int g_stepListSel;
int g_macroEditMenuOpen;
bool g_macroListExists;

std::array<uint32_t, kMaxMacroGroups> g_groupExpanded{};
int g_keyDownRows = 0;
int g_keyUpRows = 0;
int g_stepMenuRow = 0;
uint8_t g_selLedBlock = 0;
uint8_t g_ledStepAction = 0;
uint16_t g_ledEntryMode = 0;
int g_paramListSel = 0;

const MacroListEntry* MacroListEntryAt(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= g_macroListEntries.size()) return nullptr;
  const MacroListEntry& entry = g_macroListEntries[static_cast<std::size_t>(row)];
  return entry.kind == kMacroListUnshownRow ? nullptr : &entry;
}

bool IsMacroListMacroRow(int row) {
  const MacroListEntry* entry = MacroListEntryAt(row);
  return entry != nullptr && entry->kind == kMacroListMacroRow;
}

bool IsMacroListGroupRow(int row) {
  const MacroListEntry* entry = MacroListEntryAt(row);
  return entry != nullptr && entry->kind == kMacroListGroupRow;
}

std::optional<GroupMacro> SelectedListMacro() {
  const MacroListEntry* entry = MacroListEntryAt(g_macroListSel);
  if (entry == nullptr || entry->kind != kMacroListMacroRow) return std::nullopt;
  return GroupMacro{entry->group, entry->macro};
}

void ResetMacroEditorState() {
  g_macroListEntries.clear();
  g_macroListSel = -1;
  g_stepListSel = 0;
  g_macroEditMenuOpen = 0;
  g_macroListExists = false;
  g_groupExpanded = {};
  g_keyDownRows = 0;
  g_keyUpRows = 0;
  g_stepMenuRow = 0;
  g_selLedBlock = 0;
  g_ledStepAction = 0;
  g_ledEntryMode = 0;
  g_paramListSel = 0;
}

}  // namespace gm
