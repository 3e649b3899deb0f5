#include "macros/key_codes.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/text.h"
#include "settings/config_settings.h"

namespace gm {
namespace {

// Sets the language flag for one test and puts the previous value back.
class LanguageScope {
 public:
  explicit LanguageScope(uint8_t isEnglish) : saved_(g_isEnglish.load()) {
    g_isEnglish = isEnglish;
  }
  ~LanguageScope() { g_isEnglish = saved_; }
  LanguageScope(const LanguageScope&) = delete;
  LanguageScope& operator=(const LanguageScope&) = delete;

 private:
  uint8_t saved_;
};

constexpr uint8_t kBothLanguages[] = {0, 1};  // Chinese, English

struct ListedKey {
  uint8_t usage;
  uint8_t vk;
  std::u16string name;
};

std::u16string Numbered(std::u16string_view prefix, int number) {
  return std::u16string(prefix) + DecimalText(number);
}

// Every usage / virtual key pair the key tables list, with its step-list name.
std::vector<ListedKey> ListedPairs() {
  std::vector<ListedKey> keys = {
      {39, 48, u"0"},        {40, 13, u"RETURN"},    {41, 27, u"ESCAPE"},
      {42, 8, u"BACKSPACE"}, {43, 9, u"TAB"},        {44, 32, u"SPACE"},
      {45, 189, u"-"},       {46, 187, u"+"},        {47, 219, u"[{"},
      {48, 221, u"]}"},      {49, 220, u"\\|"},      {51, 186, u";:"},
      {52, 222, u" ' "},     {53, 192, u"`~"},       {54, 188, u","},
      {55, 190, u"."},       {56, 191, u"/?"},       {57, 20, u"CAPITAL"},
      {70, 44, u"SNAPSHOT"}, {71, 145, u"SCROLL"},   {72, 19, u"PAUSE"},
      {73, 45, u"INSERT"},   {74, 36, u"HOME"},      {75, 33, u"PRIOR"},
      {76, 46, u"DELETE"},   {77, 35, u"END"},       {78, 34, u"NEXT"},
      {79, 39, u"RIGHT"},    {80, 37, u"LEFT"},      {81, 40, u"DOWN"},
      {82, 38, u"UP"},       {83, 144, u"NUMLOCK"},  {84, 111, u"DIVIDE"},
      {85, 106, u"MULTIPLY"}, {86, 109, u"SUBTRACT"}, {87, 107, u"ADD"},
      {98, 96, u"NUMPAD0"},  {99, 110, u"DECIMAL"},  {101, 93, u"APPS"},
      {116, 43, u"EXECUTE"}, {117, 47, u"HELP"},     {119, 41, u"SELECT"},
      {156, 12, u"CLEAR"},   {159, 108, u"SEPARATOR"}, {224, 162, u"LCONTROL"},
      {225, 160, u"LSHIFT"}, {226, 164, u"LMENU"},   {227, 91, u"LWIN"},
      {228, 163, u"RCONTROL"}, {229, 161, u"RSHIFT"}, {230, 165, u"RMENU"},
      {231, 92, u"RWIN"},
  };
  // The regular runs.
  for (int i = 0; i < 26; ++i) {
    keys.push_back({uint8_t(4 + i), uint8_t(65 + i), std::u16string(1, char16_t(u'A' + i))});
  }
  for (int i = 0; i < 9; ++i) {
    keys.push_back({uint8_t(30 + i), uint8_t(49 + i), std::u16string(1, char16_t(u'1' + i))});
  }
  for (int i = 0; i < 12; ++i)
    keys.push_back({uint8_t(58 + i), uint8_t(112 + i), Numbered(u"F", 1 + i)});
  for (int i = 0; i < 9; ++i)
    keys.push_back({uint8_t(89 + i), uint8_t(97 + i), Numbered(u"NUMPAD", 1 + i)});
  for (int i = 0; i < 12; ++i)
    keys.push_back({uint8_t(104 + i), uint8_t(124 + i), Numbered(u"F", 13 + i)});
  return keys;
}

TEST(KeyCodeConversion, ListedPairsConvertBothWaysInEitherLanguage) {
  for (uint8_t english : kBothLanguages) {
    LanguageScope language(english);
    for (const auto& key : ListedPairs()) {
      EXPECT_EQ(HidUsageToVk(key.usage), key.vk) << "usage " << int(key.usage);
      EXPECT_EQ(VkToHidUsage(key.vk), key.usage) << "vk " << int(key.vk);
      EXPECT_EQ(CaptureVkToHidUsage(key.vk), key.usage) << "vk " << int(key.vk);
      EXPECT_EQ(KeyNameOfUsage(key.usage), key.name) << "usage " << int(key.usage);
    }
  }
}

TEST(KeyCodeConversion, EveryConvertedUsageComesBackFromItsVirtualKey) {
  // Over all bytes: whatever the writer turns a usage into, the reader turns back, so no two
  // usages share a virtual key (the Chinese extra key 223 maps no usage to itself).
  for (uint8_t english : kBothLanguages) {
    LanguageScope language(english);
    for (int usage = 0; usage < 256; ++usage) {
      const auto u = static_cast<uint8_t>(usage);
      const uint8_t vk = HidUsageToVk(u);
      if (vk != u) {
        EXPECT_EQ(VkToHidUsage(vk), u) << "usage " << usage;
      }
    }
  }
}

TEST(KeyCodeConversion, MouseButtonsSwapMiddleAndRightBetweenMemoryAndFile) {
  EXPECT_EQ(HidUsageToVk(0xF1), 240);
  EXPECT_EQ(HidUsageToVk(0xF2), 242);
  EXPECT_EQ(HidUsageToVk(0xF3), 241);
  EXPECT_EQ(VkToHidUsage(240), 0xF1);
  EXPECT_EQ(VkToHidUsage(241), 0xF3);
  EXPECT_EQ(VkToHidUsage(242), 0xF2);
}

TEST(KeyCodeConversion, UnlistedCodesPassUnchanged) {
  // Pause and special step codes, usages without a key, codes above the tables.
  for (int code : {0, 1, 2, 3, 50, 88, 100, 102, 103, 120, 155, 232, 239, 0xF4, 0xF6, 0xF7,
                   0xF8, 0xF9, 0xFA, 0xFB, 255}) {
    EXPECT_EQ(HidUsageToVk(static_cast<uint8_t>(code)), code) << code;
  }
  for (int code : {0, 1, 7, 10, 11, 14, 42, 58, 64, 94, 95, 136, 200, 223, 239, 243, 255}) {
    LanguageScope english(1);
    EXPECT_EQ(VkToHidUsage(static_cast<uint8_t>(code)), code) << code;
  }
}

TEST(KeyCodeConversion, MenuKeyIsWrittenUnchangedAndReadBackAsF7) {
  // Usage 118 has a name but no virtual key: a step holding it comes back as F7.
  const uint8_t inFile = HidUsageToVk(118);
  EXPECT_EQ(inFile, 118);
  EXPECT_EQ(VkToHidUsage(inFile), 64);
  EXPECT_EQ(KeyNameOfUsage(64), u"F7");
}

TEST(KeyCodeConversion, ChineseLayoutReadsVirtualKey223AsKeypadMultiply) {
  {
    LanguageScope chinese(0);
    EXPECT_EQ(VkToHidUsage(223), 85);
    EXPECT_EQ(CaptureVkToHidUsage(223), 223);
  }
  LanguageScope english(1);
  EXPECT_EQ(VkToHidUsage(223), 223);
  EXPECT_EQ(HidUsageToVk(85), 106);
}

TEST(KeyCodeConversion, CaptureFollowsTheEnglishMappingUpTo222AndPassesTheRest) {
  EXPECT_EQ(CaptureVkToHidUsage(192), 53);
  EXPECT_EQ(CaptureVkToHidUsage(240), 240);
  EXPECT_EQ(CaptureVkToHidUsage(241), 241);
  EXPECT_EQ(CaptureVkToHidUsage(242), 242);
  LanguageScope english(1);
  for (int vk = 0; vk <= 222; ++vk) {
    EXPECT_EQ(CaptureVkToHidUsage(static_cast<uint8_t>(vk)),
              VkToHidUsage(static_cast<uint8_t>(vk)))
        << vk;
  }
}

TEST(KeyNames, BackspaceIsShortOnThePageAndInCapture) {
  EXPECT_EQ(KeyNameOfUsage(42), u"BACKSPACE");
  EXPECT_EQ(KeyNameOfUsageForPage(42), u"BACK");
  EXPECT_EQ(KeyNameOfUsageForCapture(42), u"BACK");
}

TEST(KeyNames, StepListNamesMouseButtonsByLanguage) {
  {
    LanguageScope english(1);
    EXPECT_EQ(KeyNameOfUsage(0xF1), u"L-KEY");
    EXPECT_EQ(KeyNameOfUsage(0xF2), u"M-KEY");
    EXPECT_EQ(KeyNameOfUsage(0xF3), u"R-KEY");
  }
  LanguageScope chinese(0);
  EXPECT_EQ(KeyNameOfUsage(0xF1), u"左键");
  EXPECT_EQ(KeyNameOfUsage(0xF2), u"中键");
  EXPECT_EQ(KeyNameOfUsage(0xF3), u"右键");
}

TEST(KeyNames, PageNamesMouseButtonsByFileCodeInBothLanguages) {
  for (uint8_t english : kBothLanguages) {
    LanguageScope language(english);
    EXPECT_EQ(KeyNameOfUsageForPage(240), u"L-KEY");
    EXPECT_EQ(KeyNameOfUsageForPage(241), u"R-KEY");
    EXPECT_EQ(KeyNameOfUsageForPage(242), u"M-KEY");
    EXPECT_EQ(KeyNameOfUsageForPage(0xF3), u"NON-AVAILABLE");
    EXPECT_EQ(KeyNameOfUsageForCapture(240), u"NON-AVAILABLE");
    EXPECT_EQ(KeyNameOfUsageForCapture(0xF1), u"NON-AVAILABLE");
  }
}

TEST(KeyNames, FallbackNamesDifferBetweenStepListAndPage) {
  for (int usage : {0, 1, 3, 50, 88, 100, 102, 103, 120, 232, 0xF6, 255}) {
    const auto u = static_cast<uint8_t>(usage);
    EXPECT_EQ(KeyNameOfUsage(u), u"Unkown") << usage;
    EXPECT_EQ(KeyNameOfUsageForPage(u), u"NON-AVAILABLE") << usage;
    EXPECT_EQ(KeyNameOfUsageForCapture(u), u"NON-AVAILABLE") << usage;
  }
  EXPECT_EQ(KeyNameOfUsageForCapture(232), u"NON-AVAILABLE");
}

TEST(KeyNames, MenuKeyAndPunctuationAreNamedAlike) {
  for (auto name : {KeyNameOfUsage, KeyNameOfUsageForPage, KeyNameOfUsageForCapture}) {
    EXPECT_EQ(name(118), u"MENU");
    EXPECT_EQ(name(49), u"\\|");
    EXPECT_EQ(name(52), u" ' ");
    EXPECT_EQ(name(4), u"A");
    EXPECT_EQ(name(115), u"F24");
    EXPECT_EQ(name(97), u"NUMPAD9");
    EXPECT_EQ(name(231), u"RWIN");
  }
}

TEST(KeyNames, NoNameIsEmptyForAnyByte) {
  for (uint8_t english : kBothLanguages) {
    LanguageScope language(english);
    for (int usage = 0; usage < 256; ++usage) {
      const auto u = static_cast<uint8_t>(usage);
      EXPECT_FALSE(KeyNameOfUsage(u).empty()) << usage;
      EXPECT_FALSE(KeyNameOfUsageForPage(u).empty()) << usage;
      EXPECT_FALSE(KeyNameOfUsageForCapture(u).empty()) << usage;
    }
  }
}

}  // namespace
}  // namespace gm
