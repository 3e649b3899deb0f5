#pragma once
// The DPI slider of the advanced page: which of its 17 positions a point selects. Position n
// lies at g_dpiSliderX + n x g_dpiSliderStep; a point selects the position it is nearest to
// when it lies less than half a step from it. A point exactly half-way between two positions,
// or more than half a step beyond the last one, selects nothing and the value stays.

#include <cstdint>
#include <optional>

namespace gm {

// The position s in 0..16 for the point's x: dx = pointX - sliderX (0 when negative) equals
// s x step or lies strictly between (s - 0.5) x step and (s + 0.5) x step. Nothing for a slider
// without steps (step 0 or below: a missing or too narrow slider element).
std::optional<int32_t> DpiSliderPositionAt(int32_t pointX, int32_t sliderX, int32_t step);

// Sets the slider value of the current level, g_dpiValue[g_dpiLevel], from the point's x and
// the slider geometry (g_dpiSliderX, g_dpiSliderStep); a value above 16 becomes 16. Nothing
// changes when the current level is outside 0..5.
void SetDpiSliderFromPoint(int32_t pointX);

}  // namespace gm
