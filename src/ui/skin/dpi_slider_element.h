#pragma once
// The element of the advanced table that is the DPI slider: the skin reads its geometry into
// g_dpiSliderX, g_dpiSliderWidth and g_dpiSliderStep (skin_layout.h); the advanced page's
// input and painter hit and draw it.

#include <cstdint>

namespace gm {

inline constexpr uint32_t kAdvDpiSlider = 66;  // the DPI slider; its width spans kDpiMaxStep steps

}  // namespace gm
