#include "editor/macro_page_state.h"

namespace gm {

std::array<uint32_t, kMaxMacroGroups> g_groupExpanded{};
int g_keyDownRows = 0;
int g_keyUpRows = 0;
int g_stepMenuRow = 0;
uint8_t g_selLedBlock = 0;
uint8_t g_ledStepAction = 0;
uint16_t g_ledEntryMode = 0;
int g_paramListSel = 0;

void ResetMacroPageState() {
  g_groupExpanded = {};
  g_keyDownRows = 0;
  g_keyUpRows = 0;
  g_stepMenuRow = 0;
  g_selLedBlock = 0;
  g_ledStepAction = 0;
  g_ledEntryMode = 0;
  g_paramListSel = 0;
}

}  // namespace gm
