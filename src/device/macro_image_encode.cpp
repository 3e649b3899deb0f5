// Encoding of a prepared macro record into its image: the header, the step entries with their
// extension pairs, and the lighting pieces after the step area.

#include <algorithm>
#include <bit>
#include <cstddef>

#include "device/macro_image.h"
#include "platform/message_sink.h"

namespace gm {

namespace {

constexpr uint8_t kBlockIndexMask = 0xFF;
constexpr int kLightingPieceLengthOffset = 0;  // piece byte 0: LEN - 1

using BlockBytes = std::array<uint8_t, kMacroBlockBytes>;

uint8_t Low(uint32_t value) { return static_cast<uint8_t>(value & 0xFF); }
uint8_t High(uint32_t value) { return static_cast<uint8_t>((value >> 8) & 0xFF); }
uint16_t Negated(uint16_t value) { return static_cast<uint16_t>(0u - value); }

bool IsLightingAction(uint8_t action) {
  return action >= kActionLight0 && action <= kActionLight2;
}

// Bytes of a buffer; writes outside it are dropped.
class BoundedBytes {
 public:
  explicit BoundedBytes(std::span<uint8_t> bytes) : bytes_(bytes) {}
  void Put(int64_t offset, uint8_t value) {
    if (offset >= 0 && static_cast<size_t>(offset) < bytes_.size()) {
      bytes_[static_cast<size_t>(offset)] = value;
    }
  }

 private:
  std::span<uint8_t> bytes_;
};

class StepEntryBuilder {
 public:
  explicit StepEntryBuilder(StepEntry& entry) : entry_(entry) {}
  StepEntryBuilder& Byte(uint8_t value) {
    entry_.bytes[static_cast<size_t>(entry_.size++)] = value;
    return *this;
  }
  StepEntryBuilder& Word(uint16_t value) { return Byte(Low(value)).Byte(High(value)); }

 private:
  StepEntry& entry_;
};

void EncodeMoveParameters(StepEntryBuilder& b, uint8_t action, MacroStepXY xy) {
  switch (action) {
    case kActionMoveXMinusYMinus: b.Word(Negated(xy.x)).Word(Negated(xy.y)); break;
    case kActionMoveXMinusYPlus: b.Word(Negated(xy.x)).Word(xy.y); break;
    case kActionMoveXPlusYMinus: b.Word(xy.x).Word(Negated(xy.y)); break;
    case kActionMoveXPlusYPlus: b.Word(xy.x).Word(xy.y); break;
    default: break;  // a move without a direction carries only its tick and code
  }
}

// Writes the lighting piece of `block` at `offset`: LEN - 1, then bytes 1 .. 4 x LEN + 3.
void PutLightingPiece(BoundedBytes& image, int64_t offset, const MacroLedBlock& block) {
  const int entries = LightingPieceEntries(block);
  const auto raw = std::bit_cast<BlockBytes>(block);
  image.Put(offset + kLightingPieceLengthOffset, static_cast<uint8_t>(entries - 1));
  for (int k = kLightingPieceLengthOffset + 1; k < LightingPieceBytes(block); ++k) {
    image.Put(offset + k, raw[static_cast<size_t>(k)]);
  }
}

}  // namespace

StepEntry EncodeStepEntry(uint8_t code, uint8_t action, MacroStepXY xy, int entryTicks,
                          uint32_t lightingAddress) {
  StepEntry entry;
  StepEntryBuilder b(entry);
  const auto t = static_cast<uint8_t>(std::clamp(entryTicks, 1, kEntryTicksMax));
  const auto pressed = static_cast<uint8_t>(t + kEntryPressFlag);
  switch (code) {
    case kStepPause:
      b.Byte(t).Byte(kStepPause);
      break;
    case kStepMove:
      b.Byte(t).Byte(kStepMove);
      EncodeMoveParameters(b, action, xy);
      break;
    case kStepDpi: {
      const uint8_t tickField =
          action == kActionDpiSet ? pressed : (action == kActionDpiRestore ? t : uint8_t{0});
      b.Byte(tickField).Byte(kStepDpi).Byte(Low(xy.x)).Byte(0);
      break;
    }
    case kStepLighting: {
      const int light = IsLightingAction(action) ? action - kActionLight0 : 0;
      const auto high = static_cast<uint8_t>((High(lightingAddress) & kLightingAddressHighMask) |
                                             kLightSelectBits[static_cast<size_t>(light)]);
      b.Byte(t).Byte(kStepLighting).Byte(Low(lightingAddress)).Byte(high);
      break;
    }
    default:  // keys, buttons, and 0xF7, 0xFA, 0xFB: no parameters
      if (action == kActionPress) {
        b.Byte(pressed).Byte(code);
      } else if (action == kActionRelease) {
        b.Byte(t).Byte(code);
      }
      break;
  }
  return entry;
}

MacroImageEncoding EncodeMacroImage(const MacroRecord& prepared, MacroKind kind,
                                    uint32_t address, int tickMs, std::span<uint8_t> out) {
  const MacroRecord& r = prepared;
  const MacroImageLayout layout = ComputeMacroImageLayout(r, kind, tickMs);
  MacroImageEncoding result;
  result.bytesNeeded = layout.imageBytes;
  result.truncated = out.size() < static_cast<size_t>(layout.imageBytes);
  std::fill(out.begin(), out.end(), uint8_t{0});

  BoundedBytes image(out);
  // Entries never reach past the step area: the layout gives every written entry its room.
  BoundedBytes stepArea(out.first(std::min(out.size(), static_cast<size_t>(layout.stepAreaBytes))));

  const uint8_t mode = r.playMode & kPlayModeMask;
  const uint16_t playCount =
      (mode == kPlayModeDevice1 || mode == kPlayModeDevice2) ? uint16_t{1} : r.repeatCount;
  stepArea.Put(0, Low(playCount));
  stepArea.Put(1, High(playCount));

  int64_t pos = kMacroImageHeaderBytes;
  int64_t lightingOffset = layout.stepAreaBytes;
  int piecesPlaced = 0;
  const int steps = UsableStepCount(r);
  for (int i = 0; i < steps; ++i) {
    const DelaySplit split = SplitDelayTicks(DelayTicks(r.delayMs[i], tickMs));
    const uint8_t code = r.code[i];
    const MacroLedBlock* piece = nullptr;
    StepEntry entry;
    if (code == kStepLighting) {
      switch (LightingStepFateOf(r, i, piecesPlaced)) {
        case LightingStepFate::kNoBlockLeft:
          result.issues.push_back(MacroImageIssue::kLightingStepWithoutBlock);
          break;
        case LightingStepFate::kBlockIndexOutOfRange:
          result.issues.push_back(MacroImageIssue::kLightingBlockIndexOutOfRange);
          break;
        case LightingStepFate::kPlaced:
          if (!IsLightingAction(r.action[i])) {
            result.issues.push_back(MacroImageIssue::kLightingActionInvalid);
          }
          piece = &r.ledBlocks[r.xy[i].x & kBlockIndexMask];
          entry = EncodeStepEntry(code, r.action[i], r.xy[i], split.entryTicks,
                                  static_cast<uint32_t>(address + lightingOffset));
          break;
      }
    } else {
      entry = EncodeStepEntry(code, r.action[i], r.xy[i], split.entryTicks, 0);
    }

    for (int k = 0; k < entry.size; ++k) stepArea.Put(pos++, entry.bytes[static_cast<size_t>(k)]);
    for (int k = 0; k < split.PairCount(); ++k) {
      stepArea.Put(pos++, k < split.fullPairs ? kExtensionPairFullTicks : kExtensionPairNoTicks);
      stepArea.Put(pos++, 0);
    }

    if (piece != nullptr) {
      PutLightingPiece(image, lightingOffset, *piece);
      lightingOffset += RoundUpToImageAlignment(LightingPieceBytes(*piece));
      ++piecesPlaced;
      if (static_cast<int64_t>(address) + lightingOffset - 1 > kLightingAddressLimit) {
        result.issues.push_back(MacroImageIssue::kLightingAboveAddressLimit);
        result.addressLimitExceeded = true;
        break;
      }
    }
  }
  result.stepEntriesEnd = static_cast<int>(pos);
  result.lightingEnd = static_cast<int>(lightingOffset);
  return result;
}

MacroImageBuild BuildMacroImage(const MacroRecord& record, MacroKind kind, uint32_t address,
                                int tickMs) {
  MacroImageBuild build;
  const MacroRecord prepared = PrepareMacroForImage(record, kind);
  build.layout = ComputeMacroImageLayout(prepared, kind, tickMs);
  build.image.entryCount = build.layout.entryCount;
  build.image.bytes.assign(static_cast<size_t>(build.layout.imageBytes), 0);
  build.encoding = EncodeMacroImage(prepared, kind, address, tickMs, build.image.bytes);
  return build;
}

void ShowMacroImageIssues(std::span<const MacroImageIssue> issues) {
  for (size_t i = 0; i < issues.size(); ++i) ShowUserMessage(SameInBothLanguages(u"Error!"));
}

}  // namespace gm
