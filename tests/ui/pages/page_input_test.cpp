#include "ui/pages/page_input.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor/macro_editor_state.h"
#include "macros/macro_record.h"
#include "platform/private_profile.h"
#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "support/process_state.h"
#include "support/temp_dir.h"
#include "ui/pages/bar_click.h"
#include "ui/pages/dpi_slider_input.h"
#include "ui/pages/menu_placement.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/ui_state.h"

namespace gm::test {
namespace {

using K = InputActionKind;

// An element of the advanced page that is drawn but has no action (41..46 do nothing).
constexpr uint32_t kAdvWithoutAction = 42;

// A layout with known places: every element used below gets its own rectangle, all apart.
SkinLayout TestLayout() {
  SkinLayout l;
  for (uint32_t i = 0; i < kMainHitCountOtherPages; ++i)
    l.m_mainRects[i] = {10 + 40 * int(i), 5, 30, 20};
  for (uint32_t k = 0; k < kMaxKeys; ++k) {
    l.m_mainRects[kMainFirstKeyButton + k] = {20, 100 + 40 * int(k), 120, 30};
    l.m_mainRects[kMainFirstKeyLabel + k] = {200, 100 + 40 * int(k), 100, 30};
  }
  l.m_mainRects[kMainWheelOff] = {400, 100, 30, 30};
  l.m_mainRects[kMainWheelOn] = {440, 100, 30, 30};
  l.m_advRects[kAdvPointerSpeedBar] = {100, 200, 300, 20};
  l.m_advRects[kAdvWheelSpeedBar] = {100, 240, 300, 20};
  l.m_advRects[kAdvFireTimeBar] = {100, 280, 200, 20};
  for (uint32_t i = kAdvFirstRate; i <= kAdvRateAltFourth; ++i)
    l.m_advRects[i] = {30 * int(i), 320, 25, 20};
  for (uint32_t j = 0; j < kDpiLevelCount; ++j) {
    l.m_advRects[kAdvFirstDpiEnable + j] = {100 + 50 * int(j), 360, 40, 20};
    l.m_advRects[kAdvFirstDpiSelect + j] = {100 + 50 * int(j), 400, 40, 20};
  }
  l.m_advRects[kAdvDpiSlider] = {100, 450, 320, 30};
  l.m_advRects[kAdvWithoutAction] = {600, 700, 50, 50};
  l.m_ledRects[kLedBrightnessBar] = {100, 200, 210, 20};
  l.m_ledRects[kLedSpeedBar] = {100, 240, 240, 20};
  for (uint32_t i = kLedFirstCycleColor; i <= kLedUserColor; ++i)
    l.m_ledRects[i] = {30 * int(i), 300, 25, 20};
  l.m_ledRects[kLedModeMenuButton] = {500, 150, 120, 30};
  l.m_ledRects[kLedSymmetry] = {100, 340, 25, 20};
  for (uint32_t d = 0; d <= 3; ++d)
    l.m_ledRects[kLedFirstDirection + d] = {200 + 30 * int(d), 340, 25, 20};
  for (uint32_t k = 0; k < kMaxKeys; ++k)
    l.m_ledRects[kLedFirstKeyReact + k] = {30 * int(k), 380, 25, 20};
  for (uint32_t i = 0; i < kMacHitCount; ++i) l.m_macRects[i] = {10 + 45 * int(i), 600, 40, 30};
  return l;
}

WindowPoint Inside(const SkinRect& r) { return {r.x + 1, r.y + 1}; }

class PageInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProcessState();
    g_keyCount = 6;
    g_dpiSliderX = layout_.m_advRects[kAdvDpiSlider].x;
    g_dpiSliderStep = layout_.m_advRects[kAdvDpiSlider].width / kDpiMaxStep;  // 20
  }
  void TearDown() override { ResetProcessState(); }

  InputResult Press(WindowPoint p) {
    OnMouseMove(layout_, p);
    return OnLButtonDown(layout_, p);
  }
  InputResult Click(WindowPoint p) {
    Press(p);
    return OnLButtonUp(layout_, p);
  }
  InputResult PressAdv(uint32_t e, int dx = 1) {
    const SkinRect& r = layout_.m_advRects[e];
    return Press({r.x + dx, r.y + 1});
  }
  InputResult PressLed(uint32_t e, int dx = 1) {
    const SkinRect& r = layout_.m_ledRects[e];
    return Press({r.x + dx, r.y + 1});
  }
  void OnPage(Page page) { g_curPage = page; }

  SkinLayout layout_ = TestLayout();
};

// ---- Hit test ----------------------------------------------------------------------------

TEST(HitTestRects, LeftAndTopEdgesAreInsideRightAndBottomEdgesOutside) {
  const std::vector<SkinRect> table{{10, 20, 30, 40}};
  EXPECT_EQ(HitTestRects({10, 20}, table, 1), 0u);
  EXPECT_EQ(HitTestRects({39, 59}, table, 1), 0u);
  EXPECT_EQ(HitTestRects({40, 30}, table, 1), kNoElement);
  EXPECT_EQ(HitTestRects({20, 60}, table, 1), kNoElement);
  EXPECT_EQ(HitTestRects({9, 30}, table, 1), kNoElement);
  EXPECT_EQ(HitTestRects({20, 19}, table, 1), kNoElement);
}

TEST(HitTestRects, CountLimitsTheSearchAndTheFirstMatchWins) {
  const std::vector<SkinRect> table{{0, 0, 0, 0}, {0, 0, 50, 50}, {0, 0, 100, 100}};
  EXPECT_EQ(HitTestRects({0, 0}, table, 3), 1u);  // an empty element is never hit
  EXPECT_EQ(HitTestRects({60, 60}, table, 2), kNoElement);
  EXPECT_EQ(HitTestRects({60, 60}, table, 99), 2u);  // a count beyond the table is cut
  EXPECT_EQ(HitTestRects({1, 1}, table, 0), kNoElement);
  EXPECT_EQ(HitTestRects({1, 1}, table, -4), kNoElement);
}

TEST(HitTestRects, HugeAndNegativeSizesNeitherWrapNorHit) {
  const std::vector<SkinRect> table{{INT32_MAX - 5, 0, INT32_MAX, 10}, {100, 0, -50, 10}};
  EXPECT_EQ(HitTestRects({INT32_MAX, 5}, table, 2), 0u);
  EXPECT_EQ(HitTestRects({INT32_MIN, 5}, table, 2), kNoElement);
  EXPECT_EQ(HitTestRects({80, 5}, table, 2), kNoElement);
}

// ---- Mouse move --------------------------------------------------------------------------

TEST_F(PageInputTest, MoveHitTestsEveryTableAndRepaintsOnlyOnChange) {
  const WindowPoint onRecord = Inside(layout_.m_macRects[kMacRecord]);
  InputResult r = OnMouseMove(layout_, onRecord);
  EXPECT_EQ(g_hoverMacro, kMacRecord);  // the macro table is tested on the keys page too
  // Only the macro table changed: the keys page's region, painted later.
  EXPECT_EQ(r.repaint, (Repaint{RepaintArea::kMainRegion, false}));
  EXPECT_EQ(OnMouseMove(layout_, onRecord).repaint.area, RepaintArea::kNone);

  OnPage(kPageMacro);
  r = OnMouseMove(layout_, Inside(layout_.m_mainRects[kMainApply]));
  EXPECT_EQ(r.repaint, (Repaint{RepaintArea::kMacroRegion, true}));
}

TEST_F(PageInputTest, KeyButtonsAreHoveredOnlyOnTheKeysPage) {
  const WindowPoint key = Inside(layout_.m_mainRects[kMainFirstKeyButton]);
  OnMouseMove(layout_, key);
  EXPECT_EQ(g_hoverMain, kMainFirstKeyButton);
  OnPage(kPageAdvanced);
  OnMouseMove(layout_, key);
  EXPECT_EQ(g_hoverMain, kNoElement);
}

// ---- DPI slider --------------------------------------------------------------------------

TEST(DpiSliderPositionAt, NearestPositionWithinHalfAStep) {
  EXPECT_EQ(DpiSliderPositionAt(100, 100, 20), 0);
  EXPECT_EQ(DpiSliderPositionAt(50, 100, 20), 0);   // left of the slider
  EXPECT_EQ(DpiSliderPositionAt(129, 100, 20), 1);  // 29 is within 10 of 20
  EXPECT_EQ(DpiSliderPositionAt(131, 100, 20), 2);
  EXPECT_EQ(DpiSliderPositionAt(100 + 16 * 20 + 9, 100, 20), 16);
  EXPECT_EQ(DpiSliderPositionAt(130, 100, 20), std::nullopt);  // exactly half-way
  EXPECT_EQ(DpiSliderPositionAt(100 + 16 * 20 + 10, 100, 20), std::nullopt);
  EXPECT_EQ(DpiSliderPositionAt(100 + 16 * 20 + 500, 100, 20), std::nullopt);
  EXPECT_EQ(DpiSliderPositionAt(100, 100, 0), std::nullopt);  // a slider without steps
}

TEST_F(PageInputTest, SliderDragSetsTheCurrentLevelUntilRelease) {
  OnPage(kPageAdvanced);
  g_dpiLevel = 2;
  g_dpiValue[2] = 7;
  PressAdv(kAdvDpiSlider, 3 * 20 + 4);
  EXPECT_EQ(g_sliderDragging, 1);
  EXPECT_EQ(g_dpiValue[2], 3);
  InputResult r = OnMouseMove(layout_, {100 + 5 * 20 + 10, 900});  // half-way: unchanged
  EXPECT_EQ(g_dpiValue[2], 3);
  EXPECT_EQ(r.repaint.area, RepaintArea::kWholeWindow);
  OnMouseMove(layout_, {0, 900});
  EXPECT_EQ(g_dpiValue[2], 0);
  OnLButtonUp(layout_, {0, 900});
  EXPECT_EQ(g_sliderDragging, 0);
  OnMouseMove(layout_, {100 + 8 * 20, 900});
  EXPECT_EQ(g_dpiValue[2], 0);
}

TEST_F(PageInputTest, SliderIgnoresALevelOutsideTheTable) {
  g_dpiLevel = 7;  // the mouse can report levels 6 and 7
  SetDpiSliderFromPoint(200);
  for (const auto& v : g_dpiValue) EXPECT_EQ(v, 0);
}

// ---- Bars --------------------------------------------------------------------------------

TEST(BarClicks, PointerSpeedRunsFromOneToTenWithTheTopRule) {
  const SkinRect bar{100, 0, 300, 20};
  EXPECT_EQ(WindowsSpeedOfClick(bar, 100), 1);
  EXPECT_EQ(WindowsSpeedOfClick(bar, 100 + 29), 1);
  EXPECT_EQ(WindowsSpeedOfClick(bar, 100 + 30), 2);
  EXPECT_EQ(WindowsSpeedOfClick(bar, 100 + 260), 9);
  EXPECT_EQ(WindowsSpeedOfClick(bar, 100 + 261), 10);  // 9 becomes 10 from 261 pixels on
  for (int x = 100; x < 400; ++x) EXPECT_LE(*WindowsSpeedOfClick(bar, x), 10) << x;
  EXPECT_EQ(WindowsSpeedOfClick(bar, 10000), 10);  // a click beyond the bar counts at its end
  EXPECT_EQ(WindowsSpeedOfClick(bar, -10000), 1);
  EXPECT_EQ(WindowsSpeedOfClick({100, 0, 0, 20}, 100), std::nullopt);
}

TEST(BarClicks, FireTimeSnapsToThreeHundredNearTheEnd) {
  const SkinRect bar{0, 0, 200, 20};
  EXPECT_EQ(FireTimeOfClick(bar, 0), 0);
  EXPECT_EQ(FireTimeOfClick(bar, 198), 297);
  EXPECT_EQ(FireTimeOfClick(bar, 199), 300);  // 298 becomes 300
  // On a narrow bar 298 is reached before 173 pixels and stays.
  EXPECT_EQ(FireTimeOfClick({0, 0, 172, 20}, 171), 298);
  EXPECT_EQ(FireTimeOfClick({0, 0, -5, 20}, 0), std::nullopt);
}

TEST(BarClicks, LightingSpeedAndBrightnessScales) {
  const SkinRect bar{0, 0, 210, 20};
  EXPECT_EQ(LedSpeedOfClick(bar, 0), 0);
  EXPECT_EQ(LedSpeedOfClick(bar, 209), 5);
  EXPECT_EQ(LedBrightnessOfClick(bar, 0), 6);
  EXPECT_EQ(LedBrightnessOfClick(bar, 209), 0);
}

TEST_F(PageInputTest, AdvancedBarsSetTheirSettings) {
  OnPage(kPageAdvanced);
  PressAdv(kAdvPointerSpeedBar, 0);
  EXPECT_EQ(g_pointerSpeed, 1);
  PressAdv(kAdvWheelSpeedBar, 261);
  EXPECT_EQ(g_wheelSpeed, 10);
  PressAdv(kAdvFireTimeBar, 100);
  EXPECT_EQ(g_fireTime, 150);
}

// ---- DPI levels and report rate ----------------------------------------------------------

TEST_F(PageInputTest, SwitchingOffTheCurrentLevelMovesToTheNextEnabledOne) {
  OnPage(kPageAdvanced);
  g_dpiEnable[1] = 1;
  g_dpiEnable[4] = 1;
  g_dpiLevel = 4;
  PressAdv(kAdvFirstDpiEnable + 4);
  EXPECT_EQ(g_dpiEnable[4], 0);
  EXPECT_EQ(g_dpiLevel, 1);  // 5, then 0, then 1
  PressAdv(kAdvFirstDpiEnable + 1);
  EXPECT_EQ(g_dpiEnable[1], 1);  // the only enabled level stays on and current
  EXPECT_EQ(g_dpiLevel, 1);
  PressAdv(kAdvFirstDpiEnable + 4);
  EXPECT_EQ(g_dpiEnable[4], 1);
  PressAdv(kAdvFirstDpiEnable + 4);  // not the current level: only switched off
  EXPECT_EQ(g_dpiEnable[4], 0);
  EXPECT_EQ(g_dpiLevel, 1);
}

TEST_F(PageInputTest, TheLastEnabledLevelStaysOnEvenWhenAnotherIsCurrent) {
  OnPage(kPageAdvanced);
  g_dpiLevel = 0;  // a file can make a disabled level current
  g_dpiEnable[3] = 1;
  PressAdv(kAdvFirstDpiEnable + 3);
  EXPECT_EQ(g_dpiEnable[3], 1);
  EXPECT_EQ(g_dpiLevel, 0);
}

TEST_F(PageInputTest, OnlyEnabledLevelsCanBeMadeCurrent) {
  OnPage(kPageAdvanced);
  g_dpiEnable[2] = 1;
  PressAdv(kAdvFirstDpiSelect + 3);
  EXPECT_EQ(g_dpiLevel, 0);
  PressAdv(kAdvFirstDpiSelect + 2);
  EXPECT_EQ(g_dpiLevel, 2);
}

TEST_F(PageInputTest, ReportRateButtonsSetRateAndCode) {
  OnPage(kPageAdvanced);
  const std::vector<std::pair<uint32_t, int>> expected{{34, 7}, {35, 3}, {36, 1}, {37, 0},
                                                       {38, 7}, {39, 3}, {40, 1}, {41, 0}};
  for (const auto& [element, code] : expected) {
    PressAdv(element);
    EXPECT_EQ(g_usbRateCode, code) << element;
  }
  EXPECT_EQ(g_usbRate, 3);  // the fourth dot chooses 1000 Hz as its button does
}

// ---- Lighting page -----------------------------------------------------------------------

TEST_F(PageInputTest, TheLastCycleColorCannotBeSwitchedOff) {
  OnPage(kPageLighting);
  g_ledType = kLedModeCycleBreath;
  g_cycleColorEnable[2] = 1;
  PressLed(kLedFirstCycleColor + 2);
  EXPECT_EQ(g_cycleColorEnable[2], 1);
  PressLed(kLedFirstCycleColor + 5);
  PressLed(kLedFirstCycleColor + 2);
  EXPECT_EQ(g_cycleColorEnable[2], 0);
  EXPECT_EQ(g_cycleColorEnable[5], 1);
}

// Mode by control: a click changes its setting exactly where the lighting modes use it. The
// brightness bar acts in modes 2..5, the speed bar unless the mode is 2 or 4, the inward
// direction only in mode 3; the colours, the user colour, symmetry, the other directions and
// the key reactions in every mode. Whatever is drawn greyed plays no part.
TEST_F(PageInputTest, EachLightingControlActsExactlyInTheModesThatUseIt) {
  OnPage(kPageLighting);
  struct Control {
    const char* name;
    uint32_t element;
    int dx;
    std::function<bool()> changed;  // from the start values set below
  };
  const std::vector<Control> controls{
      {"brightness", kLedBrightnessBar, 209, [] { return g_ledBrightness != 3; }},
      {"speed", kLedSpeedBar, 239, [] { return g_ledCycleTime != 0; }},
      {"inward", kLedDirectionAll, 1, [] { return g_ledDirection == 3; }},
      {"colour", kLedFirstCycleColor + 4, 1, [] { return g_cycleColorEnable[4] == 1; }},
      {"user colour", kLedUserColor, 1, [] { return g_ledUserColorEnable == 1; }},
      {"symmetry", kLedSymmetry, 1, [] { return g_ledSymmetry == 1; }},
      {"backward", kLedFirstDirection + 1, 1, [] { return g_ledDirection == 1; }},
      {"reaction", kLedFirstKeyReact + 1, 1, [] { return g_ledReactEnable[0][1] == 1; }},
  };
  struct Mode {
    uint8_t mode;
    bool brightness, speed, inward;  // every other control acts in every mode
  };
  for (const Mode m : {Mode{0, false, true, false}, Mode{1, false, true, false},
                       Mode{2, true, false, false}, Mode{3, true, true, true},
                       Mode{4, true, false, false}, Mode{5, true, true, false},
                       Mode{9, false, true, false}}) {
    for (const Control& c : controls) {
      ResetSettingsToStartValues();
      g_curConfig = 0;
      g_ledType = m.mode;
      g_ledBrightness = 3;
      g_cycleColorEnable[0] = 1;
      PressLed(c.element, c.dx);
      const bool expected = c.element == kLedBrightnessBar ? m.brightness
                            : c.element == kLedSpeedBar    ? m.speed
                            : c.element == kLedDirectionAll ? m.inward
                                                            : true;
      EXPECT_EQ(c.changed(), expected) << "mode " << int(m.mode) << ", " << c.name;
    }
  }
}

TEST_F(PageInputTest, LightingSwitchesAndPerKeyReactions) {
  OnPage(kPageLighting);
  g_ledType = kLedModeKeyResponse;
  g_ledUserColorEnable = 5;
  PressLed(kLedUserColor);
  EXPECT_EQ(g_ledUserColorEnable, 0);
  PressLed(kLedSymmetry);
  EXPECT_EQ(g_ledSymmetry, 1);
  g_curConfig = 2;
  PressLed(kLedFirstKeyReact + 5);
  EXPECT_EQ(g_ledReactEnable[2][5], 1);
  PressLed(kLedFirstKeyReact + 6);  // key 6 does not exist with six keys
  EXPECT_EQ(g_ledReactEnable[2][6], 0);
  g_curConfig = 9;  // outside the table: nothing
  PressLed(kLedFirstKeyReact + 5);
  EXPECT_EQ(g_ledReactEnable[2][5], 1);
}

TEST_F(PageInputTest, LightingModeButtonOpensTheModeListBelowIt) {
  OnPage(kPageLighting);
  const InputResult r = PressLed(kLedModeMenuButton);
  const InputAction* open = r.Find(K::kOpenLedModeMenu);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(g_menuKind, kPopupKindLedModes);
  EXPECT_EQ(g_popupOpened, 1);
  EXPECT_EQ(PlaceLedModeMenu(open->element, {1000, 50}), (MenuPlacement{1500, 230, 120, 360}));
}

// ---- Keys page and its menu --------------------------------------------------------------

TEST_F(PageInputTest, KeyButtonOpensItsMenuOnlyForExistingKeys) {
  InputResult r = Press(Inside(layout_.m_mainRects[kMainFirstKeyButton + 5]));
  ASSERT_TRUE(r.Has(K::kOpenKeyMenu));
  EXPECT_EQ(r.Find(K::kOpenKeyMenu)->element, layout_.m_mainRects[kMainFirstKeyButton + 5]);
  EXPECT_EQ(g_selKey, 25);
  EXPECT_EQ(g_menuKind, kPopupKindKeyFunctions);
  EXPECT_EQ(r.Kinds(), (std::vector{K::kClosePopupMenu, K::kOpenKeyMenu}));
  EXPECT_EQ(r.repaint, (Repaint{RepaintArea::kMainRegion, true}));
  g_keyCount = 5;
  EXPECT_FALSE(Press(Inside(layout_.m_mainRects[kMainFirstKeyButton + 5])).Has(K::kOpenKeyMenu));
  Press(Inside(layout_.m_mainRects[kMainWheelOn]));
  EXPECT_EQ(g_wheelStatus, 1);
}

TEST(KeyMenuPlacement, BelowTheButtonUnlessItWouldPassTheScreenBottom) {
  const SkinRect button{20, 100, 120, 30};
  EXPECT_EQ(PlaceKeyMenu(button, {200, 300}, 400, 1080), (MenuPlacement{221, 430, 121, 400}));
  EXPECT_EQ(PlaceKeyMenu(button, {200, 300}, 650, 1080), (MenuPlacement{221, 430, 121, 650}));
  EXPECT_EQ(PlaceKeyMenu(button, {200, 300}, 651, 1080), (MenuPlacement{221, -251, 121, 651}));
}

// ---- Window drag -------------------------------------------------------------------------

TEST_F(PageInputTest, EmptySpaceAndElementsThatAreNoControlDragTheWindow) {
  OnPage(kPageAdvanced);
  InputResult r = Press({700, 700});
  const InputAction* drag = r.Find(K::kStartWindowDrag);
  ASSERT_NE(drag, nullptr);
  EXPECT_EQ(drag->point, (WindowPoint{700, 700}));
  EXPECT_EQ(g_mousePressed, 0);
  constexpr uint32_t kMainTitle = 17;  // a heading of the header
  struct Case {
    uint8_t page;
    SkinRect at;
    bool drags;
  };
  for (const Case c : {Case{kPageAdvanced, layout_.m_advRects[kAdvWithoutAction], true},
                       Case{kPageAdvanced, layout_.m_mainRects[kMainTitle], true},
                       Case{kPageAdvanced, layout_.m_advRects[kAdvDpiSlider], false},
                       Case{kPageAdvanced, layout_.m_mainRects[kMainReset], false},
                       Case{kPageKeys, layout_.m_mainRects[kMainFirstKeyLabel], false},
                       Case{kPageKeys, layout_.m_mainRects[kMainFirstKeyLabel + 8], true},
                       Case{kPageKeys, layout_.m_advRects[kAdvDpiSlider], true}}) {
    OnPage(static_cast<Page>(c.page));
    EXPECT_EQ(Press(Inside(c.at)).Has(K::kStartWindowDrag), c.drags) << c.at.x << "," << c.at.y;
    OnLButtonUp(layout_, Inside(c.at));
  }
}

TEST_F(PageInputTest, ARightClickOnTheTitleAreaOpensTheWindowMenu) {
  for (uint32_t tab = kMainTabKeys; tab <= kMainTabLighting; ++tab)
    layout_.m_mainRects[tab].y = 60;
  const auto menuAt = [&](WindowPoint p) {
    const InputResult r = OnRButtonUp(layout_, p);
    const InputAction* menu = r.Find(K::kShowWindowMenu);
    return menu != nullptr && menu->point == p;
  };
  EXPECT_TRUE(menuAt({700, 40}));                                      // empty header strip
  EXPECT_TRUE(menuAt(Inside(layout_.m_mainRects[17])));                // the title text
  EXPECT_FALSE(menuAt(Inside(layout_.m_mainRects[kMainMinimise])));    // a header button
  EXPECT_FALSE(menuAt({700, 60}));                                     // the tab row and below
  EXPECT_FALSE(menuAt({700, -1}));
}

// ---- Recording guard ---------------------------------------------------------------------

TEST_F(PageInputTest, WhileRecordingOnlyRecordMinimiseCloseAndEmptySpaceAreTaken) {
  OnPage(kPageMacro);
  g_isRecording = 1;
  InputResult r = Press(Inside(layout_.m_mainRects[kMainTabKeys]));
  EXPECT_EQ(r.Kinds(), (std::vector{K::kEndMacroListEdits, K::kShowMessage}));
  EXPECT_EQ(r.actions[1].message, (UserMessage{u"录制中", u"Recording"}));
  EXPECT_EQ(g_curPage, kPageMacro);
  EXPECT_EQ(g_mousePressed, 0);
  r = OnLButtonUp(layout_, Inside(layout_.m_mainRects[kMainTabKeys]));
  EXPECT_EQ(r.Kinds(), (std::vector{K::kShowMessage}));
  EXPECT_EQ(r.repaint.area, RepaintArea::kNone);

  EXPECT_TRUE(Press(Inside(layout_.m_macRects[kMacRecord])).Has(K::kMacroRecord));
  EXPECT_TRUE(Click(Inside(layout_.m_mainRects[kMainMinimise])).Has(K::kMinimise));
  EXPECT_TRUE(Click(Inside(layout_.m_mainRects[kMainClose])).Has(K::kCloseProgram));
  EXPECT_FALSE(Click({900, 900}).Has(K::kShowMessage));
}

// ---- Tabs --------------------------------------------------------------------------------

TEST_F(PageInputTest, TabsCreateAndDestroyTheMacroControlsAndStartThePreviewOnce) {
  InputResult r = Press(Inside(layout_.m_mainRects[kMainTabMacro]));
  EXPECT_EQ(g_curPage, kPageMacro);
  EXPECT_TRUE(r.Has(K::kCreateMacroControls));
  EXPECT_EQ(r.repaint, (Repaint{RepaintArea::kWholeWindow, true}));  // both regions
  r = Press(Inside(layout_.m_mainRects[kMainTabLighting]));
  EXPECT_EQ(r.Kinds(), (std::vector{K::kEndMacroListEdits, K::kClosePopupMenu,
                                    K::kDestroyMacroControls, K::kStartLedPreview}));
  EXPECT_EQ(g_ledPreviewRunning, 1);
  Press(Inside(layout_.m_mainRects[kMainTabAdvanced]));
  r = Press(Inside(layout_.m_mainRects[kMainTabLighting]));  // the thread still runs
  EXPECT_FALSE(r.Has(K::kStartLedPreview));
  EXPECT_FALSE(Press(Inside(layout_.m_mainRects[kMainTabLighting])).Has(K::kStartWindowDrag));
}

// ---- Header buttons ----------------------------------------------------------------------

TEST_F(PageInputTest, CloseEndsTheProgramMinimiseOnlyMinimises) {
  EXPECT_EQ(Click(Inside(layout_.m_mainRects[kMainClose])).Kinds(),
            (std::vector{K::kCloseProgram}));
  EXPECT_EQ(g_hoverMain, kNoElement);
  EXPECT_EQ(Click(Inside(layout_.m_mainRects[kMainMinimise])).Kinds(), (std::vector{K::kMinimise}));
}

TEST_F(PageInputTest, HideKeepsTheDpiLevelDropsUnappliedChangesAndOnlyHides) {
  TempDir dir;
  WriteFileBytes(dir / "config.ini",
                 "[Config1]\nWHEEL_STATUS=1\n[ShareData]\nDPI_LEVEL=0\n"
                 "DPI_SPEED=5\n");
  const std::filesystem::path savedFolder = g_configFolder, savedIni = g_configIniPath;
  g_configFolder = dir.path() / "";
  g_configIniPath = dir / "config.ini";
  g_curConfig = 1;
  g_dpiLevel = 3;
  g_pointerSpeed = 9;  // changed but not applied
  const InputResult r = Click(Inside(layout_.m_mainRects[kMainHide]));
  EXPECT_TRUE(r.Has(K::kHideToTray));
  EXPECT_FALSE(r.Has(K::kCloseProgram));
  EXPECT_EQ(g_pointerSpeed, 5);
  EXPECT_EQ(g_wheelStatus, 1);
  EXPECT_EQ(g_dpiLevel, 3);
  EXPECT_EQ(GetPrivateProfileStringW(u"ShareData", u"DPI_LEVEL", u"", 5, g_configIniPath), u"3");
  g_configFolder = savedFolder;
  g_configIniPath = savedIni;
}

TEST_F(PageInputTest, HeaderButtonsActOnReleaseOnEveryPage) {
  OnPage(kPageLighting);
  const std::vector<std::pair<uint32_t, K>> expected{{kMainApply, K::kApply},
                                                     {kMainChinese, K::kSwitchToChinese},
                                                     {kMainEnglish, K::kSwitchToEnglish},
                                                     {kMainImport, K::kImportSettings},
                                                     {kMainExport, K::kExportSettings},
                                                     {kMainReset, K::kResetSettings},
                                                     {kMainWebPage, K::kOpenWebPage}};
  for (const auto& [element, kind] : expected) {
    const WindowPoint p = Inside(layout_.m_mainRects[element]);
    EXPECT_FALSE(Press(p).Has(kind));
    EXPECT_EQ(OnLButtonUp(layout_, p).Kinds(), (std::vector{kind})) << element;
  }
  Click(Inside(layout_.m_mainRects[kMainFirstConfig + 3]));
  EXPECT_EQ(g_curConfig, 3);
  EXPECT_EQ(g_mousePressed, 0);
}

TEST_F(PageInputTest, AButtonActsOnlyOnAClickThatBeganOnIt) {
  OnPage(kPageAdvanced);
  struct Case {
    WindowPoint press;
    uint32_t releasedOn;
  };
  const WindowPoint slider = Inside(layout_.m_advRects[kAdvDpiSlider]);
  for (const Case c : {Case{slider, kMainReset}, Case{slider, kMainClose},
                       Case{{900, 900}, kMainHide}, Case{Inside(layout_.m_mainRects[kMainApply]),
                                                         kMainReset}}) {
    Press(c.press);
    const WindowPoint release = Inside(layout_.m_mainRects[c.releasedOn]);
    OnMouseMove(layout_, release);
    EXPECT_TRUE(OnLButtonUp(layout_, release).actions.empty()) << c.releasedOn;
    EXPECT_EQ(g_sliderDragging, 0);
  }
  // The next click on the same button acts again.
  EXPECT_TRUE(Click(Inside(layout_.m_mainRects[kMainReset])).Has(K::kResetSettings));
}

// The last move can be long past when a click comes: a dialog, list or message box closed
// under a pointer that has not moved since. The press and the release act on what lies under
// them, not on what was hovered last.
TEST_F(PageInputTest, APressWithoutAMoveActsOnWhatLiesUnderIt) {
  OnPage(kPageMacro);
  OnMouseMove(layout_, Inside(layout_.m_macRects[kMacRecoilEditor]));  // then the editor ran
  const WindowPoint advancedTab = Inside(layout_.m_mainRects[kMainTabAdvanced]);
  InputResult r = OnLButtonDown(layout_, advancedTab);
  EXPECT_FALSE(r.Has(K::kMacroRecoilEditor));
  EXPECT_EQ(g_curPage, kPageAdvanced);
  EXPECT_EQ(g_hoverMacro, kNoElement);
  OnLButtonUp(layout_, advancedTab);

  OnMouseMove(layout_, Inside(layout_.m_mainRects[kMainApply]));
  const WindowPoint reset = Inside(layout_.m_mainRects[kMainReset]);
  OnLButtonDown(layout_, reset);
  r = OnLButtonUp(layout_, reset);
  EXPECT_TRUE(r.Has(K::kResetSettings));
  EXPECT_FALSE(r.Has(K::kApply));
}

// ---- Macro page --------------------------------------------------------------------------

TEST_F(PageInputTest, MacroElementsTakeTheListSelectionFirst) {
  OnPage(kPageMacro);
  const std::vector<std::pair<uint32_t, uint8_t>> modes{
      {kMacPlayMode2, 2}, {kMacPlayMode1, 1}, {kMacPlayMode0, 0}};
  for (const auto& [element, mode] : modes) {
    const InputResult r = Press(Inside(layout_.m_macRects[element]));
    EXPECT_EQ(r.Kinds(), (std::vector{K::kEndMacroListEdits, K::kClosePopupMenu,
                                      K::kTakeMacroListSelection, K::kMacroPlayMode}));
    EXPECT_EQ(r.actions.back().playMode, mode);
    EXPECT_EQ(r.repaint, (Repaint{RepaintArea::kMacroRegion, true}));
  }
  EXPECT_TRUE(Press(Inside(layout_.m_macRects[kMacInsert])).Has(K::kMacroInsertMenu));
  EXPECT_TRUE(Press(Inside(layout_.m_macRects[kMacRecoilEditor])).Has(K::kMacroRecoilEditor));
  EXPECT_FALSE(Press({900, 900}).Has(K::kTakeMacroListSelection));
}

TEST_F(PageInputTest, TakingTheSelectionNeverIndexesOutsideTheRows) {
  g_macroListEntries = {{kMacroListGroupRow, 0, kNoMacroOnRow}, {kMacroListMacroRow, 0, 7}};
  TakeMacroListSelection(1);
  EXPECT_EQ(g_macroListSel, 1);
  EXPECT_EQ(g_curMacro, 7);
  TakeMacroListSelection(0);
  EXPECT_EQ(g_curMacro, 0);
  TakeMacroListSelection(-1);
  EXPECT_EQ(g_macroListSel, 0);
  TakeMacroListSelection(5);
  EXPECT_EQ(g_macroListSel, 5);
  EXPECT_EQ(g_curMacro, 0);
}

}  // namespace
}  // namespace gm::test
