#include "platform/ini_encoding.h"

#include <gtest/gtest.h>

namespace gm {
namespace {

using namespace std::string_literals;

TEST(IniEncoding, DetectsTheEncodingByItsMark) {
  const auto utf16 = DecodeIniBytes("\xFF\xFE[\0S\0]\0\n\0 \x9F"s);
  EXPECT_EQ(utf16.encoding, IniEncoding::kUtf16LeBom);
  EXPECT_EQ(utf16.text, u"[S]\n鼠");

  const auto utf8Bom = DecodeIniBytes("\xEF\xBB\xBF[S]\xE9\xBC\xA0");
  EXPECT_EQ(utf8Bom.encoding, IniEncoding::kUtf8Bom);
  EXPECT_EQ(utf8Bom.text, u"[S]鼠");

  const auto utf8 = DecodeIniBytes("[S]\xF0\x9F\x96\xB1");
  EXPECT_EQ(utf8.encoding, IniEncoding::kUtf8);
  EXPECT_EQ(utf8.text, u"[S]\U0001F5B1");
}

TEST(IniEncoding, EncodesWithTheSameMark) {
  EXPECT_EQ(EncodeIniText(u"a鼠", IniEncoding::kUtf16LeBom), "\xFF\xFE" "a\0 \x9F"s);
  EXPECT_EQ(EncodeIniText(u"a鼠", IniEncoding::kUtf8Bom), "\xEF\xBB\xBF" "a\xE9\xBC\xA0");
  EXPECT_EQ(EncodeIniText(u"a鼠", IniEncoding::kUtf8), "a\xE9\xBC\xA0");
}

TEST(IniEncoding, InvalidUtf8BytesBecomeEscapesAndComeBack) {
  EXPECT_EQ(DecodeIniBytes("a\xFF" "b\xC3").text, u"a\xDCFF" u"b\xDCC3");
  const std::string samples[] = {
      "\xC0\x80",             // overlong NUL
      "\xE0\x80\xAF",         // overlong '/'
      "\xED\xA0\x80",         // an encoded surrogate
      "\xF4\x90\x80\x80",     // beyond U+10FFFF
      "\xE9\xBC",             // truncated at the end
      "\xE9\xBC" "a",         // truncated before ASCII
      "\x80\xBF\xFE\xFF",     // stray continuation and never-valid bytes
      "\xFE\xFF\0[\0S\0]"s,   // a big-endian mark: not read as UTF-16, kept as bytes
      "k=\xB0\xA1\xC4\xE3\r\n",  // GBK text
  };
  for (const std::string& bytes : samples) {
    const auto decoded = DecodeIniBytes(bytes);
    EXPECT_EQ(EncodeIniText(decoded.text, decoded.encoding), bytes);
  }
}

TEST(IniEncoding, EveryTwoByteFileRoundTrips) {
  for (int first = 0; first < 256; ++first) {
    for (int second = 0; second < 256; ++second) {
      const std::string bytes{static_cast<char>(first), static_cast<char>(second)};
      const auto decoded = DecodeIniBytes(bytes);
      ASSERT_EQ(EncodeIniText(decoded.text, decoded.encoding), bytes) << first << " " << second;
    }
  }
}

TEST(IniEncoding, Utf16KeepsLoneSurrogatesAndPadsAnOddLastByte) {
  const std::string bytes = "\xFF\xFE\x00\xD8" "A"s;
  const auto decoded = DecodeIniBytes(bytes);
  EXPECT_EQ(decoded.text, u"\xD800" u"A");
  EXPECT_EQ(EncodeIniText(decoded.text, decoded.encoding), "\xFF\xFE\x00\xD8" "A\0"s);
}

TEST(IniEncoding, LoneSurrogateOutsideTheEscapesBecomesReplacementInUtf8) {
  EXPECT_EQ(EncodeIniText(u"\xD800" u"x", IniEncoding::kUtf8), "\xEF\xBF\xBDx");
  EXPECT_EQ(EncodeIniText(u"\xDC10", IniEncoding::kUtf8), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace gm
