#pragma once
// The step commands of the macro page: inserting a step before or after the selected one,
// deleting it, and what "Modify" on a step row does. They work on g_macros[g_curMacro] of the
// loaded group, keep its counters and lighting-block numbering, write the changed macro to
// the group's file (a failed write puts the macro back and is reported with kSaveFailed) and
// return what the window must show and rebuild. A macro index past the
// loaded group's macros (no macro shown) changes nothing. User-interface thread; the tables
// are changed under g_macroTablesMutex.
//
// menuRow is the step-list row that was selected when the menu was opened (-1: none); the
// selected step is menuRow / 2 (0 for -1). g_stepListSel is read and moved as the list's
// selection. recording tells whether a macro is being recorded.

#include <cstdint>
#include <string>

#include "editor/macro_command_outcome.h"

namespace gm {

enum class StepInsertCommand : uint8_t {
  kLeftDownAfter,
  kLeftUpAfter,
  kRightDownAfter,
  kRightUpAfter,
  kMidDownAfterCn,  // the Chinese menu's "Insert after item", middle button: behind the step
  kMidUpAfterCn,
  kMidDownAfterEn,  // the English menu's same item puts the step in front of the selected one
  kMidUpAfterEn,
  kLeftDownBefore,
  kLeftUpBefore,
  kRightDownBefore,
  kRightUpBefore,
  kCpiSet,
  kCpiReset,
  kLed,
  kDelay,
  kMoveXMinusYMinus,
  kMoveXMinusYPlus,
  kMoveXPlusYMinus,
  kMoveXPlusYPlus,
};

// Where a command puts its step: behind the selected step, or in its place (in front of it).
enum class StepInsertPlace : uint8_t { kAfter, kAt };

struct StepInsertRule {
  StepInsertPlace place;
  uint8_t code;
  uint8_t action;
};
StepInsertRule StepInsertRuleOf(StepInsertCommand command);

// Inserts the command's step into g_macros[g_curMacro] (InsertMacroStep, which shows its own
// messages) and asks for the step list to be rebuilt. "After" on an empty step list inserts at
// 0 and leaves g_stepListSel 0. Nothing happens while recording; a lighting step is refused
// first (even while recording) with "More than limit!" when the macro has 5 of them.
MacroCommandOutcome InsertStepCommand(StepInsertCommand command, int menuRow, bool recording);

// "Delete option": removes the selected step of g_macros[g_curMacro] while not recording. The
// counter of its kind goes down; for a lighting step every later step of its kind takes the
// block below its own, so blocks stay in step order, and the freed last block is zeroed.
// g_stepListSel moves up one step (to 0 from rows 0..2). A selection past the last step
// deletes nothing; a locked group is refused with its message. The LED parameter list is
// emptied in every case.
MacroCommandOutcome DeleteStepCommand(int menuRow, bool recording);

// The step menu's "Delete": g_stepListSel = the step list's selection, then DeleteStepCommand.
MacroCommandOutcome DeleteStepValueCommand(int stepListSelection, int menuRow, bool recording);

// What the step menu's "Modify" does with the selected row.
enum class StepModifyAction : uint8_t {
  kNothing,
  kEditInPlace,  // open the step list's in-place edit on the row
  kCaptureKey,   // run the key-capture dialog in step mode, preset with keyName
};
struct StepModifyDecision {
  StepModifyAction action = StepModifyAction::kNothing;
  std::u16string keyName;  // kCaptureKey: the step's key name
};
// stepListRows is the step list's row count, stepListSelection its selected row (also stored
// in g_stepListSel). A delay row is edited in place while not recording; a move, DPI or
// lighting step row likewise; any other step row opens the key capture.
StepModifyDecision DecideStepModify(int stepListSelection, int stepListRows, bool recording);

// The key capture of a step row came back: code[row / 2] of g_macros[macro] = the captured
// HID usage (action and counters unchanged), saved, and the step list rebuilt for macro. On a
// delay row, or a row past the steps, nothing happens. The window then clears its captured
// key code and name.
MacroCommandOutcome StoreCapturedStepKey(int stepListSelection, int macro, uint8_t capturedCode);

}  // namespace gm
