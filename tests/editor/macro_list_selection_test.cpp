#include "editor/macro_list_selection.h"

#include <gtest/gtest.h>

#include <optional>

#include "editor/macro_page_access.h"
#include "editor/macro_page_rows.h"
#include "macro_commands_fixture.h"

namespace gm::test {
namespace {

using Pick = MacroRowPick;

// Rows of the list the fixture builds: group A (a0, a1) and group B (b0, b1), both open.
constexpr int kRowA = 0, kRowA0 = 1, kRowA1 = 2, kRowB = 3, kRowB1 = 5;

// A pick of row, with g_macroListSel before at `before`, and what it leaves: which group is
// open and which macro current, and what the window must do with its lists.
struct Case {
  const char* what;
  Pick pick;
  int before;
  int row;
  bool locked;  // the open group (A) is locked
  int group;
  int macro;
  int refreshStepListOf;  // -1: the step list is not rebuilt
  bool clearStepList;
  bool fillMacroList;  // a group row opened or closed
  bool disableRepeatEdit;
  bool selectFirstStepRow;
};

class MacroListSelectionTest : public MacroCommandsTest {
 protected:
  void SetUp() override {
    MacroCommandsTest::SetUp();
    MakeTwoGroups();
  }

  // Group A open, nothing locked.
  void MakeTwoGroups() {
    MakeGroups({{"A", {MakeMacro(u"a0", {{0x04, 1}}), MakeMacro(u"a1", {})}},
                {"B", {MakeMacro(u"b0", {}), MakeMacro(u"b1", {{0x05, 1}})}}});
    g_curMacroGroup = 0;
    g_groupEncrypted = 0;
  }
};

// Each pick on each kind of row, with group A open and macro a1 current: the group opened, the
// macro made current and the lists' updates. Only a click toggles a group row, only the click
// on another row than the one before loads a group's file, and a group stays locked until
// another group is opened.
TEST_F(MacroListSelectionTest, EachPickOpensTheRowsGroupAndSaysWhatTheListsShow) {
  const Case cases[] = {
      {"click, macro row of another group", Pick::kClick, kRowA0, kRowB1, false, 1, 1, 1, true,
       false, false, true},
      {"click, group row of another group", Pick::kClick, kRowA0, kRowB, false, 1, 0, -1, true,
       true, true, false},
      {"click on the selected group row: it closes, the open group stays", Pick::kClick, kRowB,
       kRowB, false, 0, 1, -1, true, true, false, false},
      {"click on the selected macro row", Pick::kClick, kRowA1, kRowA1, false, 0, 1, -1, false,
       false, false, false},
      {"click, macro row of the locked group", Pick::kClick, kRowA0, kRowA1, true, 0, 1, 1, true,
       false, false, true},
      {"right click, macro row of another group", Pick::kRightClick, kRowA0, kRowB1, false, 1, 1, 1,
       false, false, false, false},
      {"right click, group row of another group", Pick::kRightClick, kRowA0, kRowB, false, 1, 0, -1,
       true, false, false, false},
      {"right click, group row of the locked group", Pick::kRightClick, kRowA1, kRowA, true, 0, 0,
       -1, true, false, false, false},
      {"language switch, macro row of another group", Pick::kLanguageSwitch, kRowB1, kRowB1, false,
       1, 1, 1, false, false, false, false},
      {"language switch, group row of another group", Pick::kLanguageSwitch, kRowB, kRowB, false, 1,
       1, -1, true, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeTwoGroups();
    g_macroListSel = c.before;
    g_curMacro = 1;
    g_groupEncrypted = c.locked ? 1 : 0;
    const MacroCommandOutcome outcome = MakeMacroListRowCurrent({c.pick, c.row, u"1"}, expanded_);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(g_curMacroGroup, c.group);
    EXPECT_EQ(g_curMacro, c.macro);
    EXPECT_EQ(g_macroListSel, c.row);
    EXPECT_EQ(outcome.refreshStepListOf.value_or(-1), c.refreshStepListOf);
    EXPECT_EQ(outcome.clearStepList, c.clearStepList);
    EXPECT_EQ(outcome.fillMacroList, c.fillMacroList);
    EXPECT_EQ(outcome.disableRepeatEdit, c.disableRepeatEdit);
    EXPECT_EQ(outcome.selectFirstStepRow, c.selectFirstStepRow);
    // A click and a right click empty the parameter list; after a language switch it is empty.
    EXPECT_EQ(outcome.clearParamList, c.pick != Pick::kLanguageSwitch);
    const MacroListEntry& entry = g_macroListEntries[static_cast<size_t>(c.row)];
    EXPECT_EQ(expanded_[entry.group], c.fillMacroList ? 0u : 1u) << "a toggled group closes";
    // Only a group opened from its file loses the lock.
    EXPECT_EQ(g_groupEncrypted != 0, c.locked && c.group == 0);
    EXPECT_EQ(MacroNameOf(g_macros[0]), c.group == 0 ? u"a0" : u"b0");
  }
}

// Rows that are not there: no selection changes nothing but the parameter list; a row past
// the list is reported; a right click on an empty list selects no row and opens nothing; a
// row kept through a language switch but no longer shown opens nothing.
TEST_F(MacroListSelectionTest, RowsThatAreNotListedOpenNothing) {
  g_macroListSel = kRowA1;
  g_curMacro = 1;
  MacroCommandOutcome outcome = MakeMacroListRowCurrent({Pick::kClick, -1, u"7"}, expanded_);
  EXPECT_TRUE(outcome.clearParamList);
  EXPECT_EQ(g_macroListSel, kRowA1);
  EXPECT_FALSE(outcome.selectMacroListRow);

  outcome = MakeMacroListRowCurrent({Pick::kClick, 9, u"7"}, expanded_);
  EXPECT_EQ(Ids(outcome), std::vector{MacroMessageId::kListBoxError});
  EXPECT_EQ(g_macroListSel, 9);
  EXPECT_FALSE(outcome.clearStepList);
  EXPECT_EQ(g_curMacro, 1);

  g_macroListEntries.clear();
  outcome = MakeMacroListRowCurrent({Pick::kRightClick, -1, {}}, expanded_);
  EXPECT_EQ(g_macroListSel, -1);
  EXPECT_EQ(outcome.selectMacroListRow, -1);
  EXPECT_FALSE(outcome.clearStepList || outcome.clearParamList || outcome.refreshStepListOf);
  EXPECT_EQ(g_curMacroGroup, 0);
  EXPECT_EQ(ReadMacroFileCount(g_macroDir / "A.dat"), 2) << "no file is written";

  // A language switch keeps the row of a longer list: with both groups closed, the row of b1
  // is past the rows shown; it names no macro, and the steps shown before go.
  OpenMacroGroupFile(1, true);
  g_curMacroGroup = 1;
  g_macroListSel = kRowB1;
  expanded_.fill(0);
  g_macroListEntries = BuildMacroListRows(ReadMacroGroupListing(), expanded_.data()).entries;
  outcome = MakeMacroListRowCurrent({Pick::kLanguageSwitch, kRowB1, {}}, expanded_);
  EXPECT_FALSE(IsMacroListMacroRow(kRowB1));
  EXPECT_FALSE(SelectedListMacro());
  EXPECT_EQ(g_curMacroGroup, 1);
  EXPECT_EQ(g_curMacro, 1);
  EXPECT_FALSE(outcome.refreshStepListOf);
  EXPECT_TRUE(outcome.clearStepList && outcome.disableRepeatEdit);
}

}  // namespace
}  // namespace gm::test
