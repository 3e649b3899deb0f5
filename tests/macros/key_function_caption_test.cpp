#include "macros/key_function_caption.h"

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/text.h"

namespace gm {
namespace {

// A keys page with FUN_STRING entries "1".."47" named "F<code>", entry 0 empty, two recoil
// macros and one user macro group of three macros.
class KeyCaptionTest : public ::testing::Test {
 protected:
  KeyCaptionTest() {
    funStrings_.resize(48);
    for (int code = 1; code < 48; ++code) funStrings_[code] = u"F" + DecimalText(code);
    recoilNames_ = {u"AKM", u"M416 Scope", u"", u""};
    sources_.funStrings = funStrings_;
    sources_.recoilNames = recoilNames_;
    sources_.recoilCount = 2;
    sources_.userMacroName = [this](int group, int index) -> std::optional<std::u16string> {
      lookups_.push_back({group, index});
      if (group != 0 || index >= 3) return std::nullopt;
      return u"m" + DecimalText(index);
    };
  }

  std::u16string Caption(int32_t code, uint8_t param = 0, int32_t leftMac = 0,
                         bool english = true) {
    return KeyFunctionCaption(code, param, leftMac, english, sources_);
  }

  std::vector<std::u16string> funStrings_;
  std::vector<std::u16string> recoilNames_;
  std::vector<std::pair<int, int>> lookups_;
  KeyCaptionSources sources_;
};

TEST_F(KeyCaptionTest, FunctionCodesShowTheirFunStringEntry) {
  EXPECT_EQ(Caption(0), u"");
  EXPECT_EQ(Caption(1), u"F1");
  EXPECT_EQ(Caption(41), u"F41");
  EXPECT_EQ(Caption(47, 0, 1, false), u"F47");
}

TEST_F(KeyCaptionTest, MissingFunStringEntryShowsNothing) {
  funStrings_.resize(10);
  sources_.funStrings = funStrings_;
  EXPECT_EQ(Caption(9), u"F9");
  EXPECT_EQ(Caption(10), u"");
  EXPECT_EQ(Caption(47), u"");
  sources_.funStrings = {};
  EXPECT_EQ(Caption(1), u"");
}

TEST_F(KeyCaptionTest, KeyboardKeyShowsThePageNameOfItsUsage) {
  EXPECT_EQ(Caption(42, 4), u"A");  // not FUN_STRING entry 42
  EXPECT_EQ(Caption(42, 42), u"BACK");
  EXPECT_EQ(Caption(42, 240), u"L-KEY");
  EXPECT_EQ(Caption(42, 0), u"NON-AVAILAB...");
}

TEST_F(KeyCaptionTest, CodesWithoutCaptionShowNothing) {
  for (int32_t code : {48, 49, -1, -256, INT_MIN}) EXPECT_EQ(Caption(code), u"") << code;
}

TEST_F(KeyCaptionTest, RecoilMacrosShowTheirNameAfterALanguagePrefix) {
  EXPECT_EQ(Caption(50, 0, 1, true), u"[C] : AKM");
  EXPECT_EQ(Caption(50, 0, 1, false), u"【指】: AKM");
  EXPECT_EQ(Caption(51, 0, 1, true), u"[C] : M416 ...");
}

TEST_F(KeyCaptionTest, RecoilReferencesBeyondTheLoadedTableShowNothing) {
  EXPECT_EQ(Caption(52), u"");  // a name is held, but only two macros are loaded
  EXPECT_EQ(Caption(69), u"");
  EXPECT_EQ(Caption(255), u"");
  sources_.recoilCount = 0;
  EXPECT_EQ(Caption(50), u"");
  sources_.recoilCount = -3;
  EXPECT_EQ(Caption(50), u"");
  // A count larger than the names held never reads past them.
  sources_.recoilCount = 20;
  EXPECT_EQ(Caption(53), u"[C] : ");
  EXPECT_EQ(Caption(54), u"");
  EXPECT_EQ(Caption(69), u"");
}

TEST_F(KeyCaptionTest, UserMacrosShowTheirBindingInBothLanguages) {
  for (bool english : {true, false}) {
    EXPECT_EQ(Caption(256, 0, 0, english), u"【普】:m0");
    EXPECT_EQ(Caption(258, 0, 1, english), u"【指】:m2");
  }
  EXPECT_EQ(Caption(257, 0, 5), u"【指】:m1");
}

TEST_F(KeyCaptionTest, UserMacrosThatDoNotExistShowNothing) {
  EXPECT_EQ(Caption(259), u"");         // the lookup does not know index 3
  EXPECT_EQ(Caption(512), u"");         // nor group 1
  lookups_.clear();
  EXPECT_EQ(Caption(256 + 20), u"");    // index beyond a group
  EXPECT_EQ(Caption(13 * 256), u"");    // group beyond the groups
  EXPECT_EQ(Caption(INT_MAX), u"");
  EXPECT_TRUE(lookups_.empty());        // such codes are never looked up
  sources_.userMacroName = nullptr;
  EXPECT_EQ(Caption(256), u"");
}

TEST_F(KeyCaptionTest, LongUserMacroCaptionIsCutWithItsPrefix) {
  sources_.userMacroName = [](int, int) -> std::optional<std::u16string> {
    return u"abcdefghij";
  };
  EXPECT_EQ(Caption(3091, 0, 0), u"【普】:abcdefg...");
}

TEST(CutCaption, ElevenUnitsStayWholeTwelveAreCut) {
  EXPECT_EQ(CutCaption(u""), u"");
  EXPECT_EQ(CutCaption(u"abcdefghijk"), u"abcdefghijk");
  EXPECT_EQ(CutCaption(u"abcdefghijkl"), u"abcdefghijk...");
  EXPECT_EQ(CutCaption(u"鼠标宏一二三四五六七八九"), u"鼠标宏一二三四五六七八...");
}

TEST(CutCaption, NeverSplitsASurrogatePair) {
  const std::u16string mouse = u"\U0001F5B1";
  ASSERT_EQ(mouse.size(), 2u);
  EXPECT_EQ(CutCaption(u"abcdefghij" + mouse + u"x"), u"abcdefghij...");
  EXPECT_EQ(CutCaption(u"abcdefghi" + mouse + u"x"), u"abcdefghi" + mouse + u"...");
}

}  // namespace
}  // namespace gm
