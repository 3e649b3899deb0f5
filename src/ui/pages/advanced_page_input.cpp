// DPI and advanced page: DPI levels and slider, pointer and wheel speed, fire time, report
// rate.

#include "settings/config_settings.h"
#include "ui/pages/bar_click.h"
#include "ui/pages/dpi_slider_input.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_input_pages.h"
#include "ui/pages/ui_state.h"

namespace gm {
namespace {

bool InRange(uint32_t h, uint32_t first, uint32_t count) { return h >= first && h - first < count; }

bool AnyDpiLevelEnabled() {
  for (const auto& enabled : g_dpiEnable) {
    if (enabled.load() != 0) return true;
  }
  return false;
}

void ChooseReportRate(uint8_t rate) {
  g_usbRate = rate;
  g_usbRateCode = UsbRateCodeOf(rate);
}

}  // namespace

void ToggleDpiLevelEnable(int level) {
  if (level < 0 || level >= kDpiLevelCount) return;
  if (g_dpiEnable[level].load() == 0) {
    g_dpiEnable[level] = 1;
    return;
  }
  g_dpiEnable[level] = 0;
  // The mouse needs one level to work with: the last enabled one stays on. This also holds
  // when the current level is itself switched off (a hand-edited file), so the level being
  // clicked is then the last one on.
  if (!AnyDpiLevelEnabled()) {
    g_dpiEnable[level] = 1;
    return;
  }
  if (level != g_dpiLevel.load()) return;
  for (int tries = 1; tries <= kDpiLevelCount; ++tries) {
    const int next = (level + tries) % kDpiLevelCount;
    if (g_dpiEnable[next].load() != 0) {
      g_dpiLevel = next;
      return;
    }
  }
}

void PressOnAdvancedPage(const SkinLayout& layout, WindowPoint point, InputResult& /*result*/) {
  const uint32_t h = g_hoverAdvanced;
  if (h >= layout.m_advRects.size()) return;
  const SkinRect& element = layout.m_advRects[h];

  if (InRange(h, kAdvFirstDpiEnable, kDpiLevelCount)) {
    ToggleDpiLevelEnable(static_cast<int>(h - kAdvFirstDpiEnable));
  } else if (InRange(h, kAdvFirstDpiSelect, kDpiLevelCount)) {
    const auto level = static_cast<int>(h - kAdvFirstDpiSelect);
    if (g_dpiEnable[level].load() != 0) g_dpiLevel = level;
  } else if (h == kAdvDpiSlider) {
    g_sliderDragging = 1;  // the drag goes on in OnMouseMove until the button is released
    SetDpiSliderFromPoint(point.x);
  } else if (h == kAdvPointerSpeedBar) {
    if (const auto v = WindowsSpeedOfClick(element, point.x)) g_pointerSpeed = *v;
  } else if (h == kAdvWheelSpeedBar) {
    if (const auto v = WindowsSpeedOfClick(element, point.x)) g_wheelSpeed = *v;
  } else if (h == kAdvFireTimeBar) {
    if (const auto v = FireTimeOfClick(element, point.x)) g_fireTime = *v;
  } else if (h >= kAdvFirstRate && h <= kAdvLastRate) {
    ChooseReportRate(static_cast<uint8_t>(h - kAdvFirstRate));
  } else if (h >= kAdvFirstRateAlt && h <= kAdvLastRateAlt) {
    ChooseReportRate(static_cast<uint8_t>(h - kAdvFirstRateAlt));
  }
  // Every other element: nothing.
}

}  // namespace gm
