#pragma once
// The byte form of one macro in the mouse's memory (MacroImage) and how a MacroRecord becomes
// it: a play-count header, one entry per step with the step's delay in ticks of the mouse's
// report interval, extension pairs for long delays, zero fill up to the step-area size, the
// lighting pieces of the lighting steps and a reserved area for the 0xFB blocks. Also the
// repetition of short device-mode-2 macros, the image size Apply allocates addresses with,
// and the fixed image of a keyboard-key function.
//
// Everything here except ShowMacroImageIssues is a pure function over plain data. The encoder
// never looks at a step at index 180 or beyond or at a block at index 5 or beyond, and never
// writes outside the buffer it is handed, whatever the record's counts say:
// - Steps are 0 .. UsableStepCount() - 1.
// - Lighting steps (0xF9): at most min(countF9, 5) of them get an entry and a piece, the first
//   ones in step order. A lighting step beyond that number, or one whose block index
//   (x AND 0xFF) is 5 or more, gets no entry and no piece (its extension pairs are still
//   written) and is reported as an issue; one with an action other than 13..15 is reported
//   and encoded as light 0.
// - A lighting piece holds min(LEN, 16) entries, at least one: a block has room for 16, and
//   the mouse's piece header (LEN - 1) cannot say "none". Both the size and the piece use
//   this count. For LEN 0 the piece's place is unchanged (4 bytes and 8 bytes both round to
//   8); only a LEN above 16 is sized smaller than its LEN says.
// - The room a counter reserves in the step area is the counter bounded by its limit (50 for
//   moves, 5 for the others), but never less than the steps actually present need. For a
//   record whose counters match its steps this is exactly the counter; a record whose
//   counters are too small still gets room for every entry it writes.
// - The lighting area is the sum over blocks 0 .. min(countF9, 5) - 1, or what the placed
//   pieces take if that is more (a record whose lighting steps do not use blocks 0, 1, 2 ...
//   in order). The 0xFB area is the sum over fbBlocks 0 .. min(countFB, 5) - 1.
// - A tick length below 1 ms counts as 1 ms.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "macros/macro_record.h"

namespace gm {

// What table a macro on a key comes from: built-in (functions 33..49 except 42), recoil
// (50..255) or a user macro (256 and up).
enum class MacroKind { kBuiltIn, kRecoil, kUser };

// Longest pause after one step that an image carries; longer delays are cut to it.
inline constexpr int g_maxStepDelayMs = 10000;

// --- Image layout -------------------------------------------------------------------------
inline constexpr int kMacroImageAlignment = 8;     // images, areas and pieces start on 8
inline constexpr int kMacroImageHeaderBytes = 2;   // u16 play count
inline constexpr int kStepEntryBaseBytes = 2;      // tick field, code
inline constexpr int kMoveParameterBytes = 4;      // x, y as 16-bit two's complement
inline constexpr int kDpiParameterBytes = 2;       // level code, 0
inline constexpr int kLightingParameterBytes = 2;  // piece address: low byte, high bits + light
inline constexpr int kMoveEntryBytes = kStepEntryBaseBytes + kMoveParameterBytes;
inline constexpr int kDpiEntryBytes = kStepEntryBaseBytes + kDpiParameterBytes;
inline constexpr int kLightingEntryBytes = kStepEntryBaseBytes + kLightingParameterBytes;
inline constexpr int kMaxStepEntryBytes = kMoveEntryBytes;
inline constexpr int kExtensionPairBytes = 2;

// Tick field of an entry: 1..127 ticks, bit 7 marks a press.
inline constexpr int kEntryTicksMax = 127;
inline constexpr uint8_t kEntryPressFlag = 0x80;
inline constexpr uint8_t kExtensionPairFullTicks = 0x7F;  // pair 7F 00: 127 more ticks
inline constexpr uint8_t kExtensionPairNoTicks = 0x00;    // pair 00 00

// A recoil or user macro without steps reports this many entries.
inline constexpr int kEmptyMacroEntryCount = 3;

// Lighting entries address their piece with 14 bits; a piece must end within 0x4000.
inline constexpr uint32_t kLightingAddressLimit = 0x4000;
inline constexpr uint8_t kLightingAddressHighMask = 0x3F;
inline constexpr std::array<uint8_t, 3> kLightSelectBits = {0x00, 0x40, 0x80};  // light 0..2
inline constexpr int kLightingPieceHeaderBytes = 4;  // piece = 4 x LEN + 4 bytes
inline constexpr int kLightingEntryBytesInPiece = 4;

// Apply allocates at most this many bytes of addresses to one image.
inline constexpr int kMacroImageAllocationCap = 0x2000;

// Mode-2 macros shorter than this many milliseconds are repeated within one run.
inline constexpr int kRepeatTargetMs = 40;

// Fixed image of a keyboard-key function: header 1, one press entry of the key, zeros.
inline constexpr int kKeyFunctionImageBytes = 8;
inline constexpr int kKeyFunctionImageEntryCount = 1;
inline constexpr int kKeyFunctionImageUsageOffset = 3;
inline constexpr std::array<uint8_t, kKeyFunctionImageBytes> kKeyFunctionImageTemplate = {
    0x01, 0x00, kEntryPressFlag, 0x00, 0x00, 0x00, 0x00, 0x00};

static_assert(kMoveEntryBytes == 6 && kDpiEntryBytes == 4 && kLightingEntryBytes == 4);
static_assert(kEntryTicksMax + kEntryPressFlag <= 0xFF, "a press fits in the tick field");
static_assert(kExtensionPairFullTicks == kEntryTicksMax);
static_assert(((kLightingAddressLimit - 1) >> 8) == kLightingAddressHighMask,
              "the high address bits cover every address below the limit");
static_assert(kLightingPieceHeaderBytes + kLightingEntryBytesInPiece * kMacroBlockEntries ==
                  kMacroBlockBytes,
              "a piece of 16 entries is a whole block");
static_assert(kMacroImageAllocationCap % kMacroImageAlignment == 0);
static_assert((kMacroImageAlignment & (kMacroImageAlignment - 1)) == 0);
static_assert(kKeyFunctionImageBytes == kMacroImageAlignment);

// --- Sizes --------------------------------------------------------------------------------

// n rounded up to a multiple of 8.
constexpr int RoundUpToImageAlignment(int n) {
  return (n + kMacroImageAlignment - 1) & ~(kMacroImageAlignment - 1);
}

// The entries a lighting piece carries for a block: LEN bounded to 1..16.
int LightingPieceEntries(const MacroLedBlock& block);
// Bytes of the piece of a block, 4 x entries + 4 (before rounding).
int LightingPieceBytes(const MacroLedBlock& block);

struct MacroImageLayout {
  int entryCount = 0;         // E: steps plus extension pairs (3 for an empty recoil/user macro)
  int stepAreaBytes = 0;      // S: header, entries and fill
  int lightingAreaBytes = 0;  // from S on
  int blockAreaBytes = 0;     // reserved 0xFB area after the lighting area
  int imageBytes = 0;         // S + lighting area + 0xFB area
};

// The layout of the image of a record as it is encoded (after PrepareMacroForImage).
MacroImageLayout ComputeMacroImageLayout(const MacroRecord& prepared, MacroKind kind,
                                         int tickMs);

// The addresses Apply reserves for an image: min(size, 0x2000) rounded up to 8.
int MacroImageAllocationBytes(int imageBytes);

// --- Delays -------------------------------------------------------------------------------

// Ticks of a step's delay: min(delayMs, 10000) / tickMs.
int DelayTicks(uint16_t delayMs, int tickMs);

// How a tick count is carried: `fullPairs` pairs 7F 00, then `emptyPairs` pairs 00 00, and the
// entry's own tick field (1..127).
struct DelaySplit {
  int entryTicks = 1;
  int fullPairs = 0;
  int emptyPairs = 0;
  int PairCount() const { return fullPairs + emptyPairs; }
};
DelaySplit SplitDelayTicks(int ticks);

// --- Steps --------------------------------------------------------------------------------

// One step entry; size 0 when the step gets no entry.
struct StepEntry {
  std::array<uint8_t, kMaxStepEntryBytes> bytes{};
  int size = 0;
};

// The entry of one step with the tick field `entryTicks` (1..127). `lightingAddress` is the
// device address of a lighting step's piece; a lighting action outside 13..15 is encoded as
// light 0. (Whether a lighting step gets an entry at all is the caller's decision.)
StepEntry EncodeStepEntry(uint8_t code, uint8_t action, MacroStepXY xy, int entryTicks,
                          uint32_t lightingAddress);

// What becomes of lighting step `step` when `piecesPlacedBefore` earlier lighting steps got
// their piece.
enum class LightingStepFate { kPlaced, kNoBlockLeft, kBlockIndexOutOfRange };
LightingStepFate LightingStepFateOf(const MacroRecord& record, int step, int piecesPlacedBefore);

// --- Preparing the record -----------------------------------------------------------------

// Steps r x n + i (r = 1 .. factor - 1, i = 0 .. n - 1) become copies of step i; a copied
// code above 0xF6 becomes a pause; stepCount grows by one and countF6 by one per copied
// move. Only whole repetitions that keep the record within 180 steps and 50 moves are made
// (fewer than factor - 1 when the rest would not fit). Returns out.
MacroRecord& RepeatMacroSteps(MacroRecord& out, MacroRecord record, int n, int factor);

// The record as it is sized and encoded: a built-in macro with play mode byte 0; a recoil or
// user macro whose play mode byte is 2 and whose steps take less than 40 ms repeated; any
// other record unchanged.
MacroRecord PrepareMacroForImage(const MacroRecord& record, MacroKind kind);

// --- Encoding -----------------------------------------------------------------------------

// Problems met while encoding; each is shown to the user as "Error!".
enum class MacroImageIssue {
  kLightingStepWithoutBlock,      // more lighting steps than countF9 (bounded to 5) allows
  kLightingBlockIndexOutOfRange,  // x AND 0xFF is 5 or more
  kLightingActionInvalid,         // not 13..15; encoded as 13
  kLightingAboveAddressLimit,     // a piece ends above 0x4000; encoding stopped there
};

struct MacroImageEncoding {
  int bytesNeeded = 0;              // the image size
  bool truncated = false;           // the buffer was shorter; bytes beyond it were dropped
  bool addressLimitExceeded = false;  // encoding stopped: Apply must end without the image
  std::vector<MacroImageIssue> issues;  // in the order they arose
  int stepEntriesEnd = 0;           // offset after the last entry or pair written
  int lightingEnd = 0;              // offset after the last piece (rounded)
};

// Encodes a prepared record for image address `address` (a multiple of 8) into `out`. The
// whole of `out` is zero-filled first; nothing is written beyond it. A buffer shorter than
// the image size gets the image's first bytes (truncated is set); Apply always passes a
// buffer of bytesNeeded.
MacroImageEncoding EncodeMacroImage(const MacroRecord& prepared, MacroKind kind,
                                    uint32_t address, int tickMs, std::span<uint8_t> out);

// One macro's image as Apply writes it, with E for the key descriptor.
struct MacroImage {
  std::vector<uint8_t> bytes;
  int entryCount = 0;
};

struct MacroImageBuild {
  MacroImage image;
  MacroImageLayout layout;
  MacroImageEncoding encoding;
};

// Prepares, sizes and encodes a record in one go.
MacroImageBuild BuildMacroImage(const MacroRecord& record, MacroKind kind, uint32_t address,
                                int tickMs);

// Shows "Error!" once for each issue, in order.
void ShowMacroImageIssues(std::span<const MacroImageIssue> issues);

// The image of a keyboard-key function (function 42): 01 00 80 kk 00 00 00 00.
std::array<uint8_t, kKeyFunctionImageBytes> KeyFunctionImage(uint8_t usage);

}  // namespace gm
