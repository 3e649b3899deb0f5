#include "settings/key_function_value.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace gm {
namespace {

TEST(KeyFunctionValueTest, ReadsFunctionAndParameterByTheCommaRules) {
  struct Case {
    std::u16string_view text;
    KeyFunctionValue expected;
  };
  const Case cases[] = {
      {u"42,4", {42, 4, false}},     // keyboard key A
      {u"42", {42, 0, false}},       // no comma: no parameter
      {u",7", {0, 7, false}},        // empty function text
      {u"300,1", {300, 1, false}},   // any function may carry a parameter in the file
      {u"42,4,5", {42, 4, false}},   // two commas: the parameter ends at the second
      {u"1,2,3,4", {1, 2, true}},    // three commas: malformed, read all the same
      {u"42,300", {42, 44, false}},  // parameter is the low byte
      {u"42,-1", {42, 255, false}},
      {u"", {0, 0, false}},
      {u"abc,def", {0, 0, false}},
      {u" 19x", {19, 0, false}},     // leading blanks, digits up to the first other character
      {u"-7,3", {-7, 3, false}},     // the range rule is the loader's, not the parser's
      {u"99999999999,1", {2147483647, 1, false}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseKeyFunctionValue(c.text), c.expected) << ToUtf8(c.text);
  }
}

TEST(KeyFunctionValueTest, KeepsTheParameterOnlyForTheKeyboardKey) {
  EXPECT_EQ(FormatKeyFunctionValue(42, 4), u"42,4");
  EXPECT_EQ(FormatKeyFunctionValue(42, 0), u"42,0");
  EXPECT_EQ(FormatKeyFunctionValue(300, 1), u"300");
  EXPECT_EQ(FormatKeyFunctionValue(3091, 9), u"3091");
}

}  // namespace
}  // namespace gm
