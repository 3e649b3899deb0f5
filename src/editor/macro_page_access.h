#pragma once
// What the macro page reads from and writes into the macro tables: the tree of groups and
// macro names, a copy of a macro of the open group, its repeat count and the display
// corrections of a lighting block. Each function takes g_macroTablesMutex inside (the device
// report thread may replace a record of the open group); callers hold no lock.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/macro_command_outcome.h"
#include "macros/macro_record.h"

namespace gm {

// The groups in list order, each with the names of its macros (UsableMacroCount of them).
struct MacroGroupListing {
  struct Group {
    std::u16string name;
    std::vector<std::u16string> macroNames;
  };
  std::vector<Group> groups;
};
MacroGroupListing ReadMacroGroupListing();

// A copy of g_macros[macro]; a zero record for an index outside 0..kMacroTemplateIndex.
MacroRecord ReadEditorMacro(int macro);

// Makes group the open group (g_curMacroGroup) and, with load, reads its file into g_macros
// (OpenMacroGroupFile), under one lock: no device thread sees the new group with the old
// group's records. The result of OpenMacroGroupFile; true without load.
bool SelectEditorGroup(int group, bool load);

// g_groupEncrypted: the open group is locked.
bool IsEditorGroupLocked();

// Runs change on lighting block `block` of g_macros[macro] under the lock. False, without
// calling it, for a macro outside 0..kMacroTemplateIndex or a block outside 0..4.
bool ChangeEditorLedBlock(int macro, int block, const std::function<void(MacroLedBlock&)>& change);

// Stores value as the repeat count of macro `macro` of group `group` and writes the record
// into that group's file (SaveMacro). Nothing is stored or written unless group is the open
// group (g_macros holds its records), it is not locked and the macro is one of its
// g_macroCount macros. A failed write puts the old count back and is reported (kSaveFailed).
MacroCommandOutcome StoreRepeatCount(int group, int macro, uint16_t value);

}  // namespace gm
