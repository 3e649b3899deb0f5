#include "macros/macro_reload.h"

#include <cstdint>
#include <mutex>

#include "macros/macro_group_names.h"
#include "macros/macro_groups.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "settings/paths.h"

namespace gm {

void UseMacroFoldersOfLanguage(bool isEnglish) {
  std::lock_guard lock(g_macroTablesMutex);
  SetMacroFolders(isEnglish);
}

void ReloadMacroGroups() {
  std::lock_guard lock(g_macroTablesMutex);
  LoadMacroGroups();
  if (g_macroGroupCount == 0) return;
  OpenMacroGroupFile(static_cast<uint8_t>(g_curMacroGroup), /*load=*/true);
  LoadMacroNames();
}

void SwitchMacroFoldersToLanguage(bool isEnglish) {
  std::lock_guard lock(g_macroTablesMutex);
  UseMacroFoldersOfLanguage(isEnglish);
  ReloadMacroGroups();
}

}  // namespace gm
