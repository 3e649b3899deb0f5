#include "macros/group_macro_save.h"

#include <cstddef>
#include <mutex>

#include "macros/group_name_rules.h"
#include "editor/macro_editor_state.h"
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

std::optional<GroupMacro> SelectedListMacro() {
  if (g_macroListSel < 0) return std::nullopt;
  const auto row = static_cast<std::size_t>(g_macroListSel);
  if (row >= g_macroListEntries.size()) return std::nullopt;
  const MacroListEntry& entry = g_macroListEntries[row];
  if (entry.kind != kMacroListMacroRow) return std::nullopt;
  return GroupMacro{entry.group, entry.macro};
}

}  // namespace gm
