// Keys page: the key buttons and the wheel switch.

#include <algorithm>

#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_input_pages.h"
#include "ui/pages/ui_state.h"

namespace gm {

void PressOnKeysPage(const SkinLayout& layout, InputResult& result) {
  const uint32_t h = g_hoverMain;
  const auto keyCount = static_cast<uint32_t>(UsableKeyCount());
  if (h >= kMainFirstKeyButton && h < kMainFirstKeyButton + keyCount) {
    g_selKey = static_cast<int>(h);
    g_popupOpened = 1;
    g_menuKind = kPopupKindKeyFunctions;
    result.Add(
        InputAction{.kind = InputActionKind::kOpenKeyMenu, .element = layout.m_mainRects[h]});
  } else if (h == kMainWheelOff) {
    g_wheelStatus = 0;
  } else if (h == kMainWheelOn) {
    g_wheelStatus = 1;
  }
}

}  // namespace gm
