#include "macros/macro_group_names.h"

namespace gm {

std::u16string g_macroGroupNames[kMaxMacroGroups];
int g_macroGroupCount;

}  // namespace gm
