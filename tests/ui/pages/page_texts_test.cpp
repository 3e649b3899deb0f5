// What each page writes where: the texts, colours and places PageTextOf chooses from the
// layout, the settings and the macro tables, and the text placement rule.

#include <gtest/gtest.h>

#include <QPoint>
#include <QSize>
#include <QString>

#include "macros/key_codes.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "support/process_state.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/page_texts.h"
#include "ui/pages/ui_state.h"
#include "ui/qt_app_for_tests.h"
#include "ui/skin/skin_layout.h"
#include "ui/skin/ui_fonts.h"

namespace gm::test {
namespace {

class PageTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProcessState();
    LoadLedModeNames(false);
  }
  void TearDown() override { ResetProcessState(); }

  SkinLayout layout_;
};

// ---- Texts ----------------------------------------------------------------------------------

TEST_F(PageTextsTest, KeyButtonCaptions) {
  g_keyCount = 2;
  g_curConfig = 1;
  g_funStrings[42] = u"Keyboard key";
  g_funStrings[3] = u"Middle";
  g_keyFunction[1][0] = 42;
  g_keyParam[1][0] = 4;
  EXPECT_EQ(KeyButtonCaption(0), KeyNameOfUsageForPage(4));
  EXPECT_NE(KeyButtonCaption(0), u"Keyboard key");

  g_keyFunction[1][1] = 3;
  EXPECT_EQ(KeyButtonCaption(1), u"Middle");
  g_funStrings[3] = u"12345678901";
  EXPECT_EQ(KeyButtonCaption(1), u"12345678901");
  g_funStrings[3] = u"123456789012";
  EXPECT_EQ(KeyButtonCaption(1), u"12345678901...");

  // A user macro's prefix counts toward the 11 characters.
  g_macroNames[0 * kMacrosPerGroup + 2] = u"LongMacroName";
  g_keyFunction[1][1] = 256 + 2;
  EXPECT_EQ(KeyButtonCaption(1), u"【普】:LongMac...");
  g_keyMacroMode[1][1] = 1;
  EXPECT_EQ(KeyButtonCaption(1), u"【指】:LongMac...");
  g_macroNames[2].clear();

  // A recoil code beyond the loaded recoil macros shows nothing.
  g_keyFunction[1][1] = 50;
  EXPECT_EQ(KeyButtonCaption(1), u"");

  g_curConfig = 7;
  EXPECT_EQ(KeyButtonCaption(0), u"");
}

TEST_F(PageTextsTest, KeyLabelTextIsShiftedThirteenAndColoredWhenHovered) {
  g_keyCount = 1;
  layout_.m_mainRects[20] = {100, 50, 60, 20};
  layout_.m_mainCaptions[20] = u"caption";
  g_funStrings[5] = u"Forward";
  g_keyFunction[0][0] = 5;
  PageText text = PageTextOf(layout_, kPageKeys, 20);
  EXPECT_EQ(text.text, u"Forward");
  EXPECT_EQ(text.color, kTextWhite);
  EXPECT_EQ(TextPosition(text, QSize(30, 10)), QPoint(100 + 15 + 13, 55));
  g_hoverMain = 20;
  EXPECT_EQ(PageTextOf(layout_, kPageKeys, 20).color, kTextHoveredKey);
  // Beyond the key count the element shows its caption.
  layout_.m_mainCaptions[21] = u"K2";
  EXPECT_EQ(PageTextOf(layout_, kPageKeys, 21).text, u"K2");
  EXPECT_EQ(PageTextOf(layout_, kPageKeys, 21).xShift, 0);
}

TEST(TextPosition, CentringTruncatesEachHalfTowardZero) {
  PageText text;
  text.box = {10, 20, 11, 7};
  EXPECT_EQ(TextPosition(text, QSize(4, 2)), QPoint(10 + 3, 20 + 2));
  // A text wider than its box: (11 - 16) / 2 = -2, not -3.
  EXPECT_EQ(TextPosition(text, QSize(16, 10)), QPoint(10 - 2, 20 - 1));
  // Left-aligned texts start at left + shift and are centred vertically.
  text.align = TextAlign::kLeft;
  text.xShift = 2;
  EXPECT_EQ(TextPosition(text, QSize(100, 3)), QPoint(12, 22));
  // An all-zero rectangle puts the text at negative x and y: not drawn.
  PageText zero;
  EXPECT_FALSE(IsTextShown(TextPosition(zero, QSize(20, 12))));
  EXPECT_TRUE(IsTextShown(QPoint(0, 1)));
  EXPECT_TRUE(IsTextShown(QPoint(1, -5)));
}

TEST_F(PageTextsTest, AdvancedPageValueTexts) {
  layout_.m_advCaptions[2] = u"x";
  g_pointerSpeed = 7;
  g_wheelSpeed = 10;
  g_fireTime = 50;
  EXPECT_EQ(PageTextOf(layout_, kPageAdvanced, 22).text, u"7");
  EXPECT_EQ(PageTextOf(layout_, kPageAdvanced, 39).text, u"10");
  EXPECT_EQ(PageTextOf(layout_, kPageAdvanced, 52).text, u"50ms");
  g_dpiValue[0] = 16;  // code 18
  g_dpiValue[1] = 10;  // code 12
  g_dpiValue[2] = 0;
  g_dpiLevel = 1;
  EXPECT_EQ(PageTextOf(layout_, kPageAdvanced, 90).text, u"7200");
  EXPECT_EQ(PageTextOf(layout_, kPageAdvanced, 90).color, kTextDpiLevel);
  EXPECT_EQ(PageTextOf(layout_, kPageAdvanced, 91).text, u"2400");
  EXPECT_EQ(PageTextOf(layout_, kPageAdvanced, 91).color, kTextHighlight);
  EXPECT_EQ(PageTextOf(layout_, kPageAdvanced, 92).text, u"200");
  g_dpiValue[3] = 200;  // beyond the slider: counts as 16
  EXPECT_EQ(PageTextOf(layout_, kPageAdvanced, 93).text, u"7200");
  // Header captions on every page come from the main table.
  layout_.m_mainCaptions[3] = u"Apply";
  EXPECT_EQ(PageTextOf(layout_, kPageAdvanced, 3).text, u"Apply");
  EXPECT_EQ(PageTextCount(kPageAdvanced), 103);
  EXPECT_EQ(PageTextOf(layout_, kPageAdvanced, 103).text, u"");
}

TEST_F(PageTextsTest, RecordTextByLanguageAndRecordingState) {
  layout_.m_macCaptions[4] = u"caption";
  layout_.m_macRects[4] = {100, 10, 40, 20};
  PageText text = PageTextOf(layout_, kPageMacro, 24);
  EXPECT_EQ(text.text, u"录制");
  EXPECT_EQ(text.color, kTextHighlight);
  EXPECT_EQ(TextPosition(text, QSize(20, 10)).x(), 100 + 10 - 3);
  g_isRecording = 1;
  text = PageTextOf(layout_, kPageMacro, 24);
  EXPECT_EQ(text.text, u"停止");
  EXPECT_EQ(text.color, kTextRecording);
  g_isEnglish = 1;
  text = PageTextOf(layout_, kPageMacro, 24);
  EXPECT_EQ(text.text, u"Stop");
  EXPECT_EQ(text.color, kTextWhite);
  g_isRecording = 0;
  EXPECT_EQ(PageTextOf(layout_, kPageMacro, 24).text, u"Record");
  // 14..16 are left-aligned two pixels in.
  layout_.m_macRects[15] = {30, 40, 100, 20};
  EXPECT_EQ(TextPosition(PageTextOf(layout_, kPageMacro, 35), QSize(50, 10)), QPoint(32, 45));
  EXPECT_EQ(PageTextCount(kPageMacro), 40);
}

TEST_F(PageTextsTest, LightingTextsByMode) {
  g_keyCount = 2;
  layout_.m_ledCaptions[61] = u"K1";
  layout_.m_ledCaptions[62] = u"K2";
  layout_.m_ledCaptions[63] = u"K3";
  g_ledReactType[0][0] = 2;
  g_ledReactType[0][1] = 9;  // no name: the caption stays
  g_ledType = 0;
  EXPECT_EQ(PageTextOf(layout_, kPageLighting, 81).text, u"K1");
  EXPECT_EQ(PageTextOf(layout_, kPageLighting, 20 + 35).text, u"DPI色呼吸");
  g_ledType = 3;
  EXPECT_EQ(PageTextOf(layout_, kPageLighting, 81).text, u"彗星拖尾");
  EXPECT_EQ(PageTextOf(layout_, kPageLighting, 82).text, u"K2");
  EXPECT_EQ(PageTextOf(layout_, kPageLighting, 83).text, u"K3");  // beyond the key count
  g_isEnglish = 1;
  LoadLedModeNames(true);
  EXPECT_EQ(PageTextOf(layout_, kPageLighting, 81).text, u"Comet tail");
  EXPECT_EQ(PageTextOf(layout_, kPageLighting, 20 + 35).text, u"Button response");
  g_ledType = 9;  // no mode name: an empty box, not the caption (another mode's name)
  layout_.m_ledCaptions[35] = u"Cycle breath";
  EXPECT_EQ(PageTextOf(layout_, kPageLighting, 20 + 35).text, u"");

  // Texts emptied by mode.
  for (int j : {15, 30, 34, 38, 39, 98}) layout_.m_ledCaptions[j] = u"t";
  auto shown = [&](int j) { return !PageTextOf(layout_, kPageLighting, 20 + j).text.empty(); };
  g_ledType = 0;
  EXPECT_FALSE(shown(15));
  EXPECT_FALSE(shown(30));
  EXPECT_FALSE(shown(34));
  EXPECT_FALSE(shown(38));
  EXPECT_TRUE(shown(39));
  EXPECT_FALSE(shown(98));
  g_ledType = 1;
  EXPECT_TRUE(shown(15));
  EXPECT_FALSE(shown(38));
  g_ledType = 2;
  EXPECT_FALSE(shown(15));
  EXPECT_TRUE(shown(38));
  EXPECT_FALSE(shown(39));
  g_ledType = 3;
  EXPECT_FALSE(shown(39));
  EXPECT_TRUE(shown(98));
  g_ledType = 7;
  EXPECT_TRUE(shown(15));
  EXPECT_TRUE(shown(30));
  EXPECT_FALSE(shown(98));

  // The bar texts are centred in their width minus 30.
  layout_.m_ledRects[40] = {100, 0, 90, 10};
  EXPECT_EQ(TextPosition(PageTextOf(layout_, kPageLighting, 60), QSize(20, 10)).x(), 100 + 20);
}


// ---- Fonts and names -----------------------------------------------------------------------

TEST(UiFonts, PreferredFaceWhenInstalledElseWenQuanYi) {
  EXPECT_EQ(ChooseUiFontFace({"DejaVu Sans", QString::fromUtf16(u"微软雅黑")}),
            QString::fromUtf16(u"微软雅黑"));
  EXPECT_EQ(ChooseUiFontFace({"Microsoft YaHei"}), "Microsoft YaHei");
  EXPECT_EQ(ChooseUiFontFace({"DejaVu Sans"}), "WenQuanYi Micro Hei");
  EnsureQtApplication();
  EXPECT_EQ(PageTextFont(true).pointSize(), 10);
  EXPECT_EQ(PageTextFont(false).family(), GetUiFonts().dlgFontCn.family());
}


}  // namespace
}  // namespace gm::test
