#pragma once
// Selection state of the macro editor: the rows of the macro tree list and the selected rows of
// the macro list and the step list. User-interface thread only.

#include <cstdint>
#include <vector>

namespace gm {

inline constexpr int32_t kMacroListMacroRow = 0;
inline constexpr int32_t kMacroListGroupRow = 1;
inline constexpr uint8_t kNoMacroOnRow = 0xFF;  // the macro index of a group row

// One row of the macro tree list.
struct MacroListEntry {
  int32_t kind;   // kMacroListGroupRow or kMacroListMacroRow
  uint8_t group;  // group index 0..11
  uint8_t macro;  // macro index 0..19 in the group; kNoMacroOnRow on group rows
};

// Row r of the macro list is g_macroListEntries[r].
extern std::vector<MacroListEntry> g_macroListEntries;
// The macro-list row last acted on; -1 before any.
extern int g_macroListSel;
// The selected step-list row: row 2k is step k, row 2k + 1 the delay after it.
extern int g_stepListSel;
// Non-zero while the macro-edit pop-up menu is open.
extern int g_macroEditMenuOpen;
// True while the macro page's list boxes exist (they are created when the macro page is first
// shown and destroyed when another page is chosen); g_macroListSel means a row only then.
extern bool g_macroListExists;

// No list rows, no selection (-1), step row 0, no menu open, no lists: the start values.
void ResetMacroEditorState();

}  // namespace gm
