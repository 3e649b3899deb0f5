#include "macros/macro_tables.h"

#include <gtest/gtest.h>

#include <cstring>

#include "macro_storage_fixture.h"

namespace gm::test {
namespace {

constexpr int kMoveCode = kStepMove;  // the same in files and in memory
constexpr int kStrengthValue = 76;    // value index of strength in the version-3 header
constexpr int kLedBlockStart = kMacroHeaderV3 + kMacroValuesPerStep * kMaxMacroSteps;  // 1521

bool IsAllZero(const MacroRecord& record) {
  MacroRecord zero;
  std::memset(&zero, 0, sizeof zero);
  return std::memcmp(&record, &zero, sizeof record) == 0;
}

MacroRecord FilledRecord() {
  MacroRecord r;
  std::memset(&r, 0x5A, sizeof r);
  return r;
}

using ConstMacrosTest = MacroStorageTest;

TEST_F(ConstMacrosTest, OnlyTheFirst1463CharactersOfALineCount) {
  std::vector<int> values = V3Values("K");
  values[63] = 60;  // stepCount
  constexpr int kDelay = 0x01C8;  // low byte 200, high byte 1
  for (int s = 0; s < 60; ++s) {
    SetStepValues(values, kMacroHeaderV3, s, 3, kMoveCode, s + 1, 2, kDelay);
  }
  values[kLedBlockStart] = 3;
  WriteIni(g_configFolder / "constMacro.dat",
           {{"Init", {{"DAT_VER", "3"}}},
            {"Macros", {{"macroNum", "1"}, {"0", MacroLineText(values)}}}});
  g_constMacros[0] = FilledRecord();

  LoadConstMacros(g_configFolder / "constMacro.dat");

  ASSERT_EQ(g_constMacroCount, 1);
  EXPECT_EQ(g_datVersion, 3);
  const MacroRecord& r = g_constMacros[0];
  EXPECT_EQ(MacroNameOf(r), u"K");
  EXPECT_EQ(r.stepCount, 60);
  for (int s = 0; s < 50; ++s) {
    EXPECT_EQ(r.code[s], kStepMove) << s;
    EXPECT_EQ(r.xy[s].x, s + 1) << s;
    EXPECT_EQ(r.delayMs[s], kDelay) << s;
  }
  // Step 50: its fields up to y whole, the delay's low byte from "20", the high byte lost.
  EXPECT_EQ(r.xy[50].x, 51);
  EXPECT_EQ(r.delayMs[50], 20);
  for (int s = 51; s < kMaxMacroSteps; ++s) {
    EXPECT_EQ(r.action[s], 0) << s;
    EXPECT_EQ(r.xy[s].x, 0) << s;
    EXPECT_EQ(r.delayMs[s], 0) << s;
  }
  EXPECT_EQ(r.ledBlocks[0].length, 0);
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(ConstMacrosTest, MissingFileIsReportedAndLeavesNoMacros) {
  g_datVersion = 3;
  g_constMacroCount = 7;
  LoadConstMacros(g_configFolder / "constMacro.dat");
  EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{u"找不到配置文件"});
  EXPECT_EQ(g_datVersion, 0);
  EXPECT_EQ(g_constMacroCount, 0);
}

TEST_F(ConstMacrosTest, CountAbove20ReadsTwentyRecordsAndKeeps20) {
  IniKeys macros{{"macroNum", "25"}};
  for (int i = 0; i < 25; ++i) {
    macros.emplace_back(std::to_string(i), MacroLineText(V3Values("M" + std::to_string(i))));
  }
  WriteIni(g_configFolder / "constMacro.dat", {{"Init", {{"DAT_VER", "3"}}}, {"Macros", macros}});
  LoadConstMacros(g_configFolder / "constMacro.dat");
  EXPECT_EQ(g_constMacroCount, 20);
  EXPECT_EQ(MacroNameOf(g_constMacros[19]), u"M19");
}

class GroupMacroTest : public MacroStorageTest {
 protected:
  void SetUp() override {
    MacroStorageTest::SetUp();
    WriteGroupList("2", {"G0", "G1"});
    std::vector<int> first = V3Values("first");
    std::vector<int> second = V3Values("second");
    second[63] = 1;
    second[75] = 1;
    second[kStrengthValue] = 30;
    second[77] = 9;
    SetStepValues(second, kMacroHeaderV3, 0, 3, kMoveCode, 4, 5, 6);
    WriteGroupFile("G0", 2, {first, second});
    WriteGroupFile("G1", 1, {V3Values("other")});
  }
};

TEST_F(GroupMacroTest, ReadsOneMacroOfOneGroup) {
  g_datVersion = 3;
  const MacroRecord r = LoadGroupMacro(0, 1);
  EXPECT_EQ(MacroNameOf(r), u"second");
  EXPECT_EQ(r.stepCount, 1);
  EXPECT_EQ(r.code[0], kStepMove);
  EXPECT_EQ(r.xy[0].x, 4);
  EXPECT_EQ(r.xy[0].y, 5);
  EXPECT_EQ(r.delayMs[0], 6);
  EXPECT_EQ(r.strengthEnabled, 1);
  EXPECT_EQ(r.strength, 30);
  EXPECT_EQ(r.reserved[0], 9);
  EXPECT_EQ(MacroNameOf(LoadGroupMacro(1, 0)), u"other");
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(GroupMacroTest, TheStrengthIsTheGroupFilesOwnWhicheverFileWasReadLast) {
  // 0: an empty group file (a new group) read last; 2: an older recoil or built-in file.
  for (const uint8_t lastRead : {uint8_t{0}, uint8_t{2}, uint8_t{3}}) {
    g_datVersion = lastRead;
    const MacroRecord r = LoadGroupMacro(0, 1);
    EXPECT_EQ(r.strengthEnabled, 1) << int{lastRead};
    EXPECT_EQ(r.strength, 30) << int{lastRead};
    EXPECT_EQ(g_datVersion, lastRead);
  }
  // A group file in the older layout has no strength; its steps are still read from 81.
  ASSERT_TRUE(WritePrivateProfileStringW(u"Init", u"DAT_VER", u"2", g_macroDir / "G0.dat"));
  g_datVersion = 3;
  const MacroRecord r = LoadGroupMacro(0, 1);
  EXPECT_EQ(r.strengthEnabled, 0);
  EXPECT_EQ(r.strength, 0);
  EXPECT_EQ(r.reserved[0], 0);
  EXPECT_EQ(r.xy[0].x, 4);
  EXPECT_EQ(r.delayMs[0], 6);
}

TEST_F(GroupMacroTest, OutOfRangeRequestsGiveAnAllZeroRecord) {
  g_datVersion = 3;
  EXPECT_TRUE(IsAllZero(LoadGroupMacro(static_cast<uint32_t>(-1), 0)));  // key function < 256
  EXPECT_TRUE(IsAllZero(LoadGroupMacro(3, 0)));   // beyond the group count
  EXPECT_TRUE(IsAllZero(LoadGroupMacro(2, 0)));   // equal to the count: no such name key
  EXPECT_TRUE(IsAllZero(LoadGroupMacro(0, 3)));   // beyond macroNum
  EXPECT_TRUE(IsAllZero(LoadGroupMacro(0, 2)));   // equal to macroNum: no such line
  EXPECT_TRUE(IsAllZero(LoadGroupMacro(0, 0xFFFFFFFFu)));
}

TEST_F(GroupMacroTest, NeverLooksBeyondTwelveGroups) {
  std::vector<std::string> names;
  for (int i = 0; i < 14; ++i) names.push_back("G" + std::to_string(i));
  WriteGroupList("14", names);
  WriteGroupFile("G12", 1, {V3Values("twelve")});
  EXPECT_TRUE(IsAllZero(LoadGroupMacro(12, 0)));
  EXPECT_TRUE(IsAllZero(LoadGroupMacro(13, 0)));
}

TEST_F(GroupMacroTest, AGroupNameLeadingOutOfTheFolderReadsNothing) {
  // A file that a name with "../" would reach.
  WriteIni(g_macroDir / ".." / "outside.dat",
           {{"Init", {{"DAT_VER", "3"}}},
            {"Macros", {{"macroNum", "1"}, {"0", MacroLineText(V3Values("outside"))}}}});
  WriteGroupList("2", {"../outside", "G1"});
  EXPECT_TRUE(IsAllZero(LoadGroupMacro(0, 0)));
}

class MacroNamesTest : public MacroStorageTest {};

TEST_F(MacroNamesTest, ReadsNamesUpToEachGroupsCount) {
  g_macroGroupCount = 2;
  g_macroGroupNames[0] = u"A";
  g_macroGroupNames[1] = u"B";
  WriteGroupFile("A", 3, {V3Values("a0"), V3Values("a1"), V3Values("a2"), V3Values("stale")});
  std::vector<std::vector<int>> many;
  for (int i = 0; i < 25; ++i) many.push_back(V3Values("b" + std::to_string(i)));
  WriteGroupFile("B", 25, many);
  for (auto& name : g_macroNames) name = u"old";
  g_groupMacroCount[5] = 7;

  LoadMacroNames();

  EXPECT_EQ(g_groupMacroCount[0], 3u);
  EXPECT_EQ(g_macroNames[0], u"a0");
  EXPECT_EQ(g_macroNames[2], u"a2");
  for (int i = 3; i < 20; ++i) EXPECT_EQ(g_macroNames[i], u"") << i;
  // A count above 20 is kept as stated; the names stay as they were.
  EXPECT_EQ(g_groupMacroCount[1], 25u);
  EXPECT_EQ(UsableMacroCount(1), 20);
  EXPECT_EQ(UsableMacroCount(-1), 0);
  EXPECT_EQ(UsableMacroCount(12), 0);
  for (int i = 20; i < 40; ++i) EXPECT_EQ(g_macroNames[i], u"old") << i;
  // Groups past the count: names empty, counts untouched.
  for (int i = 40; i < kGroupMacroNameSlots; ++i) EXPECT_EQ(g_macroNames[i], u"") << i;
  EXPECT_EQ(g_groupMacroCount[5], 7u);
}

TEST_F(MacroNamesTest, MissingOrUnusableGroupFilesCountZeroAndKeepNames) {
  g_macroGroupCount = 2;
  g_macroGroupNames[0] = u"gone";
  g_macroGroupNames[1] = u"../outside";
  WriteIni(g_macroDir / ".." / "outside.dat",
           {{"Macros", {{"macroNum", "1"}, {"0", MacroLineText(V3Values("x"))}}}});
  g_groupMacroCount[0] = 4;
  g_groupMacroCount[1] = 4;
  g_macroNames[0] = u"kept";
  g_macroNames[20] = u"kept too";
  LoadMacroNames();
  EXPECT_EQ(g_groupMacroCount[0], 0u);
  EXPECT_EQ(g_groupMacroCount[1], 0u);
  EXPECT_EQ(g_macroNames[0], u"kept");
  EXPECT_EQ(g_macroNames[20], u"kept too");
}

class GunMacrosTest : public MacroStorageTest {
 protected:
  std::filesystem::path GunFile() const { return g_configFolder / "PUBG_EN.dat"; }

  // The recoil file: line 0 a plain macro, line 1 with steps whose y are 0, 5 and 7.
  void WriteGunFile(const std::string& version) {
    std::vector<int> gun = V3Values("AKM");
    gun[63] = 3;
    SetStepValues(gun, kMacroHeaderV3, 0, 0, 0, 0, 0, 10);
    SetStepValues(gun, kMacroHeaderV3, 1, 6, kMoveCode, 1, 5, 10);
    SetStepValues(gun, kMacroHeaderV3, 2, 6, kMoveCode, 1, 7, 10);
    WriteIni(GunFile(), {{"Init", {{"DAT_VER", version}}},
                         {"Macros", {{"macroNum", "2"},
                                     {"0", MacroLineText(V3Values("M416"))},
                                     {"1", MacroLineText(gun)}}}});
  }
};

TEST_F(GunMacrosTest, LoadsTheFileOfTheCurrentLanguage) {
  WriteGunFile("3");
  g_gunNames[5] = u"old";
  LoadGunMacros();
  EXPECT_EQ(g_gunMacroCount, 2);
  EXPECT_EQ(g_datVersion, 3);
  EXPECT_EQ(g_gunNames[0], u"M416");
  EXPECT_EQ(g_gunNames[1], u"AKM");
  EXPECT_EQ(g_gunNames[5], u"");
  EXPECT_EQ(g_gunMacros[1].xy[2].y, 7);

  g_isEnglish = 0;
  EXPECT_EQ(GunMacroFilePath(), g_skinsFolder / "config" / "PUBG_CN.dat");
}

TEST_F(GunMacrosTest, SaveSetsEveryNonZeroYToTheStrength) {
  WriteGunFile("3");
  LoadGunMacros();
  const std::u16string line0Before = ReadKey(GunFile(), u"Macros", u"0");

  EXPECT_TRUE(SaveGunMacro(1, 40));

  const MacroRecord& r = g_gunMacros[1];
  EXPECT_EQ(r.xy[0].y, 0);
  EXPECT_EQ(r.xy[1].y, 40);
  EXPECT_EQ(r.xy[2].y, 40);
  const std::u16string line1 = ReadKey(GunFile(), u"Macros", u"1");
  ASSERT_EQ(line1.size(), static_cast<std::size_t>(kMacroLineChars));
  auto yLow = [&](int s) {
    return LineValue(line1, kMacroHeaderV3 + kMacroValuesPerStep * s + 4);
  };
  EXPECT_EQ(yLow(0), 0);
  EXPECT_EQ(yLow(1), 40);
  EXPECT_EQ(yLow(2), 40);
  EXPECT_EQ(ReadKey(GunFile(), u"Macros", u"macroNum"), u"2");
  EXPECT_EQ(ReadKey(GunFile(), u"Macros", u"0"), line0Before);
  EXPECT_EQ(ReadKey(GunFile(), u"Init", u"DAT_VER"), u"3");

  LoadGunMacros();
  EXPECT_EQ(g_gunMacros[1].xy[1].y, 40);
}

TEST_F(GunMacrosTest, SaveOutsideTheTableDoesNothing) {
  WriteGunFile("3");
  const std::string before = ReadFileBytes(GunFile());
  EXPECT_FALSE(SaveGunMacro(-1, 40));
  EXPECT_FALSE(SaveGunMacro(20, 40));
  EXPECT_EQ(ReadFileBytes(GunFile()), before);
}

TEST_F(GunMacrosTest, SaveIntoAnOlderFileKeepsTheOtherMacrosReadable) {
  // Version 2: header of 75 values; line 0 has one move step.
  constexpr std::size_t kOlderLineValues = 1855;
  std::vector<int> older(kOlderLineValues, 0);
  older[0] = 'P';
  older[63] = 1;
  SetStepValues(older, kMacroHeaderV2, 0, 6, kMoveCode, 12, 34, 56);
  WriteIni(GunFile(), {{"Init", {{"DAT_VER", "2"}}},
                       {"Macros", {{"macroNum", "2"}, {"0", MacroLineText(older)},
                                   {"1", MacroLineText(V3Values("Q"))}}}});
  LoadGunMacros();
  ASSERT_EQ(g_gunMacros[0].xy[0].x, 12);

  EXPECT_TRUE(SaveGunMacro(1, 40));
  g_gunMacros[0] = MacroRecord{};
  LoadGunMacros();

  EXPECT_EQ(g_datVersion, 3);
  EXPECT_EQ(g_gunNames[0], u"P");
  EXPECT_EQ(g_gunMacros[0].stepCount, 1);
  EXPECT_EQ(g_gunMacros[0].code[0], kStepMove);
  EXPECT_EQ(g_gunMacros[0].xy[0].x, 12);
  EXPECT_EQ(g_gunMacros[0].xy[0].y, 34);
  EXPECT_EQ(g_gunMacros[0].delayMs[0], 56);
  EXPECT_EQ(g_gunNames[1], u"Q");
}

}  // namespace
}  // namespace gm::test
