#include "platform/text.h"

#include <climits>

#include <gtest/gtest.h>

namespace gm {
namespace {

TEST(WToI, ReadsLikeTheCRuntime) {
  EXPECT_EQ(WToI(u""), 0);
  EXPECT_EQ(WToI(u"  \t42"), 42);
  EXPECT_EQ(WToI(u"-17xyz"), -17);
  EXPECT_EQ(WToI(u"+8"), 8);
  EXPECT_EQ(WToI(u"12,4"), 12);
  EXPECT_EQ(WToI(u"abc"), 0);
  EXPECT_EQ(WToI(u"- 5"), 0);
  EXPECT_EQ(WToI(u"007"), 7);
}

TEST(WToI, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(WToI(u"2147483647"), INT_MAX);
  EXPECT_EQ(WToI(u"2147483648"), INT_MAX);
  EXPECT_EQ(WToI(u"99999999999999999999999999"), INT_MAX);
  EXPECT_EQ(WToI(u"-2147483648"), INT_MIN);
  EXPECT_EQ(WToI(u"-99999999999999999999999999"), INT_MIN);
}

TEST(Utf, RoundTripsEveryPlane) {
  const std::u16string text = u"Mouse 鼠标 \U0001F5B1";
  EXPECT_EQ(ToUtf16(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"微软雅黑"), "微软雅黑");
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(ToUtf16("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(ToUtf16("\xE4\xB8"), u"\uFFFD\uFFFD");      // truncated sequence
  EXPECT_EQ(ToUtf16("\xC0\x80"), u"\uFFFD\uFFFD");      // overlong NUL
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace gm
