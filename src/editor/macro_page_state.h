#pragma once
// State of the macro page's lists besides the selections of macros/macro_editor_state.h: which
// groups are open in the tree, the key rows of the step list, and the lighting step whose
// block the parameter list shows. User-interface thread only.

#include <array>
#include <cstdint>

#include "macros/macro_record.h"

namespace gm {

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

// Back to the values at start (tests).
void ResetMacroPageState();

}  // namespace gm
