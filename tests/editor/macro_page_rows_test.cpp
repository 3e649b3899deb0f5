// Row texts and icons of the macro page's lists: every step kind, the macro tree, the
// parameters of a lighting block and what showing them stores back.

#include <gtest/gtest.h>

#include <string>

#include "editor/macro_page_rows.h"
#include "macros/key_codes.h"

namespace gm {
namespace {

TEST(MacroStepRows, EveryStepKind) {
  struct Case {
    uint8_t code, action;
    uint16_t x, y;
    std::u16string text;
    int image;
  } const cases[] = {
      {0xF6, 3, 12, 34, u"[X-]:12,[Y-]:34", 3},
      {0xF6, 4, 12, 34, u"[X-]:12,[Y+]:34", 3},
      {0xF6, 5, 0, 100, u"[X+]:0,[Y-]:100", 3},
      {0xF6, 6, 65535, 7, u"[X+]:65535,[Y+]:7", 3},
      {0xF6, 7, 1, 1, u"[X]:eeror,[Y]:eeror", 3},
      {0xF6, 0, 1, 1, u"[X]:eeror,[Y]:eeror", 3},
      {0xF8, 9, 1, 0, u"[DPI]:200 ", 5},
      {0xF8, 9, 2, 0, u"[DPI]:400 ", 5},
      {0xF8, 9, 3, 0, u"[DPI]:600 ", 5},
      {0xF8, 9, 4, 0, u"[DPI]:800 ", 5},
      {0xF8, 9, 5, 0, u"[DPI]:1000 ", 5},
      {0xF8, 9, 6, 0, u"[DPI]:1200 ", 5},
      {0xF8, 9, 7, 0, u"[DPI]:1600 ", 5},
      {0xF8, 9, 8, 0, u"[DPI]:1600 ", 5},
      {0xF8, 9, 9, 0, u"[DPI]:2000 ", 5},
      {0xF8, 9, 10, 0, u"[DPI]:2000 ", 5},
      {0xF8, 9, 11, 0, u"[DPI]:2400 ", 5},
      {0xF8, 9, 12, 0, u"[DPI]:2400 ", 5},
      {0xF8, 9, 13, 0, u"[DPI]:3200 ", 5},
      {0xF8, 9, 14, 0, u"[DPI]:4000 ", 5},
      {0xF8, 9, 15, 0, u"[DPI]:4800 ", 5},
      {0xF8, 9, 0, 0, u"[DPI]:800 ", 5},
      {0xF8, 9, 16, 0, u"[DPI]:800 ", 5},
      {0xF8, 9, 300, 0, u"[DPI]:800 ", 5},
      {0xF8, 10, 4, 0, u"[DPI]:返回执行前的值", 5},
      {0xF8, 3, 4, 0, u"[DPI]:状态Error", 5},
      {0xF9, 13, 0, 0, u"[LED0]:LED-0 Data", 4},
      {0xF9, 14, 2, 0, u"[LED1]:LED-2 Data", 4},
      {0xF9, 15, 4, 0, u"[LED2]:LED-4 Data", 4},
      {0xF9, 1, 4, 0, u"[LED0/1/2]:error", 4},
      {0x00, 0, 0, 0, u"[Delay]", 0},
      {0x00, 1, 0, 0, u"[Delay]", 0},
  };
  for (const auto& c : cases) {
    const StepRowText row = StepRowOf(c.code, c.action, c.x, c.y);
    EXPECT_EQ(row.row.text, c.text) << int{c.code} << "/" << int{c.action} << "/" << c.x;
    EXPECT_EQ(row.row.image, c.image) << int{c.code} << "/" << int{c.action};
    EXPECT_EQ(row.keyRow, KeyRowKind::kNone) << int{c.code};
  }
}

TEST(MacroStepRows, KeyAndButtonStepsCountTheirDirection) {
  struct Case {
    uint8_t code, action;
    int image;
    KeyRowKind kind;
  } const cases[] = {
      {4, 1, 1, KeyRowKind::kKeyDown},    {4, 2, 2, KeyRowKind::kKeyUp},
      {4, 0, 0, KeyRowKind::kNone},       {0xF1, 1, 1, KeyRowKind::kKeyDown},
      {0xF3, 2, 2, KeyRowKind::kKeyUp},   {0xFA, 1, 1, KeyRowKind::kKeyDown},
      {0xF7, 9, 0, KeyRowKind::kNone},    {0xFB, 2, 2, KeyRowKind::kKeyUp},
  };
  for (const auto& c : cases) {
    const StepRowText row = StepRowOf(c.code, c.action, 1, 1);
    EXPECT_EQ(row.row.text, KeyNameOfUsage(c.code)) << int{c.code};
    EXPECT_EQ(row.row.image, c.image) << int{c.code} << "/" << int{c.action};
    EXPECT_EQ(row.keyRow, c.kind) << int{c.code} << "/" << int{c.action};
  }
  EXPECT_EQ(DelayRowText(0), u"    0ms");
  EXPECT_EQ(DelayRowText(65535), u"    65535ms");
}

TEST(MacroListRowsTest, OpenGroupsListTheirMacrosAndEveryMacroIsCounted) {
  MacroGroupListing listing;
  listing.groups.push_back({u"Open", {u"m0", u"m1"}});
  listing.groups.push_back({u"Closed", {u"a", u"b", u"c"}});
  listing.groups.push_back({u"Empty", {}});
  const uint32_t expanded[] = {1, 0, 1};
  const MacroListRows rows = BuildMacroListRows(listing, expanded);
  const std::vector<ListRowText> shown{
      {u"Open", 1}, {u"m0", 2}, {u"m1", 2}, {u"Closed", 0}, {u"Empty", 1}};
  EXPECT_EQ(rows.shown, shown);
  ASSERT_EQ(rows.entries.size(), 8u);  // 3 groups + 5 macros
  EXPECT_EQ(rows.entries[0].kind, kMacroListGroupRow);
  EXPECT_EQ(rows.entries[0].macro, kNoMacroOnRow);
  EXPECT_EQ(rows.entries[2].kind, kMacroListMacroRow);
  EXPECT_EQ(rows.entries[2].group, 0);
  EXPECT_EQ(rows.entries[2].macro, 1);
  EXPECT_EQ(rows.entries[3].group, 1);
  EXPECT_EQ(rows.entries[4].group, 2);
  EXPECT_EQ(rows.entries[4].kind, kMacroListGroupRow);
  EXPECT_EQ(rows.entries[7].kind, kMacroListUnshownRow);  // counted, not shown: no row
}

TEST(LedParamRows, FirstEntryShownAndCorrected) {
  const std::u16string names[] = {u"Single Breath", u"Constantly", u"Comet tail", u"Neon",
                                  u"Ambilight"};
  struct Case {
    const char* what;
    uint8_t length, mode, color, time;
    std::vector<std::u16string> rows;
    uint8_t storedMode, storedColor;
  } const cases[] = {
      {"no entry", 0, 1, 0, 10, {u"[LEN    ]: 0"}, 1, 0},
      {"single breath, colour 0 becomes 1", 1, 1, 0, 10,
       {u"[LEN    ]: 1", u"[Mode ]: Single Breath", u"[Colour]: Colour1", u"[Time   ]: 10*122 ms"},
       1, 1},
      {"colour 7 shown as 4", 1, 2, 7, 5,
       {u"[LEN    ]: 1", u"[Mode ]: Constantly", u"[Colour]: Colour4", u"[Time   ]: 5*122 ms"},
       2, 7},
      {"colour 5 shown as 3", 1, 3, 5, 1,
       {u"[LEN    ]: 1", u"[Mode ]: Comet tail", u"[Colour]: Colour3", u"[Time   ]: 1*122 ms"},
       3, 5},
      {"colour 3 shown as 2", 1, 1, 3, 100,
       {u"[LEN    ]: 1", u"[Mode ]: Single Breath", u"[Colour]: Colour2",
        u"[Time   ]: 100*122 ms"},
       1, 3},
      {"neon defines its colours", 2, 6, 0, 10,
       {u"[LEN    ]: 2", u"[Mode ]: Neon", u"[Colour]: Define", u"[Time   ]: 10*122 ms"}, 6, 0},
      {"cycle breath", 1, 9, 2, 10,
       {u"[LEN    ]: 1", u"[Mode ]: Cycle breath", u"[Colour]: Colour2", u"[Time   ]: 10*122 ms"},
       9, 2},
      {"other modes are Ambilight and become 7", 1, 4, 0, 10,
       {u"[LEN    ]: 1", u"[Mode ]: Ambilight", u"[Colour]: Define", u"[Time   ]: 10*122 ms"},
       7, 0},
  };
  for (const auto& c : cases) {
    MacroLedBlock block{};
    block.length = c.length;
    block.entries[0][0] = c.mode;
    block.entries[0][1] = c.color;
    block.entries[0][2] = c.time;
    uint16_t entryMode = 0xFFFF;
    EXPECT_EQ(LedParamRowTexts(block, entryMode, names, u"Cycle breath"), c.rows) << c.what;
    EXPECT_EQ(block.entries[0][0], c.storedMode) << c.what;
    EXPECT_EQ(block.entries[0][1], c.storedColor) << c.what;
    EXPECT_EQ(entryMode, c.storedMode) << c.what;
  }
}

}  // namespace
}  // namespace gm
