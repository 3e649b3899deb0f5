// The group file reader LoadMacroFile and the writers SaveMacro and SaveMacroFile, on files in
// a temporary folder.

#include <gtest/gtest.h>

#include "macro_file_test_support.h"

namespace gm::test {
namespace {

// A version-3 line of a macro named `name` with one step (action 1, file code 65 = A) and the
// given strength fields.
std::string V3Line(const std::string& name, int steps = 1, int strength = 0) {
  std::vector<int> v(1861, 0);
  for (size_t k = 0; k < name.size(); ++k) v[2 * k] = static_cast<unsigned char>(name[k]);
  v[63] = steps;
  v[75] = strength != 0 ? 1 : 0;
  v[76] = strength;
  v[77] = 4;  // reserved[0]
  v[81] = 1;
  v[82] = 65;
  v[87] = 100;  // delay
  return MacroLineText(v);
}

// The same macro in the version-2 layout: steps from value 75, blocks from 1515.
std::string V2Line(const std::string& name, int blockByte = 0) {
  std::vector<int> v(1855, 0);
  for (size_t k = 0; k < name.size(); ++k) v[2 * k] = static_cast<unsigned char>(name[k]);
  v[63] = 1;
  v[75] = 1;
  v[76] = 65;
  v[81] = 100;
  v[1515] = blockByte;
  return MacroLineText(v);
}

using LoadMacroFileTest = MacroFileTest;

TEST_F(LoadMacroFileTest, MissingFileIsReportedAndEmptiesTheGroup) {
  g_datVersion = 3;
  g_macroCount = 4;
  g_groupEncrypted = 1;
  SetMacroName(g_macros[0], u"kept");
  LoadMacroFile(GroupFile("none"));
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0], SameInBothLanguages(u"找不到配置文件"));
  EXPECT_EQ(g_datVersion, 0);
  EXPECT_EQ(g_macroCount, 0);
  EXPECT_EQ(g_groupEncrypted, 0u);
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"kept");
}

TEST_F(LoadMacroFileTest, Version3ReadsStrengthAndSteps) {
  WriteDatFile(GroupFile("g"), "3", "2", {V3Line("One", 1, 30), V3Line("Two")});
  LoadMacroFile(GroupFile("g"));
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_EQ(g_datVersion, 3);
  ASSERT_EQ(g_macroCount, 2);
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"One");
  EXPECT_EQ(MacroNameOf(g_macros[1]), u"Two");
  EXPECT_EQ(g_macros[0].strengthEnabled, 1);
  EXPECT_EQ(g_macros[0].strength, 30);
  EXPECT_EQ(g_macros[0].reserved[0], 4);
  EXPECT_EQ(g_macros[0].code[0], 4);  // virtual key 65 is usage 4
  EXPECT_EQ(g_macros[0].delayMs[0], 100);
}

TEST_F(LoadMacroFileTest, Version2ReadsStepsFromValue75AndKeepsStrength) {
  WriteDatFile(GroupFile("g"), "2", "1", {V2Line("Old", 7)});
  g_macros[0].strengthEnabled = 1;
  g_macros[0].strength = 30;
  g_macros[0].reserved[1] = 8;
  g_macros[0].fbBlocks[0].length = 3;
  LoadMacroFile(GroupFile("g"));
  EXPECT_EQ(g_datVersion, 2);
  ASSERT_EQ(g_macroCount, 1);
  const MacroRecord& r = g_macros[0];
  EXPECT_EQ(MacroNameOf(r), u"Old");
  EXPECT_EQ(r.stepCount, 1);
  EXPECT_EQ(r.action[0], 1);
  EXPECT_EQ(r.code[0], 4);
  EXPECT_EQ(r.delayMs[0], 100);
  EXPECT_EQ(r.ledBlocks[0].length, 7);
  EXPECT_EQ(r.strengthEnabled, 1);
  EXPECT_EQ(r.strength, 30);
  EXPECT_EQ(r.reserved[1], 8);
  EXPECT_EQ(r.fbBlocks[0].length, 3);
}

TEST_F(LoadMacroFileTest, MissingVersionReadsTheOlderLayout) {
  WriteDatFile(GroupFile("g"), "", "1", {V2Line("Old")});
  LoadMacroFile(GroupFile("g"));
  EXPECT_EQ(g_datVersion, 0);
  EXPECT_EQ(g_macros[0].code[0], 4);
}

TEST_F(LoadMacroFileTest, OnlyTheExactMarkerLocksTheGroup) {
  const struct {
    std::string init;
    uint32_t locked;
  } cases[] = {
      {"MacMd5=MacMd5\r\n", 1},
      {"macmd5=MacMd5\r\n", 1},  // key names ignore case, values do not
      {"MacMd5=macmd5\r\n", 0},
      {"MacMd5=MacMd5x\r\n", 0},
      {"MacMd5=MacMd5MacMd5MacMd5MacMd5\r\n", 0},  // cut to 19 characters, still not equal
      {"", 0},
  };
  for (const auto& c : cases) {
    WriteDatFile(GroupFile("g"), "3", "0", {}, c.init);
    g_groupEncrypted = 7;
    LoadMacroFile(GroupFile("g"));
    EXPECT_EQ(g_groupEncrypted, c.locked) << c.init;
  }
}

TEST_F(LoadMacroFileTest, MissingLinesGiveEmptyRecords) {
  WriteDatFile(GroupFile("g"), "3", "5", {V3Line("A"), V3Line("B"), V3Line("C")});
  for (int i = 3; i < 5; ++i) {
    g_macros[i] = RecordFilledWith(0x11);
  }
  LoadMacroFile(GroupFile("g"));
  EXPECT_EQ(g_macroCount, 5);
  for (int i = 3; i < 5; ++i) {
    MacroRecord expected{};
    std::memset(expected.fbBlocks, 0x11, sizeof expected.fbBlocks);
    EXPECT_TRUE(SameFields(g_macros[i], expected)) << i;
  }
}

TEST_F(LoadMacroFileTest, CountAbove20ReadsTheFirst20) {
  std::vector<std::string> lines;
  for (int i = 0; i < 25; ++i) lines.push_back(V3Line("M" + std::to_string(i)));
  WriteDatFile(GroupFile("g"), "3", "99", lines);
  LoadMacroFile(GroupFile("g"));
  EXPECT_EQ(g_macroCount, 20);
  EXPECT_EQ(MacroNameOf(g_macros[19]), u"M19");
  EXPECT_TRUE(SameFields(g_macros[kMacroTemplateIndex], MacroRecord{}));
}

TEST_F(LoadMacroFileTest, NegativeCountReadsNothing) {
  WriteDatFile(GroupFile("g"), "3", "-3", {V3Line("A")});
  SetMacroName(g_macros[0], u"kept");
  LoadMacroFile(GroupFile("g"));
  EXPECT_EQ(g_macroCount, 0);
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"kept");
}

TEST_F(LoadMacroFileTest, CountsBeyondTheLimitsStayButAreBounded) {
  std::vector<int> v(1861, 0);
  v[63] = 132; v[64] = 3;  // stepCount 900
  v[73] = 9;               // countF9 9
  v[81] = 13; v[82] = 0xF9; v[83] = 9;  // a lighting step with block 9
  WriteDatFile(GroupFile("g"), "3", "1", {MacroLineText(v)});
  LoadMacroFile(GroupFile("g"));
  const MacroRecord& r = g_macros[0];
  EXPECT_EQ(r.stepCount, 900);
  EXPECT_EQ(UsableStepCount(r), 180);
  EXPECT_EQ(UsableBlockCount(r.countF9), 5);
  EXPECT_EQ(LedBlockOfStep(r, 0), nullptr);
  EXPECT_EQ(BuildMacroLine(r).size(), 5583u);
}

TEST_F(LoadMacroFileTest, OverlongLineIsCutAtTheBuffer) {
  std::string line = V3Line("Long");
  line += std::string(30000, '9');
  WriteDatFile(GroupFile("g"), "3", "1", {line});
  LoadMacroFile(GroupFile("g"));
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"Long");
  EXPECT_EQ(g_macros[0].code[0], 4);
}

using SaveMacroTest = MacroFileTest;

TEST_F(SaveMacroTest, WritesOneLineAndLeavesTheOthers) {
  const std::string zero = V3Line("Zero");
  WriteDatFile(GroupFile("g"), "3", "2", {zero, V3Line("One")});
  LoadMacroFile(GroupFile("g"));
  SetMacroName(g_macros[1], u"Changed");
  SetMacroName(g_macros[0], u"NotSaved");
  SaveMacro(GroupFile("g"), 1);

  EXPECT_EQ(ReadKey(GroupFile("g"), u"Init", u"DAT_VER"), u"3");
  EXPECT_EQ(ReadKey(GroupFile("g"), u"Macros", u"macroNum"), u"2");
  EXPECT_EQ(ToUtf8(ReadLine(GroupFile("g"), 0)), zero);
  EXPECT_EQ(ReadLine(GroupFile("g"), 1), BuildMacroLine(g_macros[1]));
}

TEST_F(SaveMacroTest, TheWrittenLineIsTheLayoutCharacterForCharacter) {
  // The stored text between "0=" and the line end, compared with a line spelt by hand.
  MacroRecord& r = g_macros[0];
  SetMacroName(r, u"Q");
  r.stepCount = 1;
  r.action[0] = 2;
  r.code[0] = 0xF3;
  r.xy[0] = {0x0201, 0x0403};
  r.delayMs[0] = 0x0605;
  r.ledBlocks[1].length = 250;
  g_macroCount = 1;
  SaveMacro(GroupFile("g"), 0);

  std::vector<int> v(1861, 0);
  v[0] = 81;
  v[63] = 1;
  v[81] = 2; v[82] = 241; v[83] = 1; v[84] = 2; v[85] = 3; v[86] = 4; v[87] = 5; v[88] = 6;
  v[1521 + 68] = 250;
  const std::string text = ReadFileBytes(GroupFile("g"));
  const size_t start = text.find("\n0=");
  ASSERT_NE(start, std::string::npos);
  const size_t end = text.find_first_of("\r\n", start + 3);
  EXPECT_EQ(text.substr(start + 3, end - start - 3), MacroLineText(v));
}

TEST_F(SaveMacroTest, NeitherWritesNorRemovesTheMarker) {
  WriteDatFile(GroupFile("locked"), "3", "1", {V3Line("A")}, "MacMd5=MacMd5\r\n");
  WriteDatFile(GroupFile("open"), "3", "1", {V3Line("A")});
  g_macroCount = 1;
  g_groupEncrypted = 1;
  SaveMacro(GroupFile("locked"), 0);
  SaveMacro(GroupFile("open"), 0);
  EXPECT_EQ(ReadKey(GroupFile("locked"), u"Init", u"MacMd5"), u"MacMd5");
  EXPECT_EQ(ReadKey(GroupFile("open"), u"Init", u"MacMd5"), u"<absent>");
}

TEST_F(SaveMacroTest, AnOlderLayoutFileIsRewrittenWhole) {
  // Editing one macro of a version-2 group must leave every line readable with DAT_VER 3.
  WriteDatFile(GroupFile("old"), "2", "3", {V2Line("A", 1), V2Line("B", 2), V2Line("C", 3)});
  LoadMacroFile(GroupFile("old"));
  g_macros[1].delayMs[0] = 555;
  g_groupEncrypted = 1;  // as after a locked export: must not lock the group's own file
  SaveMacro(GroupFile("old"), 1);

  MacroRecord before[3];
  std::copy_n(g_macros, 3, before);
  for (auto& r : g_macros) r = MacroRecord{};
  LoadMacroFile(GroupFile("old"));
  EXPECT_EQ(g_datVersion, 3);
  EXPECT_EQ(g_groupEncrypted, 0u);
  ASSERT_EQ(g_macroCount, 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(MacroNameOf(g_macros[i]), MacroNameOf(before[i])) << i;
    EXPECT_EQ(g_macros[i].code[0], 4) << i;
    EXPECT_EQ(g_macros[i].ledBlocks[0].length, i + 1) << i;
  }
  EXPECT_EQ(g_macros[1].delayMs[0], 555);
  EXPECT_EQ(g_macros[0].delayMs[0], 100);
}

TEST_F(SaveMacroTest, AMissingFileGetsTheWholeGroup) {
  g_macroCount = 2;
  SetMacroName(g_macros[0], u"A");
  SetMacroName(g_macros[1], u"B");
  SaveMacro(GroupFile("new"), 1);
  LoadMacroFile(GroupFile("new"));
  EXPECT_EQ(g_macroCount, 2);
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"A");
  EXPECT_EQ(MacroNameOf(g_macros[1]), u"B");
}

TEST_F(SaveMacroTest, IndexOutsideTheGroupWritesNothing) {
  g_macroCount = 1;
  SaveMacro(GroupFile("g"), -1);
  SaveMacro(GroupFile("g"), 20);
  EXPECT_FALSE(std::filesystem::exists(GroupFile("g")));
}

using SaveMacroFileTest = MacroFileTest;

TEST_F(SaveMacroFileTest, RoundTripsTheGroup) {
  g_macroCount = 3;
  for (int i = 0; i < 3; ++i) {
    MacroRecord& r = g_macros[i];
    SetMacroName(r, u"M" + DecimalText(i));
    r.playMode = static_cast<uint8_t>(i + 1);
    r.repeatCount = static_cast<uint16_t>(1000 * i + 1);
    r.stepCount = 2;
    r.action[0] = 1; r.code[0] = 0xF1;
    r.action[1] = 5; r.code[1] = 0xF6; r.xy[1] = {100, 10}; r.delayMs[1] = 10000;
    r.strengthEnabled = 1;
    r.strength = static_cast<uint8_t>(20 + i);
    r.ledBlocks[2].entries[3][1] = static_cast<uint8_t>(i);
  }
  MacroRecord saved[3];
  std::copy_n(g_macros, 3, saved);
  SaveMacroFile(GroupFile("g"));
  for (auto& r : g_macros) r = MacroRecord{};
  LoadMacroFile(GroupFile("g"));
  ASSERT_EQ(g_macroCount, 3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(SameFields(g_macros[i], saved[i])) << i;
  EXPECT_EQ(ReadKey(GroupFile("g"), u"Init", u"MacMd5"), u"<absent>");
}

TEST_F(SaveMacroFileTest, OnlyALockedExportWritesTheMarker) {
  g_macroCount = 1;
  SaveMacroFile(GroupFile("export"), /*withReadOnlyMarker=*/true);
  LoadMacroFile(GroupFile("export"));
  EXPECT_EQ(g_groupEncrypted, 1u);
  // A group locked in memory writes its own file without the marker.
  SaveMacroFile(GroupFile("own"));
  LoadMacroFile(GroupFile("own"));
  EXPECT_EQ(g_groupEncrypted, 0u);
}

TEST_F(SaveMacroFileTest, PlainExportKeepsAnExistingMarker) {
  WriteDatFile(GroupFile("export"), "3", "1", {V3Line("A")}, "MacMd5=MacMd5\r\n");
  g_macroCount = 1;
  g_groupEncrypted = 0;
  SaveMacroFile(GroupFile("export"));
  LoadMacroFile(GroupFile("export"));
  EXPECT_EQ(g_groupEncrypted, 1u);
}

TEST_F(SaveMacroFileTest, FewerMacrosLeaveTheOldLinesBehind) {
  std::vector<std::string> lines;
  for (int i = 0; i < 6; ++i) lines.push_back(V3Line("Old" + std::to_string(i)));
  WriteDatFile(GroupFile("g"), "3", "6", lines);
  g_macroCount = 4;
  for (int i = 0; i < 4; ++i) SetMacroName(g_macros[i], u"New" + DecimalText(i));
  SaveMacroFile(GroupFile("g"));

  EXPECT_EQ(ReadKey(GroupFile("g"), u"Macros", u"macroNum"), u"4");
  EXPECT_EQ(ToUtf8(ReadLine(GroupFile("g"), 4)), lines[4]);
  EXPECT_EQ(ToUtf8(ReadLine(GroupFile("g"), 5)), lines[5]);
  LoadMacroFile(GroupFile("g"));
  EXPECT_EQ(g_macroCount, 4);
  EXPECT_EQ(MacroNameOf(g_macros[3]), u"New3");
  EXPECT_EQ(MacroNameOf(g_macros[4]), u"");
}

}  // namespace
}  // namespace gm::test
