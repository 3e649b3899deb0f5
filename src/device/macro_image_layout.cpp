// Sizes of a macro image, delay ticks, the preparation of a record (built-in play mode,
// repetition of short mode-2 macros) and the fixed keyboard-key image.

#include <algorithm>

#include "device/macro_image.h"

namespace gm {

namespace {

constexpr uint8_t kBlockIndexMask = 0xFF;  // a lighting step's x AND 0xFF names its block
constexpr uint8_t kRepeatedMacroPlayMode = kPlayModeDevice2;  // the whole mode byte

// Steps of each special code among the steps a layout walks.
struct CodeTally {
  int moves = 0;
  int counted = 0;
  int dpi = 0;
  int multimedia = 0;
  int lighting = 0;  // lighting steps that get an entry and a piece
  int block = 0;
};

// The room a counter reserves: its value within its limit, but at least what is present.
int RoomOf(int counter, int limit, int present) {
  return std::max(std::min(counter, limit), present);
}

int BlockAreaBytes(const MacroLedBlock (&blocks)[kMacroBlockCount], int counter) {
  int bytes = 0;
  for (int b = 0; b < UsableBlockCount(counter); ++b) {
    bytes += RoundUpToImageAlignment(LightingPieceBytes(blocks[b]));
  }
  return bytes;
}

}  // namespace

int LightingPieceEntries(const MacroLedBlock& block) {
  return std::clamp(static_cast<int>(block.length), 1, kMacroBlockEntries);
}

int LightingPieceBytes(const MacroLedBlock& block) {
  return kLightingPieceHeaderBytes + kLightingEntryBytesInPiece * LightingPieceEntries(block);
}

int MacroImageAllocationBytes(int imageBytes) {
  return RoundUpToImageAlignment(std::clamp(imageBytes, 0, kMacroImageAllocationCap));
}

int DelayTicks(uint16_t delayMs, int tickMs) {
  const int capped = std::min(static_cast<int>(delayMs), g_maxStepDelayMs);
  return capped / std::max(tickMs, 1);
}

DelaySplit SplitDelayTicks(int ticks) {
  DelaySplit split;
  int t = std::max(ticks, 0);
  const int pairs = t > kEntryTicksMax ? t / kEntryTicksMax : 0;
  for (int k = 0; k < pairs; ++k) {
    if (t > kEntryTicksMax) {
      ++split.fullPairs;
      t -= kEntryTicksMax;
    } else {
      ++split.emptyPairs;
    }
  }
  split.entryTicks = t == 0 ? 1 : t;
  return split;
}

LightingStepFate LightingStepFateOf(const MacroRecord& record, int step, int piecesPlacedBefore) {
  if (step < 0 || step >= UsableStepCount(record) ||
      piecesPlacedBefore >= UsableBlockCount(record.countF9)) {
    return LightingStepFate::kNoBlockLeft;
  }
  if (!IsUsableBlockIndex(record.xy[step].x & kBlockIndexMask)) {
    return LightingStepFate::kBlockIndexOutOfRange;
  }
  return LightingStepFate::kPlaced;
}

MacroImageLayout ComputeMacroImageLayout(const MacroRecord& prepared, MacroKind kind,
                                         int tickMs) {
  const MacroRecord& r = prepared;
  const int steps = UsableStepCount(r);
  MacroImageLayout layout;
  CodeTally present;
  int placedPieceBytes = 0;
  for (int i = 0; i < steps; ++i) {
    layout.entryCount += 1 + SplitDelayTicks(DelayTicks(r.delayMs[i], tickMs)).PairCount();
    switch (r.code[i]) {
      case kStepMove: ++present.moves; break;
      case kStepCounted: ++present.counted; break;
      case kStepDpi: ++present.dpi; break;
      case kStepMultimedia: ++present.multimedia; break;
      case kStepBlock: ++present.block; break;
      case kStepLighting:
        if (LightingStepFateOf(r, i, present.lighting) == LightingStepFate::kPlaced) {
          ++present.lighting;
          const MacroLedBlock& block = r.ledBlocks[r.xy[i].x & kBlockIndexMask];
          placedPieceBytes += RoundUpToImageAlignment(LightingPieceBytes(block));
        }
        break;
      default: break;
    }
  }
  if (steps == 0 && kind != MacroKind::kBuiltIn) layout.entryCount = kEmptyMacroEntryCount;

  // Each counted step may take more than the two bytes every step is counted with: a move
  // four more, a DPI or lighting step two more; 0xF7, 0xFA and 0xFB steps reserve two that
  // stay zero.
  const int extraWords = 2 * RoomOf(r.countF6, kMaxMoveSteps, present.moves) +
                         RoomOf(r.countF7, kMaxSpecialSteps, present.counted) +
                         RoomOf(r.countF8, kMaxSpecialSteps, present.dpi) +
                         RoomOf(r.countFA, kMaxSpecialSteps, present.multimedia) +
                         RoomOf(r.countF9, kMaxSpecialSteps, present.lighting) +
                         RoomOf(r.countFB, kMaxSpecialSteps, present.block);
  layout.stepAreaBytes =
      RoundUpToImageAlignment(kMacroImageHeaderBytes + 2 * (layout.entryCount + extraWords));
  layout.lightingAreaBytes = std::max(BlockAreaBytes(r.ledBlocks, r.countF9), placedPieceBytes);
  layout.blockAreaBytes = BlockAreaBytes(r.fbBlocks, r.countFB);
  layout.imageBytes = layout.stepAreaBytes + layout.lightingAreaBytes + layout.blockAreaBytes;
  return layout;
}

MacroRecord& RepeatMacroSteps(MacroRecord& out, MacroRecord record, int n, int factor) {
  out = record;
  if (n <= 0 || factor <= 1 || n > kMaxMacroSteps) return out;

  int movesPerCopy = 0;
  for (int i = 0; i < n; ++i) movesPerCopy += record.code[i] == kStepMove ? 1 : 0;

  // Whole repetitions only, as many as keep every index and the step count below 180 and the
  // move count within 50 (only zero delays read from a file can ask for more).
  int repetitions = factor - 1;
  repetitions = std::min(repetitions, kMaxMacroSteps / n - 1);
  repetitions = std::min(repetitions, std::max(kMaxMacroSteps - record.stepCount, 0) / n);
  if (movesPerCopy > 0) {
    repetitions = std::min(repetitions, std::max(kMaxMoveSteps - record.countF6, 0) / movesPerCopy);
  }

  for (int r = 1; r <= repetitions; ++r) {
    for (int i = 0; i < n; ++i) {
      const int to = r * n + i;
      out.action[to] = record.action[i];
      out.code[to] = record.code[i] > kStepMove ? kStepPause : record.code[i];
      out.xy[to] = record.xy[i];
      out.delayMs[to] = record.delayMs[i];
      ++out.stepCount;
      if (record.code[i] == kStepMove) ++out.countF6;
    }
  }
  return out;
}

MacroRecord PrepareMacroForImage(const MacroRecord& record, MacroKind kind) {
  MacroRecord prepared = record;
  if (kind == MacroKind::kBuiltIn) {
    prepared.playMode = 0;
    return prepared;
  }
  const int steps = UsableStepCount(record);
  if (record.playMode != kRepeatedMacroPlayMode || steps == 0) return prepared;
  int sum = 1;
  for (int i = 0; i < steps; ++i) sum += record.delayMs[i];
  const int factor = kRepeatTargetMs / sum;
  if (factor > 1) RepeatMacroSteps(prepared, record, steps, factor);
  return prepared;
}

std::array<uint8_t, kKeyFunctionImageBytes> KeyFunctionImage(uint8_t usage) {
  std::array<uint8_t, kKeyFunctionImageBytes> image = kKeyFunctionImageTemplate;
  image[kKeyFunctionImageUsageOffset] = usage;
  return image;
}

}  // namespace gm
