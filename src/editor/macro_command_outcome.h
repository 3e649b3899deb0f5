#pragma once
// What a command of the macro page leaves for the window to do: the messages to show, in
// order, and which of the page's lists to rebuild. The commands themselves (step commands,
// in-place edits, group management) change the tables and files and show nothing; the window
// shows the messages (ShowOutcomeMessages) and then carries out the list updates in the order
// the fields are declared.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "macros/macro_record.h"
#include "platform/message_sink.h"
#include "platform/save_failure.h"

namespace gm {

// The messages of the macro page's commands. Texts in MacroMessageText.
enum class MacroMessageId : uint8_t {
  kMoreThanLimit,      // "More than limit!"
  kCpiValues,          // the list of accepted CPI values
  kXOutOfRange,        // "[X]数值越界!"
  kYOutOfRange,        // "[Y]数值超出!"
  kMinValueOne,        // "Min Value: 1 !"
  kChooseRow,          // "请选择条目"
  kEmptyName,          // "名称不能为空!"
  kDoubleNameOf,       // "'" + name + "' Double name!"
  kDoubleName,         // "Double name!"
  kInvalidName,        // "Invalid: Delete Invalid character"
  kGroupFileMissing,   // "not find File!"
  kCreateFileFailed,   // "Create new mac_file Fail!"
  kError,              // "Error!"
  kLockedGroup,        // "加密宏不能修改"
  kSaveFailed,         // a file could not be written: SaveFailedMessage ("Error!" unnamed)
  kListBoxError,       // "列表框出错"
};

struct MacroMessage {
  MacroMessageId id;
  std::u16string name;  // the name kDoubleNameOf quotes; empty otherwise
  SaveFailure failure;  // the file kSaveFailed names and why; empty otherwise
  bool operator==(const MacroMessage&) const = default;
};

// The text of a message in both languages.
UserMessage MacroMessageText(const MacroMessage& message);

// True for the boxes the main window owns itself; the others are the application's boxes.
bool IsMainWindowMessage(MacroMessageId id);

struct MacroCommandOutcome {
  std::vector<MacroMessage> messages;

  // The macro list's edited row gets this text back (a refused rename).
  std::optional<std::u16string> restoreMacroListRowText;
  // Empty the step list and the LED parameter list.
  bool clearStepList = false;
  bool clearParamList = false;
  // The repeat-count edit shows "1" and is disabled (no macro row is selected).
  bool disableRepeatEdit = false;
  // Rebuild the macro list from the tables and select row g_macroListSel.
  bool fillMacroList = false;
  // Select this row of the macro list (-1: none).
  std::optional<int> selectMacroListRow;
  // Rebuild the step list for this macro of g_macros (RefreshStepList).
  std::optional<int> refreshStepListOf;
  // Then select the step list's first row.
  bool selectFirstStepRow = false;
  // Fill the LED parameter list from this lighting block (AddLedStepLines) and select
  // paramListRow in it again.
  std::optional<int> refreshParamListOf;
  int paramListRow = -1;

  // After a change of the group list: both lists emptied, the repeat edit disabled, the macro
  // list rebuilt.
  void ShowGroupListAfresh() {
    clearStepList = true;
    clearParamList = true;
    disableRepeatEdit = true;
    fillMacroList = true;
  }

  void Add(MacroMessageId id, std::u16string name = {}) {
    messages.push_back({id, std::move(name), {}});
  }
  // kSaveFailed naming the first write that failed under the command's capture, which then
  // shows none of them itself; one per command, however many of its writes failed.
  void AddSaveFailed(SaveFailureCapture& failures) {
    const SaveFailure failure = failures.Take().value_or(SaveFailure{});
    if (Has(MacroMessageId::kSaveFailed)) return;
    messages.push_back({MacroMessageId::kSaveFailed, {}, failure});
  }
  bool Has(MacroMessageId id) const {
    for (const MacroMessage& m : messages) {
      if (m.id == id) return true;
    }
    return false;
  }
};

// Hands the outcome's messages to the installed message sink, in order.
void ShowOutcomeMessages(const MacroCommandOutcome& outcome);

// Saves g_macros[macro] as line `macro` of the file of the group loaded into g_macros
// (g_curMacroGroup). False when the write failed, and without writing when no listed group is
// loaded, its name cannot be a file name, or macro lies outside 0..19.
bool SaveLoadedGroupMacro(int macro);

// SaveLoadedGroupMacro; when the write fails, g_macros[macro] gets `before` back and the
// outcome kSaveFailed naming the file, so the table keeps what the file holds.
void SaveOrRestoreMacro(int macro, const MacroRecord& before, MacroCommandOutcome& outcome);

}  // namespace gm
