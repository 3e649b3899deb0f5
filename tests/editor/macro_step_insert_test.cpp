// Step insertion: limits, defaults, the numbering of lighting blocks, the refusals and the
// save of the selected macro; and the name lookup.

#include "editor/macro_step_insert.h"

#include <gtest/gtest.h>

#include "macros/macro_file_test_support.h"

namespace gm::test {
namespace {

const std::u16string kError = u"Error!";
const std::u16string kFull = u"More than limit!";

class InsertMacroStepTest : public MacroFileTest {
 protected:
  void SetUp() override {
    MacroFileTest::SetUp();
    g_macroGroupCount = 1;
    g_macroGroupNames[0] = u"G";
    g_macroCount = 2;
    g_macroListEntries = {{kMacroListGroupRow, 0, kNoMacroOnRow},
                          {kMacroListMacroRow, 0, 0},
                          {kMacroListMacroRow, 0, 1}};
    g_macroListSel = 1;
    g_macroEditMenuOpen = 1;
  }

  bool Saved() const { return std::filesystem::exists(GroupFile("G")); }

  // Appends a step of code/action with the given x to g_macros[0] as a file would hold it.
  static void AddStep(uint8_t code, uint8_t action, uint16_t x, uint16_t delay = 5) {
    MacroRecord& r = g_macros[0];
    const int s = r.stepCount++;
    r.code[s] = code;
    r.action[s] = action;
    r.xy[s] = {x, 0};
    r.delayMs[s] = delay;
  }

  static void AddLighting(uint8_t block) {
    AddStep(kStepLighting, kActionLight0, block);
    ++g_macros[0].countF9;
    g_macros[0].ledBlocks[block].length = static_cast<uint8_t>(block + 2);
    g_macros[0].ledBlocks[block].entries[5][1] = static_cast<uint8_t>(0xA0 + block);
  }

  static MacroLedBlock FreshLightBlock() {
    MacroLedBlock b{};
    b.length = 1;
    b.entries[0][0] = 1;
    b.entries[0][2] = 10;
    return b;
  }

  static bool SameBlock(const MacroLedBlock& a, const MacroLedBlock& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
  }
};

TEST_F(InsertMacroStepTest, FirstStepOfAnEmptyMacro) {
  InsertMacroStep(0, 0, kStepLeftButton, kActionPress);
  const MacroRecord& r = g_macros[0];
  EXPECT_EQ(r.stepCount, 1);
  EXPECT_EQ(r.code[0], kStepLeftButton);
  EXPECT_EQ(r.action[0], kActionPress);
  EXPECT_EQ(r.delayMs[0], 1);
  EXPECT_EQ(g_stepListSel, 2);
  EXPECT_EQ(g_macroEditMenuOpen, 0);
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_EQ(ReadLine(GroupFile("G"), 0), BuildMacroLine(r));
}

TEST_F(InsertMacroStepTest, MiddleInsertionMovesEveryFieldOfTheLaterSteps) {
  for (int s = 0; s < 10; ++s) {
    AddStep(static_cast<uint8_t>(4 + s), static_cast<uint8_t>(1 + s % 2),
            static_cast<uint16_t>(100 + s), static_cast<uint16_t>(1000 + s));
    g_macros[0].xy[s].y = static_cast<uint16_t>(200 + s);
  }
  const MacroRecord before = g_macros[0];
  InsertMacroStep(0, 4, 0, 0);
  const MacroRecord& r = g_macros[0];
  EXPECT_EQ(r.stepCount, 11);
  for (int s = 0; s < 10; ++s) {
    const int to = s < 4 ? s : s + 1;
    EXPECT_EQ(r.code[to], before.code[s]) << s;
    EXPECT_EQ(r.action[to], before.action[s]) << s;
    EXPECT_EQ(r.xy[to].x, before.xy[s].x) << s;
    EXPECT_EQ(r.xy[to].y, before.xy[s].y) << s;
    EXPECT_EQ(r.delayMs[to], before.delayMs[s]) << s;
  }
  EXPECT_EQ(r.code[4], 0);
  EXPECT_EQ(r.delayMs[4], 1);
}

TEST_F(InsertMacroStepTest, DefaultsAndCountersOfEachKind) {
  InsertMacroStep(0, 0, 0x1F8, 0x109);  // only the low bytes count
  InsertMacroStep(0, 1, kStepMultimedia, 0);
  InsertMacroStep(0, 2, kStepCounted, 0);
  InsertMacroStep(0, 3, kStepMove, kActionMoveXPlusYPlus);
  const MacroRecord& r = g_macros[0];
  ASSERT_EQ(r.stepCount, 4);
  EXPECT_EQ(r.code[0], kStepDpi);
  EXPECT_EQ(r.action[0], kActionDpiSet);
  EXPECT_EQ(r.xy[0].x, 4);
  EXPECT_EQ(r.xy[0].y, 0);
  EXPECT_EQ(r.xy[1].x, 387);
  EXPECT_EQ(r.xy[1].y, 0);
  EXPECT_EQ(r.xy[2].x, 1);
  EXPECT_EQ(r.xy[2].y, 0);
  EXPECT_EQ(r.xy[3].x, 10);
  EXPECT_EQ(r.xy[3].y, 10);
  for (int s = 0; s < 4; ++s) EXPECT_EQ(r.delayMs[s], 1) << s;
  EXPECT_EQ(r.countF8, 1);
  EXPECT_EQ(r.countFA, 1);
  EXPECT_EQ(r.countF7, 1);
  EXPECT_EQ(r.countF6, 1);
  EXPECT_EQ(g_stepListSel, 8);
}

TEST_F(InsertMacroStepTest, The51stMoveIsKeptButNotCounted) {
  for (int s = 0; s < 50; ++s) AddStep(kStepMove, kActionMoveXMinusYMinus, 3);
  g_macros[0].countF6 = 50;
  InsertMacroStep(0, 50, kStepMove, kActionMoveXMinusYMinus);
  EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{kError});
  EXPECT_EQ(g_macros[0].stepCount, 51);
  EXPECT_EQ(g_macros[0].code[50], kStepMove);
  EXPECT_EQ(g_macros[0].xy[50].y, 10);
  EXPECT_EQ(g_macros[0].countF6, 50);
  EXPECT_EQ(g_stepListSel, 2);
  EXPECT_TRUE(Saved());
}

TEST_F(InsertMacroStepTest, A181stStepIsRefusedAndTheMacroSavedAgain) {
  for (int s = 0; s < 180; ++s) AddStep(4, 1, 0);
  const MacroRecord before = g_macros[0];
  g_stepListSel = 6;
  InsertMacroStep(0, 3, kStepLeftButton, kActionPress);
  EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{kFull});
  EXPECT_TRUE(SameFields(g_macros[0], before));
  EXPECT_EQ(g_stepListSel, 6);
  EXPECT_EQ(g_macroEditMenuOpen, 0);
  EXPECT_EQ(ReadLine(GroupFile("G"), 0), BuildMacroLine(before));
}

TEST_F(InsertMacroStepTest, AStepCountAbove180ReadFromAFileCountsAsFull) {
  g_macros[0].stepCount = 900;
  const MacroRecord before = g_macros[0];
  InsertMacroStep(0, 900, kStepLeftButton, kActionPress);
  EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{kFull});
  EXPECT_TRUE(SameFields(g_macros[0], before));
}

TEST_F(InsertMacroStepTest, LightingStepAppendedAfterTwoOthersTakesTheNextBlock) {
  AddLighting(0);
  AddStep(4, 1, 0);
  AddLighting(1);
  g_macros[0].ledBlocks[2] = RecordFilledWith(0x33).ledBlocks[0];  // stale contents
  InsertMacroStep(0, 3, kStepLighting, kActionLight2);
  const MacroRecord& r = g_macros[0];
  EXPECT_EQ(r.stepCount, 4);
  EXPECT_EQ(r.xy[3].x, 2);
  EXPECT_EQ(r.xy[3].y, 0);
  EXPECT_EQ(r.countF9, 3);
  EXPECT_TRUE(SameBlock(r.ledBlocks[2], FreshLightBlock()));
  EXPECT_EQ(r.ledBlocks[0].length, 2);
  EXPECT_EQ(r.ledBlocks[1].length, 3);
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(InsertMacroStepTest, LightingStepBeforeTheFirstRenumbersTheLaterBlocks) {
  AddStep(4, 1, 0);
  AddLighting(0);
  AddLighting(1);
  const MacroLedBlock old0 = g_macros[0].ledBlocks[0];
  const MacroLedBlock old1 = g_macros[0].ledBlocks[1];
  InsertMacroStep(0, 1, kStepLighting, kActionLight1);
  const MacroRecord& r = g_macros[0];
  EXPECT_EQ(r.stepCount, 4);
  EXPECT_EQ(r.xy[1].x, 0);
  EXPECT_EQ(r.action[1], kActionLight1);
  EXPECT_EQ(r.xy[2].x, 1);
  EXPECT_EQ(r.xy[3].x, 2);
  EXPECT_TRUE(SameBlock(r.ledBlocks[0], FreshLightBlock()));
  EXPECT_TRUE(SameBlock(r.ledBlocks[1], old0));
  EXPECT_TRUE(SameBlock(r.ledBlocks[2], old1));
  EXPECT_EQ(r.countF9, 3);
}

TEST_F(InsertMacroStepTest, LightingStepBetweenTwoOthers) {
  AddLighting(0);
  AddLighting(1);
  const MacroLedBlock old0 = g_macros[0].ledBlocks[0];
  const MacroLedBlock old1 = g_macros[0].ledBlocks[1];
  InsertMacroStep(0, 1, kStepLighting, kActionLight0);
  const MacroRecord& r = g_macros[0];
  EXPECT_EQ(r.xy[0].x, 0);
  EXPECT_EQ(r.xy[1].x, 1);
  EXPECT_EQ(r.xy[2].x, 2);
  EXPECT_TRUE(SameBlock(r.ledBlocks[0], old0));
  EXPECT_TRUE(SameBlock(r.ledBlocks[1], FreshLightBlock()));
  EXPECT_TRUE(SameBlock(r.ledBlocks[2], old1));
}

TEST_F(InsertMacroStepTest, BlockStepsUseTheirOwnBlocksAndCounter) {
  AddStep(kStepBlock, 0, 0);
  g_macros[0].countFB = 1;
  g_macros[0].fbBlocks[0].length = 9;
  const MacroRecord before = g_macros[0];
  InsertMacroStep(0, 0, kStepBlock, 0);
  const MacroRecord& r = g_macros[0];
  MacroLedBlock fresh{};
  fresh.length = 1;
  EXPECT_TRUE(SameBlock(r.fbBlocks[0], fresh));
  EXPECT_EQ(r.fbBlocks[1].length, 9);
  EXPECT_EQ(r.xy[1].x, 1);
  EXPECT_EQ(r.countFB, 2);
  EXPECT_EQ(r.countF9, 0);
  EXPECT_TRUE(SameBlock(r.ledBlocks[0], before.ledBlocks[0]));
}

TEST_F(InsertMacroStepTest, AfterABlockIndexOf255NumberingStartsAtZero) {
  AddStep(kStepLighting, kActionLight0, kNoBlockIndex);
  g_macros[0].countF9 = 1;
  InsertMacroStep(0, 1, kStepLighting, kActionLight0);
  EXPECT_EQ(g_macros[0].xy[1].x, 0);
  EXPECT_EQ(g_macros[0].countF9, 2);
  EXPECT_TRUE(SameBlock(g_macros[0].ledBlocks[0], FreshLightBlock()));
}

TEST_F(InsertMacroStepTest, InconsistentBlockNumberingChangesNothing) {
  struct Case {
    const char* what;
    uint16_t earlierBlock;  // index of an earlier lighting step, or 0xFFFF for none
    uint16_t laterBlock;
  };
  const Case cases[] = {
      {"later block 9", 0xFFFF, 9},
      {"later block at the counter", 0xFFFF, 1},
      {"earlier block 7", 7, 0xFFFF},
      {"earlier block at the counter", 1, 0xFFFF},
  };
  for (const Case& c : cases) {
    SetUp();
    messages_.clear();
    if (c.earlierBlock != 0xFFFF) AddStep(kStepLighting, kActionLight0, c.earlierBlock);
    AddStep(4, 1, 0);
    if (c.laterBlock != 0xFFFF) AddStep(kStepLighting, kActionLight0, c.laterBlock);
    g_macros[0].countF9 = 1;
    const MacroRecord before = g_macros[0];
    InsertMacroStep(0, 1, kStepLighting, kActionLight0);
    EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{kError}) << c.what;
    EXPECT_TRUE(SameFields(g_macros[0], before)) << c.what;
    EXPECT_EQ(g_stepListSel, 0) << c.what;
    EXPECT_EQ(g_macroEditMenuOpen, 1) << c.what;
    EXPECT_FALSE(Saved()) << c.what;
  }
}

TEST_F(InsertMacroStepTest, LightingStepAtTheLimitGetsNoBlock) {
  for (uint8_t b = 0; b < 5; ++b) AddLighting(b);
  const MacroRecord before = g_macros[0];
  InsertMacroStep(0, 0, kStepLighting, kActionLight0);
  const MacroRecord& r = g_macros[0];
  EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{kError});
  EXPECT_EQ(r.stepCount, 6);
  EXPECT_EQ(r.xy[0].x, kNoBlockIndex);
  EXPECT_EQ(LedBlockOfStep(r, 0), nullptr);
  EXPECT_EQ(r.countF9, 5);
  for (int s = 1; s < 6; ++s) EXPECT_EQ(r.xy[s].x, s - 1);
  EXPECT_EQ(std::memcmp(r.ledBlocks, before.ledBlocks, sizeof r.ledBlocks), 0);
  EXPECT_TRUE(Saved());
}

TEST_F(InsertMacroStepTest, ReadOnlyGroupIsRefused) {
  g_groupEncrypted = 1;
  const MacroRecord before = g_macros[0];
  InsertMacroStep(0, 0, kStepLeftButton, kActionPress);
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0], SameInBothLanguages(u"加密宏不能修改"));
  EXPECT_TRUE(SameFields(g_macros[0], before));
  EXPECT_FALSE(Saved());
  EXPECT_EQ(g_macroEditMenuOpen, 1);
}

TEST_F(InsertMacroStepTest, SavesTheSelectedRowsMacroNotTheArgument) {
  WriteDatFile(GroupFile("G"), "3", "2", {});
  SetMacroName(g_macros[1], u"Second");
  g_macroListSel = 2;  // row of macro 1
  InsertMacroStep(0, 0, kStepLeftButton, kActionPress);
  EXPECT_EQ(ReadLine(GroupFile("G"), 1), BuildMacroLine(g_macros[1]));
  EXPECT_EQ(ReadLine(GroupFile("G"), 0), u"<absent>");  // a version-3 file is not rewritten
}

TEST_F(InsertMacroStepTest, OutOfRangeIndicesAreHarmless) {
  InsertMacroStep(-1, 0, kStepLeftButton, kActionPress);
  InsertMacroStep(20, 0, kStepLeftButton, kActionPress);
  EXPECT_TRUE(SameFields(g_macros[20], MacroRecord{}));
  EXPECT_FALSE(Saved());

  // Rows that name no saveable macro: the step goes in, nothing is written.
  const std::vector<MacroListEntry> badRows[] = {
      {{kMacroListGroupRow, 0, kNoMacroOnRow}},
      {{kMacroListMacroRow, 0, 25}},
      {{kMacroListMacroRow, 1, 0}},   // group 1 is not listed
      {{kMacroListMacroRow, 200, 0}},
  };
  for (const auto& rows : badRows) {
    g_macroListEntries = rows;
    g_macroListSel = 0;
    InsertMacroStep(0, 0, kStepLeftButton, kActionPress);
  }
  g_macroListSel = 7;
  InsertMacroStep(0, 0, kStepLeftButton, kActionPress);
  g_macroListSel = -1;
  InsertMacroStep(0, 0, kStepLeftButton, kActionPress);
  g_macroListEntries = {{kMacroListMacroRow, 0, 0}};
  g_macroListSel = 0;
  g_macroGroupNames[0] = u"../escape";
  InsertMacroStep(0, 0, kStepLeftButton, kActionPress);

  EXPECT_EQ(g_macros[0].stepCount, 7);
  EXPECT_FALSE(Saved());
  EXPECT_EQ(g_macroEditMenuOpen, 0);
}

TEST_F(InsertMacroStepTest, APositionPastTheEndAppends) {
  AddStep(4, 1, 0);
  InsertMacroStep(0, 170, kStepRightButton, kActionRelease);
  EXPECT_EQ(g_macros[0].stepCount, 2);
  EXPECT_EQ(g_macros[0].code[1], kStepRightButton);
  EXPECT_EQ(g_macros[0].code[170], 0);
}

TEST(FindMacroByName, ComparesWholeNamesWithCase) {
  MacroRecord records[3]{};
  SetMacroName(records[0], u"Abc");
  SetMacroName(records[1], u"abc");
  SetMacroName(records[2], u"123456789012345678901234567890");  // all 30 units used
  EXPECT_EQ(FindMacroByName(records, u"abc", 3), 1);
  EXPECT_EQ(FindMacroByName(records, u"Abc", 3), 0);
  EXPECT_EQ(FindMacroByName(records, u"ABC", 3), 3);
  EXPECT_EQ(FindMacroByName(records, u"Ab", 3), 3);
  EXPECT_EQ(FindMacroByName(records, u"123456789012345678901234567890", 3), 2);
  EXPECT_EQ(FindMacroByName(records, u"Abc", 0), 0);
  EXPECT_EQ(FindMacroByName(records, u"Abc", -2), -2);
}

}  // namespace
}  // namespace gm::test
