#include "editor/macro_list_edit.h"

#include <gtest/gtest.h>

#include "editor/macro_page_access.h"
#include "macro_commands_fixture.h"

namespace gm::test {
namespace {

using Id = MacroMessageId;

class ListEditTest : public MacroCommandsTest {
 protected:
  // Group A: macro "one" with a key, a move, a DPI set, a DPI restore and a lighting step;
  // macro "two". Group B: one macro. Macro "one" is selected.
  void SetUp() override {
    MacroCommandsTest::SetUp();
    MakeGroups({{"A",
                 {MakeMacro(u"one", {{0x04, kActionPress}, {kStepMove, 5, 10, 10},
                                     {kStepDpi, kActionDpiSet, 4}, {kStepDpi, kActionDpiRestore},
                                     {kStepLighting, kActionLight0}}),
                  MakeMacro(u"two", {})}},
                {"B", {MakeMacro(u"three", {})}}});
    SelectMacro(0, 0);
  }

  MacroCommandOutcome EditStep(int row, std::u16string text) {
    return CommitListEdit({EditedList::kStepList, row, std::move(text), row, -1, 0});
  }
  MacroCommandOutcome EditParam(int paramRow, std::u16string text) {
    return CommitListEdit({EditedList::kParamList, paramRow, std::move(text), 8, paramRow, 0});
  }
  const MacroRecord& One() const { return g_macros[0]; }
};

TEST_F(ListEditTest, ValuesAreClampedWithTheirMessagesAndSaved) {
  struct Case {
    int row;  // step-list row (odd: the delay after the step)
    std::u16string text;
    std::vector<Id> messages;
    int step;
    int x, y, delay;  // expected; -1 = not checked
  } cases[] = {
      {1, u"    12000ms", {Id::kMoreThanLimit}, 0, -1, -1, 10000},
      {1, u"-5ms", {}, 0, -1, -1, 0},
      {1, u"0", {}, 0, -1, -1, 0},
      {3, u"  250ms", {}, 1, -1, -1, 250},
      {4, u"[DPI]:1500 ", {Id::kCpiValues}, 2, 4, -1, -1},
      {4, u"[DPI]:2400 ", {}, 2, 11, -1, -1},
      {6, u"[DPI]:200 ", {}, 3, 0, -1, -1},  // a restore step keeps its value
      {2, u"[X+]:150,[Y-]:20", {Id::kXOutOfRange}, 1, 100, 20, -1},
      {2, u"[X+]:7,[Y-]:300", {Id::kYOutOfRange}, 1, 7, 100, -1},
      {2, u"[X+]:-3,[Y-]:-9", {}, 1, 0, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    const MacroCommandOutcome outcome = EditStep(c.row, c.text);
    EXPECT_EQ(Ids(outcome), c.messages);
    const MacroRecord& r = One();
    EXPECT_TRUE(c.x < 0 || r.xy[c.step].x == c.x) << r.xy[c.step].x;
    EXPECT_TRUE(c.y < 0 || r.xy[c.step].y == c.y) << r.xy[c.step].y;
    EXPECT_TRUE(c.delay < 0 || r.delayMs[c.step] == c.delay) << r.delayMs[c.step];
    EXPECT_EQ(outcome.refreshStepListOf, 0);
    ExpectDiskMatchesTables();
  }
}

TEST_F(ListEditTest, ALightingTimeLiesBetweenOneAndAHundred) {
  struct Case {
    std::u16string text;
    std::vector<Id> messages;
    int time;
  } cases[] = {
      {u"[Time   ]: 0*122 ms", {Id::kMinValueOne}, 1},
      {u"[Time   ]: 150*122 ms", {Id::kMoreThanLimit}, 100},
      {u"42", {}, 42},
  };
  for (const Case& c : cases) {
    const MacroCommandOutcome outcome = EditParam(3, c.text);
    EXPECT_EQ(Ids(outcome), c.messages) << ToUtf8(c.text);
    EXPECT_EQ(One().ledBlocks[0].entries[0][2], c.time);
    EXPECT_EQ(outcome.refreshParamListOf, 0);
    EXPECT_EQ(outcome.paramListRow, 3);
    ExpectDiskMatchesTables();
  }
  // A lighting step without a block of its own takes nothing.
  g_macros[0].xy[4].x = kNoBlockIndex;
  EXPECT_FALSE(EditParam(3, u"5").refreshParamListOf.has_value());
}

// With the delay row under the lighting step selected, a parameter edit still changes only
// the parameter.
TEST_F(ListEditTest, AParameterEditLeavesTheStepsDelay) {
  const int delayRowOfLightingStep = 9;
  for (const std::u16string text : {u"[Time   ]: 50*122 ms", u"50"}) {
    g_macros[0].delayMs[4] = 8;
    CommitListEdit({EditedList::kParamList, 3, text, delayRowOfLightingStep, 3, 0});
    EXPECT_EQ(One().delayMs[4], 8) << ToUtf8(text);
    EXPECT_EQ(One().ledBlocks[0].entries[0][2], 50) << ToUtf8(text);
    ExpectDiskMatchesTables();
  }
}

TEST_F(ListEditTest, TheRepeatCountIsClampedAndSaved) {
  struct Case {
    std::u16string text;
    int value;
    std::optional<std::u16string> corrected;
  } cases[] = {{u"0", 1, u"1"}, {u"70000", 65535, u"65535"}, {u"12", 12, std::nullopt}};
  for (const Case& c : cases) {
    const RepeatCountOutcome result = CommitRepeatCount(c.text);
    EXPECT_EQ(result.value, c.value);
    EXPECT_EQ(result.correctedText, c.corrected);
    EXPECT_EQ(One().repeatCount, c.value);
    ExpectDiskMatchesTables();
  }
}

// A left macro's count goes only into the open group, the one whose records are loaded.
TEST_F(ListEditTest, ARepeatCountIsStoredOnlyIntoTheOpenUnlockedGroup) {
  EXPECT_TRUE(StoreRepeatCount(1, 0, 9).messages.empty());
  EXPECT_EQ(LoadGroupMacro(1, 0).repeatCount, 1);
  g_groupEncrypted = 1;
  EXPECT_TRUE(StoreRepeatCount(0, 0, 9).messages.empty());
  g_groupEncrypted = 0;
  EXPECT_EQ(One().repeatCount, 1);
  std::filesystem::permissions(g_macroDir / "A.dat", std::filesystem::perms::owner_read);
  EXPECT_EQ(Ids(StoreRepeatCount(0, 0, 9)), std::vector{Id::kSaveFailed});
  EXPECT_EQ(One().repeatCount, 1);
  ExpectDiskMatchesTables();
}

TEST_F(ListEditTest, MacroNamesMustBeNewInTheirGroup) {
  const int one = RowOf(0, 0);
  struct Case {
    std::u16string text;
    std::vector<Id> messages;
  } refused[] = {{u"two", {Id::kDoubleNameOf}}, {u"one", {Id::kDoubleNameOf}},
                 {u"", {Id::kEmptyName}}};
  for (const Case& c : refused) {
    const MacroCommandOutcome outcome = Rename(one, c.text);
    EXPECT_EQ(Ids(outcome), c.messages);
    EXPECT_EQ(outcome.restoreMacroListRowText, u"one");
  }
  EXPECT_EQ(MacroMessageText(Rename(one, u"two").messages[0]).english, u"'two' Double name!");

  // A name from another group is fine; a long one is cut to 29 units before it is compared.
  EXPECT_TRUE(Rename(one, u"three").messages.empty());
  EXPECT_EQ(MacroNameOf(One()), u"three");
  const std::u16string longName(40, u'x');
  EXPECT_TRUE(Rename(one, longName).messages.empty());
  EXPECT_EQ(MacroNameOf(One()), longName.substr(0, 29));
  EXPECT_EQ(Ids(Rename(one, longName + u"y")), std::vector{Id::kDoubleNameOf});
  ExpectDiskMatchesTables();
  EXPECT_EQ(Ids(Rename(-1, u"x")), std::vector{Id::kChooseRow});
}

TEST_F(ListEditTest, RenamingAMacroOfAnotherGroupLoadsThatGroupFirst) {
  Rename(RowOf(1, 0), u"renamed");
  EXPECT_EQ(g_curMacroGroup, 1);
  EXPECT_EQ(g_macroNames[kMacrosPerGroup], u"renamed");
  EXPECT_EQ(g_macroNames[0], u"one");  // group A's file is untouched
  ExpectDiskMatchesTables();
}

TEST_F(ListEditTest, GroupRenamesMoveTheFileOrAreRefused) {
  const int a = RowOf(0, -1);
  struct Case {
    std::u16string text;
    std::vector<Id> messages;
  } refused[] = {
      {u"B", {Id::kDoubleName}},      {u"b", {Id::kDoubleName}},
      {u"x/y", {Id::kInvalidName}},   {u"..", {Id::kInvalidName}},
      {u"a\x01", {Id::kInvalidName}}, {u"", {Id::kInvalidName}},
  };
  for (const Case& c : refused) {
    const MacroCommandOutcome outcome = Rename(a, c.text);
    EXPECT_EQ(Ids(outcome), c.messages) << ToUtf8(c.text);
    EXPECT_EQ(outcome.restoreMacroListRowText, u"A");
  }
  // Its own name changes nothing, not even the step list.
  EXPECT_FALSE(Rename(a, u"A").refreshStepListOf.has_value());

  // A copy that cannot be written keeps the old name.
  WriteFileBytes(g_macroDir / "C.dat", "");
  std::filesystem::permissions(g_macroDir / "C.dat", std::filesystem::perms::owner_read);
  EXPECT_EQ(Ids(Rename(a, u"C")), std::vector{Id::kSaveFailed});
  EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"A", u"B"}));

  const MacroCommandOutcome renamed = Rename(a, u"Macros 1");
  EXPECT_TRUE(renamed.messages.empty());
  EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"Macros 1", u"B"}));
  EXPECT_FALSE(std::filesystem::exists(g_macroDir / "A.dat"));
  EXPECT_TRUE(std::filesystem::exists(g_macroDir / "Macros 1.dat"));
  ExpectDiskMatchesTables();
}

}  // namespace
}  // namespace gm::test
