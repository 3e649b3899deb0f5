#pragma once
// The list of macro groups: their names in list order and their number. A group's name is also
// its file's title: the group file is g_macroDir + name + ".dat". Defined on their own so that
// the step editor and the group list reader and writer share one definition.

#include <string>

#include "macros/macro_record.h"

namespace gm {

extern std::u16string g_macroGroupNames[kMaxMacroGroups];  // entries from the count on are empty
extern int g_macroGroupCount;                              // 0..12

// No groups (the start values), under g_macroTablesMutex.
void ResetMacroGroupNames();

}  // namespace gm
