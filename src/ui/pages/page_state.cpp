#include "ui/pages/page_state.h"

#include "editor/macro_editor_state.h"
#include "settings/config_settings.h"

namespace gm {

std::optional<int> CurConfigIndex() {
  const int32_t config = g_curConfig.load();
  if (config < 0 || config >= kConfigCount) return std::nullopt;
  return config;
}

std::optional<int> DpiLevelIndex() {
  const int32_t level = g_dpiLevel.load();
  if (level < 0 || level >= kDpiLevelCount) return std::nullopt;
  return level;
}

bool SelectedMacroListRowIsMacro() { return IsMacroListMacroRow(g_macroListSel); }

}  // namespace gm
