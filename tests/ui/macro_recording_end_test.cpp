// A recording running in the main window when the program ends: the keyboard is given back as
// the end begins, whichever way it comes.

#include <QTest>

#include "macros/macro_editor_state.h"
#include "main_dialog_fixture.h"
#include "ui/window/context_menus.h"
#include "ui/window/macro_page_controls.h"
#include "ui/window/macro_recording.h"
#include "ui/window/tray_icon.h"

namespace gm::test {
namespace {

class MacroRecordingEndTest : public MainDialogTest,
                              public ::testing::WithParamInterface<bool> {};

TEST_P(MacroRecordingEndTest, TheProgramsEndGivesTheKeyboardBack) {
  const bool unplug = GetParam();
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls controls(dialog, dialog);
  controls.Create(true);
  controls.FillMacroList();
  int row = 0;
  while (row < static_cast<int>(g_macroListEntries.size()) &&
         g_macroListEntries[static_cast<std::size_t>(row)].kind != kMacroListMacroRow) {
    ++row;
  }
  if (row == static_cast<int>(g_macroListEntries.size())) GTEST_SKIP() << "no macro shown";
  g_macroListSel = row;
  g_curMacro = g_macroListEntries[static_cast<std::size_t>(row)].macro;
  MacroRecording recording(controls, dialog.KeyboardCaptureBackend());
  recording.OnRecord(InputAction{}, dialog);
  ASSERT_TRUE(keyboard_.Running());

  if (unplug) {
    ASSERT_TRUE(monitor_->UnplugVirtualMouse(mouse_));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !keyboard_.Running(); }, kUiWaitMs));
  } else {
    dialog.Tray().RunMenuCommand(kCmdExitDriverEn);
  }
  EXPECT_FALSE(keyboard_.Running());
  EXPECT_FALSE(recording.Active());
  EXPECT_EQ(g_isRecording.load(), 0);
  controls.Destroy();
}

INSTANTIATE_TEST_SUITE_P(ExitAndUnplug, MacroRecordingEndTest, ::testing::Bool());

}  // namespace
}  // namespace gm::test
