#pragma once
// Which lighting-page controls the current lighting mode greys out. The painter draws the
// covers of a mode from led_null.jpg; a control under a drawn cover takes no click, so the
// user never changes a setting the page does not show.

#include <cstdint>
#include <span>

namespace gm {

// The elements drawn from led_null.jpg in lighting mode `mode` (covers and the greyed inward
// direction button); empty for a mode outside 0..4.
std::span<const uint32_t> LedCoverElementsOfMode(uint8_t mode);

// Lighting element `element` is a control that lies under a cover drawn in `mode`.
bool IsLedControlGreyed(uint8_t mode, uint32_t element);

}  // namespace gm
