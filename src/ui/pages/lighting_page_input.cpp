// Lighting page: cycle colours, user colour, mode list, speed and brightness, symmetry,
// direction and the per-key reactions. The brightness and speed bars and the inward direction
// act only in the lighting modes that use them (led_modes.h); what is drawn greyed plays no
// part.

#include <algorithm>

#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "ui/pages/bar_click.h"
#include "ui/pages/led_modes.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_input_pages.h"
#include "ui/pages/ui_state.h"

namespace gm {
namespace {

int32_t Toggled(int32_t value) { return value == 0 ? 1 : 0; }

// A cycle colour switches on; it switches off only while another one stays on.
void ToggleCycleColor(int color) {
  if (g_cycleColorEnable[color].load() == 0) {
    g_cycleColorEnable[color] = 1;
    return;
  }
  const auto enabled = std::count_if(std::begin(g_cycleColorEnable), std::end(g_cycleColorEnable),
                                     [](const auto& e) { return e.load() != 0; });
  if (enabled >= 2) g_cycleColorEnable[color] = 0;
}

void ToggleKeyReaction(int key) {
  const int32_t config = g_curConfig.load();
  if (config < 0 || config >= kConfigCount) return;
  g_ledReactEnable[config][key] = Toggled(g_ledReactEnable[config][key].load());
}

}  // namespace

void PressOnLightingPage(const SkinLayout& layout, WindowPoint point, InputResult& result) {
  const uint32_t h = g_hoverLed;
  if (h >= layout.m_ledRects.size()) return;
  const SkinRect& element = layout.m_ledRects[h];
  if (!LedControlActs(g_ledType.load(), h)) return;  // a control the mode has no use for
  const auto keyCount = static_cast<uint32_t>(UsableKeyCount());

  if (h >= kLedFirstCycleColor && h < kLedFirstCycleColor + kUserColorCount) {
    ToggleCycleColor(static_cast<int>(h - kLedFirstCycleColor));
  } else if (h == kLedModeMenuButton) {
    g_popupOpened = 1;
    g_menuKind = kPopupKindLedModes;
    result.Add(InputAction{.kind = InputActionKind::kOpenLedModeMenu, .element = element});
  } else if (h == kLedSpeedBar) {
    if (const auto v = LedSpeedOfClick(element, point.x)) g_ledCycleTime = *v;
  } else if (h == kLedBrightnessBar) {
    if (const auto v = LedBrightnessOfClick(element, point.x)) g_ledBrightness = *v;
  } else if (h == kLedUserColor) {
    g_ledUserColorEnable = Toggled(g_ledUserColorEnable.load());
  } else if (h == kLedSymmetry) {
    g_ledSymmetry = Toggled(g_ledSymmetry.load());
  } else if (h >= kLedFirstDirection && h <= kLedDirectionAll) {
    g_ledDirection = static_cast<int32_t>(h - kLedFirstDirection);
  } else if (h >= kLedFirstKeyReact && h < kLedFirstKeyReact + keyCount) {
    ToggleKeyReaction(static_cast<int>(h - kLedFirstKeyReact));
  }
}

}  // namespace gm
