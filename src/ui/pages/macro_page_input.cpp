// Macro page: the selection the element actions work on, and the dispatch of Record, Insert,
// the play modes and the recoil editor to the macro editor.

#include <cstddef>

#include "editor/macro_editor_state.h"
#include "macros/macro_record.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_input.h"
#include "ui/pages/page_input_pages.h"
#include "ui/pages/ui_state.h"

namespace gm {
namespace {

inline constexpr uint8_t kPlayModeOfElement2 = kPlayModeDevice2;
inline constexpr uint8_t kPlayModeOfElement1 = kPlayModeDevice1;
inline constexpr uint8_t kPlayModeOfElement0 = kPlayModeRepeat;

}  // namespace

void TakeMacroListSelection(int listSelection) {
  const int row = listSelection < 0 ? 0 : listSelection;
  g_macroListSel = row;
  g_curMacro = 0;
  if (const MacroListEntry* entry = MacroListEntryAt(row)) {
    const uint8_t macro = entry->macro;
    if (macro < kMacrosPerGroup) g_curMacro = macro;  // a group row has no macro
  }
}

void PressOnMacroPage(const SkinLayout& layout, InputResult& result) {
  const uint32_t h = g_hoverMacro;
  if (h == kNoElement && g_hoverMain == kNoElement) return;  // not on an element
  result.Add(InputActionKind::kTakeMacroListSelection);
  if (h >= layout.m_macRects.size()) return;
  const SkinRect& element = layout.m_macRects[h];
  switch (h) {
    case kMacRecord:
      result.Add(InputAction{.kind = InputActionKind::kMacroRecord, .element = element});
      break;
    case kMacInsert:
      result.Add(InputAction{.kind = InputActionKind::kMacroInsertMenu, .element = element});
      break;
    case kMacPlayMode2:
      result.Add(
          InputAction{.kind = InputActionKind::kMacroPlayMode, .playMode = kPlayModeOfElement2});
      break;
    case kMacPlayMode1:
      result.Add(
          InputAction{.kind = InputActionKind::kMacroPlayMode, .playMode = kPlayModeOfElement1});
      break;
    case kMacPlayMode0:
      result.Add(
          InputAction{.kind = InputActionKind::kMacroPlayMode, .playMode = kPlayModeOfElement0});
      break;
    case kMacRecoilEditor: result.Add(InputActionKind::kMacroRecoilEditor); break;
    default: break;
  }
}

}  // namespace gm
