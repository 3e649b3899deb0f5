#pragma once
// The one command that makes a row of the macro list the current one, however the row was
// picked: a click on it, a right click before its context menu opens, or its keeping its place
// through a language switch. The row's group becomes the open group (its file read into
// g_macros when another group is open) and, on a macro row, the row's macro the current one
// (g_curMacro). The lists are the window's: what they must show afterwards comes back in the
// outcome (macro_command_outcome.h). A recording that runs is the window's to end before a
// click is handed in.
//
// User-interface thread; the group is opened under g_macroTablesMutex.

#include <cstdint>
#include <string>

#include "editor/macro_command_outcome.h"
#include "editor/macro_group_commands.h"

namespace gm {

enum class MacroRowPick : uint8_t {
  // The list's selection changed to row; the row acted on before is g_macroListSel. The
  // parameter list is emptied; no row (-1) changes nothing more.
  // - The row acted on before: a group row opens or closes (the step list emptied); the row
  //   stays selected.
  // - Another row becomes g_macroListSel, the step list is emptied and macro 0 current; a row
  //   outside the list shows "列表框出错". A group row opens or closes, the repeat edit shows
  //   "1" disabled, and its group is opened. On a macro row, when the row before was a macro
  //   row, the number the repeat edit shows is stored as that macro's repeat count in its own
  //   group's file (StoreRepeatCount) before the row's group is opened; then the row's macro is
  //   current, its steps are shown and the first step row is selected.
  kClick,
  // A right click on row (-1: on an empty list) before its menu opens: the row becomes
  // g_macroListSel and the list's selection. On a listed row its group is opened and the
  // parameter list emptied; a macro row's macro becomes current with its steps shown, a group
  // row makes macro 0 current and empties the step list.
  kRightClick,
  // Row is the selected row, kept in its place when a language switch read the groups afresh
  // from the other folder and opened group 0: its group is opened and, on a macro row, its
  // macro made current with its steps shown, so that what is saved as the selected macro is
  // that row's own record. The lists were rebuilt by the switch. On a group row, or a row the
  // rebuilt list does not show, the step list is emptied and the repeat edit shows "1"
  // disabled: no step of the language left stays on show.
  kLanguageSwitch,
};

struct MacroRowChoice {
  MacroRowPick pick = MacroRowPick::kClick;
  int row = -1;  // a row of the macro list (g_macroListEntries); -1 none
  // kClick: the text of the repeat-count edit, stored into the macro of the row before.
  std::u16string repeatEditText;
};

// Makes choice.row current as its pick says; expanded is the tree list's open/closed flag per
// group, toggled by a click on a group row.
MacroCommandOutcome MakeMacroListRowCurrent(const MacroRowChoice& choice, GroupExpansion expanded);

}  // namespace gm
