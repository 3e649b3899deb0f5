#include "editor/macro_step_commands.h"

#include <gtest/gtest.h>

#include <cstring>

#include "macro_commands_fixture.h"
#include "macros/key_codes.h"

namespace gm::test {
namespace {

constexpr TestStep kPause{kStepPause, kActionNone};

// Three delay steps told apart by their delays 100, 200, 300.
MacroRecord ThreeSteps() {
  return MakeMacro(u"m", {{kStepPause, 0, 0, 0, 100}, {kStepPause, 0, 0, 0, 200},
                          {kStepPause, 0, 0, 0, 300}});
}

class StepCommandsTest : public MacroCommandsTest {
 protected:
  void Open(const MacroRecord& record) {
    MakeGroups({{"G", {record}}});
    SelectMacro(0, 0);
  }
};

// Where each command's step lands in a three-step macro when step 0, 1 or 2 is selected.
struct InsertCase {
  StepInsertCommand command;
  bool after;  // behind the selected step; otherwise in its place
  uint8_t code;
  uint8_t action;
};
constexpr InsertCase kInsertCases[] = {
    {StepInsertCommand::kLeftDownAfter, true, 0xF1, 1},
    {StepInsertCommand::kLeftUpAfter, true, 0xF1, 2},
    {StepInsertCommand::kRightDownAfter, true, 0xF3, 1},
    {StepInsertCommand::kRightUpAfter, true, 0xF3, 2},
    {StepInsertCommand::kMidDownAfterCn, true, 0xF2, 1},
    {StepInsertCommand::kMidUpAfterCn, true, 0xF2, 2},
    {StepInsertCommand::kMidDownAfterEn, false, 0xF2, 1},
    {StepInsertCommand::kMidUpAfterEn, false, 0xF2, 2},
    {StepInsertCommand::kLeftDownBefore, false, 0xF1, 1},
    {StepInsertCommand::kLeftUpBefore, false, 0xF1, 2},
    {StepInsertCommand::kRightDownBefore, false, 0xF3, 1},
    {StepInsertCommand::kRightUpBefore, false, 0xF3, 2},
    {StepInsertCommand::kCpiSet, true, 0xF8, 9},
    {StepInsertCommand::kCpiReset, true, 0xF8, 10},
    {StepInsertCommand::kLed, true, 0xF9, 13},
    {StepInsertCommand::kDelay, true, 0x00, 0},
    {StepInsertCommand::kMoveXMinusYMinus, true, 0xF6, 3},
    {StepInsertCommand::kMoveXMinusYPlus, true, 0xF6, 4},
    {StepInsertCommand::kMoveXPlusYMinus, true, 0xF6, 5},
    {StepInsertCommand::kMoveXPlusYPlus, true, 0xF6, 6},
};

TEST_F(StepCommandsTest, EveryInsertCommandAtTheStartMiddleAndEnd) {
  for (const InsertCase& c : kInsertCases) {
    for (int selected = 0; selected < 3; ++selected) {
      SCOPED_TRACE(testing::Message() << "command " << static_cast<int>(c.command) << " step "
                                      << selected);
      Open(ThreeSteps());
      const MacroCommandOutcome outcome = InsertStepCommand(c.command, 2 * selected, false);

      const int at = c.after ? selected + 1 : selected;
      const MacroRecord& r = g_macros[0];
      ASSERT_EQ(r.stepCount, 4);
      EXPECT_EQ(r.code[at], c.code);
      EXPECT_EQ(r.action[at], c.action);
      EXPECT_EQ(r.delayMs[at], 1);
      // The old steps keep their order around it.
      std::vector<int> delays;
      for (int i = 0; i < 4; ++i) {
        if (i != at) delays.push_back(r.delayMs[i]);
      }
      EXPECT_EQ(delays, (std::vector<int>{100, 200, 300}));
      EXPECT_TRUE(outcome.messages.empty());
      EXPECT_EQ(outcome.refreshStepListOf, 0);
      ExpectDiskMatchesTables();
    }
  }
}

TEST_F(StepCommandsTest, AnEmptyListTakesTheFirstStepAtZeroWithTheSelectionOnIt) {
  for (StepInsertCommand command : {StepInsertCommand::kDelay, StepInsertCommand::kLeftUpBefore}) {
    Open(MakeMacro(u"m", {}));
    g_stepListSel = 6;
    InsertStepCommand(command, -1, false);
    EXPECT_EQ(g_macros[0].stepCount, 1);
    if (command == StepInsertCommand::kDelay) {
      EXPECT_EQ(g_stepListSel, 0);
    }
    ExpectDiskMatchesTables();
  }
}

TEST_F(StepCommandsTest, RefusalsLeaveTheMacroAsItWas) {
  // A sixth lighting step, also while recording; any step while recording; the 181st step.
  std::vector<TestStep> fiveLights(5, TestStep{kStepLighting, kActionLight0});
  Open(MakeMacro(u"m", fiveLights));
  EXPECT_EQ(Ids(InsertStepCommand(StepInsertCommand::kLed, 0, true)),
            std::vector{MacroMessageId::kMoreThanLimit});
  EXPECT_EQ(g_macros[0].stepCount, 5);

  Open(ThreeSteps());
  const MacroCommandOutcome whileRecording =
      InsertStepCommand(StepInsertCommand::kDelay, 0, true);
  EXPECT_FALSE(whileRecording.refreshStepListOf.has_value());
  EXPECT_EQ(g_macros[0].stepCount, 3);

  Open(MakeMacro(u"m", std::vector<TestStep>(kMaxMacroSteps, kPause)));
  InsertStepCommand(StepInsertCommand::kDelay, 0, false);
  EXPECT_EQ(g_macros[0].stepCount, kMaxMacroSteps);
  EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{u"More than limit!"});
  ExpectDiskMatchesTables();
}

TEST_F(StepCommandsTest, DeletingTheFirstOfTwoLightingStepsMovesTheSecondsBlockToZero) {
  Open(MakeMacro(u"m", {{kStepLighting, kActionLight0}, {kStepMove, 3, 5, 5},
                        {kStepLighting, kActionLight1}}));
  const MacroLedBlock second = g_macros[0].ledBlocks[1];
  g_stepListSel = 1;

  const MacroCommandOutcome outcome = DeleteStepCommand(0, false);

  const MacroRecord& r = g_macros[0];
  ASSERT_EQ(r.stepCount, 2);
  EXPECT_EQ(r.code[1], kStepLighting);
  EXPECT_EQ(r.xy[1].x, 0);
  EXPECT_EQ(r.countF9, 1);
  EXPECT_EQ(std::memcmp(&r.ledBlocks[0], &second, sizeof second), 0);
  EXPECT_EQ(r.ledBlocks[1].length, 0);
  EXPECT_EQ(r.code[2], 0);
  EXPECT_EQ(g_stepListSel, 0);
  EXPECT_TRUE(outcome.clearParamList);
  ExpectDiskMatchesTables();

  // A move step takes its counter down with it; a row past the steps deletes nothing.
  DeleteStepValueCommand(6, 0, false);
  EXPECT_EQ(g_macros[0].countF6, 0);
  EXPECT_EQ(g_stepListSel, 4);
  DeleteStepCommand(8, false);
  EXPECT_EQ(g_macros[0].stepCount, 1);
  ExpectDiskMatchesTables();
}

TEST_F(StepCommandsTest, ModifyEditsValuesInPlaceAndCapturesKeysOfOtherSteps) {
  Open(MakeMacro(u"m", {{0x04, kActionPress}, {kStepMove, 3}, {kStepDpi, 9},
                        {kStepLighting, kActionLight0}, {kStepMultimedia, 1}}));
  struct Case {
    int row;
    bool recording;
    StepModifyAction action;
  } cases[] = {
      {1, false, StepModifyAction::kEditInPlace},  {1, true, StepModifyAction::kNothing},
      {2, false, StepModifyAction::kEditInPlace},  {4, false, StepModifyAction::kEditInPlace},
      {6, false, StepModifyAction::kEditInPlace},  {6, true, StepModifyAction::kNothing},
      {0, false, StepModifyAction::kCaptureKey},   {8, true, StepModifyAction::kCaptureKey},
      {10, false, StepModifyAction::kNothing},     {-1, false, StepModifyAction::kNothing},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecideStepModify(c.row, 10, c.recording).action, c.action) << "row " << c.row;
  }
  EXPECT_EQ(DecideStepModify(0, 10, false).keyName, KeyNameOfUsage(0x04));

  // The captured key replaces the code of the step row only.
  StoreCapturedStepKey(1, 0, 0x05);
  EXPECT_EQ(g_macros[0].code[0], 0x04);
  const MacroCommandOutcome stored = StoreCapturedStepKey(0, 0, 0x05);
  EXPECT_EQ(g_macros[0].code[0], 0x05);
  EXPECT_EQ(g_macros[0].action[0], kActionPress);
  EXPECT_EQ(stored.refreshStepListOf, 0);
  ExpectDiskMatchesTables();
}

TEST_F(StepCommandsTest, ALockedGroupRefusesEveryStepChange) {
  Open(ThreeSteps());
  g_groupEncrypted = 1;
  InsertStepCommand(StepInsertCommand::kDelay, 0, false);
  EXPECT_EQ(Ids(DeleteStepCommand(0, false)), std::vector{MacroMessageId::kLockedGroup});
  EXPECT_EQ(Ids(StoreCapturedStepKey(0, 0, 0x05)), std::vector{MacroMessageId::kLockedGroup});
  EXPECT_EQ(g_macros[0].stepCount, 3);
  EXPECT_EQ(g_macros[0].code[0], kStepPause);
  EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{u"加密宏不能修改"});
}

TEST_F(StepCommandsTest, AFailedWriteIsReportedAndTheMacroKeepsWhatTheFileHolds) {
  Open(ThreeSteps());
  std::filesystem::permissions(g_macroDir / "G.dat", std::filesystem::perms::owner_read);
  EXPECT_EQ(Ids(DeleteStepCommand(0, false)), std::vector{MacroMessageId::kSaveFailed});
  EXPECT_EQ(Ids(InsertStepCommand(StepInsertCommand::kDelay, 0, false)),
            std::vector{MacroMessageId::kSaveFailed});
  EXPECT_EQ(g_macros[0].stepCount, 3);
  ExpectDiskMatchesTables();
}

}  // namespace
}  // namespace gm::test
