#include "device/macro_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "device/macro_image_test_support.h"
#include "support/message_recorder.h"

namespace gm {
namespace {

using test::AddKey;
using test::AddLighting;
using test::AddStep;
using test::Bytes;
using test::Encode;
using test::EmptyRecord;
using test::Slice;

constexpr size_t kFirstEntry = kMacroImageHeaderBytes;

Bytes Pairs(int full, int empty) {
  Bytes bytes;
  for (int k = 0; k < full; ++k) bytes.insert(bytes.end(), {0x7F, 0x00});
  for (int k = 0; k < empty; ++k) bytes.insert(bytes.end(), {0x00, 0x00});
  return bytes;
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// --- Delays -------------------------------------------------------------------------------

TEST(MacroImageDelayTest, LongDelaysBecomeExtensionPairsAfterTheEntry) {
  MacroRecord r = EmptyRecord();
  AddKey(r, 0x04, kActionPress, 300);  // 46 + 2 x 127
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x400, 1);
  EXPECT_EQ(Slice(build.image.bytes, kFirstEntry, 6), (Bytes{0xAE, 0x04, 0x7F, 0x00, 0x7F, 0x00}));
  EXPECT_EQ(build.image.entryCount, 3);

  // 254 ticks: 127 in the entry, one full pair and one empty pair.
  MacroRecord even = EmptyRecord();
  AddKey(even, 0x04, kActionRelease, 254);
  EXPECT_EQ(Slice(Encode(even), kFirstEntry, 6), (Bytes{0x7F, 0x04, 0x7F, 0x00, 0x00, 0x00}));
}

TEST(MacroImageDelayTest, DelayIsCappedAtTenSecondsBeforeTheTickDivision) {
  MacroRecord r = EmptyRecord();
  AddKey(r, 0x04, kActionRelease, 20000);  // 10000 ms / 2 = 5000 ticks = 47 + 39 x 127
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x400, 2);
  EXPECT_EQ(Slice(build.image.bytes, kFirstEntry, 2 + 78),
            Concat(Bytes{47, 0x04}, Pairs(39, 0)));
  EXPECT_EQ(build.image.entryCount, 40);
  EXPECT_EQ(DelayTicks(65535, 1), 10000);
}

TEST(MacroImageDelayTest, ZeroOrSubTickDelayStillTakesOneTick) {
  for (const auto& [delay, tick] : {std::pair{0, 1}, std::pair{7, 8}, std::pair{1, 2}}) {
    MacroRecord r = EmptyRecord();
    AddKey(r, 0x05, kActionRelease, static_cast<uint16_t>(delay));
    const Bytes image = Encode(r, tick);
    EXPECT_EQ(Slice(image, kFirstEntry, 4), (Bytes{0x01, 0x05, 0x00, 0x00}))
        << delay << "/" << tick;
  }
}

TEST(MacroImageDelayTest, TickLengthBelowOneCountsAsOne) {
  EXPECT_EQ(DelayTicks(300, 0), 300);
  EXPECT_EQ(DelayTicks(300, -4), 300);
  MacroRecord r = EmptyRecord();
  AddKey(r, 0x04, kActionPress, 300);
  EXPECT_EQ(Encode(r, 0), Encode(r, 1));
}

// --- Step entries -------------------------------------------------------------------------

TEST(MacroImageEntryTest, MovesCarrySignedDistances) {
  struct Case {
    uint8_t action;
    Bytes expected;
  };
  const Case cases[] = {
      {kActionMoveXMinusYPlus, {0x01, 0xF6, 0xFB, 0xFF, 0x07, 0x00}},
      {kActionMoveXMinusYMinus, {0x01, 0xF6, 0xFB, 0xFF, 0xF9, 0xFF}},
      {kActionMoveXPlusYMinus, {0x01, 0xF6, 0x05, 0x00, 0xF9, 0xFF}},
      {kActionMoveXPlusYPlus, {0x01, 0xF6, 0x05, 0x00, 0x07, 0x00}},
      {kActionNone, {0x01, 0xF6, 0x00, 0x00, 0x00, 0x00}},  // no direction: tick and code only
  };
  for (const Case& c : cases) {
    MacroRecord r = EmptyRecord();
    AddStep(r, kStepMove, c.action, 5, 7, 1);
    EXPECT_EQ(Slice(Encode(r), kFirstEntry, 6), c.expected) << int{c.action};
  }
}

TEST(MacroImageEntryTest, DpiStepsByAction) {
  struct Case {
    uint8_t action;
    uint16_t x;
    Bytes expected;
  };
  const Case cases[] = {
      {kActionDpiSet, 4, {0x8A, 0xF8, 0x04, 0x00}},
      {kActionDpiRestore, 4, {0x0A, 0xF8, 0x04, 0x00}},
      {kActionPress, 0x1234, {0x00, 0xF8, 0x34, 0x00}},  // any other action: tick field 0
  };
  for (const Case& c : cases) {
    MacroRecord r = EmptyRecord();
    AddStep(r, kStepDpi, c.action, c.x, 0, 10);
    EXPECT_EQ(Slice(Encode(r), kFirstEntry, 4), c.expected) << int{c.action};
  }
}

TEST(MacroImageEntryTest, KeysAndUnparameterisedCodesPressAndRelease) {
  MacroRecord r = EmptyRecord();
  AddKey(r, kStepLeftButton, kActionPress, 5);
  AddStep(r, kStepMultimedia, kActionPress, 0x183, 0, 5);
  AddStep(r, kStepCounted, kActionRelease, 1, 0, 5);
  AddKey(r, 0x1D, kActionNone, 300);  // no entry, pairs still written
  AddKey(r, kStepPause, 7, 3);        // a pause ignores its action
  AddKey(r, 0x1D, kActionRelease, 2);
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x400, 1);
  EXPECT_EQ(Slice(build.image.bytes, kFirstEntry, 16),
            (Bytes{0x85, 0xF1, 0x85, 0xFA, 0x05, 0xF7, 0x7F, 0x00, 0x7F, 0x00, 0x03, 0x00,
                   0x02, 0x1D, 0x00, 0x00}));
  EXPECT_EQ(build.image.entryCount, 8);
  // S counts two bytes per step and pair and two more per 0xF7 and 0xFA step.
  EXPECT_EQ(build.layout.stepAreaBytes, RoundUpToImageAlignment(2 + 2 * (8 + 2)));
}

TEST(MacroImageEntryTest, HeaderCarriesRepeatCountOnlyForModesZeroAndThree) {
  for (const auto& [mode, expected] :
       {std::pair{0x00, 0x0302}, std::pair{0x03, 0x0302}, std::pair{0x01, 1}, std::pair{0x09, 1},
        std::pair{0x0E, 1}}) {
    MacroRecord r = EmptyRecord(0x0302);
    r.playMode = static_cast<uint8_t>(mode);
    AddKey(r, 0x04, kActionPress, 100);  // 100 ms: no repetition for mode 2
    const Bytes image = Encode(r);
    EXPECT_EQ(image[0] | image[1] << 8, expected) << mode;
  }
}

TEST(MacroImageEntryTest, BuiltInMacroIsEncodedWithPlayModeZeroAndNotRepeated) {
  MacroRecord r = EmptyRecord(7);
  r.playMode = kPlayModeDevice2;
  AddKey(r, 0x04, kActionPress, 3);
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kBuiltIn, 0x400, 1);
  EXPECT_EQ(Slice(build.image.bytes, 0, 4), (Bytes{7, 0, 0x83, 0x04}));
  EXPECT_EQ(build.image.entryCount, 1);
}

TEST(MacroImageEntryTest, MacroWithoutStepsReportsThreeEntriesUnlessBuiltIn) {
  const MacroRecord r = EmptyRecord(2);
  for (MacroKind kind : {MacroKind::kUser, MacroKind::kRecoil}) {
    const MacroImageBuild build = BuildMacroImage(r, kind, 0x400, 1);
    EXPECT_EQ(build.image.entryCount, 3);
    EXPECT_EQ(build.image.bytes, (Bytes{2, 0, 0, 0, 0, 0, 0, 0}));
  }
  const MacroImageBuild builtIn = BuildMacroImage(r, MacroKind::kBuiltIn, 0x400, 1);
  EXPECT_EQ(builtIn.image.entryCount, 0);
  EXPECT_EQ(builtIn.image.bytes.size(), 8u);
}

// --- Lighting -----------------------------------------------------------------------------

TEST(MacroImageLightingTest, OneLightingStepGivesAPieceAfterTheStepArea) {
  MacroRecord r = EmptyRecord();
  AddLighting(r, kActionLight1, 1, 1);
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x420, 1);
  EXPECT_EQ(build.layout.stepAreaBytes, 8);
  EXPECT_EQ(build.layout.lightingAreaBytes, 8);
  // Entry: tick 1, 0xF9, piece address 0x428 with light 1's bit; piece: LEN - 1, three zero
  // bytes, the one entry.
  EXPECT_EQ(build.image.bytes, (Bytes{0x01, 0x00, 0x01, 0xF9, 0x28, 0x44, 0x00, 0x00,  //
                                      0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04}));
  EXPECT_TRUE(build.encoding.issues.empty());
}

TEST(MacroImageLightingTest, PiecesFollowInStepOrderRoundedToEight) {
  MacroRecord r = EmptyRecord();
  AddLighting(r, kActionLight2, 2, 1);  // 12 bytes -> 16
  AddLighting(r, kActionLight0, 3, 1);  // 16 bytes
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x3F00, 1);
  const Bytes& image = build.image.bytes;
  ASSERT_EQ(build.layout.stepAreaBytes, 16);  // R(2 + 2 x (2 + 2))
  ASSERT_EQ(image.size(), 16u + 16 + 16);
  EXPECT_EQ(Slice(image, 2, 8), (Bytes{0x01, 0xF9, 0x10, 0xBF, 0x01, 0xF9, 0x20, 0x3F}));
  EXPECT_EQ(Slice(image, 16, 16), (Bytes{0x01, 0, 0, 0, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06,
                                         0x07, 0x08, 0, 0, 0, 0}));
  EXPECT_EQ(image[32], 0x02);
  EXPECT_EQ(Slice(image, 36, 12), (Bytes{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19,
                                         0x1A, 0x1B, 0x1C}));
}

TEST(MacroImageLightingTest, LightingStepWithoutCounterGetsNoEntryButItsPairs) {
  test::MessageRecorder recorder;
  MacroRecord r = EmptyRecord();
  AddLighting(r, kActionLight0, 1, 300);
  r.countF9 = 0;
  AddKey(r, 0x04, kActionRelease, 1);
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x400, 1);
  EXPECT_EQ(build.encoding.issues,
            std::vector<MacroImageIssue>{MacroImageIssue::kLightingStepWithoutBlock});
  EXPECT_EQ(Slice(build.image.bytes, 2, 6), (Bytes{0x7F, 0x00, 0x7F, 0x00, 0x01, 0x04}));
  EXPECT_EQ(build.layout.lightingAreaBytes, 0);
  EXPECT_EQ(build.image.bytes.size(), 16u);  // R(2 + 2 x 4)
  ShowMacroImageIssues(build.encoding.issues);
  EXPECT_EQ(recorder.englishTexts(), std::vector<std::u16string>{u"Error!"});
}

TEST(MacroImageLightingTest, InvalidLightingActionIsReportedAndEncodedAsLightZero) {
  MacroRecord r = EmptyRecord();
  AddLighting(r, kActionPress, 1, 1);
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x420, 1);
  EXPECT_EQ(build.encoding.issues,
            std::vector<MacroImageIssue>{MacroImageIssue::kLightingActionInvalid});
  EXPECT_EQ(Slice(build.image.bytes, 2, 4), (Bytes{0x01, 0xF9, 0x28, 0x04}));
}

TEST(MacroImageLightingTest, PieceEndingAboveTheAddressLimitStopsTheEncoding) {
  MacroRecord r = EmptyRecord();
  AddLighting(r, kActionLight0, 1, 1);
  // At 0x3FF0 the piece takes 0x3FF8..0x3FFF: fine.
  EXPECT_FALSE(BuildMacroImage(r, MacroKind::kUser, 0x3FF0, 1).encoding.addressLimitExceeded);

  AddKey(r, 0x04, kActionPress, 1);
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x3FF8, 1);
  EXPECT_TRUE(build.encoding.addressLimitExceeded);
  EXPECT_EQ(build.encoding.issues,
            std::vector<MacroImageIssue>{MacroImageIssue::kLightingAboveAddressLimit});
  EXPECT_EQ(build.image.bytes[6], 0x00) << "steps after the failing piece are not encoded";
}

// --- Repetition of short mode-2 macros ----------------------------------------------------

TEST(MacroImageRepeatTest, ShortModeTwoMacroIsRepeatedUpToFortyMilliseconds) {
  MacroRecord r = EmptyRecord();
  r.playMode = kPlayModeDevice2;
  AddStep(r, kStepDpi, kActionDpiSet, 4, 0, 3);
  AddStep(r, kStepMove, kActionMoveXPlusYPlus, 2, 3, 5);
  const MacroRecord prepared = PrepareMacroForImage(r, MacroKind::kUser);  // sum 9: factor 4
  EXPECT_EQ(prepared.stepCount, 8);
  EXPECT_EQ(prepared.countF6, 4);
  EXPECT_EQ(prepared.countF8, 1);
  for (int i = 2; i < 8; i += 2) {
    EXPECT_EQ(prepared.code[i], kStepPause) << "a copied code above 0xF6 becomes a pause";
    EXPECT_EQ(prepared.action[i], kActionDpiSet);
    EXPECT_EQ(prepared.delayMs[i], 3);
    EXPECT_EQ(prepared.code[i + 1], kStepMove);
    EXPECT_EQ(prepared.xy[i + 1].y, 3);
  }
  EXPECT_EQ(BuildMacroImage(r, MacroKind::kRecoil, 0x400, 1).image.entryCount, 8);

  MacroRecord longer = r;
  longer.delayMs[0] = 10;
  longer.delayMs[1] = 10;  // sum 21: factor 1
  EXPECT_EQ(PrepareMacroForImage(longer, MacroKind::kUser).stepCount, 2);
  MacroRecord otherBits = r;
  otherBits.playMode = 0x06;  // mode 2, but the whole byte is not 2
  EXPECT_EQ(PrepareMacroForImage(otherBits, MacroKind::kUser).stepCount, 2);
}

TEST(MacroImageRepeatTest, RepetitionStaysWithinOneHundredEightyStepsAndFiftyMoves) {
  MacroRecord seven = EmptyRecord();
  seven.playMode = kPlayModeDevice2;
  for (int i = 0; i < 7; ++i) AddKey(seven, 0x04, kActionPress, 0);  // factor 40
  EXPECT_EQ(PrepareMacroForImage(seven, MacroKind::kUser).stepCount, 175);  // 25 whole copies

  MacroRecord moves = EmptyRecord();
  moves.playMode = kPlayModeDevice2;
  for (int i = 0; i < 4; ++i) AddStep(moves, kStepMove, kActionMoveXPlusYPlus, 1, 1, 0);
  const MacroRecord prepared = PrepareMacroForImage(moves, MacroKind::kUser);
  EXPECT_EQ(prepared.stepCount, 48);
  EXPECT_EQ(prepared.countF6, 48);

  MacroRecord out;
  EXPECT_EQ(RepeatMacroSteps(out, seven, 181, 4).stepCount, 7);
  EXPECT_EQ(RepeatMacroSteps(out, seven, 7, 1).stepCount, 7);
  EXPECT_EQ(RepeatMacroSteps(out, seven, 0, 9).stepCount, 7);
  EXPECT_EQ(RepeatMacroSteps(out, seven, 7, 3).stepCount, 21);
}

// --- Sizes and the fixed key image --------------------------------------------------------

TEST(MacroImageSizeTest, AllocationIsCappedAndAligned) {
  EXPECT_EQ(MacroImageAllocationBytes(13), 16);
  EXPECT_EQ(MacroImageAllocationBytes(0x1FF9), 0x2000);
  EXPECT_EQ(MacroImageAllocationBytes(0x5000), 0x2000);
}

TEST(MacroImageSizeTest, KeyFunctionImageIsFixed) {
  const auto image = KeyFunctionImage(0x04);
  EXPECT_EQ(Bytes(image.begin(), image.end()), (Bytes{0x01, 0x00, 0x80, 0x04, 0, 0, 0, 0}));
}

TEST(MacroImageSizeTest, ZeroFillBlockAreaFollowsTheLightingArea) {
  MacroRecord r = EmptyRecord();
  AddStep(r, kStepBlock, kActionPress, 0, 0, 1);
  r.fbBlocks[0].length = 3;  // 16 bytes
  r.fbBlocks[0].entries[0][0] = 0xEE;
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x400, 1);
  EXPECT_EQ(build.layout.blockAreaBytes, 16);
  EXPECT_EQ(build.image.bytes.size(), 8u + 16);
  EXPECT_EQ(Slice(build.image.bytes, 8, 16), Bytes(16, 0));
}

}  // namespace
}  // namespace gm
