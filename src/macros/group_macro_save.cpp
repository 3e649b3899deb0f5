#include "macros/group_macro_save.h"

#include <mutex>

#include "macros/group_name_rules.h"
#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "settings/paths.h"

namespace gm {

void SaveGroupMacro(const GroupMacro& target) {
  if (target.macro < 0 || target.macro >= kMacrosPerGroup) return;
  std::lock_guard lock(g_macroTablesMutex);
  const int groupLimit = g_macroGroupCount < kMaxMacroGroups ? g_macroGroupCount : kMaxMacroGroups;
  if (target.group != g_curMacroGroup || target.group < 0 || target.group >= groupLimit) return;
  const auto file = GroupFilePath(g_macroDir, g_macroGroupNames[target.group]);
  if (!file) return;
  SaveMacro(*file, target.macro);
}

}  // namespace gm
