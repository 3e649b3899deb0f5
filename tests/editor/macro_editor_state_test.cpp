#include "editor/macro_editor_state.h"

#include <gtest/gtest.h>

#include <climits>

#include "editor/step_rows.h"
#include "support/process_state.h"

namespace gm {
namespace {

class MacroEditorStateTest : public ::testing::Test {
 protected:
  void SetUp() override { test::ResetProcessState(); }
  void TearDown() override { test::ResetProcessState(); }
};

// Rows outside the entry table, on either side, are no rows; every listed row is its own entry.
TEST_F(MacroEditorStateTest, AListRowIsReadOnlyInsideTheEntryTable) {
  g_macroListEntries = {{kMacroListGroupRow, 0, kNoMacroOnRow}, {kMacroListMacroRow, 0, 3}};
  struct Case {
    int row;
    bool listed, macroRow, groupRow;
  };
  for (const Case& c : {Case{-1, false, false, false}, Case{0, true, false, true},
                        Case{1, true, true, false}, Case{2, false, false, false},
                        Case{INT_MAX, false, false, false}}) {
    const MacroListEntry* entry = MacroListEntryAt(c.row);
    EXPECT_EQ(entry != nullptr, c.listed) << "row " << c.row;
    if (entry != nullptr) {
      EXPECT_EQ(entry, &g_macroListEntries[static_cast<size_t>(c.row)]);
    }
    EXPECT_EQ(IsMacroListMacroRow(c.row), c.macroRow) << "row " << c.row;
    EXPECT_EQ(IsMacroListGroupRow(c.row), c.groupRow) << "row " << c.row;
  }
}

TEST_F(MacroEditorStateTest, OnlyAMacroRowSelectsAMacro) {
  g_macroListEntries = {{kMacroListGroupRow, 0, kNoMacroOnRow}, {kMacroListMacroRow, 1, 4}};
  for (const int row : {-1, 0, 2, 7}) {
    g_macroListSel = row;
    EXPECT_EQ(SelectedListMacro(), std::nullopt) << "row " << row;
  }
  g_macroListSel = 1;
  EXPECT_EQ(SelectedListMacro(), (GroupMacro{1, 4}));
}

// The one reset leaves none of the lists' state behind, the open groups and the lighting step
// of the parameter list included.
TEST_F(MacroEditorStateTest, TheResetPutsEveryValueOfTheListsBack) {
  g_macroListEntries = {{kMacroListGroupRow, 0, kNoMacroOnRow}};
  g_macroListSel = 0;
  g_stepListSel = 4;
  g_macroEditMenuOpen = 1;
  g_macroListExists = true;
  g_groupExpanded[3] = 1;
  g_keyDownRows = 2;
  g_keyUpRows = 2;
  g_stepMenuRow = 6;
  g_selLedBlock = 2;
  g_ledStepAction = 1;
  g_ledEntryMode = 7;
  g_paramListSel = 3;
  ResetMacroEditorState();
  EXPECT_TRUE(g_macroListEntries.empty());
  EXPECT_EQ(g_macroListSel, -1);
  EXPECT_EQ(g_stepListSel, 0);
  EXPECT_EQ(g_macroEditMenuOpen, 0);
  EXPECT_FALSE(g_macroListExists);
  EXPECT_EQ(g_groupExpanded[3], 0u);
  EXPECT_EQ(g_keyDownRows + g_keyUpRows + g_stepMenuRow + g_paramListSel, 0);
  EXPECT_EQ(g_selLedBlock + g_ledStepAction + g_ledEntryMode, 0);
}

// Step k and its delay share rows 2k and 2k + 1; the "no row" selection -1 means step 0.
TEST(StepRowsTest, EachStepOwnsItsRowAndTheDelayRowUnderIt) {
  for (int step = 0; step < 3; ++step) {
    const int row = RowOfStep(step);
    EXPECT_EQ(StepOfRow(row), step);
    EXPECT_EQ(StepOfRow(row + 1), step);
    EXPECT_FALSE(IsDelayRow(row));
    EXPECT_TRUE(IsDelayRow(row + 1));
  }
  EXPECT_EQ(StepOfRow(-1), 0);
}

}  // namespace
}  // namespace gm
