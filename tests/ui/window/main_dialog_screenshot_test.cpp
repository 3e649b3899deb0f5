// A picture of each page in both languages, left in <build>/screenshots for a person to look
// at; the test checks that each shows the page's own picture with its texts on it.

#include <QDir>
#include <QTest>

#include <set>
#include <string>

#include "ui/main_dialog_fixture.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_painter.h"
#include "ui/skin/skin_images.h"
#include "ui/skin/window_shape.h"

namespace gm::test {
namespace {

constexpr const char* kPageNames[] = {"keys", "advanced", "macro", "lighting"};
constexpr uint32_t kPageTabs[] = {kMainTabKeys, kMainTabAdvanced, kMainTabMacro,
                                  kMainTabLighting};

// Pixels of the grabbed page that differ from the page's normal picture: the texts, the state
// marks and the pressed tab are drawn over it.
int DifferingPixels(const QImage& shot, const QImage& normal) {
  int differing = 0;
  for (int y = 0; y < shot.height() && y < normal.height(); y += 2) {
    for (int x = 0; x < shot.width() && x < normal.width(); x += 2) {
      if ((shot.pixel(x, y) | 0xFF000000u) != (normal.pixel(x, y) | 0xFF000000u)) ++differing;
    }
  }
  return differing;
}

TEST_F(MainDialogTest, EveryPageInBothLanguagesIsSavedAsAScreenshot) {
  std::filesystem::create_directories(ScreenshotDir());
  CQEL_GMouseDlg& dialog = StartDialog();
  for (const bool english : {true, false}) {
    ClickMain(dialog, english ? kMainEnglish : kMainChinese);
    for (uint8_t page = 0; page < 4; ++page) {
      ClickMain(dialog, kPageTabs[page]);
      ASSERT_EQ(g_curPage.load(), page);
      QTest::mouseMove(&dialog, QPoint(1, g_skinHeight / 2));  // nothing hovered
      const QImage shot = dialog.grab().toImage().convertToFormat(QImage::Format_ARGB32);
      const std::string name = std::string(kPageNames[page]) + (english ? "_en" : "_cn") + ".png";
      EXPECT_TRUE(shot.save(QString::fromStdString((ScreenshotDir() / name).string())));

      ASSERT_EQ(shot.size(), QSize(g_skinWidth, g_skinHeight));
      const QImage normal = LoadSkinImage(appDir_ / "skins" / PagePictureNamesOf(page).normal);
      const int differing = DifferingPixels(shot, normal);
      EXPECT_GT(differing, 100) << name << ": texts and marks are drawn over the picture";
      EXPECT_LT(differing, shot.width() * shot.height() / 4) << name << ": the page's picture";
    }
  }
  ClickMain(dialog, kMainTabKeys);
}

}  // namespace
}  // namespace gm::test
