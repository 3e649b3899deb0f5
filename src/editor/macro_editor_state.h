#pragma once
// editor: the macro page's lists without widgets: their state, rows and commands.
//
// The editor sits above the macro storage (macros) and below the window; it names no widget.
// This header holds the lists' state: the rows of the macro tree list, the selected rows, which
// groups are open, the key rows of the step list and the lighting step whose block the
// parameter list shows. User-interface thread only.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "macros/group_macro_save.h"
#include "macros/macro_record.h"

namespace gm {

inline constexpr int32_t kMacroListMacroRow = 0;
inline constexpr int32_t kMacroListGroupRow = 1;
// The kind of an entry counted in the table but on no row shown (a macro of a closed group).
inline constexpr int32_t kMacroListUnshownRow = -1;
inline constexpr uint8_t kNoMacroOnRow = 0xFF;  // the macro index of a group row

// One row of the macro tree list.
struct MacroListEntry {
  int32_t kind;   // kMacroListGroupRow, kMacroListMacroRow or kMacroListUnshownRow
  uint8_t group;  // group index 0..11
  uint8_t macro;  // macro index 0..19 in the group; kNoMacroOnRow on group rows
};

// Row r of the macro list is g_macroListEntries[r]; read a row through MacroListEntryAt.
extern std::vector<MacroListEntry> g_macroListEntries;
// The macro-list row last acted on; -1 before any.
extern int g_macroListSel;
// The selected step-list row (editor/step_rows.h: row 2k is step k, 2k + 1 its delay).
extern int g_stepListSel;
// Non-zero while the macro-edit pop-up menu is open.
extern int g_macroEditMenuOpen;
// True while the macro page's list boxes exist (they are created when the macro page is first
// shown and destroyed when another page is chosen); g_macroListSel means a row only then.
extern bool g_macroListExists;

// 1 when the group's macros are listed under it.
extern std::array<uint32_t, kMaxMacroGroups> g_groupExpanded;
// Rows with action 1 (key down) and 2 (key up) added since the step list was last emptied.
extern int g_keyDownRows;
extern int g_keyUpRows;
// The step-list row selected when a macro-page menu was last opened; selected again after
// each row added.
extern int g_stepMenuRow;
// x (block index, low byte) and action of the lighting step shown in the parameter list, the
// mode byte of its block's first light entry, and the parameter list's selected row.
extern uint8_t g_selLedBlock;
extern uint8_t g_ledStepAction;
extern uint16_t g_ledEntryMode;
extern int g_paramListSel;

// The entry of macro-list row `row`; null for a row outside g_macroListEntries and for an
// entry on no row shown, so a row kept from a longer list names no group or macro.
const MacroListEntry* MacroListEntryAt(int row);
// True when row `row` is listed and is a macro row (kMacroListMacroRow), a group row.
bool IsMacroListMacroRow(int row);
bool IsMacroListGroupRow(int row);

// The macro of the selected macro-list row (g_macroListSel); nothing when no row or a group
// row is selected. Whether the list exists is the caller's business.
std::optional<GroupMacro> SelectedListMacro();

// Every value above back to its start: no list rows, no selection (-1), step row 0, no menu
// open, no lists, every group closed, no key rows, no lighting step shown.
void ResetMacroEditorState();

}  // namespace gm
