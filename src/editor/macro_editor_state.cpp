#include "editor/macro_editor_state.h"

namespace gm {

std::vector<MacroListEntry> g_macroListEntries;
int g_macroListSel = -1;
int g_stepListSel;
int g_macroEditMenuOpen;
bool g_macroListExists;

void ResetMacroEditorState() {
  g_macroListEntries.clear();
  g_macroListSel = -1;
  g_stepListSel = 0;
  g_macroEditMenuOpen = 0;
  g_macroListExists = false;
}

}  // namespace gm
