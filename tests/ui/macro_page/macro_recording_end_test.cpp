// A recording running in the main window when the program ends: the recording ends as Record
// ends it (the typed keys are stored) and the keyboard is given back as the end begins,
// whichever way it comes.

#include <QTest>

#include "editor/macro_editor_state.h"
#include "editor/macro_page_access.h"
#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "settings/paths.h"
#include "ui/controls/context_menus.h"
#include "ui/macro_page/macro_page_controls.h"
#include "ui/main_dialog_fixture.h"
#include "ui/window/macro_recording.h"
#include "ui/window/tray_icon.h"

namespace gm::test {
namespace {

enum class ProgramEnd { kTrayExit, kUnplug, kClose };

constexpr uint32_t kXKeyA = 38;

class MacroRecordingEndTest : public MainDialogTest,
                              public ::testing::WithParamInterface<ProgramEnd> {};

TEST_P(MacroRecordingEndTest, TheProgramsEndStoresTheKeysAndGivesTheKeyboardBack) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls controls(dialog);
  controls.Create(true);
  g_groupExpanded = {1};  // the first group's macros are shown
  controls.FillMacroList();
  int row = 0;
  while (row < static_cast<int>(g_macroListEntries.size()) &&
         g_macroListEntries[static_cast<std::size_t>(row)].kind != kMacroListMacroRow) {
    ++row;
  }
  ASSERT_LT(row, static_cast<int>(g_macroListEntries.size())) << "no macro shown";
  g_macroListSel = row;
  g_curMacro = g_macroListEntries[static_cast<std::size_t>(row)].macro;
  MacroRecording recording(controls, dialog.KeyboardCaptureBackend());
  recording.OnRecord(InputAction{}, dialog);
  ASSERT_TRUE(keyboard_.Running());
  ASSERT_TRUE(keyboard_.Tap(kXKeyA));

  switch (GetParam()) {
    case ProgramEnd::kTrayExit: dialog.Tray().RunMenuCommand(kCmdExitDriverEn); break;
    case ProgramEnd::kUnplug:
      ASSERT_TRUE(monitor_->UnplugVirtualMouse(mouse_));
      ASSERT_TRUE(QTest::qWaitFor([&] { return !keyboard_.Running(); }, kUiWaitMs));
      break;
    case ProgramEnd::kClose: dialog.OnClose(); break;
  }
  EXPECT_FALSE(keyboard_.Running());
  EXPECT_FALSE(recording.Active());
  EXPECT_EQ(g_isRecording.load(), 0);
  const int macro = g_curMacro;
  controls.Destroy();
  LoadMacroFile(g_macroDir / (g_macroGroupNames[g_curMacroGroup] + u".dat"));
  EXPECT_EQ(ReadEditorMacro(macro).stepCount, 2);
}

INSTANTIATE_TEST_SUITE_P(EveryEnd, MacroRecordingEndTest,
                         ::testing::Values(ProgramEnd::kTrayExit, ProgramEnd::kUnplug,
                                           ProgramEnd::kClose));

}  // namespace
}  // namespace gm::test
