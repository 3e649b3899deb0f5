#include "macros/macro_group_names.h"

#include <mutex>

namespace gm {

std::u16string g_macroGroupNames[kMaxMacroGroups];
int g_macroGroupCount;

void ResetMacroGroupNames() {
  std::lock_guard lock(g_macroTablesMutex);
  for (auto& name : g_macroGroupNames) name.clear();
  g_macroGroupCount = 0;
}

}  // namespace gm
