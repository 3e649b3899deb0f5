#pragma once
// What a committed in-place edit of the macro page changes: a new name typed into the macro
// list (a macro or a group), or a value typed into a step-list row (a delay, a DPI level, a
// move) or into the LED parameter list (a lighting time). Typed values are checked and
// clamped, the tables and the files changed, and the messages and list updates returned; a
// failed write leaves the tables as the files hold them and is reported (kSaveFailed).
// User-interface thread; the tables are changed under g_macroTablesMutex.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editor/macro_command_outcome.h"
#include "macros/macro_record.h"

namespace gm {

inline constexpr int kMaxStepDelayMs = 10000;
inline constexpr int kMaxMoveDistance = 100;
inline constexpr int kMinLightTime = 1;
inline constexpr int kMaxLightTime = 100;
inline constexpr uint8_t kDefaultDpiLevel = 4;  // 800 CPI
// A macro name keeps the name field's terminator: at most 29 units are stored.
inline constexpr int kMaxMacroNameChars = kMacroNameUnits - 1;

enum class EditedList : uint8_t { kMacroList, kStepList, kParamList };

struct ListEditCommit {
  EditedList list = EditedList::kStepList;
  int row = -1;             // the edited row of that list (-1: none)
  std::u16string text;      // the row's text after the edit
  int stepListSelection = -1;  // the step list's selected row (the step being edited)
  int paramListSelection = -1;  // the LED parameter list's selected row
  int editMacro = 0;        // the macro of the selected macro-list row; the step list shows it
};

// The handler of a committed edit. g_stepListSel becomes the step list's selection first.
//
// Macro list, a macro row: the name (cut to 29 units) must be non-empty and differ from every
// macro name of the group, this macro's included; it is then stored and written to the group
// file, and the macro list rebuilt. A refused name gets the stored name back into the row.
// A group row: a name equal to the group's own changes nothing; one equal to another group's
// (also when they differ only in letter case, as file names may) is refused with "Double
// name!"; one that cannot be a file name in the macro folder with the rename message. Otherwise
// the group file is copied to the new name, the list file rewritten and the old file removed;
// a failed copy or list write keeps the old name everywhere and tells the file and the reason.
//
// Step list and LED parameter list: a delay row takes the number before "ms", clamped to
// 0..10000 ("More than limit!" above); a DPI-set step maps the CPI after ':' to its level (any
// other value: the CPI message and level 4); a move step takes X and Y clamped to 0..100
// ("[X]数值越界!" / "[Y]数值超出!" above 100); a lighting step's parameter row takes 1..100
// ("More than limit!" above, "Min Value: 1 !" below) into its block. The changed macro is
// written to the group file.
MacroCommandOutcome CommitListEdit(const ListEditCommit& commit);

// Its two halves: a name typed into the macro list, a value typed into the step list or the
// LED parameter list.
MacroCommandOutcome CommitMacroListRename(const ListEditCommit& commit);
MacroCommandOutcome CommitStepValueEdit(const ListEditCommit& commit);

// The repeat-count edit's text changed: the count is clamped to 1..65535 (correctedText then
// holds the text the edit must show) and, when the selected macro-list row is a macro row,
// stored as g_macros[g_curMacro].repeatCount and written to the group file.
struct RepeatCountOutcome {
  uint16_t value = 1;
  std::optional<std::u16string> correctedText;
  MacroCommandOutcome outcome;
};
RepeatCountOutcome CommitRepeatCount(std::u16string_view text);

}  // namespace gm
