#include "ui/pages/led_mode_names.h"

#include <string_view>

#include "ui/pages/led_modes.h"

namespace gm {

std::array<std::u16string, kLedModeNameCount> g_ledModeNames;
std::array<std::u16string, kLedStepModeNameCount> g_ledStepModeNames;
std::array<std::u16string, kLedOptionNameCount> g_ledOptionNames;

namespace {

struct NamePair {
  std::u16string_view english;
  std::u16string_view chinese;
};

constexpr std::array<NamePair, kLedStepModeNameCount> kStepModeNames{{
    {u"Single Breath", u"单色呼吸"},
    {u"Constantly", u"常亮"},
    {u"Comet tail", u"单灯流水"},
    {u"Neon", u"霓虹"},
    {u"Ambilight", u"流光溢彩"},
}};

constexpr NamePair kFirstOptionName{u"Cycle breath", u"循环呼吸"};

std::u16string TextOf(const NamePair& pair, bool isEnglish) {
  return std::u16string(isEnglish ? pair.english : pair.chinese);
}

}  // namespace

void LoadLedModeNames(bool isEnglish) {
  for (std::size_t i = 0; i < kLedModeNameCount; ++i) {
    const LedModeRules& mode = LedModeRulesOf(static_cast<uint8_t>(i));
    g_ledModeNames[i] = TextOf(NamePair{mode.nameEnglish, mode.nameChinese}, isEnglish);
  }
  for (std::size_t i = 0; i < kLedStepModeNameCount; ++i) {
    g_ledStepModeNames[i] = TextOf(kStepModeNames[i], isEnglish);
  }
  g_ledOptionNames[0] = TextOf(kFirstOptionName, isEnglish);
}

void ResetLedModeNames() {
  g_ledModeNames = {};
  g_ledStepModeNames = {};
  g_ledOptionNames = {};
}

}  // namespace gm
