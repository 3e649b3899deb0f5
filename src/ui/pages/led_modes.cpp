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

// Modes 0..5; every mode above 5 has kOtherModes. A flag not named is false.
constexpr std::array<LedModeRules, 6> kModes{{
    {.nameEnglish = u"DPI breath", .nameChinese = u"DPI色呼吸", .speedActs = true,
     .greyed = kGreyedMode0, .emptiedTexts = kEmptiedMode0},
    {.nameEnglish = u"Cycle breath", .nameChinese = u"循环呼吸", .inModeList = true,
     .speedActs = true, .greyed = kGreyedMode1, .emptiedTexts = kEmptiedMode1},
    {.nameEnglish = u"Constantly", .nameChinese = u"常亮", .brightnessActs = true,
     .greyed = kGreyedMode2, .emptiedTexts = kEmptiedMode2},
    {.nameEnglish = u"Button response", .nameChinese = u"按键响应", .inModeList = true,
     .brightnessActs = true, .speedActs = true, .inwardActs = true, .reactionNames = true,
     .greyed = kGreyedMode3, .emptiedTexts = kEmptiedMode3},
    {.nameEnglish = u"Mute", .nameChinese = u"静音", .inModeList = true, .brightnessActs = true,
     .greyed = kGreyedMode4, .emptiedTexts = kEmptiedMode4},
    {.brightnessActs = true, .speedActs = true, .emptiedTexts = kEmptiedOtherModes},
}};
constexpr LedModeRules kOtherModes{.speedActs = true, .emptiedTexts = kEmptiedOtherModes};

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
