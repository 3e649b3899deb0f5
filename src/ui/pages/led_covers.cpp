#include "ui/pages/led_covers.h"

#include <algorithm>
#include <array>
#include <vector>

#include "settings/config_settings.h"
#include "ui/pages/page_elements.h"

namespace gm {
namespace {

// Cover elements of the lighting table, each over one group of controls.
constexpr uint32_t kReactionCover = 71;    // the per-key reaction switches
constexpr uint32_t kBrightnessCover = 72;  // the brightness bar
constexpr uint32_t kSpeedCover = 73;       // the speed bar
constexpr uint32_t kSpareCover = 74;       // a bare strip; covers no control
constexpr uint32_t kCycleCover = 75;       // the cycle colours
constexpr uint32_t kNoCover = 0;           // element 0 is a colour swatch, never a cover

// Drawn from led_null.jpg by lighting mode 0..4. The inward direction is offered only in
// the key-response mode (3), so it is greyed in every other one.
const std::array<std::vector<uint32_t>, 5> kCoversOfMode{{
    {kBrightnessCover, kCycleCover, kSpareCover, kLedDirectionAll, kReactionCover},
    {kSpareCover, kBrightnessCover, kLedDirectionAll, kReactionCover},
    {kCycleCover, kSpareCover, kSpeedCover, kLedDirectionAll, kReactionCover},
    {kCycleCover, kSpareCover, kSpeedCover, kBrightnessCover},
    {kCycleCover, kSpareCover, kSpeedCover, kBrightnessCover, kLedDirectionAll,
     kReactionCover},
}};

// The cover over a control, or the control itself when it is greyed on its own.
uint32_t CoverOfControl(uint32_t element) {
  if (element >= kLedFirstCycleColour && element < kLedFirstCycleColour + kUserColourCount) {
    return kCycleCover;
  }
  if (element >= kLedFirstKeyReact && element < kLedFirstKeyReact + kMaxKeys) {
    return kReactionCover;
  }
  switch (element) {
    case kLedBrightnessBar: return kBrightnessCover;
    case kLedSpeedBar: return kSpeedCover;
    case kLedDirectionAll: return kLedDirectionAll;
    default: return kNoCover;
  }
}

}  // namespace

std::span<const uint32_t> LedCoverElementsOfMode(uint8_t mode) {
  if (mode >= kCoversOfMode.size()) return {};
  return kCoversOfMode[mode];
}

bool IsLedControlGreyed(uint8_t mode, uint32_t element) {
  const uint32_t cover = CoverOfControl(element);
  if (cover == kNoCover) return false;
  const std::span<const uint32_t> covers = LedCoverElementsOfMode(mode);
  return std::find(covers.begin(), covers.end(), cover) != covers.end();
}

}  // namespace gm
