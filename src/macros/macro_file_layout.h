#pragma once
// Where every field of a MacroRecord sits in a macro line, and the sections, keys and read
// buffers of a macro file. Positions count values; value v is characters 3v..3v+2 of the line.

#include <cstdint>
#include <string_view>

#include "macros/macro_file.h"
#include "macros/macro_record.h"

namespace gm::macro_layout {

inline constexpr int kDigitsPerValue = 3;

// Header, both layouts.
inline constexpr int kName = 0;
inline constexpr int kNameValues = 2 * kMacroNameUnits;  // low byte, then high byte of a unit
inline constexpr int kPlayMode = kName + kNameValues;
inline constexpr int kRepeatCount = kPlayMode + 1;  // 16-bit fields: low value, then high
inline constexpr int kStepCount = kRepeatCount + 2;
inline constexpr int kCountF6 = kStepCount + 2;
inline constexpr int kCountF7 = kCountF6 + 2;
inline constexpr int kCountF8 = kCountF7 + 2;
inline constexpr int kCountFA = kCountF8 + 2;
inline constexpr int kCountF9 = kCountFA + 2;
inline constexpr int kCountFB = kCountF9 + 1;
// Version 3 only.
inline constexpr int kStrengthEnabled = kCountFB + 1;
inline constexpr int kStrength = kStrengthEnabled + 1;
inline constexpr int kReserved = kStrength + 1;
inline constexpr int kReservedValues = 4;

inline constexpr int kFirstWordField = kRepeatCount;  // the six 16-bit header fields
inline constexpr int kWordFieldCount = 6;

static_assert(kPlayMode == 60 && kCountF9 == 73 && kCountFB == 74);
static_assert(kFirstWordField + 2 * kWordFieldCount == kCountF9);
static_assert(kStrengthEnabled == kMacroHeaderV2, "version 2 steps start where strength would");
static_assert(kReserved + kReservedValues == kMacroHeaderV3);

// One step: eight values from the layout's header length H on, step s at H + 8s.
inline constexpr int kStepAction = 0;
inline constexpr int kStepCode = 1;
inline constexpr int kStepXLow = 2;
inline constexpr int kStepXHigh = 3;
inline constexpr int kStepYLow = 4;
inline constexpr int kStepYHigh = 5;
inline constexpr int kStepDelayLow = 6;
inline constexpr int kStepDelayHigh = 7;
static_assert(kStepDelayHigh + 1 == kMacroValuesPerStep);

inline constexpr int kStepAreaValues = kMaxMacroSteps * kMacroValuesPerStep;
inline constexpr int kBlockAreaValues = kMacroBlockCount * kMacroBlockBytes;

constexpr int BlockAreaStart(int headerLength) { return headerLength + kStepAreaValues; }
constexpr int LineValues(int headerLength) {
  return BlockAreaStart(headerLength) + kBlockAreaValues;
}

static_assert(kMacroHeaderV3 + 180 * 8 + 5 * 68 == 1861);
static_assert(LineValues(kMacroHeaderV3) == kMacroLineValuesV3);
static_assert(BlockAreaStart(kMacroHeaderV3) == 1521 && BlockAreaStart(kMacroHeaderV2) == 1515);
static_assert(LineValues(kMacroHeaderV2) == 1855);
static_assert(kMacroLineChars == kDigitsPerValue * kMacroLineValuesV3);
// A reader visits at least every value its layout covers.
static_assert(kMacroReadValuesV3 >= LineValues(kMacroHeaderV3));
static_assert(kMacroReadValuesV2 >= LineValues(kMacroHeaderV2));

// Sections, keys and the values the program writes.
inline constexpr std::u16string_view kSectionInit = u"Init";
inline constexpr std::u16string_view kKeyDatVersion = u"DAT_VER";
inline constexpr std::u16string_view kKeyReadOnlyMarker = u"MacMd5";
inline constexpr std::u16string_view kReadOnlyMarkerValue = u"MacMd5";
inline constexpr std::u16string_view kSectionMacros = u"Macros";
inline constexpr std::u16string_view kKeyMacroCount = u"macroNum";
inline constexpr std::u16string_view kDatVersionText = u"3";

// Read buffers in characters, terminator included.
inline constexpr std::size_t kSmallNumberBuffer = 3;  // DAT_VER, macroNum: two characters
inline constexpr std::size_t kMarkerBuffer = 20;      // MacMd5: 19 characters
constexpr std::size_t LineBuffer(int readValues) {
  return static_cast<std::size_t>(kDigitsPerValue) * static_cast<std::size_t>(readValues);
}

// Byte k (0..67) of a lighting block, as the line lays the block out.
inline uint8_t& BlockByte(MacroLedBlock& block, int k) {
  return reinterpret_cast<uint8_t*>(&block)[k];
}
inline uint8_t BlockByte(const MacroLedBlock& block, int k) {
  return reinterpret_cast<const uint8_t*>(&block)[k];
}

}  // namespace gm::macro_layout
