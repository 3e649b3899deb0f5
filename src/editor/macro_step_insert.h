#pragma once
// Adding a step to a macro of the open group while keeping its counts and the numbering of
// its lighting blocks, and the name lookup that refuses duplicate macro names.

#include <string>

#include "macros/macro_record.h"

namespace gm {

// Inserts a step with the low bytes of code and action at position of g_macros[macro] (a
// position past the last step appends), then saves the macro of the selected macro-list row
// to its group file and clears g_macroEditMenuOpen. Refused with a message in a read-only
// group and when the record holds 180 steps (the macro is still saved). A record whose later
// lighting steps address blocks that its counter does not cover is left unchanged with
// "Error!" and nothing is saved. Nothing happens for a macro index outside 0..19; the save is
// skipped when the selected row is no macro row of a listed group whose name makes a file
// name. Runs under g_macroTablesMutex; its message is shown after the mutex is released.
void InsertMacroStep(int macro, unsigned position, unsigned code, unsigned action);

// The index of the first of count records whose name is exactly name (case counts), or
// count when there is none (also when count <= 0).
int FindMacroByName(const MacroRecord* records, std::u16string name, int count);

}  // namespace gm
