// Screenshots of the macro page inside the main window, in both languages.

#include "ui/macro_page/macro_page_window_fixture.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

// Screenshots of the page with its first group open and a lighting step selected, in both
// languages (<build>/screenshots/macro_page_<lang>.png).
TEST_F(MacroPageWindowTest, ScreenshotsInBothLanguages) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  fs::create_directories(ScreenshotDir());
  for (int shot = 0; shot < 2; ++shot) {
    if (shot == 1) {
      if (g_isEnglish != 0) {
        dialog.SwitchToChinese();
      } else {
        dialog.SwitchToEnglish();
      }
      QApplication::processEvents();
    }
    if (g_groupExpanded[0] == 0) ClickRow(*page.MacroList(), 0);
    if (g_macroListSel != 1) ClickRow(*page.MacroList(), 1);
    ASSERT_EQ(g_macroListSel, 1);
    if (FindRow(*page.StepList(), QStringLiteral("[LED")) < 0) Insert(dialog, kCmdInsertLed);
    const int ledRow = FindRow(*page.StepList(), QStringLiteral("[LED"));
    ASSERT_GE(ledRow, 0);
    ClickRow(*page.StepList(), ledRow);
    ASSERT_GE(page.ParamList()->count(), 4);
    dialog.repaint();
    QApplication::processEvents();
    const QImage shotImage = dialog.grab().toImage();
    const std::string name = g_isEnglish != 0 ? "en" : "cn";
    EXPECT_TRUE(shotImage.save(
        QString::fromStdString((ScreenshotDir() / ("macro_page_" + name + ".png")).string())));
  }
}

}  // namespace
}  // namespace gm::test
