// The record's own rules: clearing, choosing a play mode, and the bounded block accessors
// that keep every user inside the five blocks whatever a file stored.

#include "macros/macro_record.h"

#include <gtest/gtest.h>

#include "macro_file_test_support.h"

namespace gm::test {
namespace {

TEST(ClearMacroRecord, ZeroesEverythingButStrengthAndReserved) {
  MacroRecord table[kMacroTemplateIndex + 1];
  table[3] = RecordFilledWith(0x5A);
  table[3].strengthEnabled = 1;
  table[3].strength = 30;
  ClearMacroRecord(table, 3);

  MacroRecord expected{};
  expected.strengthEnabled = 1;
  expected.strength = 30;
  std::memset(expected.reserved, 0x5A, sizeof expected.reserved);
  EXPECT_TRUE(SameFields(table[3], expected));
  EXPECT_EQ(table[3].repeatCount, 0);  // no default: the caller sets it
}

TEST(ClearMacroRecord, IgnoresIndicesPastTheTemplate) {
  MacroRecord table[kMacroTemplateIndex + 2];
  table[21] = RecordFilledWith(0x5A);
  ClearMacroRecord(table, 21);
  EXPECT_TRUE(SameFields(table[21], RecordFilledWith(0x5A)));
}

TEST(ChoosePlayMode, KeepsTheOptionBitsOfEachMode) {
  MacroRecord r{};
  r.repeatCount = 7;
  r.playMode = 0x0E;
  ChoosePlayMode(r, 0);
  EXPECT_EQ(r.playMode, 0x04);
  EXPECT_EQ(r.repeatCount, 7);

  r.playMode = 0x0D;
  ChoosePlayMode(r, 1);
  EXPECT_EQ(r.playMode, 0x09);
  EXPECT_EQ(r.repeatCount, 1);

  r.playMode = 0x0D;
  r.repeatCount = 7;
  ChoosePlayMode(r, 2);
  EXPECT_EQ(r.playMode, 0x0A);
  EXPECT_EQ(r.repeatCount, 1);

  r.playMode = 0xF1;
  ChoosePlayMode(r, 3);
  EXPECT_EQ(r.playMode, 0xF1);
}

TEST(BlockAccessors, OnlyAddressTheFiveBlocksOfUsableSteps) {
  MacroRecord r{};
  r.stepCount = 4;
  r.code[0] = kStepLighting; r.xy[0].x = 4;
  r.code[1] = kStepLighting; r.xy[1].x = 5;
  r.code[2] = kStepBlock;    r.xy[2].x = 1;
  r.code[3] = kStepLighting; r.xy[3].x = kNoBlockIndex;
  r.code[4] = kStepLighting; r.xy[4].x = 0;  // beyond the count
  EXPECT_EQ(LedBlockOfStep(r, 0), &r.ledBlocks[4]);
  EXPECT_EQ(LedBlockOfStep(r, 1), nullptr);
  EXPECT_EQ(LedBlockOfStep(r, 2), nullptr);
  EXPECT_EQ(FbBlockOfStep(r, 2), &r.fbBlocks[1]);
  EXPECT_EQ(LedBlockOfStep(r, 3), nullptr);
  EXPECT_EQ(LedBlockOfStep(r, 4), nullptr);
  EXPECT_EQ(LedBlockOfStep(r, -1), nullptr);

  r.stepCount = 900;
  EXPECT_EQ(UsableStepCount(r), 180);
  EXPECT_EQ(LedBlockOfStep(r, 180), nullptr);
  EXPECT_EQ(UsableBlockCount(255), 5);
  EXPECT_EQ(UsableBlockCount(-1), 0);
  EXPECT_EQ(UsableBlockCount(3), 3);
}

}  // namespace
}  // namespace gm::test
