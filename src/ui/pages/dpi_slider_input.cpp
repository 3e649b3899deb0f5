#include "ui/pages/dpi_slider_input.h"

#include <algorithm>

#include "settings/config_settings.h"
#include "ui/pages/page_state.h"
#include "ui/skin/skin_layout.h"

namespace gm {

std::optional<int32_t> DpiSliderPositionAt(int32_t pointX, int32_t sliderX, int32_t step) {
  if (step <= 0) return std::nullopt;
  const int64_t dx = std::max<int64_t>(0, static_cast<int64_t>(pointX) - sliderX);
  const int64_t s64 = step;
  // Halves compared exactly: (s - 0.5) x step < dx < (s + 0.5) x step, all doubled.
  std::optional<int32_t> found;
  for (int32_t s = 0; s <= kDpiMaxStep; ++s) {
    const bool onPosition = dx == s * s64;
    const bool nearPosition = (2 * s - 1) * s64 < 2 * dx && 2 * dx < (2 * s + 1) * s64;
    if (onPosition || nearPosition) found = s;  // the last match wins
  }
  return found;
}

void SetDpiSliderFromPoint(int32_t pointX) {
  const std::optional<int> found = DpiLevelIndex();
  if (!found) return;
  const int level = *found;
  if (const auto position = DpiSliderPositionAt(pointX, g_dpiSliderX, g_dpiSliderStep)) {
    g_dpiValue[level] = static_cast<uint8_t>(*position);
  }
  if (g_dpiValue[level].load() > kDpiMaxStep) g_dpiValue[level] = static_cast<uint8_t>(kDpiMaxStep);
}

}  // namespace gm
