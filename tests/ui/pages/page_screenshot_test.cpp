// Paints the four pages with the generated skin in both languages and saves them into the
// build folder (screenshots/page_<n>_<lang>.png) for a look; also checks what can be checked
// without eyes: each page has its pictures and layout, texts land inside the window shape.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QString>

#include <filesystem>
#include <string>

#include "macros/macro_tables.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "support/message_recorder.h"
#include "support/process_state.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/page_painter.h"
#include "ui/pages/ui_state.h"
#include "ui/qt_app_for_tests.h"
#include "ui/skin/skin_images.h"
#include "ui/skin/skin_layout.h"
#include "ui/skin/window_shape.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

const fs::path kAppDir = GMOUSE_APP_DIR;
const fs::path kScreenshotDir = kAppDir.parent_path().parent_path() / "screenshots";

// A hovered element per page, so each shot shows the hover drawing too.
constexpr uint32_t kHoverOfPage[] = {20, 66, 4, 7};

class PageScreenshots : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (!fs::exists(kAppDir / "skins" / "main_normal.jpg")) {
      GTEST_SKIP() << "no generated skin in " << kAppDir;
    }
    EnsureQtApplication();
    ResetProcessState();
    const bool english = GetParam();
    SetDataPaths(kAppDir, english);
    LoadKeyMapIni();
    for (int c = 0; c < kConfigCount; ++c) LoadConfigSection(g_configFolder, c, false);
    g_isEnglish = english ? 1 : 0;
    LoadLedModeNames(english);
    LoadGunMacros();
    ASSERT_FALSE(LoadAllSkinLayouts(layout_).has_value());
    shape_ = ComputeWindowShape(g_skinsFolder / "main_mask.jpg", FallbackWindowSize());
  }

  void TearDown() override {
    ResetProcessState();
  }

  MessageRecorder messages_;
  SkinLayout layout_;
  SkinImages images_;
  QRegion shape_;
};

TEST_P(PageScreenshots, PaintEachPage) {
  const bool english = GetParam();
  fs::create_directories(kScreenshotDir);
  g_keyMacroMode[g_curConfig.load() & 3][0] = 1;  // the macro-key mark while key 1 is hovered
  for (uint8_t page = 0; page < 4; ++page) {
    ResetUiState();
    ComputeWindowShape(g_skinsFolder / "main_mask.jpg", FallbackWindowSize());
    g_curPage = page;
    g_hoverMain = page == kPageKeys ? kHoverOfPage[page] : kNoElement;
    g_hoverAdvanced = page == kPageAdvanced ? kHoverOfPage[page] : kNoElement;
    g_hoverMacro = page == kPageMacro ? kHoverOfPage[page] : kNoElement;
    g_hoverLed = page == kPageLighting ? kHoverOfPage[page] : kNoElement;
    QImage shot;
    ASSERT_TRUE(PaintPage(shot, layout_, images_)) << int{page};
    EXPECT_EQ(shot.size(), QSize(g_skinWidth, g_skinHeight)) << int{page};

    // What the window shows: the composition inside its shape.
    QImage shown(shot.size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::transparent);
    {
      QPainter painter(&shown);
      painter.setClipRegion(shape_);
      painter.drawImage(0, 0, shot);
    }
    const std::string name = "page_" + std::to_string(page) + (english ? "_en" : "_cn");
    EXPECT_TRUE(shown.save(QString::fromStdString((kScreenshotDir / (name + ".png")).string())));
  }
  EXPECT_TRUE(messages_.messages().empty());
}

// The lighting page in every mode (what led_null greys out, which texts empty, the reaction
// names of mode 3) and the macro page while recording.
TEST_P(PageScreenshots, LightingModesAndRecording) {
  const std::string lang = GetParam() ? "_en" : "_cn";
  fs::create_directories(kScreenshotDir);
  QImage shot;
  g_curPage = kPageLighting;
  for (uint8_t mode = 0; mode < 5; ++mode) {
    g_ledType = mode;
    ASSERT_TRUE(PaintPage(shot, layout_, images_));
    const std::string name = "page_3_mode" + std::to_string(mode) + lang + ".png";
    EXPECT_TRUE(shot.save(QString::fromStdString((kScreenshotDir / name).string())));
  }
  g_curPage = kPageMacro;
  g_isRecording = 1;
  ASSERT_TRUE(PaintPage(shot, layout_, images_));
  EXPECT_TRUE(shot.save(
      QString::fromStdString((kScreenshotDir / ("page_2_recording" + lang + ".png")).string())));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, PageScreenshots, ::testing::Values(true, false),
                         [](const auto& param) { return param.param ? "English" : "Chinese"; });

}  // namespace
}  // namespace gm::test
