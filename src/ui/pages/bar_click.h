#pragma once
// The value a click on one of the pages' bars chooses, from the click's x and the bar element.
// Each gives nothing for a bar without width (a missing or broken layout entry). A click left
// or right of the bar (the hovered element is the one under the last mouse move, which the
// click can miss) counts as on the bar's nearest pixel, so every value stays in its range.

#include <cstdint>
#include <optional>

#include "ui/skin/skin_rect.h"

namespace gm {

// Pointer speed and wheel lines, 1..10: (x - left) x 10 / width + 1; a 9 becomes 10 from 261
// pixels into the bar on, so the top value is reachable on the bar as drawn.
std::optional<uint8_t> WindowsSpeedOfClick(const SkinRect& bar, int32_t x);

// Fire time, 0..300 ms: (x - left) x 300 / width; 298 or more becomes 300 from 173 pixels into
// the bar on.
std::optional<int32_t> FireTimeOfClick(const SkinRect& bar, int32_t x);

// Lighting effect speed, 0..5: (x - left) x 6 / width.
std::optional<uint8_t> LedSpeedOfClick(const SkinRect& bar, int32_t x);

// Lighting brightness, 6..0 from left to right (0 is the brightest): 6 - (x - left) x 7 / width.
std::optional<int32_t> LedBrightnessOfClick(const SkinRect& bar, int32_t x);

}  // namespace gm
