// Pictures of the key-capture and recoil dialogs in both languages, left in
// <build>/screenshots for a person to look at; the test checks that the captions and the
// value fields are drawn over the skin.

#include <QLineEdit>

#include <string>

#include "ui/dialogs/dialog_get_key.h"
#include "ui/dialogs/dialog_gun.h"
#include "ui/main_dialog_fixture.h"

namespace gm::test {
namespace {

// Pixels inside rect that differ from the normal picture: text drawn there.
int TextPixels(const QImage& shot, const QImage& normal, const SkinRect& rect) {
  int differing = 0;
  for (int y = rect.y; y < rect.y + rect.height && y < shot.height(); ++y) {
    for (int x = rect.x; x < rect.x + rect.width && x < shot.width(); ++x) {
      if ((shot.pixel(x, y) | 0xFF000000u) != (normal.pixel(x, y) | 0xFF000000u)) ++differing;
    }
  }
  return differing;
}

QString ShotPath(const std::string& name) {
  return QString::fromStdString((ScreenshotDir() / name).string());
}

TEST_F(MainDialogTest, BothPopupDialogsInBothLanguagesAreSavedAsScreenshots) {
  std::filesystem::create_directories(ScreenshotDir());
  CQEL_GMouseDlg& window = StartDialog();
  for (const bool english : {true, false}) {
    english ? window.SwitchToEnglish() : window.SwitchToChinese();
    const std::string suffix = english ? "_en.png" : "_cn.png";
    {
      g_capturedKeyName = u"RETURN";
      CDialogGetKey capture(&window, KeyCaptureMode::kKeyAssignment, &keyboard_);
      ASSERT_TRUE(capture.OnInitDialog());
      capture.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&capture));
      const QImage shot = capture.grab().toImage().convertToFormat(QImage::Format_ARGB32);
      EXPECT_TRUE(shot.save(ShotPath("key_capture" + suffix)));
      const QImage normal = LoadSkinImage(appDir_ / "skins" / "keyset_normal.jpg");
      EXPECT_GT(TextPixels(shot, normal, capture.Layout().rects[kKeysetName]), 20);
      EXPECT_GT(TextPixels(shot, normal, capture.Layout().rects[kKeysetOk]), 20);
      capture.reject();
    }
    {
      CDialogGun gun(&window);
      ASSERT_TRUE(gun.OnInitDialog());
      gun.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&gun));
      const QImage shot = gun.grab().toImage().convertToFormat(QImage::Format_ARGB32);
      EXPECT_TRUE(shot.save(ShotPath("recoil" + suffix)));
      const QImage normal = LoadSkinImage(appDir_ / "skins" / "gun_normal.jpg");
      EXPECT_GT(TextPixels(shot, normal, gun.Layout().rects[kGunNameField]), 20);
      EXPECT_GT(TextPixels(shot, normal, gun.Layout().rects[kGunPicture]), 1000);
      EXPECT_FALSE(gun.Edit(kGunStrengthEdit)->text().isEmpty());
      gun.reject();
    }
  }
}

}  // namespace
}  // namespace gm::test
