// The pop-up lists' rows and what a release in each of them stores and tells, without
// windows: the first-level lists of every kind, the second-level lists of the key list's
// families, the macro chooser, and where the second and third levels are placed.

#include "ui/pages/popup_choices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macros/led_step_entry.h"
#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "settings/config_settings.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/menu_placement.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/ui_state.h"
#include "ui/skin/skin_layout.h"

namespace gm::test {
namespace {

constexpr int kConfig = 2;
constexpr int kKey = 3;
constexpr int32_t kEarlierFunction = 7777;  // no list produces it

class PopupChoices : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettingsToStartValues();
    ResetUiState();
    ResetSkinLayoutGlobals();
    g_curConfig = kConfig;
    g_selKey = static_cast<int>(kMainFirstKeyButton) + kKey;
    g_keyFunction[kConfig][kKey] = kEarlierFunction;
    g_keyMacroMode[kConfig][kKey] = 1;
    for (std::size_t i = 1; i < g_funStrings.size(); ++i) {
      g_funStrings[i] = u"F" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10));
    }
    SetGroups({5, 0, 2});
    SetRecoilMacros(4);
  }
  void TearDown() override {
    ResetSettingsToStartValues();
    ResetUiState();
    ResetSkinLayoutGlobals();
    SetGroups({});
    SetRecoilMacros(0);
  }

  static void SetGroups(const std::vector<uint32_t>& macroCounts) {
    g_macroGroupCount = static_cast<int>(macroCounts.size());
    for (int g = 0; g < kMaxMacroGroups; ++g) {
      const bool exists = g < g_macroGroupCount;
      g_macroGroupNames[g] = exists ? u"Group" + std::u16string(1, char16_t(u'A' + g)) : u"";
      g_groupMacroCount[g] = exists ? macroCounts[static_cast<std::size_t>(g)] : 0;
      for (int m = 0; m < kMacrosPerGroup; ++m) {
        g_macroNames[g * kMacrosPerGroup + m] =
            u"m" + std::u16string(1, char16_t(u'a' + g)) + std::u16string(1, char16_t(u'a' + m));
      }
    }
  }
  static void SetRecoilMacros(int count) {
    g_gunMacroCount = static_cast<int16_t>(count);
    for (int i = 0; i < kMacrosPerGroup; ++i) {
      g_gunNames[i] = u"gun" + std::u16string(1, char16_t(u'A' + i));
    }
  }

  static int32_t Function() { return g_keyFunction[kConfig][kKey].load(); }
  static int32_t MacroMode() { return g_keyMacroMode[kConfig][kKey].load(); }
};

TEST_F(PopupChoices, RowsAreBandsOfTheMaskRowHeightAndOnlyTheListsRowsHit) {
  // Key list mask 211 x 360: rows of 24, 14 shown; lighting-mode rows are a tenth of the mask.
  const RowGeometry keys = PopupGeometry(PopupKind::kKeyFunctions, 211, 360, 0);
  EXPECT_EQ(keys.rowHeight, 24);
  EXPECT_EQ(keys.RowsHeight(), 14 * 24);
  EXPECT_EQ(PopupGeometry(PopupKind::kLedModes, 160, 270, 0).rowHeight, 27);
  EXPECT_EQ(PopupGeometry(PopupKind::kRecoilMacros, 160, 270, 20).rows, 20);
  EXPECT_EQ(ListGeometry(160, 270, 3).HeightWithLine(), 3 * 18 + 1);
  EXPECT_EQ(ListGeometry(160, 270, 0).HeightWithLine(), 0);

  struct Case { int x, y; uint32_t row; };
  for (const Case c : {Case{0, 0, 1}, Case{210, 23, 1}, Case{5, 24, 2}, Case{5, 14 * 24 - 1, 14},
                       Case{5, 14 * 24, kNoRow}, Case{211, 5, kNoRow}, Case{-1, 5, kNoRow},
                       Case{5, -1, kNoRow}}) {
    EXPECT_EQ(RowAt(keys, c.x, c.y), c.row) << c.x << "," << c.y;
  }
  // A recoil list of 20 macros: its last rows can be picked too.
  EXPECT_EQ(RowAt(PopupGeometry(PopupKind::kRecoilMacros, 160, 270, 20), 5, 19 * 18 + 2), 20u);
  EXPECT_EQ(RowAt(RowGeometry{160, 0, 3}, 5, 5), kNoRow) << "a mask without height has no rows";
}

TEST_F(PopupChoices, EachListShowsItsRowsInTheInterfaceLanguage) {
  g_isEnglish = 1;
  LoadLedModeNames(true);
  const auto keys = PopupRows(PopupKind::kKeyFunctions);
  ASSERT_EQ(keys.size(), 14u);
  EXPECT_EQ(keys[0].text, g_funStrings[1]);
  EXPECT_EQ(keys[10].text, g_funStrings[11]);
  EXPECT_EQ(keys[11].text, u"PUBG");
  EXPECT_EQ(keys[12].text, u"Convert K1 to a macro");
  EXPECT_EQ(keys[13].text, u"按键组");
  const auto modes = PopupRows(PopupKind::kLedModes);
  ASSERT_EQ(modes.size(), 3u);
  EXPECT_EQ(modes[0].text, u"Cycle breath");
  EXPECT_EQ(modes[1].text, u"Button response");
  EXPECT_EQ(modes[2].text, u"Mute");
  const auto steps = PopupRows(PopupKind::kLedStepModes);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].text, u"Single Breath");
  EXPECT_EQ(steps[1].text, u"Constantly");
  EXPECT_EQ(steps[2].text, u"Neon");
  g_ledUserColor[3] = 0x00123456;
  const auto colors = PopupRows(PopupKind::kLedStepColors);
  ASSERT_EQ(colors.size(), 4u);
  EXPECT_EQ(colors[3].swatch, ColorRef{0x00123456});
  EXPECT_EQ(PopupRows(PopupKind::kRecoilMacros).size(), 4u);

  g_isEnglish = 0;
  EXPECT_EQ(PopupRows(PopupKind::kKeyFunctions)[11].text, u"绝地求生专用压枪");
  EXPECT_EQ(PopupRows(PopupKind::kKeyFunctions)[12].text, u"按键 1 指派为宏");
}

TEST_F(PopupChoices, KeyListReleasesStorePlainFunctionsOrOpenKeyCaptureAndFamilyRowsStayOpen) {
  struct Case {
    uint32_t row;
    int32_t function;  // stored function (kEarlierFunction: unchanged)
    int32_t macroMode;
    PopupOutcome outcome;
  };
  const PopupOutcome picked{.close = true, .repaintOwner = true};
  const PopupOutcome capture{.close = true, .notice = PopupNotice::kOpenKeyCapture};
  const Case cases[] = {
      {1, 1, 0, picked},          {6, 6, 0, picked},
      {7, kEarlierFunction, 1, {}}, {12, kEarlierFunction, 1, {}},
      {13, kEarlierFunction, 1, {}}, {kNoRow, kEarlierFunction, 1, {}},
      {14, kEarlierFunction, 1, capture},
  };
  for (const Case& c : cases) {
    SetUp();
    EXPECT_EQ(ReleaseInKeyList(c.row), c.outcome) << "row " << c.row;
    EXPECT_EQ(Function(), c.function) << "row " << c.row;
    EXPECT_EQ(MacroMode(), c.macroMode) << "row " << c.row;
  }
  // The keyboard-key row gives an empty parameter the A key and keeps any other.
  g_keyParam[kConfig][kKey] = 0;
  ReleaseInKeyList(kKeyboardKeyRow);
  EXPECT_EQ(g_keyParam[kConfig][kKey].load(), kDefaultKeyboardUsage);
  g_keyParam[kConfig][kKey] = 0x2C;
  ReleaseInKeyList(kKeyboardKeyRow);
  EXPECT_EQ(g_keyParam[kConfig][kKey].load(), 0x2C);
  // Only the selected key of the current configuration changes.
  EXPECT_EQ(g_keyFunction[kConfig - 1][kKey].load(), 0);
  EXPECT_EQ(g_keyFunction[kConfig][kKey - 1].load(), 0);
}

TEST_F(PopupChoices, ASelectedKeyOutsideTheTablesStoresNothing) {
  for (const int selKey : {19, 29, -5}) {
    g_selKey = selKey;
    EXPECT_TRUE(ReleaseInKeyList(2).close);
    EXPECT_TRUE(ReleaseInKeyList(kKeyboardKeyRow).close);
  }
  g_selKey = static_cast<int>(kMainFirstKeyButton);
  g_curConfig = 4;
  EXPECT_TRUE(ReleaseInFamilyList(8, 1).closeAllLevels);
  g_curConfig = kConfig;
  EXPECT_EQ(Function(), kEarlierFunction);
  EXPECT_EQ(g_keyFunction[kConfig][0].load(), 0);
}

TEST_F(PopupChoices, LightingListsStoreTheirValuesAndTellTheMainWindow) {
  constexpr int kMacro = 5;
  constexpr int kBlock = 2;
  const LedStepTarget step{kMacro, kBlock};
  struct Case {
    PopupKind kind;
    uint32_t row;
    LedEntryByte byte;
    uint8_t stored;  // 0: nothing stored, the list stays open
    PopupNotice notice;
    intptr_t value;
  };
  const Case cases[] = {
      {PopupKind::kLedStepModes, 1, LedEntryByte::kMode, 1, PopupNotice::kLedStepMode, 0},
      {PopupKind::kLedStepModes, 2, LedEntryByte::kMode, 2, PopupNotice::kLedStepMode, 1},
      {PopupKind::kLedStepModes, 3, LedEntryByte::kMode, 6, PopupNotice::kLedStepMode, 2},
      {PopupKind::kLedStepModes, 5, LedEntryByte::kMode, 7, PopupNotice::kLedStepMode, 4},
      {PopupKind::kLedStepModes, 6, LedEntryByte::kMode, 0, PopupNotice::kNone, 0},
      {PopupKind::kLedStepModes, kNoRow, LedEntryByte::kMode, 0, PopupNotice::kNone, 0},
      {PopupKind::kLedStepColors, 1, LedEntryByte::kColor, 1, PopupNotice::kLedStepColor, 1},
      {PopupKind::kLedStepColors, 4, LedEntryByte::kColor, 7, PopupNotice::kLedStepColor, 7},
      {PopupKind::kLedStepColors, 6, LedEntryByte::kColor, 6, PopupNotice::kLedStepColor, 6},
      {PopupKind::kLedStepColors, 8, LedEntryByte::kColor, 0, PopupNotice::kNone, 0},
  };
  for (const Case& c : cases) {
    SetLedStepFirstEntry(kMacro, kBlock, c.byte, 0);
    const PopupOutcome outcome = ReleaseInLedStepList(c.kind, c.row, step);
    EXPECT_EQ(LedStepFirstEntry(kMacro, kBlock, c.byte), c.stored) << "row " << c.row;
    EXPECT_EQ(outcome.notice, c.notice) << "row " << c.row;
    EXPECT_EQ(outcome.value, c.value) << "row " << c.row;
    EXPECT_EQ(outcome.close, c.stored != 0) << "row " << c.row;
  }
  EXPECT_EQ(LedStepFirstEntry(kMacro, kBlock + 1, LedEntryByte::kMode), 0) << "other blocks kept";
  // A lighting step without a block of its own (x 255) changes no memory and tells nobody.
  for (const int block : {int{kNoBlockIndex}, kMacroBlockCount, -1}) {
    EXPECT_EQ(ReleaseInLedStepList(PopupKind::kLedStepModes, 1, {kMacro, block}),
              PopupOutcome{.close = true});
    EXPECT_EQ(ReleaseInLedStepList(PopupKind::kLedStepColors, 1, {kMacro, block}),
              PopupOutcome{.close = true});
  }

  // The lighting-mode list closes on any release and stores only its three modes.
  struct ModeCase { uint32_t row; uint8_t ledType; };
  for (const ModeCase c : {ModeCase{1, 1}, ModeCase{2, 3}, ModeCase{3, 4}, ModeCase{kNoRow, 9}}) {
    g_ledType = 9;
    const PopupOutcome outcome = ReleaseInLedModeList(c.row);
    EXPECT_EQ(g_ledType.load(), c.ledType);
    EXPECT_TRUE(outcome.close && outcome.repaintOwner);
  }
}

TEST_F(PopupChoices, RecoilListTellsTheDialogWhichMacroWasShownBefore) {
  int16_t curGun = 1;
  EXPECT_EQ(ReleaseInRecoilList(4, curGun),
            (PopupOutcome{.close = true, .notice = PopupNotice::kGunSelected, .value = 1}));
  EXPECT_EQ(curGun, 3);
  EXPECT_EQ(ReleaseInRecoilList(4, curGun), PopupOutcome{.close = true}) << "already shown";
  EXPECT_EQ(curGun, 3);
  EXPECT_EQ(ReleaseInRecoilList(5, curGun), PopupOutcome{}) << "beyond the loaded macros";
  EXPECT_EQ(ReleaseInRecoilList(kNoRow, curGun), PopupOutcome{});
  EXPECT_EQ(curGun, 3);
}

TEST_F(PopupChoices, FamilyListRowsAssignTheirCodesAndGroupListsLeaveItToTheChooser) {
  struct Case {
    uint32_t parentRow;
    uint32_t row;
    int32_t function;
    int32_t macroMode;
  };
  const Case cases[] = {
      {7, 1, 12, 0}, {7, 7, 18, 0}, {8, 1, 23, 0}, {8, 10, 32, 0}, {10, 8, 40, 0},
      {11, 3, 21, 0}, {12, 3, 52, 1}, {12, 1, 50, 1},
  };
  for (const Case& c : cases) {
    SetUp();
    const PopupOutcome outcome = ReleaseInFamilyList(c.parentRow, c.row);
    EXPECT_TRUE(outcome.closeAllLevels && outcome.repaintOwner);
    EXPECT_EQ(Function(), c.function) << c.parentRow << "/" << c.row;
    EXPECT_EQ(MacroMode(), c.macroMode) << c.parentRow << "/" << c.row;
    EXPECT_EQ(g_subMenuChosen, 1);
  }
  // No row (the line below the last one, a row past the family) and group lists: nothing.
  for (const auto& [parentRow, row] : std::vector<std::pair<uint32_t, uint32_t>>{
           {8, 11}, {8, kNoRow}, {12, 5}, {9, 1}, {13, 2}, {14, 1}}) {
    SetUp();
    EXPECT_EQ(ReleaseInFamilyList(parentRow, row), PopupOutcome{}) << parentRow << "/" << row;
    EXPECT_EQ(Function(), kEarlierFunction);
    EXPECT_EQ(g_subMenuChosen, 0);
  }
}

TEST_F(PopupChoices, ChooserAssignsUserMacroCodesAndAlwaysClosesEveryLevel) {
  struct Case {
    uint32_t parentRow, groupRow, row;
    int32_t function, macroMode;
  };
  const Case cases[] = {
      {13, 1, 1, 256, 1}, {9, 1, 1, 256, 0}, {9, 3, 2, 3 * 256 + 1, 0},
      {13, 1, 5, 256 + 4, 1},
      {9, 1, 6, kEarlierFunction, 1},       // beyond the group's macros
      {9, 2, 1, kEarlierFunction, 1},       // a group without macros
      {9, 4, 1, kEarlierFunction, 1},       // beyond the groups
      {13, 1, kNoRow, kEarlierFunction, 1},
  };
  for (const Case& c : cases) {
    SetUp();
    EXPECT_TRUE(ReleaseInChooser(c.parentRow, c.groupRow, c.row).closeAllLevels);
    EXPECT_EQ(Function(), c.function) << c.parentRow << "/" << c.groupRow << "/" << c.row;
    EXPECT_EQ(MacroMode(), c.macroMode) << c.parentRow << "/" << c.groupRow << "/" << c.row;
  }
  EXPECT_EQ(ChooserRows(2).size(), 0u) << "a group without macros: a chooser 0 high";
  EXPECT_EQ(ListGeometry(160, 270, 0).HeightWithLine(), 0);
  ASSERT_EQ(ChooserRows(3).size(), 2u);
  EXPECT_EQ(ChooserRows(3)[1], g_macroNames[2 * kMacrosPerGroup + 1]);
}

TEST_F(PopupChoices, FamilyListsStartBesideTheirRowOrAboveTheKeyList) {
  SetGroups(std::vector<uint32_t>(10, 1));
  SetRecoilMacros(20);
  struct Case { uint32_t row; std::size_t rows; int32_t offset; };
  for (const Case c : {Case{7, 7, 4}, Case{8, 10, 1}, Case{9, 10, -1}, Case{10, 8, 3},
                       Case{11, 3, 8}, Case{12, 20, -8}, Case{13, 10, 3}, Case{14, 0, 0}}) {
    EXPECT_EQ(FamilyRows(c.row).size(), c.rows) << c.row;
    EXPECT_EQ(FamilyListOffsetRows(c.row), c.offset) << c.row;
  }
  // Key list at (100, 300), 211 wide, rows of 24: ten groups under row 9 start a row above.
  EXPECT_EQ(PlaceFamilyList({100, 300}, 211, 24, FamilyListOffsetRows(9)),
            (WindowPoint{311, 276}));
  // The chooser of group row 3 (rows of 18) with 2 macros (37 high) ends at that row's bottom.
  EXPECT_EQ(PlaceMacroChooser({311, 276}, 160, 18, 3, 37), (WindowPoint{471, 276 + 54 - 37}));
}

TEST(KeepOnScreen, MovesAWindowJustOntoTheScreenPastEachEdge) {
  // A second screen right of a first one of 1920: x from 1920, 1280 x 1024.
  const ScreenArea screen{1920, 0, 1280, 1024};
  struct Case { const char* what; WindowPoint at; int32_t w, h; WindowPoint expected; };
  for (const Case& c : {
           Case{"fits: stays", {2000, 100}, 211, 336, {2000, 100}},
           // The PUBG list of 20 rows, 12 - 20 rows of 24 above a key list at y 180.
           Case{"top", {2131, 180 - 8 * 24}, 160, 361, {2131, 0}},
           Case{"bottom", {2000, 900}, 211, 336, {2000, 1024 - 336}},
           Case{"left", {1900, 100}, 160, 200, {1920, 100}},
           Case{"right", {3100, 100}, 160, 200, {3200 - 160, 100}},
           Case{"corner", {3150, 1000}, 160, 200, {3200 - 160, 1024 - 200}},
           Case{"taller than the screen: top on the screen's", {2000, -50}, 160, 1100,
                {2000, 0}},
       }) {
    EXPECT_EQ(KeepOnScreen(c.at, c.w, c.h, screen), c.expected) << c.what;
  }
}

TEST_F(PopupChoices, ChooserDropsANameWiderThanTheListOthersAreClippedAtTheLeft) {
  const RowGeometry g{160, 18, 3};
  EXPECT_EQ(ChooserTextPosition(g, 2, 100, 14), (RowTextPlace{30, 18 + 2}));
  EXPECT_EQ(ChooserTextPosition(g, 2, 200, 14), std::nullopt);
  EXPECT_EQ(RowTextPosition(g, 2, 200, 14), (RowTextPlace{-20, 18 + 2}));
}

}  // namespace
}  // namespace gm::test
