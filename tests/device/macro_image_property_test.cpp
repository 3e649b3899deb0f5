// The image size against the encoded bytes over many generated records, and records whose
// counts and indices break every limit (as a macro file can carry them).

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "device/macro_image.h"
#include "device/macro_image_test_support.h"

namespace gm {
namespace {

using test::AddKey;
using test::AddLighting;
using test::AddStep;
using test::Bytes;
using test::EmptyRecord;

int R8(int n) { return (n + 7) / 8 * 8; }

// The image size written out from the record's own counters, term by term.
struct ExpectedSizes {
  int entryCount = 0;
  int stepArea = 0;
  int lightingArea = 0;
  int blockArea = 0;
};

ExpectedSizes SizesFromCounters(const MacroRecord& r, MacroKind kind, int tickMs) {
  ExpectedSizes s;
  for (int i = 0; i < r.stepCount; ++i) {
    const int t = std::min<int>(r.delayMs[i], 10000) / tickMs;
    s.entryCount += 1 + (t > 127 ? t / 127 : 0);
  }
  if (r.stepCount == 0 && kind != MacroKind::kBuiltIn) s.entryCount = 3;
  s.stepArea = R8(2 + 2 * (s.entryCount + 2 * r.countF6 + r.countF7 + r.countF8 + r.countFA +
                           r.countF9 + r.countFB));
  for (int b = 0; b < r.countF9; ++b) s.lightingArea += R8(4 * r.ledBlocks[b].length + 4);
  for (int b = 0; b < r.countFB; ++b) s.blockArea += R8(4 * r.fbBlocks[b].length + 4);
  return s;
}

// A record that keeps every limit, with every step given a full entry.
MacroRecord GenerateRecord(std::mt19937& rng) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto delay = [&]() -> uint16_t {
    switch (pick(0, 3)) {
      case 0: return 0;
      case 1: return static_cast<uint16_t>(pick(1, 130));
      case 2: return static_cast<uint16_t>(pick(1, 1200));
      default: return static_cast<uint16_t>(pick(0, 65535));
    }
  };
  MacroRecord r = EmptyRecord(static_cast<uint16_t>(pick(1, 65535)));
  r.playMode = static_cast<uint8_t>(pick(0, 15));
  const int steps = pick(0, 3) == 0 ? pick(0, 3) : pick(0, kMaxMacroSteps);
  for (int s = 0; s < steps; ++s) {
    const auto press = static_cast<uint8_t>(pick(kActionPress, kActionRelease));
    const auto x = static_cast<uint16_t>(pick(0, 200));
    switch (pick(0, 8)) {
      case 0: AddKey(r, kStepPause, 0, delay()); break;
      case 1: AddKey(r, static_cast<uint8_t>(pick(4, 231)), press, delay()); break;
      case 2: AddKey(r, static_cast<uint8_t>(pick(0xF1, 0xF3)), press, delay()); break;
      case 3:
        if (r.countF6 < kMaxMoveSteps) {
          AddStep(r, kStepMove, static_cast<uint8_t>(pick(3, 6)), x,
                  static_cast<uint16_t>(pick(0, 200)), delay());
        }
        break;
      case 4:
        if (r.countF8 < kMaxSpecialSteps) {
          AddStep(r, kStepDpi, static_cast<uint8_t>(pick(9, 10)), x, 0, delay());
        }
        break;
      case 5:
        if (r.countF9 < kMaxSpecialSteps) {
          AddLighting(r, static_cast<uint8_t>(pick(13, 15)), static_cast<uint8_t>(pick(1, 16)),
                      delay());
        }
        break;
      case 6:
        if (r.countF7 < kMaxSpecialSteps) AddStep(r, kStepCounted, press, x, 0, delay());
        break;
      case 7:
        if (r.countFA < kMaxSpecialSteps) AddStep(r, kStepMultimedia, press, x, 0, delay());
        break;
      default:
        if (r.countFB < kMaxSpecialSteps) {
          r.fbBlocks[r.countFB].length = static_cast<uint8_t>(pick(1, 16));
          AddStep(r, kStepBlock, press, r.countFB, 0, delay());
        }
        break;
    }
  }
  return r;
}

uint16_t WordAt(const Bytes& image, size_t at) {
  return static_cast<uint16_t>(image[at] | image[at + 1] << 8);
}

// Reads the step area back step by step and checks it against the record; returns the
// offset after the last entry.
size_t DecodeAndCheck(const Bytes& image, const MacroRecord& r, uint32_t address, int tickMs) {
  size_t at = 2;
  for (int i = 0; i < r.stepCount; ++i) {
    SCOPED_TRACE(testing::Message() << "step " << i << " code " << int{r.code[i]});
    const uint8_t code = r.code[i];
    const uint8_t tickField = image.at(at);
    EXPECT_EQ(image.at(at + 1), code);
    const bool pressed = (code != kStepPause && code != kStepMove && code != kStepLighting &&
                          r.action[i] == kActionPress) ||
                         (code == kStepDpi && r.action[i] == kActionDpiSet);
    EXPECT_EQ((tickField & 0x80) != 0, pressed);
    int ticks = tickField & 0x7F;
    at += 2;
    if (code == kStepMove) {
      const int sx = r.action[i] >= 5 ? 1 : -1;
      const int sy = r.action[i] % 2 == 0 ? 1 : -1;
      EXPECT_EQ(static_cast<int16_t>(WordAt(image, at)), sx * r.xy[i].x);
      EXPECT_EQ(static_cast<int16_t>(WordAt(image, at + 2)), sy * r.xy[i].y);
      at += 4;
    } else if (code == kStepDpi) {
      EXPECT_EQ(WordAt(image, at), r.xy[i].x);
      at += 2;
    } else if (code == kStepLighting) {
      const uint32_t piece = (image.at(at) | (image.at(at + 1) & 0x3F) << 8) - address;
      EXPECT_EQ(image.at(at + 1) >> 6, r.action[i] - kActionLight0);
      const MacroLedBlock& block = r.ledBlocks[r.xy[i].x];
      EXPECT_EQ(image.at(piece), block.length - 1);
      EXPECT_EQ(0, std::memcmp(&image.at(piece + 4), block.entries, 4u * block.length));
      at += 2;
    }
    const int total = std::min<int>(r.delayMs[i], 10000) / tickMs;
    const int pairs = total > 127 ? total / 127 : 0;
    for (int p = 0; p < pairs; ++p, at += 2) {
      EXPECT_TRUE(image.at(at) == 0x7F || image.at(at) == 0x00);
      EXPECT_EQ(image.at(at + 1), 0);
      ticks += image.at(at);
    }
    EXPECT_EQ(ticks, std::max(total, 1));
  }
  return at;
}

TEST(MacroImagePropertyTest, SizeFormulaMatchesTheEncodedBytes) {
  std::mt19937 rng(20240611);
  const int ticks[] = {1, 2, 4, 8};
  const MacroKind kinds[] = {MacroKind::kBuiltIn, MacroKind::kRecoil, MacroKind::kUser};
  for (int n = 0; n < 1500; ++n) {
    SCOPED_TRACE(n);
    const MacroRecord original = GenerateRecord(rng);
    const int tick = ticks[n % 4];
    const MacroKind kind = kinds[n % 3];
    const auto address = static_cast<uint32_t>(0x400 + 8 * (rng() % 0x700));
    const MacroRecord r = PrepareMacroForImage(original, kind);
    ASSERT_LE(r.stepCount, kMaxMacroSteps);
    ASSERT_LE(r.countF6, kMaxMoveSteps);

    const ExpectedSizes expected = SizesFromCounters(r, kind, tick);
    const MacroImageBuild build = BuildMacroImage(original, kind, address, tick);
    ASSERT_EQ(build.layout.entryCount, expected.entryCount);
    ASSERT_EQ(build.layout.stepAreaBytes, expected.stepArea);
    ASSERT_EQ(build.layout.lightingAreaBytes, expected.lightingArea);
    ASSERT_EQ(build.layout.blockAreaBytes, expected.blockArea);
    const Bytes& image = build.image.bytes;
    ASSERT_EQ(image.size(), static_cast<size_t>(expected.stepArea + expected.lightingArea +
                                                expected.blockArea));

    const bool overLimit =
        r.countF9 > 0 && address + expected.stepArea + expected.lightingArea - 1 > 0x4000;
    ASSERT_EQ(build.encoding.addressLimitExceeded, overLimit);
    if (overLimit) continue;
    EXPECT_TRUE(build.encoding.issues.empty());

    const size_t end = DecodeAndCheck(image, r, address, tick);
    EXPECT_EQ(static_cast<int>(end), build.encoding.stepEntriesEnd);
    // What the step area holds beyond the entries: two bytes per 0xF7, 0xFA, 0xFB step and
    // the rounding.
    EXPECT_EQ(R8(static_cast<int>(end) + 2 * (r.countF7 + r.countFA + r.countFB)),
              expected.stepArea);
    for (size_t k = end; k < static_cast<size_t>(expected.stepArea); ++k) EXPECT_EQ(image[k], 0);
    EXPECT_EQ(build.encoding.lightingEnd, expected.stepArea + expected.lightingArea);
    for (size_t k = expected.stepArea + expected.lightingArea; k < image.size(); ++k) {
      EXPECT_EQ(image[k], 0);
    }
  }
}

// --- Records that break the limits --------------------------------------------------------

TEST(MacroImageCorruptTest, StepCountBeyondTheArraysEncodesOneHundredEightySteps) {
  MacroRecord r = EmptyRecord();
  for (int i = 0; i < kMaxMacroSteps; ++i) AddKey(r, 0x04, kActionPress, 1);
  r.stepCount = 0xFFFF;
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x400, 1);
  EXPECT_EQ(build.image.entryCount, kMaxMacroSteps);
  EXPECT_EQ(build.encoding.stepEntriesEnd, 2 + 2 * kMaxMacroSteps);
}

TEST(MacroImageCorruptTest, CountersTooSmallStillLeaveRoomForEveryEntry) {
  MacroRecord r = EmptyRecord();
  for (int i = 0; i < 60; ++i) AddStep(r, kStepMove, kActionMoveXPlusYPlus, 9, 9, 1);
  for (int i = 0; i < 8; ++i) AddStep(r, kStepDpi, kActionDpiSet, 2, 0, 1);
  r.countF6 = 0;
  r.countF8 = 1;
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x400, 1);
  EXPECT_EQ(build.encoding.stepEntriesEnd, 2 + 60 * 6 + 8 * 4);
  EXPECT_LE(build.encoding.stepEntriesEnd, build.layout.stepAreaBytes);
  EXPECT_EQ(test::Slice(build.image.bytes, 2 + 59 * 6, 10),
            (Bytes{0x01, 0xF6, 9, 0, 9, 0, 0x81, 0xF8, 2, 0}));
}

TEST(MacroImageCorruptTest, CountersAboveTheirLimitsReserveOnlyTheLimit) {
  MacroRecord r = EmptyRecord();
  AddKey(r, 0x04, kActionPress, 1);
  r.countF6 = r.countF7 = r.countF8 = r.countFA = 0xFFFF;
  r.countF9 = r.countFB = 0xFF;
  for (MacroLedBlock& b : r.fbBlocks) b.length = 1;
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x400, 1);
  EXPECT_EQ(build.layout.stepAreaBytes, R8(2 + 2 * (1 + 2 * 50 + 5 * 5)));
  EXPECT_EQ(build.layout.lightingAreaBytes, 5 * 8);
  EXPECT_EQ(build.layout.blockAreaBytes, 5 * 8);
}

TEST(MacroImageCorruptTest, LightingStepsBeyondTheBlocksGetNoEntry) {
  MacroRecord r = EmptyRecord();
  for (int i = 0; i < 5; ++i) AddLighting(r, kActionLight0, 1, 1);
  AddStep(r, kStepLighting, kActionLight0, 0, 0, 1);              // sixth: no block left
  r.countF9 = 200;
  r.xy[1].x = kNoBlockIndex;                                      // no block of its own
  r.xy[2].x = 5;                                                  // beyond the blocks
  r.xy[3].x = 0x103;                                              // x AND 0xFF = block 3
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x400, 1);
  EXPECT_EQ(build.encoding.issues,
            (std::vector<MacroImageIssue>{MacroImageIssue::kLightingBlockIndexOutOfRange,
                                          MacroImageIssue::kLightingBlockIndexOutOfRange}));
  // Steps 0, 3, 4, 5 get entries and pieces of blocks 0, 3, 4, 0.
  EXPECT_EQ(build.encoding.stepEntriesEnd, 2 + 4 * 4);
  EXPECT_EQ(build.encoding.lightingEnd, build.layout.stepAreaBytes + 4 * 8);
  EXPECT_LE(build.encoding.lightingEnd,
            build.layout.stepAreaBytes + build.layout.lightingAreaBytes);

  MacroRecord capped = EmptyRecord();
  for (int i = 0; i < 5; ++i) AddLighting(capped, kActionLight0, 1, 1);
  AddStep(capped, kStepLighting, kActionLight0, 0, 0, 1);
  capped.countF9 = 5;  // as step insertion leaves a sixth lighting step
  EXPECT_EQ(BuildMacroImage(capped, MacroKind::kUser, 0x400, 1).encoding.issues,
            std::vector<MacroImageIssue>{MacroImageIssue::kLightingStepWithoutBlock});
}

TEST(MacroImageCorruptTest, BlockLengthIsBoundedToTheBlock) {
  MacroRecord r = EmptyRecord();
  AddLighting(r, kActionLight0, 255, 1);
  AddLighting(r, kActionLight1, 0, 1);
  const MacroImageBuild build = BuildMacroImage(r, MacroKind::kUser, 0x400, 1);
  const Bytes& image = build.image.bytes;
  ASSERT_EQ(build.layout.lightingAreaBytes, 72 + 8);
  const size_t s = static_cast<size_t>(build.layout.stepAreaBytes);
  EXPECT_EQ(image[s], 15);  // 16 entries
  EXPECT_EQ(0, std::memcmp(&image[s + 4], r.ledBlocks[0].entries, 64));
  EXPECT_EQ(image[s + 72], 0);  // LEN 0 is carried as one entry
  EXPECT_EQ(test::Slice(image, s + 76, 4), (Bytes{0x11, 0x12, 0x13, 0x14}));
}

TEST(MacroImageCorruptTest, RandomRecordBytesNeverLeaveTheBuffer) {
  std::mt19937 rng(7);
  for (int n = 0; n < 400; ++n) {
    MacroRecord r;
    auto* raw = reinterpret_cast<unsigned char*>(&r);
    for (size_t k = 0; k < sizeof r; ++k) raw[k] = static_cast<unsigned char>(rng());
    if (n % 2 == 0) {  // many steps of the kinds that carry parameters
      for (int i = 0; i < kMaxMacroSteps; ++i) {
        r.code[i] = static_cast<uint8_t>(0xF5 + rng() % 8);
        r.xy[i].x = static_cast<uint16_t>(rng() % 8);
      }
    }
    const int tick = static_cast<int>(rng() % 10) - 1;
    const auto kind = static_cast<MacroKind>(rng() % 3);
    const auto address = static_cast<uint32_t>(rng() % 0x5000);
    const MacroImageBuild build = BuildMacroImage(r, kind, address, tick);
    EXPECT_FALSE(build.encoding.truncated);
    EXPECT_LE(build.encoding.stepEntriesEnd, build.layout.stepAreaBytes);
    EXPECT_LE(build.encoding.lightingEnd,
              build.layout.stepAreaBytes + build.layout.lightingAreaBytes);

    // The same record into a short buffer with guards either side.
    const MacroRecord prepared = PrepareMacroForImage(r, kind);
    std::vector<uint8_t> guarded(64 + 2 * 16, 0xCC);
    const auto out = std::span<uint8_t>(guarded).subspan(16, 64);
    const MacroImageEncoding short_ = EncodeMacroImage(prepared, kind, address, tick, out);
    EXPECT_EQ(short_.bytesNeeded, build.layout.imageBytes);
    EXPECT_EQ(short_.truncated, build.layout.imageBytes > 64);
    for (size_t k = 0; k < 16; ++k) {
      EXPECT_EQ(guarded[k], 0xCC);
      EXPECT_EQ(guarded[guarded.size() - 1 - k], 0xCC);
    }
    const size_t common = std::min<size_t>(64, build.image.bytes.size());
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(common),
                           build.image.bytes.begin()));
  }
}

}  // namespace
}  // namespace gm
