#include "ui/pages/led_modes.h"

#include <algorithm>
#include <array>
#include <vector>

#include "ui/pages/page_elements.h"

namespace gm {
namespace {

// Lighting-table element numbers. 71..75 are drawn only greyed; 50 is the inward direction,
// greyed where it takes no click. The emptied texts are 15, 30..34, 38, 39 and 98.
constexpr uint32_t kInward = kLedDirectionAll;
constexpr uint32_t kGreyedMode0[] = {72, 75, 74, kInward, 71};
constexpr uint32_t kGreyedMode1[] = {74, 72, kInward, 71};
constexpr uint32_t kGreyedMode2[] = {75, 74, 73, kInward, 71};
constexpr uint32_t kGreyedMode3[] = {75, 74, 73, 72};  // the inward direction is this mode's
constexpr uint32_t kGreyedMode4[] = {75, 74, 73, 72, kInward, 71};

constexpr uint32_t kEmptiedMode0[] = {15, 30, 31, 32, 33, 34, 38, 98};
constexpr uint32_t kEmptiedMode1[] = {30, 31, 32, 33, 34, 38, 98};
constexpr uint32_t kEmptiedMode2[] = {15, 30, 31, 32, 33, 34, 39, 98};
constexpr uint32_t kEmptiedMode3[] = {15, 30, 31, 32, 33, 34, 38, 39};
constexpr uint32_t kEmptiedMode4[] = {15, 30, 31, 32, 33, 34, 38, 39, 98};
constexpr uint32_t kEmptiedOtherModes[] = {98};

// Columns: name (English, Chinese); in the list; brightness, speed and inward take clicks;
// reaction names; greyed elements; emptied texts.
constexpr std::array<LedModeRules, 6> kModes{{
    {u"DPI breath", u"DPI色呼吸", false, false, true, false, false, kGreyedMode0, kEmptiedMode0},
    {u"Cycle breath", u"循环呼吸", true, false, true, false, false, kGreyedMode1, kEmptiedMode1},
    {u"Constantly", u"常亮", false, true, false, false, false, kGreyedMode2, kEmptiedMode2},
    {u"Button response", u"按键响应", true, true, true, true, true, kGreyedMode3, kEmptiedMode3},
    {u"Mute", u"静音", true, true, false, false, false, kGreyedMode4, kEmptiedMode4},
    {u"", u"", false, true, true, false, false, {}, kEmptiedOtherModes},
}};
constexpr LedModeRules kOtherModes{u"",    u"",   false, false, true,
                                   false,  false, {},    kEmptiedOtherModes};

bool Contains(std::span<const uint32_t> elements, uint32_t element) {
  return std::find(elements.begin(), elements.end(), element) != elements.end();
}

}  // namespace

const LedModeRules& LedModeRulesOf(uint8_t mode) {
  return mode < kModes.size() ? kModes[mode] : kOtherModes;
}

bool LedControlActs(uint8_t mode, uint32_t element) {
  const LedModeRules& rules = LedModeRulesOf(mode);
  switch (element) {
    case kLedBrightnessBar: return rules.brightnessActs;
    case kLedSpeedBar: return rules.speedActs;
    case kLedDirectionAll: return rules.inwardActs;
    default: return true;
  }
}

bool LedTextEmptied(uint8_t mode, uint32_t element) {
  return Contains(LedModeRulesOf(mode).emptiedTexts, element);
}

std::span<const uint8_t> LedModesInList() {
  static const std::vector<uint8_t> modes = [] {
    std::vector<uint8_t> listed;
    for (std::size_t mode = 0; mode < kModes.size(); ++mode) {
      if (kModes[mode].inModeList) listed.push_back(static_cast<uint8_t>(mode));
    }
    return listed;
  }();
  return modes;
}

}  // namespace gm
