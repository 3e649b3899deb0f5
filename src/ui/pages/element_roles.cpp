#include "ui/pages/element_roles.h"

#include <algorithm>
#include <limits>

#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_state.h"
#include "ui/pages/ui_state.h"

namespace gm {
namespace {

constexpr uint32_t kMainLastSharedControl = kMainReset;  // 0..16, then the web page
constexpr uint32_t kAdvLastDpiEnable = kAdvFirstDpiEnable + kDpiLevelCount - 1;
constexpr uint32_t kAdvLastDpiSelect = kAdvFirstDpiSelect + kDpiLevelCount - 1;
constexpr uint32_t kLedLastCycleColor = kLedFirstCycleColor + kUserColorCount - 1;
constexpr uint32_t kLedLastDirection = kLedDirectionAll;

bool Between(uint32_t value, uint32_t first, uint32_t last) {
  return value >= first && value <= last;
}

// One of the first `count` elements from `first` (the per-key elements).
bool AmongKeys(uint32_t element, uint32_t first) {
  return element >= first && element - first < static_cast<uint32_t>(UsableKeyCount());
}

bool AdvancedElementIsControl(uint32_t e) {
  return e == kAdvPointerSpeedBar || e == kAdvWheelSpeedBar || e == kAdvFireTimeBar ||
         Between(e, kAdvFirstRate, kAdvLastRateAlt) ||
         Between(e, kAdvFirstDpiEnable, kAdvLastDpiEnable) ||
         Between(e, kAdvFirstDpiSelect, kAdvLastDpiSelect) || e == kAdvDpiSlider;
}

bool LightingElementIsControl(uint32_t e) {
  return Between(e, kLedFirstCycleColor, kLedLastCycleColor) || e == kLedUserColor ||
         e == kLedModeMenuButton || e == kLedBrightnessBar || e == kLedSpeedBar ||
         e == kLedSymmetry || Between(e, kLedFirstDirection, kLedLastDirection) ||
         AmongKeys(e, kLedFirstKeyReact);
}

bool MacroElementIsControl(uint32_t e) {
  return Between(e, kMacRecord, kMacPlayMode0) || e == kMacRecoilEditor;
}

}  // namespace

bool MainElementIsControl(uint8_t page, uint32_t element) {
  if (element <= kMainLastSharedControl || element == kMainWebPage) return true;
  if (page != kPageKeys) return false;
  return AmongKeys(element, kMainFirstKeyButton) || AmongKeys(element, kMainFirstKeyLabel) ||
         element == kMainWheelOff || element == kMainWheelOn;
}

bool OwnElementIsControl(uint8_t page, uint32_t element) {
  switch (page) {
    case kPageKeys: return MainElementIsControl(page, element);
    case kPageAdvanced: return AdvancedElementIsControl(element);
    case kPageMacro: return MacroElementIsControl(element);
    case kPageLighting: return LightingElementIsControl(element);
    default: return false;
  }
}

bool InWindowTitleArea(const SkinLayout& layout, uint8_t page, WindowPoint point) {
  int32_t tabsTop = std::numeric_limits<int32_t>::max();
  for (uint32_t tab = kMainTabKeys; tab <= kMainTabLighting; ++tab) {
    const SkinRect& r = layout.m_mainRects[tab];
    if (r.width > 0 && r.height > 0) tabsTop = std::min(tabsTop, r.y);
  }
  if (tabsTop == std::numeric_limits<int32_t>::max() || point.y < 0 || point.y >= tabsTop) {
    return false;
  }
  const int count = page == kPageKeys ? kMainHitCountKeysPage : kMainHitCountOtherPages;
  return !MainElementIsControl(page, HitTestRects(point, layout.m_mainRects, count));
}

}  // namespace gm
