// Page composition checked on its pixels with a synthetic skin: normal picture black, over
// picture red, down picture green, led_null blue, marks in colours of their own. The pictures
// are written as PNG under the program's .jpg names (the skin loader decodes by content), so
// every pixel is exact.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>

#include <chrono>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <string>

#include "editor/macro_editor_state.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "support/process_state.h"
#include "support/temp_dir.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/page_painter.h"
#include "ui/pages/page_texts.h"
#include "ui/pages/ui_state.h"
#include "ui/qt_app_for_tests.h"
#include "ui/skin/skin_images.h"
#include "ui/skin/skin_layout.h"
#include "ui/skin/window_shape.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kKnobWhite = 0xFFFFFFFF;
constexpr QRgb kMarkEnglish = 0xFFFF00FF;
constexpr QRgb kMarkChinese = 0xFFFFFF00;

void WriteImage(const fs::path& path, QSize size, QRgb color) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(color);
  ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
}

// The globals every paint reads, back at their start values, and a synthetic skin of the
// given size in a fresh folder.
class PagePainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    ResetProcessState();
    g_skinsFolder = dir_.path();
    LoadLedModeNames(false);
    WriteSkin(QSize(200, 150));
  }

  void TearDown() override { ResetProcessState(); }

  void WriteSkin(QSize size) {
    for (const char* page : {"main", "advanced", "mac", "led"}) {
      WriteImage(dir_ / (std::string(page) + "_normal.jpg"), size, kBlack);
      WriteImage(dir_ / (std::string(page) + "_over.jpg"), size, kRed);
      WriteImage(dir_ / (std::string(page) + "_down.jpg"), size, kGreen);
    }
    WriteImage(dir_ / "led_null.jpg", size, kBlue);
    WriteImage(dir_ / "moveRect.png", QSize(16, 8), kKnobWhite);
    WriteImage(dir_ / "zhi_en.png", QSize(10, 10), kMarkEnglish);
    WriteImage(dir_ / "zhi_cn.png", QSize(10, 10), kMarkChinese);
  }

  QImage Paint(uint8_t page) {
    g_curPage = page;
    QImage target;
    EXPECT_TRUE(PaintPage(target, layout_, images_));
    return target;
  }

  // The colour of a pixel, or 0 when it lies outside the picture.
  static QRgb At(const QImage& image, int x, int y) {
    return image.valid(x, y) ? image.pixel(x, y) : 0;
  }

  TempDir dir_;
  SkinLayout layout_;
  SkinImages images_;
};

// ---- The hovered element -------------------------------------------------------------------

TEST_F(PagePainterTest, HoveredElementComesFromTheOverPictureAndWhilePressedFromTheDown) {
  layout_.m_mainRects[30] = {50, 60, 20, 10};
  g_hoverMain = 30;
  QImage shown = Paint(kPageKeys);
  EXPECT_EQ(At(shown, 50, 60), kRed);
  EXPECT_EQ(At(shown, 69, 69), kRed);
  EXPECT_EQ(At(shown, 70, 60), kBlack);  // right edge is exclusive
  EXPECT_EQ(At(shown, 50, 70), kBlack);
  EXPECT_EQ(At(shown, 49, 60), kBlack);

  g_mousePressed = 1;
  shown = Paint(kPageKeys);
  EXPECT_EQ(At(shown, 50, 60), kGreen);
}

TEST_F(PagePainterTest, SlidersAndTheLightingPageShowHoverFromTheOverPictureEvenWhilePressed) {
  g_mousePressed = 1;
  layout_.m_advRects[66] = {10, 10, 100, 10};  // the DPI slider; its step is 0: no fill
  layout_.m_advRects[2] = {10, 40, 20, 10};
  g_hoverAdvanced = 66;
  EXPECT_EQ(At(Paint(kPageAdvanced), 10, 10), kRed);
  g_hoverAdvanced = 2;
  EXPECT_EQ(At(Paint(kPageAdvanced), 10, 40), kGreen);

  // The fire-time bar (31) is a slider too; a fire time of 0 cuts its fill to nothing.
  layout_.m_advRects[31] = {10, 70, 60, 10};
  g_fireTime = 0;
  g_hoverAdvanced = 31;
  EXPECT_EQ(At(Paint(kPageAdvanced), 10, 70), kRed);

  layout_.m_ledRects[90] = {10, 100, 20, 10};
  g_hoverLed = 90;
  EXPECT_EQ(At(Paint(kPageLighting), 10, 100), kRed);
}

// ---- Header buttons --------------------------------------------------------------------------

TEST_F(PagePainterTest, CurrentLanguageConfigurationAndPageShowPressed) {
  for (int i = 0; i < 20; ++i) layout_.m_mainRects[i] = {i * 10, 0, 10, 10};
  g_curConfig = 2;
  g_isEnglish = 1;
  QImage shown = Paint(kPageMacro);
  EXPECT_EQ(At(shown, 50, 5), kGreen);   // English button 5
  EXPECT_EQ(At(shown, 40, 5), kBlack);   // Chinese button 4
  EXPECT_EQ(At(shown, 120, 5), kGreen);  // configuration button 10 + 2
  EXPECT_EQ(At(shown, 100, 5), kBlack);
  EXPECT_EQ(At(shown, 80, 5), kGreen);   // tab 6 + page 2
  EXPECT_EQ(At(shown, 60, 5), kBlack);

  g_isEnglish = 0;
  shown = Paint(kPageMacro);
  EXPECT_EQ(At(shown, 40, 5), kGreen);
  EXPECT_EQ(At(shown, 50, 5), kBlack);
}

TEST_F(PagePainterTest, HoveredHeaderButtonOnAnotherPageFollowsThePressedFlag) {
  layout_.m_mainRects[1] = {0, 0, 10, 10};
  g_hoverMain = 1;
  EXPECT_EQ(At(Paint(kPageLighting), 5, 5), kRed);
  g_mousePressed = 1;
  EXPECT_EQ(At(Paint(kPageLighting), 5, 5), kGreen);
}

TEST_F(PagePainterTest, AConfigurationOutsideTheTablesPressesNoButtonAndDrawsNoKeyState) {
  for (int i = 0; i < 20; ++i) layout_.m_mainRects[i] = {i * 10, 0, 10, 10};
  g_curConfig = 20;  // element 30 is no header button
  layout_.m_mainRects[30] = {0, 100, 10, 10};
  const QImage shown = Paint(kPageKeys);
  EXPECT_EQ(At(shown, 5, 105), kBlack);
  EXPECT_EQ(At(shown, 105, 5), kBlack);
}

// ---- Keys page ------------------------------------------------------------------------------

TEST_F(PagePainterTest, HoveredKeyButtonPressesItsLabelAndShowsTheMacroMarkOfItsLanguage) {
  WriteSkin(QSize(400, 560));
  g_keyCount = 3;
  g_curConfig = 1;
  layout_.m_mainRects[21] = {10, 10, 20, 10};  // key 1
  layout_.m_mainRects[36] = {10, 30, 20, 10};  // its label
  g_hoverMain = 21;
  QImage shown = Paint(kPageKeys);
  EXPECT_EQ(At(shown, 10, 30), kGreen);
  EXPECT_EQ(At(shown, 380, 540), kBlack);  // LEFT_MAC 0: no mark

  g_keyMacroMode[1][1] = 1;
  g_isEnglish = 1;
  shown = Paint(kPageKeys);
  EXPECT_EQ(At(shown, 378, 535), kMarkEnglish);
  EXPECT_EQ(At(shown, 387, 544), kMarkEnglish);
  EXPECT_EQ(At(shown, 377, 535), kBlack);
  g_isEnglish = 0;
  EXPECT_EQ(At(Paint(kPageKeys), 378, 535), kMarkChinese);

  // Hovering the label presses the button; keys beyond the key count do nothing.
  g_hoverMain = 36;
  shown = Paint(kPageKeys);
  EXPECT_EQ(At(shown, 10, 10), kGreen);
  EXPECT_EQ(At(shown, 10, 30), kRed);
  layout_.m_mainRects[24] = {50, 10, 20, 10};     // key 4 of 3
  layout_.m_mainRects[39] = {50, 30, 20, 10};
  g_hoverMain = 24;
  EXPECT_EQ(At(Paint(kPageKeys), 50, 30), kBlack);
}

TEST_F(PagePainterTest, TheWheelSettingInForceShowsPressed) {
  layout_.m_mainRects[31] = {10, 60, 20, 10};  // Off
  layout_.m_mainRects[32] = {40, 60, 20, 10};  // On
  struct Case {
    int32_t status;
    QRgb off, on;
  };
  for (const Case c : {Case{0, kGreen, kBlack}, Case{1, kBlack, kGreen}, Case{7, kBlack, kBlack}}) {
    g_wheelStatus = c.status;
    const QImage shown = Paint(kPageKeys);
    EXPECT_EQ(At(shown, 10, 60), c.off) << c.status;
    EXPECT_EQ(At(shown, 40, 60), c.on) << c.status;
  }
}

// ---- DPI and advanced page ---------------------------------------------------------------

TEST_F(PagePainterTest, SliderFillIsValuePlusOneStepsWideAndTheKnobSitsSixteenBackTwelveDown) {
  WriteSkin(QSize(400, 150));
  layout_.m_advRects[66] = {20, 40, 320, 30};
  g_dpiSliderX = 20;
  g_dpiSliderWidth = 320;
  g_dpiSliderStep = 20;
  g_dpiLevel = 2;
  g_dpiValue[2] = 16;
  const QImage shown = Paint(kPageAdvanced);
  // Filled: 17 steps of 20 = 340 pixels from x 20, over the slider's full height.
  EXPECT_EQ(At(shown, 20, 40), kGreen);
  EXPECT_EQ(At(shown, 359, 69), kGreen);
  EXPECT_EQ(At(shown, 360, 50), kBlack);
  EXPECT_EQ(At(shown, 20, 70), kBlack);
  // The knob (16 x 8) at x + 324, y + 12.
  EXPECT_EQ(At(shown, 344, 52), kKnobWhite);
  EXPECT_EQ(At(shown, 359, 59), kKnobWhite);
  EXPECT_EQ(At(shown, 343, 52), kGreen);
  EXPECT_EQ(At(shown, 344, 51), kGreen);
  EXPECT_EQ(At(shown, 344, 60), kGreen);
}

TEST_F(PagePainterTest, SliderOfALevelTheMouseReportedBeyondTheSixLevelsIsLeftOut) {
  layout_.m_advRects[66] = {20, 40, 160, 30};
  g_dpiSliderX = 20;
  g_dpiSliderStep = 10;
  g_dpiLevel = 7;
  const QImage shown = Paint(kPageAdvanced);
  EXPECT_EQ(At(shown, 25, 45), kBlack);
}

TEST_F(PagePainterTest, LevelButtonsEnablesBarsAndRateButtons) {
  for (int j = 0; j < 6; ++j) {
    layout_.m_advRects[47 + j] = {j * 10, 0, 10, 10};
    layout_.m_advRects[60 + j] = {j * 10, 20, 10, 10};
  }
  layout_.m_advRects[1] = {0, 40, 100, 10};
  layout_.m_advRects[18] = {0, 60, 100, 10};
  layout_.m_advRects[31] = {0, 80, 150, 10};
  layout_.m_advRects[36] = {0, 100, 10, 10};
  layout_.m_advRects[40] = {20, 100, 10, 10};
  layout_.m_advRects[35] = {40, 100, 10, 10};
  g_dpiLevel = 3;
  g_dpiEnable[1] = 1;
  g_dpiEnable[4] = 2;  // only 1 counts as enabled
  g_pointerSpeed = 3;
  g_wheelSpeed = 10;
  g_fireTime = 100;
  g_usbRate = 2;
  const QImage shown = Paint(kPageAdvanced);
  EXPECT_EQ(At(shown, 35, 25), kGreen);  // level 3's button
  EXPECT_EQ(At(shown, 25, 25), kBlack);
  EXPECT_EQ(At(shown, 15, 5), kGreen);   // level 1 enabled
  EXPECT_EQ(At(shown, 45, 5), kBlack);
  EXPECT_EQ(At(shown, 29, 45), kGreen);  // 3 x 100 / 10 = 30
  EXPECT_EQ(At(shown, 30, 45), kBlack);
  EXPECT_EQ(At(shown, 99, 65), kGreen);  // the whole bar at 10
  EXPECT_EQ(At(shown, 49, 85), kGreen);  // 150 x 100 / 300 = 50
  EXPECT_EQ(At(shown, 50, 85), kBlack);
  EXPECT_EQ(At(shown, 5, 105), kGreen);   // 34 + 2
  EXPECT_EQ(At(shown, 25, 105), kGreen);  // 38 + 2
  EXPECT_EQ(At(shown, 45, 105), kBlack);
}

// ---- Macro page ---------------------------------------------------------------------------

TEST_F(PagePainterTest, RecordButtonWhileRecordingAndThePlayModeOfTheSelectedMacro) {
  // 30-pixel squares; their top left corners stay clear of the centred texts.
  for (int j = 4; j <= 8; ++j) layout_.m_macRects[j] = {(j - 4) * 30, 100, 30, 30};
  auto pressed = [&](const QImage& shown, int j) {
    return At(shown, (j - 4) * 30 + 1, 101) == kGreen;
  };
  g_macroListEntries = {{kMacroListGroupRow, 0, kNoMacroOnRow}, {kMacroListMacroRow, 0, 0}};
  g_macroListSel = 1;
  g_macros[0].playMode = 0x10 | kPlayModeDevice2;  // only the low two bits count
  QImage shown = Paint(kPageMacro);
  EXPECT_FALSE(pressed(shown, 4));
  EXPECT_TRUE(pressed(shown, 6));
  EXPECT_FALSE(pressed(shown, 7));

  g_isRecording = 1;
  g_macros[0].playMode = kPlayModeDevice1;
  shown = Paint(kPageMacro);
  EXPECT_TRUE(pressed(shown, 4));
  EXPECT_TRUE(pressed(shown, 7));
  g_isRecording = 0;

  g_macros[0].playMode = kPlayModeRepeat;
  EXPECT_TRUE(pressed(Paint(kPageMacro), 8));
  g_macros[0].playMode = 3;  // no button for mode 3
  shown = Paint(kPageMacro);
  for (int j = 6; j <= 8; ++j) EXPECT_FALSE(pressed(shown, j)) << j;
  g_macros[0].playMode = kPlayModeRepeat;

  // A locked group, a group row or a row beyond the list show no play mode.
  g_groupEncrypted = 1;
  EXPECT_FALSE(pressed(Paint(kPageMacro), 8));
  g_groupEncrypted = 0;
  g_macroListSel = 0;
  EXPECT_FALSE(pressed(Paint(kPageMacro), 8));
  g_macroListSel = 5;
  EXPECT_FALSE(pressed(Paint(kPageMacro), 8));
}

// ---- Lighting page ------------------------------------------------------------------------

TEST_F(PagePainterTest, BrightnessBarIsWholeAtZeroAndOneSeventhAtSix) {
  layout_.m_ledRects[40] = {0, 100, 70, 10};
  layout_.m_ledRects[41] = {0, 120, 60, 10};
  g_ledBrightness = 0;
  g_ledCycleTime = 0;
  QImage shown = Paint(kPageLighting);
  EXPECT_EQ(At(shown, 69, 105), kGreen);
  EXPECT_EQ(At(shown, 9, 125), kGreen);  // speed 0: one sixth
  EXPECT_EQ(At(shown, 10, 125), kBlack);

  g_ledBrightness = 6;
  g_ledCycleTime = 5;
  shown = Paint(kPageLighting);
  EXPECT_EQ(At(shown, 9, 105), kGreen);
  EXPECT_EQ(At(shown, 10, 105), kBlack);
  EXPECT_EQ(At(shown, 59, 125), kGreen);
}

TEST_F(PagePainterTest, LightingStateElements) {
  for (int k = 0; k < 7; ++k) {
    layout_.m_ledRects[k] = {k * 10, 0, 10, 10};       // colours
    layout_.m_ledRects[7 + k] = {k * 10, 20, 10, 10};  // cycle colours
  }
  layout_.m_ledRects[14] = {100, 0, 10, 10};
  layout_.m_ledRects[45] = {0, 40, 10, 10};
  layout_.m_ledRects[49] = {20, 40, 10, 10};  // direction 2
  layout_.m_ledRects[51] = {0, 60, 10, 10};
  layout_.m_ledRects[52] = {20, 60, 10, 10};
  g_cycleColorEnable[3] = 1;
  g_ledDirection = 2;
  g_keyCount = 2;
  g_ledReactEnable[0][1] = 1;
  QImage shown = Paint(kPageLighting);
  EXPECT_EQ(At(shown, 35, 25), kGreen);
  EXPECT_EQ(At(shown, 25, 25), kBlack);
  EXPECT_EQ(At(shown, 35, 5), kGreen);  // no user colour: enabled colours
  EXPECT_EQ(At(shown, 105, 5), kBlack);
  EXPECT_EQ(At(shown, 5, 45), kBlack);  // no symmetry
  EXPECT_EQ(At(shown, 25, 45), kGreen);
  EXPECT_EQ(At(shown, 5, 65), kBlack);
  EXPECT_EQ(At(shown, 25, 65), kGreen);

  g_ledUserColorEnable = 1;
  g_ledSymmetry = 1;
  shown = Paint(kPageLighting);
  EXPECT_EQ(At(shown, 105, 5), kGreen);
  EXPECT_EQ(At(shown, 35, 5), kBlack);
  EXPECT_EQ(At(shown, 5, 45), kGreen);

  g_ledDirection = -100;  // out of the table: nothing, no crash
  Paint(kPageLighting);
}

TEST_F(PagePainterTest, LedNullGreysOutTheElementsOfEachMode) {
  for (int e = 50; e <= 75; ++e) layout_.m_ledRects[e] = {(e - 50) * 6, 140, 6, 6};
  auto greyed = [&](const QImage& shown, int element) {
    return At(shown, (element - 50) * 6, 140) == kBlue;
  };
  g_ledType = 1;
  QImage shown = Paint(kPageLighting);
  for (int e : {74, 72, 50, 71}) EXPECT_TRUE(greyed(shown, e)) << e;
  for (int e : {75, 73}) EXPECT_FALSE(greyed(shown, e)) << e;
  g_ledType = 4;
  shown = Paint(kPageLighting);
  for (int e : {75, 74, 73, 72, 50, 71}) EXPECT_TRUE(greyed(shown, e)) << e;
  g_ledType = 3;  // the inward direction (50) is the key-response mode's own
  shown = Paint(kPageLighting);
  for (int e : {75, 74, 73, 72}) EXPECT_TRUE(greyed(shown, e)) << e;
  for (int e : {50, 71}) EXPECT_FALSE(greyed(shown, e)) << e;
  g_ledType = 5;
  shown = Paint(kPageLighting);
  for (int e : {75, 74, 73, 72, 50, 71}) EXPECT_FALSE(greyed(shown, e)) << e;
}

// ---- Missing pictures, odd rectangles ----------------------------------------------------------

TEST_F(PagePainterTest, MissingPicturesPaintPlainDarkAndMissingMarksNothing) {
  fs::remove(dir_ / "advanced_normal.jpg");
  fs::remove(dir_ / "advanced_over.jpg");
  fs::remove(dir_ / "moveRect.png");
  g_skinWidth = 120;
  g_skinHeight = 90;
  layout_.m_advRects[2] = {10, 10, 10, 10};
  layout_.m_advRects[66] = {20, 40, 80, 30};
  g_dpiSliderX = 20;
  g_dpiSliderStep = 5;
  g_hoverAdvanced = 2;
  const QImage shown = Paint(kPageAdvanced);
  ASSERT_EQ(shown.size(), QSize(120, 90));
  EXPECT_EQ(At(shown, 0, 0), kMissingPictureFill);
  EXPECT_EQ(At(shown, 15, 15), kMissingPictureFill);  // hovered, over picture missing
  EXPECT_EQ(At(shown, 20, 52), kGreen);               // fill drawn, knob missing

  g_skinWidth = g_skinHeight = 0;
  QImage target;
  g_curPage = kPageAdvanced;
  EXPECT_FALSE(PaintPage(target, layout_, images_));
  g_curPage = 4;
  EXPECT_FALSE(PaintPage(target, layout_, images_));
  EXPECT_TRUE(target.isNull());
}

TEST_F(PagePainterTest, BlitClipsNegativeOversizedAndHugeRectangles) {
  QImage dest(50, 40, kSkinImageFormat);
  dest.fill(kBlack);
  QImage source(30, 60, kSkinImageFormat);  // narrower and taller than dest
  source.fill(kGreen);

  BlitRect(dest, source, {-5, -5, 10, 10});
  EXPECT_EQ(At(dest, 4, 4), kGreen);
  EXPECT_EQ(At(dest, 5, 5), kBlack);

  BlitRect(dest, source, {25, 30, 1000, 1000});  // clipped to source width and dest height
  EXPECT_EQ(At(dest, 29, 39), kGreen);
  EXPECT_EQ(At(dest, 30, 35), kBlack);

  BlitRect(dest, source, {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  BlitRect(dest, source, {INT_MAX, INT_MAX, INT_MAX, INT_MAX});
  BlitRect(dest, source, {10, 10, -5, -5});
  BlitRect(dest, source, {10, 10, 0, 0});
  EXPECT_EQ(At(dest, 10, 10), kBlack);

  const SkinRect table[] = {{0, 0, 5, 5}};
  BlitSkinRect(dest, source, table, 1);
  BlitSkinRect(dest, source, table, -1);
  BlitSkinRectWidth(dest, source, table, 0, int64_t{1} << 40);
  EXPECT_EQ(At(dest, 29, 2), kGreen);

  // A source in another format is converted for the copy.
  QImage rgb(50, 40, QImage::Format_RGB888);
  rgb.fill(QColor(0, 0, 255));
  BlitRect(dest, rgb, {40, 0, 5, 5});
  EXPECT_EQ(At(dest, 44, 4), kBlue);
}

// ---- The image cache ---------------------------------------------------------------------

TEST_F(PagePainterTest, ImagesAreDecodedOnceAndAgainWhenTheirFileChanges) {
  const fs::path file = dir_ / "main_normal.jpg";
  SkinImages cache;
  EXPECT_EQ(cache.Image(file).pixel(0, 0), kBlack);
  cache.Image(file);
  cache.Image(file);
  EXPECT_EQ(cache.DecodeCount(), 1u);

  WriteImage(file, QSize(201, 150), kRed);  // another size
  const QImage& changed = cache.Image(file);
  EXPECT_EQ(changed.pixel(0, 0), kRed);
  EXPECT_EQ(changed.width(), 201);
  EXPECT_EQ(cache.DecodeCount(), 2u);

  // Same size, later modification time.
  WriteImage(file, QSize(201, 150), kGreen);
  fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(2));
  EXPECT_EQ(cache.Image(file).pixel(0, 0), kGreen);

  fs::remove(file);
  EXPECT_TRUE(cache.Image(file).isNull());
  WriteImage(file, QSize(10, 10), kBlue);
  EXPECT_EQ(cache.Image(file).pixel(0, 0), kBlue);
}

TEST_F(PagePainterTest, UndecodableFileGivesANullImageAndIsNotDecodedOnEveryCall) {
  const fs::path file = dir_ / "broken.jpg";
  WriteFileBytes(file, "not a picture");
  SkinImages cache;
  EXPECT_TRUE(cache.Image(file).isNull());
  EXPECT_TRUE(cache.Image(file).isNull());
  EXPECT_EQ(cache.DecodeCount(), 1u);
}

TEST(PremultiplyAlpha, ColorBytesBecomeByteTimesAlphaOver255Truncated) {
  QImage image(4, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(201, 100, 50, 128));
  image.setPixel(1, 0, qRgba(255, 255, 255, 0));
  image.setPixel(2, 0, qRgba(12, 34, 56, 255));
  image.setPixel(3, 0, qRgba(255, 1, 254, 254));
  PremultiplyAlpha(image);
  ASSERT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
  const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(0));
  // 201 x 128 / 255 = 100.9: truncated to 100, where rounding would give 101.
  EXPECT_EQ(line[0], qRgba(100, 50, 25, 128));
  EXPECT_EQ(line[1], qRgba(0, 0, 0, 0));
  EXPECT_EQ(line[2], qRgba(12, 34, 56, 255));
  EXPECT_EQ(line[3], qRgba(254, 0, 253, 254));

  QImage opaque(1, 1, QImage::Format_RGB888);
  opaque.fill(QColor(9, 8, 7));
  PremultiplyAlpha(opaque);
  EXPECT_EQ(reinterpret_cast<const QRgb*>(opaque.constScanLine(0))[0], qRgba(9, 8, 7, 255));

  QImage empty;
  PremultiplyAlpha(empty);
  EXPECT_TRUE(empty.isNull());
}

TEST_F(PagePainterTest, MarksAreBlendedWithTheirAlpha) {
  QImage mark(2, 1, QImage::Format_ARGB32);
  mark.setPixel(0, 0, qRgba(255, 255, 255, 0));    // transparent
  mark.setPixel(1, 0, qRgba(255, 255, 255, 128));  // half
  ASSERT_TRUE(mark.save(QString::fromStdString((dir_ / "moveRect.png").string()), "PNG"));
  const QImage& loaded = images_.Image(dir_ / "moveRect.png");
  QImage dest(4, 1, kSkinImageFormat);
  dest.fill(kGreen);
  DrawMark(dest, loaded, 1, 0);
  EXPECT_EQ(At(dest, 1, 0), kGreen);
  const QRgb half = At(dest, 2, 0);
  EXPECT_NEAR(qRed(half), 128, 2);
  EXPECT_NEAR(qGreen(half), 255, 2);
  EXPECT_NEAR(qBlue(half), 128, 2);
}

// ---- Texts on the picture -----------------------------------------------------------------

TEST_F(PagePainterTest, TextsAreDrawnInTheirColorAndElementsWithoutRectangleAreSkipped) {
  layout_.m_mainRects[3] = {10, 10, 80, 30};
  layout_.m_mainCaptions[3] = u"WWWW";
  layout_.m_mainCaptions[4] = u"WWWW";  // rectangle all zero
  const QImage shown = Paint(kPageLighting);
  int white = 0;
  for (int y = 10; y < 40; ++y) {
    for (int x = 10; x < 90; ++x) white += qRed(At(shown, x, y)) > 200 ? 1 : 0;
  }
  EXPECT_GT(white, 20);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) ASSERT_EQ(At(shown, x, y), kBlack);
  }
}

// Layout values near the int limits: every coordinate computed from them (texts, bars, the
// slider, the knob and the mark) saturates, so the paint is defined behaviour and draws nothing
// of an element that lies outside the picture.
TEST_F(PagePainterTest, ALayoutNearTheIntLimitsPaintsEveryPage) {
  g_keyCount = 9;
  g_isRecording = 1;
  g_keyMacroMode[0][0] = 1;
  g_fireTime = INT32_MAX;
  g_ledCycleTime = 5;
  g_dpiValue[0] = 16;
  for (const SkinRect extreme : {SkinRect{5, INT32_MAX - 10, 40, 20},
                                 SkinRect{INT32_MAX - 10, 5, INT32_MAX, INT32_MAX},
                                 SkinRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                                 SkinRect{-10, 5, INT32_MIN, INT32_MAX}}) {
    layout_ = SkinLayout{};
    for (auto& r : layout_.m_mainRects) r = extreme;
    for (auto& r : layout_.m_advRects) r = extreme;
    for (auto& r : layout_.m_macRects) r = extreme;
    for (auto& r : layout_.m_ledRects) r = extreme;
    for (auto& c : layout_.m_mainCaptions) c = u"W";
    for (auto& c : layout_.m_advCaptions) c = u"W";
    for (auto& c : layout_.m_ledCaptions) c = u"W";
    g_dpiSliderX = extreme.x;
    g_dpiSliderStep = extreme.width / 16;
    for (const uint8_t page : {kPageKeys, kPageAdvanced, kPageMacro, kPageLighting}) {
      g_hoverMain = page == kPageKeys ? 20 : kNoElement;
      const QImage shown = Paint(page);
      EXPECT_EQ(shown.size(), QSize(200, 150));
    }
  }
  EXPECT_FALSE(TextMeetsImage(QPoint(5, INT32_MAX - 8), QSize(30, 16), QSize(200, 150)));
  EXPECT_FALSE(TextMeetsImage(QPoint(INT32_MIN, 5), QSize(INT32_MAX, 16), QSize(200, 150)));
  EXPECT_TRUE(TextMeetsImage(QPoint(-29, -15), QSize(30, 16), QSize(200, 150)));
}

}  // namespace
}  // namespace gm::test
