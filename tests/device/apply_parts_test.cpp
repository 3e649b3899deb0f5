// The pure pieces of Apply: the lighting state, the colour byte, descriptors, slot planning and
// the lookup of the macros the keys refer to.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>

#include "apply_test_support.h"
#include "device/apply_blocks.h"
#include "device/apply_macro_catalog.h"
#include "device/apply_slots.h"
#include "device/lighting_byte.h"
#include "device/slot_descriptor.h"

namespace gm {
namespace {

using test::MakeLongMacro;
using test::MakeMacro;

TEST(ApplyLightingTest, ModeFlagAndSpeedCarryAsTheTypesSay) {
  LightingState state;
  auto next = [&](uint8_t type, uint8_t speed) {
    const LightingStep step = NextLightingStep(state, type, speed);
    state = step.state;
    return step.byte;
  };
  EXPECT_EQ(next(12, 5), 0x85);  // before any type below 12: M 0, F 0, the speed
  EXPECT_EQ(next(3, 2), 0x9A);   // M 1, F 1
  EXPECT_EQ(next(12, 4), 0x9C);  // M and F kept, the speed
  EXPECT_EQ(next(4, 2), 0x97);   // M kept, F 0, S 7
  EXPECT_EQ(next(200, 1), 0x97); // S 7 while the last type below 12 was 4
  EXPECT_EQ(next(9, 15), 0x97);  // M 9 AND 7, S 15 AND 7
  EXPECT_EQ(next(12, 1), 0x91);  // the speed again
  EXPECT_EQ(next(0, 0), 0x80);
}

TEST(ApplyLightingTest, ColorByteAndCycleMask) {
  EXPECT_EQ(ColorByte({1, 1, 1, 1, 1, 1, 1}, 1), 0xD5);
  EXPECT_EQ(ColorByte({1, 0, 0, 0, 1, 1, 1}, 0), 0x01);  // colours 4..6 have no bit
  EXPECT_EQ(ColorByte({0, 0, 0, 1, 0, 0, 0}, 2), 0x40);  // 128 x 2 wraps to 0
  EXPECT_EQ(CycleColorMaskOf({1, 0, 1, 0, 0, 0, 5}), 0x45);
}

TEST(ApplyBlocksTest, DpiCodesSkipElevenAndStopAtTheLastStep) {
  EXPECT_EQ(DpiCodeOf(0), 0x01);
  EXPECT_EQ(DpiCodeOf(9), 0x0A);
  EXPECT_EQ(DpiCodeOf(10), 0x0C);
  EXPECT_EQ(DpiCodeOf(16), 0x12);
  EXPECT_EQ(DpiCodeOf(17), 0x12);
  EXPECT_EQ(DpiCodeOf(255), 0x12);
}

TEST(ApplyBlocksTest, KeyByteAddsTheReactionAndWrapsToAByte) {
  PositionTables positions;
  positions.keyCode[2][11] = 0x1F;
  positions.ledEnable[2][11] = 1;
  positions.ledType[2][11] = 3;
  EXPECT_EQ(KeyByte(positions, 2, 12), 0xFF);
  positions.ledEnable[2][11] = 2;
  EXPECT_EQ(KeyByte(positions, 2, 12), 0x1F);  // 0x100 + 0x1F
  EXPECT_EQ(KeyByte(positions, 2, 13), 0);     // no key byte beyond position 12
  EXPECT_EQ(KeyByte(positions, 4, 1), 0);
}

TEST(ApplyDescriptorTest, ModeBitsFollowThePlayMode) {
  EXPECT_EQ(SlotModeBitsOf(0x0E, 0), (SlotModeBits{true, false, false, true}));  // mode 2
  EXPECT_EQ(SlotModeBitsOf(0x09, 11), (SlotModeBits{false, true, false, true}));  // mode 1
  EXPECT_EQ(SlotModeBitsOf(0x04, 0), (SlotModeBits{false, false, true, false}));  // mode 0
  EXPECT_EQ(SlotModeBitsOf(0x07, 0), (SlotModeBits{false, false, true, false}));  // mode 3
  EXPECT_EQ(SlotModeBitsOf(0x0C, 0), (SlotModeBits{false, false, true, false}));  // no D in 0
  EXPECT_EQ(SlotModeBitsOf(0x0E, 12), SlotModeBits{});
  EXPECT_EQ(SlotModeBitsOf(0x0E, 13), SlotModeBits{});
}

TEST(ApplyDescriptorTest, LargeCountsAndAddressesSplitOverTheirBytes) {
  SlotDescriptorFields fields;
  fields.timeUnit = 4;
  fields.entryCount = 300;
  fields.modes = {true, true, true, true};
  fields.keyUsage = 0x29;
  fields.consumerUsage = 0x18A;
  fields.address = 0x3FF8;
  fields.strength = DescriptorStrengthByte(1, 99);
  const SlotDescriptor d = EncodeSlotDescriptor(fields);
  const uint8_t expected[10] = {0x03, 0x80 | 0x2C, 0x29, 0x8A, 0x01, 0xF8, 0xC0 | 0x3F, 0x40 | 0x02,
                                0xE3, 0x00};
  EXPECT_EQ(std::memcmp(&d, expected, sizeof expected), 0);
  EXPECT_EQ(DescriptorStrengthByte(3, 200), 0x48);  // (3 << 7) + 200 as a byte

  // A count beyond the 13 bits (only images far larger than any macro memory have one) and
  // an address beyond 14 bits never reach the mode bits.
  fields.entryCount = 0x7FFF;
  fields.modes = {};
  fields.address = 0xFFFF;
  const SlotDescriptor wide = EncodeSlotDescriptor(fields);
  EXPECT_EQ(wide.entriesLowAndA, 0x7F);
  EXPECT_EQ(wide.addressHighAndBC, 0x3F);
  EXPECT_EQ(wide.entriesHighAndD, 0x3F);
}

TEST(ApplySlotsTest, FirstKeyLengthIsTheImageSizeBeforeTheCap) {
  // 180 steps of 10 s at 1 ms ticks: 79 entries each, 2 + 2 x 14220 -> 28448 bytes.
  MacroCatalog macros;
  macros[256] = KeyMacro{MacroKind::kUser, MakeLongMacro(180, 10000)};
  macros[257] = KeyMacro{MacroKind::kUser, MakeMacro(u"S", 0, 1, {{0x04, kActionPress, 1}})};
  PositionTables positions;
  positions.keyCode[1][0] = 0x0D;
  positions.function[1][0] = 256;
  positions.keyCode[1][1] = 0x0D;
  positions.function[1][1] = 257;
  const SlotPlan plan = PlanSlots(positions, macros, 1, 1);
  ASSERT_TRUE(plan.firstKeyImageBytes.has_value());
  EXPECT_EQ(*plan.firstKeyImageBytes, 28448);
  EXPECT_EQ(plan.addresses[1][0], 0x400);
  EXPECT_EQ(plan.addresses[1][1], 0x400 + 0x2000);  // the allocation is capped
  EXPECT_EQ(plan.nextFreeAddress, 0x2408);

  // Another configuration current: no first-key length.
  EXPECT_FALSE(PlanSlots(positions, macros, 0, 1).firstKeyImageBytes.has_value());
}

TEST(ApplySlotsTest, RecoilImagesAreWrittenOnceAndBuiltInImagesAtEverySlot) {
  MacroCatalog macros;
  macros[33] = KeyMacro{MacroKind::kBuiltIn, MakeMacro(u"C", 0, 1, {{0x04, kActionPress, 1}})};
  macros[50] = KeyMacro{MacroKind::kRecoil, MakeMacro(u"G", 0, 1, {{0x04, kActionPress, 1}})};
  PositionTables positions;
  for (int c : {0, 2}) {
    positions.keyCode[c][0] = 0x0D;
    positions.function[c][0] = 33;
    positions.keyCode[c][1] = 0x1E;
    positions.function[c][1] = 50;
  }
  const SlotPlan plan = PlanSlots(positions, macros, 0, 1);
  ASSERT_EQ(plan.images.size(), 4u);
  EXPECT_EQ(plan.images[2].address, 0x400);  // configuration 2 shares both addresses
  EXPECT_FALSE(plan.images[2].writtenByEarlierSlot);
  EXPECT_EQ(plan.images[3].address, 0x408);
  EXPECT_TRUE(plan.images[3].writtenByEarlierSlot);
  EXPECT_EQ(plan.nextFreeAddress, 0x410);
}

// Counts the lookups; group 0 holds two macros, the recoil table one.
class CountingMacroSource final : public MacroSource {
 public:
  MacroRecord BuiltIn(int index) override {
    ++builtIn;
    return MakeMacro(u"C", static_cast<uint8_t>(index), 1, {});
  }
  std::optional<MacroRecord> Recoil(int index) override {
    ++recoil;
    if (index != 0) return std::nullopt;
    return MakeMacro(u"G", 0, 1, {});
  }
  std::optional<MacroRecord> User(int group, int index) override {
    ++user;
    if (group != 0 || index < 0 || index > 1) return std::nullopt;
    return MakeMacro(u"U", 2, 1, {});
  }
  int builtIn = 0;
  int recoil = 0;
  int user = 0;
};

TEST(ApplyMacroCatalogTest, EachFunctionIsLookedUpOnceAndDanglingKeysBecomeZero) {
  ApplySettingsSnapshot snapshot;
  snapshot.keyCount = 4;
  const int32_t functions[4][4] = {{256, 257, 258, 50},
                                   {256, 51, 33, 42},
                                   {258, 1, 23, 0},
                                   {256, 257, 50, 33}};
  for (int c = 0; c < 4; ++c) {
    for (int k = 0; k < 4; ++k) snapshot.keys[c][k].function = functions[c][k];
  }
  snapshot.keys[0][5].function = 259;  // beyond the key count: not looked at

  CountingMacroSource source;
  const ResolvedMacros resolved = ResolveKeyMacros(snapshot, source);
  EXPECT_EQ(source.user, 3);  // 256, 257, 258 once each
  EXPECT_EQ(source.recoil, 2);
  EXPECT_EQ(source.builtIn, 1);
  EXPECT_EQ(resolved.catalog.size(), 4u);  // 256, 257, 50, 33
  const std::vector<DanglingKey> dangling = {{0, 2, 258}, {1, 1, 51}, {2, 0, 258}};
  EXPECT_EQ(resolved.dangling, dangling);
  EXPECT_EQ(snapshot.keys[0][2].function, 0);
  EXPECT_EQ(snapshot.keys[2][0].function, 0);
  EXPECT_EQ(snapshot.keys[0][5].function, 259);
  EXPECT_EQ(resolved.catalog.at(256).kind, MacroKind::kUser);
  EXPECT_EQ(resolved.catalog.at(33).kind, MacroKind::kBuiltIn);
}

}  // namespace
}  // namespace gm
