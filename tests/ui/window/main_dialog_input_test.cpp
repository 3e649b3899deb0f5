// The main window's pages under the mouse: hover and press drawn from the skin pictures,
// Apply from the header, a configuration switch made on the mouse, the settings files.

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <fstream>
#include <optional>
#include <string>

#include "device/device_link.h"
#include "editor/macro_editor_state.h"
#include "macros/group_name_rules.h"
#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "platform/profile_file.h"
#include "settings/config_store.h"
#include "ui/main_dialog_fixture.h"
#include "ui/pages/page_elements.h"
#include "ui/skin/skin_images.h"
#include "ui/skin/window_shape.h"

namespace gm::test {
namespace {

QImage LoadPicture(const std::filesystem::path& path) {
  QImage image = LoadSkinImage(path);
  EXPECT_FALSE(image.isNull()) << path;
  return image;
}

// A pixel of an element near its top left corner, clear of its centred caption.
QPoint InsideCorner(const SkinRect& r) { return QPoint(r.x + 2, r.y + 2); }

QRgb PixelOf(const QImage& image, QPoint p) { return image.pixel(p) | 0xFF000000u; }

QImage Grab(CQEL_GMouseDlg& dialog) {
  return dialog.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST_F(MainDialogTest, AKeyButtonIsDrawnFromTheOverPictureWhenHoveredAndTheDownPictureWhenPressed) {
  CQEL_GMouseDlg& dialog = StartDialog();
  const auto skins = appDir_ / "skins";
  const QImage normal = LoadPicture(skins / "main_normal.jpg");
  const QImage over = LoadPicture(skins / "main_over.jpg");
  const QImage down = LoadPicture(skins / "main_down.jpg");
  const SkinRect key0 = dialog.Layout().m_mainRects[kMainFirstKeyButton];
  const QPoint probe = InsideCorner(key0);
  ASSERT_NE(PixelOf(over, probe), PixelOf(normal, probe)) << "the skin marks a hovered key";
  ASSERT_NE(PixelOf(down, probe), PixelOf(over, probe)) << "and a pressed key differently";

  EXPECT_EQ(PixelOf(Grab(dialog), probe), PixelOf(normal, probe));

  QTest::mouseMove(&dialog, CentreOf(key0));
  EXPECT_EQ(g_hoverMain, kMainFirstKeyButton);
  EXPECT_EQ(PixelOf(Grab(dialog), probe), PixelOf(over, probe));

  QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, CentreOf(key0));
  EXPECT_EQ(g_mousePressed, 1);
  EXPECT_EQ(PixelOf(Grab(dialog), probe), PixelOf(down, probe));

  QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, CentreOf(key0));
  EXPECT_EQ(PixelOf(Grab(dialog), probe), PixelOf(over, probe));

  // Away from every element the key goes back to its normal picture.
  QTest::mouseMove(&dialog, QPoint(1, g_skinHeight / 2));
  EXPECT_EQ(PixelOf(Grab(dialog), probe), PixelOf(normal, probe));
}

TEST_F(MainDialogTest, TheTabsSwitchPagesAndThePageIsDrawnFromItsOwnPictures) {
  CQEL_GMouseDlg& dialog = StartDialog();
  const QImage keys = LoadPicture(appDir_ / "skins" / "main_normal.jpg");
  const QImage advanced = LoadPicture(appDir_ / "skins" / "advanced_normal.jpg");
  // A point where the two pages' pictures differ and no element of either page lies, so
  // nothing but the picture is drawn there.
  const auto onNoElement = [&](QPoint p) {
    const auto outside = [&](const auto& table) {
      return std::none_of(table.begin(), table.end(), [&](const SkinRect& r) {
        return p.x() >= r.x && p.x() < r.x + r.width && p.y() >= r.y && p.y() < r.y + r.height;
      });
    };
    return outside(dialog.Layout().m_mainRects) && outside(dialog.Layout().m_advRects);
  };
  std::optional<QPoint> probe;
  for (int y = 0; y < g_skinHeight && !probe; y += 7) {
    for (int x = 0; x < g_skinWidth && !probe; x += 7) {
      const QPoint p(x, y);
      if (onNoElement(p) && PixelOf(keys, p) != PixelOf(advanced, p)) probe = p;
    }
  }
  ASSERT_TRUE(probe.has_value()) << "the pages' pictures differ somewhere";

  EXPECT_EQ(PixelOf(Grab(dialog), *probe), PixelOf(keys, *probe));
  ClickMain(dialog, kMainTabAdvanced);
  EXPECT_EQ(g_curPage.load(), kPageAdvanced);
  EXPECT_EQ(PixelOf(Grab(dialog), *probe), PixelOf(advanced, *probe));
}

TEST_F(MainDialogTest, HeaderApplyWritesTheMouseAndSavesTheSettingsWithoutBlockingTheWindow) {
  CQEL_GMouseDlg& dialog = StartDialog();
  g_dpiValue[0] = 13;
  g_fireTime = 123;
  QSignalSpy finished(&dialog, &CQEL_GMouseDlg::applyFinished);

  ClickMain(dialog, kMainApply);
  EXPECT_TRUE(dialog.ApplyRunning()) << "Apply runs on its own thread";
  // Clicks are refused while it runs: the tab stays where it was.
  ClickMain(dialog, kMainTabLighting);
  EXPECT_EQ(g_curPage.load(), kPageKeys);

  ASSERT_TRUE(WaitForApplyToEnd(dialog));
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).value<ApplyResult>(), ApplyResult::kCompleted);
  EXPECT_EQ(mouse_.FinalCommitCount(), 1);
  EXPECT_GT(mouse_.CommitCount(), 10);
  EXPECT_EQ(ReadIni(u"ShareData", u"FIRE_TIME"), u"123");
  EXPECT_EQ(desktop_.pointerSpeedSets, 1);

  ClickMain(dialog, kMainTabLighting);
  EXPECT_EQ(g_curPage.load(), kPageLighting) << "clicks are taken again afterwards";
}

// Apply saves the macro selected on the macro page first, and only while the page's lists
// exist: a selection left from an earlier visit of the page saves nothing.
TEST_F(MainDialogTest, ApplySavesTheSelectedMacroOnlyWhileTheMacroListsExist) {
  CQEL_GMouseDlg& dialog = StartDialog();
  ASSERT_GT(g_macroGroupCount, 0) << "the data folder has macro groups";
  const auto file = GroupFilePath(g_macroDir, g_macroGroupNames[g_curMacroGroup]);
  ASSERT_TRUE(file.has_value());
  const std::u16string before = ReadMacroLine(*file, 0);
  ASSERT_NE(before.substr(0, 6), u"069000") << "the factory macro is not named E...";
  SetMacroName(g_macros[0], u"Edited");
  g_macroListEntries = {{kMacroListMacroRow, static_cast<uint8_t>(g_curMacroGroup), 0}};
  g_macroListSel = 0;

  g_macroListExists = false;
  ClickMain(dialog, kMainApply);
  ASSERT_TRUE(WaitForApplyToEnd(dialog));
  EXPECT_EQ(ReadMacroLine(*file, 0), before);

  g_macroListExists = true;
  ClickMain(dialog, kMainApply);
  ASSERT_TRUE(WaitForApplyToEnd(dialog));
  EXPECT_EQ(ReadMacroLine(*file, 0).substr(0, 6), u"069000") << "the name starts with E";
  g_macroListExists = false;
}

TEST_F(MainDialogTest, AnExitDuringApplyWaitsForTheDownloadThenSendsTheNoticeLast) {
  CQEL_GMouseDlg& dialog = StartDialog();
  ClickMain(dialog, kMainApply);
  ASSERT_TRUE(dialog.ApplyRunning());
  dialog.OnExitDriver();
  EXPECT_FALSE(dialog.isVisible()) << "the window goes at once";
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Ended(); }, kUiWaitMs));
  EXPECT_EQ(mouse_.FinalCommitCount(), 1) << "the download was not cut off";
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
  const auto reports = mouse_.RecentFeatureReports();
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back().at(1), 0x20) << "the leaving notice is the last report";
}

TEST_F(MainDialogTest, EveryPowerEventWritesTheSettingsAgain) {
  CQEL_GMouseDlg& dialog = StartDialog();
  dialog.OnPowerBroadcast();
  dialog.OnPowerBroadcast();  // arrives while the first run is still going
  ASSERT_TRUE(QTest::qWaitFor([&] { return mouse_.FinalCommitCount() == 2; }, kUiWaitMs));
  ASSERT_TRUE(WaitForApplyToEnd(dialog));
  EXPECT_EQ(mouse_.FinalCommitCount(), 2);
}

TEST_F(MainDialogTest, AConfigurationSwitchOnTheMouseReloadsAndRepaints) {
  CQEL_GMouseDlg& dialog = StartDialog();
  ASSERT_EQ(g_curConfig.load(), 0);
  WriteIni(u"Config2", u"K0", u"5");
  const QImage down = LoadPicture(appDir_ / "skins" / "main_down.jpg");
  const QPoint probe = InsideCorner(dialog.Layout().m_mainRects[kMainFirstConfig + 2]);
  const uint64_t paintsBefore = dialog.PaintCount();

  mouse_.InjectConfigurationSwitch(2);
  // The report thread takes the configuration, saves it, then reads it from the file again.
  ASSERT_TRUE(QTest::qWaitFor([] { return g_keyFunction[2][0].load() == 5; }, kUiWaitMs))
      << "configuration 2 was read from the file again";
  EXPECT_EQ(g_curConfig.load(), 2);
  EXPECT_EQ(ReadIni(u"Init", u"CurConfig"), u"2");
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.PaintCount() > paintsBefore; }, kUiWaitMs));
  EXPECT_EQ(PixelOf(dialog.LastFrame(), probe), PixelOf(down, probe))
      << "the third configuration's button is drawn pressed";
}

TEST_F(MainDialogTest, ImportAsksForAFileAndReloadsTheSettingsFromIt) {
  CQEL_GMouseDlg& dialog = StartDialog();
  const auto imported = temp_.path() / "imported.ini";
  std::filesystem::copy_file(ConfigIni(), imported);
  ASSERT_TRUE(WritePrivateProfileStringW(u"ShareData", u"FIRE_TIME", u"77", imported));

  chosenFile_ = std::nullopt;  // cancelled: nothing changes
  ClickMain(dialog, kMainImport);
  ASSERT_EQ(choices_.size(), 1u);
  EXPECT_EQ(choices_[0], SettingsFileChoice::kImport);
  EXPECT_NE(g_fireTime.load(), 77);

  chosenFile_ = imported;
  ClickMain(dialog, kMainImport);
  EXPECT_EQ(g_fireTime.load(), 77);
  EXPECT_EQ(ReadIni(u"ShareData", u"FIRE_TIME"), u"77");

  // A picture chosen by mistake is refused with one message naming it; nothing changes.
  const auto picture = temp_.path() / "mouse.png";
  {
    std::ofstream out(picture, std::ios::binary);
    out << std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
  }
  const std::string settingsBefore = ReadWholeFile(ConfigIni()).bytes;
  chosenFile_ = picture;
  ClickMain(dialog, kMainImport);
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_NE(messages_.messages()[0].english.find(u"mouse.png"), std::u16string::npos);
  EXPECT_EQ(ReadWholeFile(ConfigIni()).bytes, settingsBefore);
  EXPECT_EQ(g_fireTime.load(), 77);
  messages_.clear();

  chosenFile_ = temp_.path() / "exported.ini";
  ClickMain(dialog, kMainExport);
  EXPECT_EQ(choices_.back(), SettingsFileChoice::kExport);
  EXPECT_TRUE(std::filesystem::exists(*chosenFile_));
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(MainDialogTest, ASliderDragWhoseReleaseCameWhileApplyRanEndsAtTheNextMove) {
  CQEL_GMouseDlg& dialog = StartDialog();
  ClickMain(dialog, kMainTabAdvanced);
  ASSERT_EQ(g_curPage.load(), kPageAdvanced);
  const SkinRect& slider = dialog.Layout().m_advRects[kAdvDpiSlider];
  const QPoint onSlider = CentreOf(slider);
  QTest::mouseMove(&dialog, onSlider);
  QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, onSlider);
  ASSERT_EQ(g_sliderDragging, 1);

  // A power event starts Apply while the button is held; the release comes while the window
  // takes no clicks.
  dialog.OnPowerBroadcast();
  ASSERT_TRUE(dialog.ApplyRunning());
  QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, onSlider);
  ASSERT_TRUE(WaitForApplyToEnd(dialog));
  QApplication::processEvents();

  // Moving the pointer with no button held must not go on dragging the slider.
  const uint8_t before = g_dpiValue[g_dpiLevel.load()].load();
  QTest::mouseMove(&dialog, QPoint(slider.x + 1, slider.y + slider.height / 2));
  EXPECT_EQ(g_sliderDragging, 0);
  EXPECT_EQ(g_mousePressed, 0);
  EXPECT_EQ(g_dpiValue[g_dpiLevel.load()].load(), before);
}

}  // namespace
}  // namespace gm::test
