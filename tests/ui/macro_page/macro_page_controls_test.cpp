// The macro page's controls on real macro tables and group files: the step list of a macro,
// the repeat count reaching the file, selections in the macro tree, the lighting parameters.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <memory>

#include "editor/macro_editor_state.h"
#include "editor/macro_page_access.h"
#include "editor/macro_page_rows.h"
#include "macros/key_codes.h"
#include "macros/macro_file_test_support.h"
#include "macros/macro_tables.h"
#include "ui/controls/edit_helper.h"
#include "ui/macro_page/macro_page_controls.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/ui_state.h"
#include "ui/qt_app_for_tests.h"
#include "ui/skin/skin_layout.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

const fs::path kAppDir = GMOUSE_APP_DIR;
const fs::path kScreenshotDir = kAppDir.parent_path().parent_path() / "screenshots";

class Window : public QWidget {};

void SetStep(MacroRecord& r, int step, uint8_t code, uint8_t action, uint16_t x, uint16_t y,
             uint16_t delay) {
  r.code[step] = code;
  r.action[step] = action;
  r.xy[step] = {x, y};
  r.delayMs[step] = delay;
}

class MacroPageControlsTest : public MacroFileTest {
 protected:
  void SetUp() override {
    MacroFileTest::SetUp();
    EnsureQtApplication();
    ResetUiState();
    LoadLedModeNames(true);
    g_controlRects[kRepeatEditRect] = {10, 10, 60, 30};
    g_controlRects[kMacroListRect] = {10, 40, 190, 260};
    g_controlRects[kStepListRect] = {200, 40, 400, 260};
    g_controlRects[kParamListRect] = {410, 40, 630, 160};
    window_ = std::make_unique<Window>();
    window_->resize(640, 270);
    controls_ = std::make_unique<MacroPageControls>(*window_);
    controls_->LoadImageLists(kAppDir / "skins");
    controls_->Create(true);
  }

  void TearDown() override {
    controls_.reset();
    window_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ResetSkinLayoutGlobals();
    ResetUiState();
  }

  // Two groups "A" and "B" with two macros each, written to their files; A is open.
  void MakeTwoGroups() {
    g_macroGroupCount = 2;
    g_macroGroupNames[0] = u"A";
    g_macroGroupNames[1] = u"B";
    for (int g = 0; g < 2; ++g) {
      g_macroCount = 2;
      for (int i = 0; i < 2; ++i) {
        const std::u16string name = (g == 0 ? u"a" : u"b") + DecimalText(i);
        SetMacroName(g_macros[i], name);
        g_macros[i].repeatCount = static_cast<uint16_t>(10 * (g + 1) + i);
        g_macroNames[g * kMacrosPerGroup + i] = name;
      }
      g_groupMacroCount[g] = 2;
      SaveMacroFile(g_macroDir / ((g == 0 ? u"A" : u"B") + std::u16string(u".dat")));
    }
    ASSERT_TRUE(SelectEditorGroup(0, true));
    g_groupExpanded = {1, 1};
  }

  void Select(CListBoxXI* list, int row) {
    list->SetCurSel(row);
    emit list->selChange();
  }

  std::vector<std::pair<QString, int>> Rows(const CListBoxXI* list) const {
    std::vector<std::pair<QString, int>> rows;
    for (int r = 0; r < list->count(); ++r) {
      rows.emplace_back(list->GetText(r), list->GetItemImage(r));
    }
    return rows;
  }

  std::unique_ptr<Window> window_;
  std::unique_ptr<MacroPageControls> controls_;
};

TEST_F(MacroPageControlsTest, ThreeStepsGiveSixRowsTheLastDelayWithoutIcon) {
  MacroRecord& r = g_macros[0];
  r.stepCount = 3;
  r.repeatCount = 7;
  SetStep(r, 0, 4, kActionPress, 0, 0, 10);
  SetStep(r, 1, kStepDpi, kActionDpiSet, 4, 0, 20);
  SetStep(r, 2, kStepMove, kActionMoveXPlusYPlus, 5, 6, 30);
  controls_->RefreshStepList(0);
  const std::vector<std::pair<QString, int>> rows{
      {QString::fromStdU16String(KeyNameOfUsage(4)), kImageKeyDown},
      {"    10ms", kImageDelay},
      {"[DPI]:800 ", kImageDpi},
      {"    20ms", kImageDelay},
      {"[X+]:5,[Y+]:6", kImageMove},
      {"    30ms", kImageNone},
  };
  EXPECT_EQ(Rows(controls_->StepList()), rows);
  EXPECT_EQ(g_keyDownRows, 1);
  EXPECT_EQ(controls_->RepeatEdit()->text(), QStringLiteral("7"));
  EXPECT_TRUE(controls_->RepeatEdit()->isEnabled());

  // A device play mode shows 1 and disables the edit; a locked group shows no steps.
  r.playMode = kPlayModeDevice1;
  controls_->RefreshStepList(0);
  EXPECT_EQ(controls_->RepeatEdit()->text(), QStringLiteral("1"));
  EXPECT_FALSE(controls_->RepeatEdit()->isEnabled());
  g_groupEncrypted = 1;
  controls_->RefreshStepList(0);
  EXPECT_EQ(controls_->StepList()->count(), 0);
}

TEST_F(MacroPageControlsTest, RepeatCountIsCorrectedAndStoredInTheSelectedMacro) {
  MakeTwoGroups();
  controls_->FillMacroList();
  Select(controls_->MacroList(), 2);  // a1
  ASSERT_EQ(g_curMacro, 1);
  struct Case {
    QString typed, shown;
    uint16_t stored;
  } const cases[] = {
      {"250", "250", 250}, {"0", "1", 1},         {"", "1", 1},
      {"70000", "65535", 65535}, {"99999999999", "65535", 65535}, {"abc", "1", 1},
  };
  for (const Case& c : cases) {
    controls_->RepeatEdit()->setText(QStringLiteral("5"));
    controls_->RepeatEdit()->setText(c.typed);
    EXPECT_EQ(controls_->RepeatEdit()->text(), c.shown) << c.typed.toStdString();
    EXPECT_EQ(ReadEditorMacro(1).repeatCount, c.stored) << c.typed.toStdString();
  }
  // Setting the text shown already still stores it (a play mode sets "1" this way).
  g_macros[1].repeatCount = 9;
  controls_->SetRepeatEditText(QStringLiteral("1"));
  EXPECT_EQ(ReadEditorMacro(1).repeatCount, 1);
  // The file has it too.
  ASSERT_TRUE(SelectEditorGroup(0, true));
  EXPECT_EQ(g_macros[1].repeatCount, 1);
}

TEST_F(MacroPageControlsTest, MacroTreeSelections) {
  MakeTwoGroups();
  g_groupExpanded = {0, 1};
  controls_->FillMacroList();
  CListBoxXI* list = controls_->MacroList();
  ASSERT_EQ(list->count(), 4);  // A closed; B open with b0, b1

  // A click on a group row opens it; a second click on the same row closes it again.
  Select(list, 0);
  EXPECT_EQ(list->count(), 6);
  EXPECT_FALSE(controls_->RepeatEdit()->isEnabled());
  Select(list, 0);
  EXPECT_EQ(list->count(), 4);
  EXPECT_EQ(g_macroListSel, 0);
  Select(list, 0);
  ASSERT_EQ(list->count(), 6);

  // a0, its repeat count typed; then b0 of the other group: a0's count goes into A's file
  // before B is loaded.
  Select(list, 1);
  EXPECT_EQ(g_curMacro, 0);
  controls_->RepeatEdit()->setText(QStringLiteral("42"));
  controls_->RepeatEdit()->blockSignals(true);
  controls_->RepeatEdit()->setText(QStringLiteral("43"));  // shown, not yet stored
  controls_->RepeatEdit()->blockSignals(false);
  Select(list, 4);
  EXPECT_EQ(g_curMacroGroup, 1);
  EXPECT_EQ(g_curMacro, 0);
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"b0");
  EXPECT_EQ(g_macros[0].repeatCount, 20);
  EXPECT_EQ(list->GetCurSel(), 4);
  ASSERT_TRUE(SelectEditorGroup(0, true));
  EXPECT_EQ(g_macros[0].repeatCount, 43);
}

// Leaving a macro stores what the edit shows into it: the edit must show that macro's own
// count, also for a macro without steps and in a locked group, which takes nothing.
TEST_F(MacroPageControlsTest, TheRepeatEditShowsTheSelectedMacrosOwnCount) {
  MakeTwoGroups();  // no steps; a0 repeats 10 times, a1 11 times
  controls_->FillMacroList();
  CListBoxXI* list = controls_->MacroList();
  Select(list, 1);
  EXPECT_EQ(controls_->RepeatEdit()->text(), QStringLiteral("10"));
  Select(list, 2);
  EXPECT_EQ(controls_->RepeatEdit()->text(), QStringLiteral("11"));
  g_groupEncrypted = 1;  // as after a locked export
  Select(list, 1);
  EXPECT_EQ(controls_->RepeatEdit()->text(), QStringLiteral("10"));
  controls_->RepeatEdit()->setText(QStringLiteral("77"));
  Select(list, 2);
  ASSERT_TRUE(SelectEditorGroup(0, true));
  EXPECT_EQ(g_macros[0].repeatCount, 10);
  EXPECT_EQ(g_macros[1].repeatCount, 11);
}

TEST_F(MacroPageControlsTest, LightingStepShowsItsParameters) {
  MacroRecord& r = g_macros[0];
  r.stepCount = 2;
  SetStep(r, 0, 4, kActionPress, 0, 0, 10);
  SetStep(r, 1, kStepLighting, kActionLight1, 0, 0, 20);
  r.countF9 = 1;
  r.ledBlocks[0].length = 1;
  r.ledBlocks[0].entries[0][0] = 4;
  r.ledBlocks[0].entries[0][2] = 10;
  controls_->RefreshStepList(0);
  Select(controls_->StepList(), 2);
  EXPECT_EQ(g_ledStepAction, kActionLight1);
  EXPECT_EQ(g_selLedBlock, 0);
  const std::vector<std::pair<QString, int>> rows{{"[LEN    ]: 1", -1},
                                                  {"[Mode ]: Ambilight", -1},
                                                  {"[Colour]: Define", -1},
                                                  {"[Time   ]: 10*122 ms", -1}};
  EXPECT_EQ(Rows(controls_->ParamList()), rows);
  EXPECT_EQ(ReadEditorMacro(0).ledBlocks[0].entries[0][0], 7);

  // Double clicks open the edit on the time row only.
  window_->show();
  QApplication::setActiveWindow(window_.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  controls_->ParamList()->SetCurSel(1);
  controls_->OnDblClkParamList();
  EXPECT_FALSE(controls_->ParamList()->IsEditing());
  controls_->ParamList()->SetCurSel(3);
  controls_->OnDblClkParamList();
  EXPECT_TRUE(controls_->ParamList()->IsEditing());
  controls_->EndEdits();

  Select(controls_->StepList(), 1);  // the delay row after step 0
  EXPECT_EQ(controls_->ParamList()->count(), 0);
}

// The controls with rows and an in-place edit open, for a look (build/screenshots).
TEST_F(MacroPageControlsTest, Screenshot) {
  MakeTwoGroups();
  g_macroNames[1] = u"Rapid fire";
  controls_->FillMacroList();
  Select(controls_->MacroList(), 1);
  MacroRecord& r = g_macros[0];
  r.stepCount = 5;
  SetStep(r, 0, 4, kActionPress, 0, 0, 10);
  SetStep(r, 1, kStepLighting, kActionLight0, 0, 0, 20);
  SetStep(r, 2, kStepDpi, kActionDpiSet, 13, 0, 30);
  SetStep(r, 3, kStepDpi, kActionDpiRestore, 0, 0, 35);
  SetStep(r, 4, 4, kActionRelease, 0, 0, 40);
  r.ledBlocks[0].length = 1;
  r.ledBlocks[0].entries[0][0] = 1;
  r.ledBlocks[0].entries[0][2] = 8;
  controls_->RefreshStepList(0);
  Select(controls_->StepList(), 2);
  window_->show();
  QApplication::setActiveWindow(window_.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  controls_->MacroList()->SetCurSel(2);
  controls_->MacroList()->OnChar(kBeginEditChar);
  ASSERT_TRUE(controls_->MacroList()->IsEditing());
  fs::create_directories(kScreenshotDir);
  EXPECT_TRUE(window_->grab().save(
      QString::fromStdString((kScreenshotDir / "macro_page_controls_en.png").string())));

  controls_->EndEdits();
  LoadLedModeNames(false);
  controls_->SetLanguageFont(false);
  controls_->OnLedParamChanged();
  EXPECT_EQ(controls_->ParamList()->GetText(1), QStringLiteral("[Mode ]: 单色呼吸"));
  EXPECT_TRUE(window_->grab().save(
      QString::fromStdString((kScreenshotDir / "macro_page_controls_cn.png").string())));
}

}  // namespace
}  // namespace gm::test
