// Apply's edge cases, each checked in the memory of the virtual mouse after a run.

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "apply_test_support.h"
#include "device/recoil_adjust.h"
#include "platform/private_profile.h"

namespace gm {
namespace {

using test::MakeLongMacro;
using test::MakeMacro;

std::string ReadIni(const char16_t* section, const char16_t* key) {
  return ToUtf8(GetPrivateProfileStringW(section, key, u"<missing>", 300, g_configIniPath));
}

class ApplyEdgeTest : public test::ApplyTest {};

TEST_F(ApplyEdgeTest, ReferencesToMissingMacrosBecomeNoFunctionAndAreSavedSo) {
  AddGroup(u"Alpha", {MakeMacro(u"A", 0, 1, {{0x04, kActionPress, 1}})});
  SetKeyMap({1, 2, 3, 4, 5});
  for (int c : {0, 1}) {
    SetKey(c, 0, 257);  // index equal to the group's macro count
    SetKey(c, 1, 512);  // group equal to the group count
    SetKey(c, 2, 50);   // no recoil macro is loaded
    SetKey(c, 3, 70);   // beyond any recoil table
    SetKey(c, 4, 256);  // exists
  }
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);

  for (int c : {0, 1}) {
    for (int k = 0; k < 4; ++k) EXPECT_EQ(g_keyFunction[c][k].load(), 0) << c << "," << k;
    EXPECT_EQ(g_keyFunction[c][4].load(), 256);
  }
  EXPECT_EQ(ReadIni(u"Config0", u"K0"), "0");
  EXPECT_EQ(ReadIni(u"Config0", u"K3"), "0");
  EXPECT_EQ(ReadIni(u"Config1", u"K1"), "0");
  EXPECT_EQ(ReadIni(u"Config1", u"K4"), "256");
  EXPECT_EQ(MemoryRange(0x08, 5), (std::vector<uint8_t>{0x00, 0x00, 0x00, 0x00, 0x0D}));
  EXPECT_EQ(MemoryRange(0x44, 5), (std::vector<uint8_t>{0x00, 0x00, 0x00, 0x00, 0x0D}));
  EXPECT_EQ(Descriptor(0, 0), std::vector<uint8_t>(10, 0));
}

TEST_F(ApplyEdgeTest, PositionsThirteenAndFourteenGetDescriptorsWithoutModeBits) {
  AddGroup(u"Alpha", {MakeMacro(u"A", 0x0A, 1, {{0x04, kActionPress, 60}})});  // mode 2, bit 3
  g_gunMacros[0] = MakeMacro(u"G", 0x09, 1, {{0x05, kActionPress, 60}});        // mode 1, bit 3
  g_gunMacroCount = 1;
  SetKeyMap({13, 14, 1});
  SetKey(0, 0, 256);
  SetKey(0, 1, 50);
  SetKey(0, 2, 256);
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);

  // Slot 0 carries A and D; slots 12 and 13 carry neither mode bits nor key bytes.
  EXPECT_EQ(Descriptor(0, 0), (std::vector<uint8_t>{0, 0x81, 0, 0, 0, 0x00, 0x04, 0x40, 0, 0}));
  EXPECT_EQ(Descriptor(0, 12), (std::vector<uint8_t>{0, 0x01, 0, 0, 0, 0x00, 0x04, 0x00, 0, 0}));
  EXPECT_EQ(Descriptor(0, 13), (std::vector<uint8_t>{0, 0x01, 0, 0, 0, 0x08, 0x04, 0x00, 0, 0}));
  // Mode byte 0x0A is not 2: the user macro's code is 0x0D.
  EXPECT_EQ(MemoryRange(0x08, 9),
            (std::vector<uint8_t>{0x0D, 0, 0, 0, 0, 0, 0, 0, 0}));  // only position 1
  EXPECT_EQ(MemoryRange(0x3B, 3), std::vector<uint8_t>(3, 0));
  EXPECT_EQ(g_posKeyCode[0][12].load(), 0x0D);
  EXPECT_EQ(g_posKeyCode[0][13].load(), 0x1E);
}

TEST_F(ApplyEdgeTest, SlowestReportRateGivesEightMillisecondTicks) {
  AddGroup(u"Alpha", {MakeMacro(u"A", 0, 1, {{0x04, kActionPress, 80}})});
  SetKeyMap({1});
  SetKey(0, 0, 256);
  g_usbRateCode = 7;
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(g_macroTimeUnit.load(), 8);
  EXPECT_EQ(mouse_.MemoryByte(0x1E), 7);
  EXPECT_EQ(Descriptor(0, 0)[0], 7);
  EXPECT_EQ(MemoryRange(0x400, 4), (std::vector<uint8_t>{0x01, 0x00, 0x8A, 0x04}));  // 80 / 8
}

// 100 steps of 1270 ms at 1 ms ticks: eleven entries each, a 2208-byte image from 0x400 to
// 0xCA0 that crosses the end of the small macro memory (0x7F8) but not of the large (0xFF8).
class ApplyMacroMemoryTest : public test::ApplyTest {
 protected:
  void SetUpLongMacro() {
    AddGroup(u"Alpha", {MakeLongMacro(100, 1270)});
    SetKeyMap({1});
    SetKey(0, 0, 256);
    g_usbRateCode = 0;
    g_pointerSpeed = 4;
  }
};

TEST_F(ApplyMacroMemoryTest, ImageCrossingTheSmallMemoryEndsApplyWithTheMessage) {
  SetUpLongMacro();
  mouse_.SetLargeMacroMemory(false);
  ASSERT_EQ(Apply(), ApplyResult::kMacroMemoryFull);

  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0].chinese, u"宏存储过多，请减少宏定义按键个数！");
  EXPECT_NE(MemoryRange(0x7F0, 8), std::vector<uint8_t>(8, 0));  // the last block that fits
  EXPECT_EQ(MemoryRange(0x7F8, 0x20), std::vector<uint8_t>(0x20, 0));
  EXPECT_EQ(mouse_.FinalCommitCount(), 0);
  EXPECT_TRUE(system_.pointerSpeedsSet.empty());
  EXPECT_TRUE(system_.wheelLinesSet.empty());
  EXPECT_EQ(ReadIni(u"Init", u"CurConfig"), "0");  // written before the download
  EXPECT_EQ(ReadIni(u"Config0", u"K0"), "<missing>");
}

TEST_F(ApplyMacroMemoryTest, RecoilNudgeNeverWritesTheImageThatDidNotFit) {
  // The first key's image is the one that ran out of memory: its slot holds no whole image,
  // and a nudge must not write it there (it would run past the end of the macro memory).
  SetUpLongMacro();
  g_curMacroGroup = -1;  // the group is not open in the editor
  mouse_.SetLargeMacroMemory(false);
  ASSERT_EQ(Apply(), ApplyResult::kMacroMemoryFull);
  const size_t reportsBefore = mouse_.FeatureReportCount();
  const RecoilAdjustResult nudge = AdjustRecoilMacro(true);
  EXPECT_EQ(nudge.outcome, RecoilAdjustOutcome::kAdjusted);
  EXPECT_NE(nudge.slot, RecoilSlotWrite::kWritten);
  EXPECT_EQ(mouse_.FeatureReportCount(), reportsBefore);

  // Once an Apply has written it whole, the nudge goes into the slot again.
  mouse_.SetLargeMacroMemory(true);
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(AdjustRecoilMacro(true).slot, RecoilSlotWrite::kWritten);
}

TEST_F(ApplyMacroMemoryTest, SameImageFitsTheLargeMemory) {
  SetUpLongMacro();
  mouse_.SetLargeMacroMemory(true);
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_NE(MemoryRange(0xC90, 8), std::vector<uint8_t>(8, 0));
  EXPECT_EQ(mouse_.FinalCommitCount(), 1);
  EXPECT_EQ(Descriptor(0, 0)[1], 1100 & 0x7F);        // N = 1100 entries
  EXPECT_EQ(Descriptor(0, 0)[7], (1100 >> 7) & 0x3F);
}

TEST_F(ApplyEdgeTest, LightingPieceBeyondItsAddressRangeEndsApplyWithError) {
  // 179 pauses of 10 s at 1 ms ticks (79 entries each) push the lighting piece past 0x4000.
  MacroRecord big = MakeLongMacro(179, 10000);
  for (int i = 0; i < 179; ++i) big.code[i] = kStepPause, big.action[i] = 0;
  big.code[179] = kStepLighting;
  big.action[179] = kActionLight0;
  big.stepCount = 180;
  big.countF9 = 1;
  big.ledBlocks[0].length = 1;
  AddGroup(u"Alpha", {big});
  SetKeyMap({1});
  SetKey(0, 0, 256);
  g_usbRateCode = 0;
  mouse_.SetLargeMacroMemory(true);

  ASSERT_EQ(Apply(), ApplyResult::kImageError);
  EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{u"Error!"});
  EXPECT_EQ(mouse_.FinalCommitCount(), 0);
  EXPECT_EQ(mouse_.MemoryByte(0x400), 0);
  EXPECT_TRUE(system_.pointerSpeedsSet.empty());
}

TEST_F(ApplyEdgeTest, LightingStepWithoutItsBlockIsReportedAndApplyGoesOn) {
  MacroRecord r =
      MakeMacro(u"L", 0, 1, {{0x04, kActionPress, 1}, {kStepLighting, kActionLight1, 1}});
  r.countF9 = 0;  // the lighting step has no block
  AddGroup(u"Alpha", {r});
  SetKeyMap({1});
  SetKey(0, 0, 256);
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{u"Error!"});
  EXPECT_EQ(MemoryRange(0x400, 6), (std::vector<uint8_t>{0x01, 0x00, 0x81, 0x04, 0x00, 0x00}));
  EXPECT_EQ(mouse_.FinalCommitCount(), 1);
}

TEST_F(ApplyEdgeTest, DesktopPointerSpeedAndWheelLines) {
  EXPECT_EQ(PointerSpeedOfChoice(0), 1);
  EXPECT_EQ(PointerSpeedOfChoice(1), 2);
  EXPECT_EQ(PointerSpeedOfChoice(8), 16);
  EXPECT_EQ(PointerSpeedOfChoice(9), 18);
  EXPECT_EQ(PointerSpeedOfChoice(10), 18);
  EXPECT_EQ(PointerSpeedOfChoice(255), 18);
  EXPECT_EQ(WheelLinesOfChoice(0), 1);
  EXPECT_EQ(WheelLinesOfChoice(10), 11);
  EXPECT_EQ(WheelLinesOfChoice(255), 0);

  g_pointerSpeed = 0;
  g_wheelSpeed = 9;
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(system_.pointerSpeedsSet, std::vector<int>{1});
  EXPECT_EQ(system_.wheelLinesSet, std::vector<int>{10});

  // A setting the desktop cannot report is left alone.
  system_.pointerSpeedReading.reset();
  system_.wheelLinesReading.reset();
  g_pointerSpeed = 10;
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(system_.pointerSpeedsSet, std::vector<int>{1});
  EXPECT_EQ(system_.wheelLinesSet, std::vector<int>{10});
}

TEST_F(ApplyEdgeTest, NamedMacroIsSavedBeforeItIsDownloaded) {
  AddGroup(u"Alpha", {MakeMacro(u"A", 0, 1, {{0x04, kActionPress, 1}})});
  SetKeyMap({1});
  SetKey(0, 0, 256);
  {
    std::lock_guard lock(g_macroTablesMutex);
    g_macros[0] = MakeMacro(u"A", 0, 2, {{0x05, kActionRelease, 1}});  // edited, not yet saved
    g_macroCount = 1;
  }

  // Without a macro named no macro is saved: the file's version goes out.
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(MemoryRange(0x400, 4), (std::vector<uint8_t>{0x01, 0x00, 0x81, 0x04}));

  ASSERT_EQ(Apply(GroupMacro{0, 0}), ApplyResult::kCompleted);
  EXPECT_EQ(MemoryRange(0x400, 4), (std::vector<uint8_t>{0x02, 0x00, 0x01, 0x05}));

  // A group that is not listed names no file.
  {
    std::lock_guard lock(g_macroTablesMutex);
    g_macros[0] = MakeMacro(u"A", 0, 3, {{0x06, kActionRelease, 1}});
  }
  ASSERT_EQ(Apply(GroupMacro{1, 0}), ApplyResult::kCompleted);
  EXPECT_EQ(MemoryRange(0x400, 4), (std::vector<uint8_t>{0x02, 0x00, 0x01, 0x05}));
}

TEST_F(ApplyEdgeTest, BuiltInMacroBeyondTheLoadedCountIsTheTablesRecord) {
  g_constMacros[3] = MakeMacro(u"C3", 0, 1, {{0x08, kActionPress, 1}});
  g_constMacroCount = 0;
  SetKeyMap({1});
  SetKey(0, 0, 36);
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(g_keyFunction[0][0].load(), 36);
  EXPECT_EQ(mouse_.MemoryByte(0x08), 0x0D);
  EXPECT_EQ(MemoryRange(0x400, 4), (std::vector<uint8_t>{0x01, 0x00, 0x81, 0x08}));
}

TEST_F(ApplyEdgeTest, OutOfRangeKeyMapAndFunctionsIndexNothingOutside) {
  // Positions 0, 15 and 255 are no positions; every key still gets a device code.
  for (int k = 0; k < 9; ++k) g_keyMap[k] = static_cast<uint8_t>(k == 0 ? 0 : (k == 1 ? 15 : 255));
  g_keyMap[8] = 12;
  g_keyCount = 9;
  const int32_t functions[9] = {INT_MAX, INT_MIN, -1, 3091, 70000, 255, 49, 41, 1};
  for (int c = 0; c < 4; ++c) {
    for (int k = 0; k < 9; ++k) SetKey(c, k, functions[k], 0xFF, 7, INT_MAX, INT_MIN);
  }
  for (auto& value : g_dpiValue) value = 255;
  g_dpiLevel = -1;
  g_curConfig = 7;
  g_ledBrightness = INT_MIN;
  g_fireTime = INT_MIN;
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(mouse_.MemoryByte(0x01), 0x63);                 // configuration 7 AND 3
  EXPECT_EQ(mouse_.MemoryByte(0x15), 0x22);                 // DPI codes of step 16
  // Position 12: function 1 with E = INT_MAX, T = 0: (1 + (INT_MAX << 5)) AND 0xFF.
  EXPECT_EQ(mouse_.MemoryByte(0x3D), 0xE1);
  EXPECT_EQ(g_devKeyCode[0][0].load(), 0);
  EXPECT_EQ(g_keyFunction[0][0].load(), 0);                // a user code naming no group
  EXPECT_EQ(g_devKeyCode[0][6].load(), 0x1E);              // built-in 16 on the left button
}

TEST_F(ApplyEdgeTest, LightingModeCarriesFromOneApplyToTheNext) {
  g_ledCycleTime = 2;
  g_ledType = 3;
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(mouse_.MemoryByte(0x1C), 0x9A);  // M 1, F 1, S 2
  g_ledType = 4;
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(mouse_.MemoryByte(0x1C), 0x97);  // M kept, F 0, S 7
  g_ledType = 12;
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(mouse_.MemoryByte(0x1C), 0x97);  // M and F kept, S 7 after type 4
}

}  // namespace
}  // namespace gm
