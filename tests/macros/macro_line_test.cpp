// The macro line: the three-digit formatter, the version-3 line a writer builds, and the
// reading rule for both layouts, short, long and non-numeric lines.

#include <gtest/gtest.h>

#include <random>

#include "macro_file_test_support.h"

namespace gm::test {
namespace {

TEST(AppendByte3, WritesExactlyThreeDigits) {
  EXPECT_EQ(AppendByte3(u"", 0), u"000");
  EXPECT_EQ(AppendByte3(u"", 7), u"007");
  EXPECT_EQ(AppendByte3(u"", 42), u"042");
  EXPECT_EQ(AppendByte3(u"", 99), u"099");
  EXPECT_EQ(AppendByte3(u"", 100), u"100");
  EXPECT_EQ(AppendByte3(u"x", 255), u"x255");
  // Outside a byte the printf rules still hold.
  EXPECT_EQ(AppendByte3(u"", 999), u"999");
  EXPECT_EQ(AppendByte3(u"", 1000), u"1000");
  EXPECT_EQ(AppendByte3(u"", -5), u"00-5");
  EXPECT_EQ(AppendByte3(u"", -150), u"00-150");
}

// A record with every kind of field set, and its line built by hand from the layout: name
// units low byte first (values 0..59), play mode 60, six 16-bit fields 61..72, the two block
// counters 73 and 74, strength 75 and 76, four zero values 77..80, step s at 81 + 8s, block b
// at 1521 + 68b.
MacroRecord SampleRecord() {
  MacroRecord r{};
  SetMacroName(r, u"Ab\u4E2D");
  r.playMode = 0x0D;
  r.repeatCount = 300;
  r.stepCount = 3;
  r.countF6 = 1;
  r.countF8 = 0x0102;
  r.countF9 = 1;
  r.countFB = 2;
  r.strengthEnabled = 1;
  r.strength = 30;
  r.reserved[0] = 9;
  r.reserved[3] = 6;
  r.action[0] = 1; r.code[0] = 0xF1; r.delayMs[0] = 1000;
  r.action[1] = 6; r.code[1] = 0xF6; r.xy[1] = {258, 10}; r.delayMs[1] = 65535;
  r.action[2] = 13; r.code[2] = 0xF9; r.delayMs[2] = 1;
  r.action[179] = 2; r.code[179] = 4; r.xy[179] = {0x1234, 0x00FF};  // beyond the count
  r.ledBlocks[0].length = 1;
  r.ledBlocks[0].entries[0][0] = 1;
  r.ledBlocks[0].entries[0][2] = 10;
  r.ledBlocks[4].entries[15][3] = 200;
  r.fbBlocks[0].length = 77;  // memory only
  return r;
}

std::vector<int> SampleRecordValues() {
  std::vector<int> v(1861, 0);
  v[0] = 65; v[2] = 98; v[4] = 0x2D; v[5] = 0x4E;
  v[60] = 13;
  v[61] = 44; v[62] = 1;   // 300
  v[63] = 3;               // stepCount
  v[65] = 1;               // countF6
  v[69] = 2; v[70] = 1;    // countF8 0x0102
  v[73] = 1; v[74] = 2;    // countF9, countFB
  v[75] = 1; v[76] = 30;   // strength; reserved 77..80 stay 0
  v[81] = 1; v[82] = 240; v[87] = 232; v[88] = 3;
  v[89] = 6; v[90] = 246; v[91] = 2; v[92] = 1; v[93] = 10; v[95] = 255; v[96] = 255;
  v[97] = 13; v[98] = 249; v[103] = 1;
  v[1513] = 2; v[1514] = 65; v[1515] = 0x34; v[1516] = 0x12; v[1517] = 255;
  v[1521] = 1; v[1525] = 1; v[1527] = 10;
  v[1860] = 200;
  return v;
}

TEST(BuildMacroLine, MatchesTheLayoutByteForByte) {
  const std::u16string line = BuildMacroLine(SampleRecord());
  EXPECT_EQ(line.size(), 5583u);
  EXPECT_EQ(ToUtf8(line), MacroLineText(SampleRecordValues()));
}

TEST(BuildMacroLine, NameAbStartsTheLine) {
  MacroRecord r{};
  SetMacroName(r, u"Ab");
  const std::u16string line = BuildMacroLine(r);
  EXPECT_EQ(line.substr(0, 12), u"065000098000");
  EXPECT_EQ(line.substr(12, 56 * 3), std::u16string(56 * 3, u'0'));
}

TEST(BuildMacroLine, AlwaysWritesEveryStepAndBlock) {
  MacroRecord empty{};
  EXPECT_EQ(BuildMacroLine(empty).size(), 5583u);
  MacroRecord broken = RecordFilledWith(0xFF);  // counts far beyond every limit
  EXPECT_EQ(BuildMacroLine(broken).size(), 5583u);
}

TEST(BuildMacroLine, MouseButtonsAndKeysUseTheFileCodes) {
  MacroRecord r{};
  r.action[0] = 1; r.code[0] = 0xF1;  // left press
  r.action[1] = 2; r.code[1] = 0xF3;  // right release
  r.action[2] = 1; r.code[2] = 0xF2;  // middle press
  r.action[3] = 1; r.code[3] = 4;     // A press
  const std::u16string line = BuildMacroLine(r);
  EXPECT_EQ(line.substr(3 * 81, 6), u"001240");
  EXPECT_EQ(line.substr(3 * 89, 6), u"002241");
  EXPECT_EQ(line.substr(3 * 97, 6), u"001242");
  EXPECT_EQ(line.substr(3 * 105, 6), u"001065");

  MacroRecord back{};
  StoreMacroLine(back, line, kMacroHeaderV3, kMacroReadValuesV3, true);
  EXPECT_EQ(back.code[0], 0xF1);
  EXPECT_EQ(back.code[1], 0xF3);
  EXPECT_EQ(back.code[2], 0xF2);
  EXPECT_EQ(back.code[3], 4);
}

// A record whose codes all survive the two conversions.
MacroRecord RandomRecord(unsigned seed) {
  std::mt19937 random(seed);
  MacroRecord r;
  auto* bytes = reinterpret_cast<unsigned char*>(&r);
  for (size_t i = 0; i < sizeof r; ++i) bytes[i] = static_cast<unsigned char>(random());
  const uint8_t codes[] = {0, 4, 29, 30, 39, 44, 58, 224, 231, 0xF1, 0xF2, 0xF3, 0xF6, 0xF8, 0xF9};
  for (auto& code : r.code) code = codes[random() % std::size(codes)];
  return r;
}

// What a line carries: everything but reserved (written as zero) and fbBlocks.
MacroRecord FileView(MacroRecord r) {
  std::memset(r.reserved, 0, sizeof r.reserved);
  std::memset(r.fbBlocks, 0, sizeof r.fbBlocks);
  return r;
}

TEST(StoreMacroLine, Version3RoundTrip) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    const MacroRecord original = RandomRecord(seed);
    MacroRecord back{};
    StoreMacroLine(back, BuildMacroLine(original), kMacroHeaderV3, kMacroReadValuesV3, true);
    EXPECT_TRUE(SameFields(back, FileView(original))) << seed;
  }
}

TEST(StoreMacroLine, Version2RoundTripKeepsStrengthAndFbBlocks) {
  const MacroRecord original = RandomRecord(7);
  const std::u16string v3 = BuildMacroLine(original);
  // The version-2 line: the same values without 75..80.
  const std::u16string v2 = v3.substr(0, 3 * 75) + v3.substr(3 * 81);
  ASSERT_EQ(v2.size(), 3u * 1855);

  MacroRecord back = RecordFilledWith(0x00);
  back.strengthEnabled = 1;
  back.strength = 44;
  back.reserved[2] = 5;
  back.fbBlocks[3].length = 9;
  StoreMacroLine(back, v2, kMacroHeaderV2, kMacroReadValuesV2, false);

  MacroRecord expected = FileView(original);
  expected.strengthEnabled = 1;
  expected.strength = 44;
  expected.reserved[2] = 5;
  expected.fbBlocks[3].length = 9;
  EXPECT_TRUE(SameFields(back, expected));
}

TEST(StoreMacroLine, Version3HeaderWithoutStrengthLeavesValues75To80Unused) {
  std::vector<int> v(1861, 0);
  v[75] = 1; v[76] = 50; v[77] = 3;
  v[81] = 1; v[82] = 65;
  MacroRecord r{};
  r.strength = 12;
  StoreMacroLine(r, Utf16DigitsOf(v), kMacroHeaderV3, kMacroReadValuesV3, false);
  EXPECT_EQ(r.strengthEnabled, 0);
  EXPECT_EQ(r.strength, 12);
  EXPECT_EQ(r.reserved[0], 0);
  EXPECT_EQ(r.action[0], 1);
  EXPECT_EQ(r.code[0], 4);
}

TEST(StoreMacroLine, ShortLineZeroesEveryLaterField) {
  MacroRecord r = RecordFilledWith(0xAB);
  // 300 characters: values 0..99 are "001", everything later reads as 0.
  std::u16string line;
  for (int v = 0; v < 100; ++v) line += u"001";
  StoreMacroLine(r, line, kMacroHeaderV3, kMacroReadValuesV3, true);

  EXPECT_EQ(r.name[0], 0x0101);
  EXPECT_EQ(r.playMode, 1);
  EXPECT_EQ(r.repeatCount, 257);
  EXPECT_EQ(r.stepCount, 257);
  EXPECT_EQ(r.countF9, 1);
  EXPECT_EQ(r.strength, 1);
  EXPECT_EQ(r.reserved[3], 1);
  EXPECT_EQ(r.action[0], 1);
  EXPECT_EQ(r.xy[1].x, 257);
  EXPECT_EQ(r.xy[2].x, 1);  // value 99 is its low byte, value 100 its high byte
  EXPECT_EQ(r.xy[2].y, 0);
  EXPECT_EQ(r.delayMs[2], 0);
  for (int s = 3; s < kMaxMacroSteps; ++s) {
    ASSERT_EQ(r.action[s], 0) << s;
    ASSERT_EQ(r.code[s], 0) << s;
    ASSERT_EQ(r.xy[s].x, 0) << s;
    ASSERT_EQ(r.delayMs[s], 0) << s;
  }
  EXPECT_EQ(r.ledBlocks[4].entries[15][3], 0);
  EXPECT_EQ(r.fbBlocks[0].length, 0xAB);  // never read
}

TEST(StoreMacroLine, CutAndNonNumericValuesReadAsCRuntimeDoes) {
  MacroRecord r = RecordFilledWith(0xAB);
  // Value 0 "abc" -> 0; value 1 " 7x" -> 7; value 2 "-01" -> -1 -> 0xFF; value 3 "12" (cut).
  StoreMacroLine(r, u"abc 7x-0112", kMacroHeaderV3, kMacroReadValuesV3, true);
  EXPECT_EQ(r.name[0], 0x0700);
  EXPECT_EQ(r.name[1], 0x0CFF);
  EXPECT_EQ(r.name[2], 0);
}

TEST(StoreMacroLine, WordFieldsWrapModulo65536) {
  std::vector<int> v(70, 0);
  v[61] = 999; v[62] = 999;  // 999 + 999 * 256 = 256743 -> 60135
  v[63] = 255; v[64] = 255;
  MacroRecord r{};
  std::u16string line = Utf16DigitsOf(v);
  line.replace(3 * 65, 3, u"-01");  // countF6 low value -1 -> 65535, high 0 -> 65535
  StoreMacroLine(r, line, kMacroHeaderV3, kMacroReadValuesV3, true);
  EXPECT_EQ(r.repeatCount, 60135);
  EXPECT_EQ(r.stepCount, 65535);
  EXPECT_EQ(r.countF6, 65535);
  EXPECT_EQ(UsableStepCount(r), kMaxMacroSteps);
}

TEST(StoreMacroLine, ValueCountLimitsWhatIsStored) {
  MacroRecord r = RecordFilledWith(0xAB);
  const std::u16string line = BuildMacroLine(SampleRecord());
  StoreMacroLine(r, line, kMacroHeaderV3, 60, false);  // the name only
  EXPECT_EQ(MacroNameOf(r), u"Ab\u4E2D");
  EXPECT_EQ(r.playMode, 0xAB);
  StoreMacroLine(r, line, 80, kMacroReadValuesV3, true);  // no such layout: nothing stored
  EXPECT_EQ(r.playMode, 0xAB);
}

}  // namespace
}  // namespace gm::test
