#include "macros/macro_file.h"

#include <algorithm>
#include <mutex>
#include <system_error>

#include "macros/key_codes.h"
#include "macros/macro_file_layout.h"
#include "platform/message_sink.h"
#include "platform/private_profile.h"
#include "platform/save_failure.h"
#include "platform/text.h"

namespace gm {

namespace {

namespace fs = std::filesystem;
using namespace macro_layout;

constexpr int kOneDigitLimit = 10;
constexpr int kTwoDigitLimit = 100;
constexpr int kThreeDigitLimit = 1000;
constexpr uint32_t kHighByteFactor = 256;
constexpr uint16_t kLowByteMask = 0x00FF;
constexpr int kBitsPerByte = 8;

// The six 16-bit header fields in line order.
constexpr uint16_t MacroRecord::*kWordFields[kWordFieldCount] = {
    &MacroRecord::repeatCount, &MacroRecord::stepCount, &MacroRecord::countF6,
    &MacroRecord::countF7,     &MacroRecord::countF8,   &MacroRecord::countFA,
};

// ---- reading ----

// Value v of a line: its three characters, fewer or none past the end, read as _wtoi reads.
int ValueAt(std::u16string_view line, int v) {
  const size_t start = static_cast<size_t>(v) * kDigitsPerValue;
  if (start >= line.size()) return 0;
  return WToI(line.substr(start, kDigitsPerValue));
}

// A value modulo 65536, as 16-bit fields take it.
uint16_t Word(int value) { return static_cast<uint16_t>(static_cast<uint32_t>(value)); }

void SetLowWord(uint16_t& field, int value) { field = Word(value); }
void AddHighByte(uint16_t& field, int value) {
  field = static_cast<uint16_t>(field + static_cast<uint32_t>(value) * kHighByteFactor);
}

void StoreNameByte(MacroRecord& record, int v, int value) {
  char16_t& unit = record.name[v / 2];
  const auto byte = static_cast<uint16_t>(LowByte(value));
  if (v % 2 == 0) {
    unit = static_cast<char16_t>((unit & ~kLowByteMask) | byte);
  } else {
    unit = static_cast<char16_t>((unit & kLowByteMask) | (byte << kBitsPerByte));
  }
}

void StoreStepValue(MacroRecord& record, int offset, int value) {
  const int s = offset / kMacroValuesPerStep;
  switch (offset % kMacroValuesPerStep) {
    case kStepAction: record.action[s] = LowByte(value); break;
    case kStepCode: record.code[s] = VkToHidUsage(LowByte(value)); break;
    case kStepXLow: SetLowWord(record.xy[s].x, value); break;
    case kStepXHigh: AddHighByte(record.xy[s].x, value); break;
    case kStepYLow: SetLowWord(record.xy[s].y, value); break;
    case kStepYHigh: AddHighByte(record.xy[s].y, value); break;
    case kStepDelayLow: SetLowWord(record.delayMs[s], value); break;
    case kStepDelayHigh: AddHighByte(record.delayMs[s], value); break;
    default: break;
  }
}

// Stores value v by the reading rule; a value the layout does not cover changes nothing.
void StoreValue(MacroRecord& record, int v, int value, int headerLength, bool storeStrength) {
  if (v < kPlayMode) {
    StoreNameByte(record, v, value);
  } else if (v == kPlayMode) {
    record.playMode = LowByte(value);
  } else if (v < kCountF9) {
    const int pair = (v - kFirstWordField) / 2;
    uint16_t& field = record.*kWordFields[pair];
    if ((v - kFirstWordField) % 2 == 0) {
      SetLowWord(field, value);
    } else {
      AddHighByte(field, value);
    }
  } else if (v == kCountF9) {
    record.countF9 = LowByte(value);
  } else if (v == kCountFB) {
    record.countFB = LowByte(value);
  } else if (storeStrength && v < kMacroHeaderV3) {
    if (v == kStrengthEnabled) {
      record.strengthEnabled = LowByte(value);
    } else if (v == kStrength) {
      record.strength = LowByte(value);
    } else {
      record.reserved[v - kReserved] = LowByte(value);
    }
  } else if (v >= headerLength && v < BlockAreaStart(headerLength)) {
    StoreStepValue(record, v - headerLength, value);
  } else if (v >= BlockAreaStart(headerLength) && v < LineValues(headerLength)) {
    const int offset = v - BlockAreaStart(headerLength);
    BlockByte(record.ledBlocks[offset / kMacroBlockBytes], offset % kMacroBlockBytes) =
        LowByte(value);
  }
}

int ReadSmallNumber(const fs::path& path, std::u16string_view section, std::u16string_view key) {
  return WToI(GetPrivateProfileStringW(section, key, u"", kSmallNumberBuffer, path));
}

bool FileExists(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

// ---- writing ----

// The records of g_macros that belong to the open group: g_macroCount, bounded to 0..20.
int LoadedRecordCount() {
  return std::clamp<int>(g_macroCount, 0, kMacrosPerGroup);
}

// The writers set their keys in a batch for the file, which the save then writes with one
// replacement; a key that cannot be stored does not keep the others out.
void SetHeader(ProfileWriteBatch& batch, bool withReadOnlyMarker) {
  batch.Set(kSectionInit, kKeyDatVersion, kDatVersionText);
  if (withReadOnlyMarker) batch.Set(kSectionInit, kKeyReadOnlyMarker, kReadOnlyMarkerValue);
  batch.Set(kSectionMacros, kKeyMacroCount, DecimalText(g_macroCount));
}

void SetLine(ProfileWriteBatch& batch, int index) {
  batch.Set(kSectionMacros, DecimalText(index), BuildMacroLine(g_macros[index]));
}

void SetAllLines(ProfileWriteBatch& batch) {
  const int count = LoadedRecordCount();
  for (int i = 0; i < count; ++i) SetLine(batch, i);
}

}  // namespace

std::u16string AppendByte3(std::u16string text, int value) {
  if (value >= 0 && value < kThreeDigitLimit) {  // every byte: the three digits directly
    text.push_back(static_cast<char16_t>(u'0' + value / kTwoDigitLimit));
    text.push_back(static_cast<char16_t>(u'0' + value / kOneDigitLimit % kOneDigitLimit));
    text.push_back(static_cast<char16_t>(u'0' + value % kOneDigitLimit));
    return text;
  }
  if (value < kOneDigitLimit) {
    text += u"00";
  } else if (value < kTwoDigitLimit) {
    text += u"0";
  }
  text += DecimalText(value);
  return text;
}

std::u16string BuildMacroLine(const MacroRecord& record) {
  std::u16string line;
  line.reserve(kMacroLineChars);
  auto put = [&line](int value) { line = AppendByte3(std::move(line), value); };
  auto putWord = [&put](uint16_t value) {
    put(value & kLowByteMask);
    put(value >> kBitsPerByte);
  };

  for (const char16_t unit : record.name) putWord(unit);
  put(record.playMode);
  for (const auto field : kWordFields) putWord(record.*field);
  put(record.countF9);
  put(record.countFB);
  put(record.strengthEnabled);
  put(record.strength);
  for (int i = 0; i < kReservedValues; ++i) put(0);  // reserved is always written as zero

  for (int s = 0; s < kMaxMacroSteps; ++s) {
    put(record.action[s]);
    put(HidUsageToVk(record.code[s]));
    putWord(record.xy[s].x);
    putWord(record.xy[s].y);
    putWord(record.delayMs[s]);
  }
  for (const MacroLedBlock& block : record.ledBlocks) {
    for (int k = 0; k < kMacroBlockBytes; ++k) put(BlockByte(block, k));
  }
  return line;
}

void StoreMacroLine(MacroRecord& record, std::u16string_view line, int headerLength,
                    int valueCount, bool storeStrength) {
  if (headerLength != kMacroHeaderV3 && headerLength != kMacroHeaderV2) return;
  // Values past the layout are ignored, so the walk stops at its end.
  const int last = std::min(valueCount, LineValues(headerLength));
  for (int v = 0; v < last; ++v) {
    StoreValue(record, v, ValueAt(line, v), headerLength, storeStrength);
  }
}

MacroLineLayout MacroLineLayoutOf(uint8_t datVersion) {
  if (datVersion == kMacroDatVersion) return {kMacroHeaderV3, kMacroReadValuesV3, true};
  return {kMacroHeaderV2, kMacroReadValuesV2, false};
}

uint8_t ReadMacroFileVersion(const std::filesystem::path& file) {
  return LowByte(ReadSmallNumber(file, kSectionInit, kKeyDatVersion));
}

int ReadMacroFileCount(const std::filesystem::path& file) {
  return ReadSmallNumber(file, kSectionMacros, kKeyMacroCount);
}

void SetOlderLayoutLines(ProfileWriteBatch& batch, int keepIndex) {
  const std::filesystem::path& file = batch.file();
  if (!FileExists(file) || ReadMacroFileVersion(file) == kMacroDatVersion) return;
  const MacroLineLayout older = MacroLineLayoutOf(0);
  for (int k = 0; k < kMacrosPerGroup; ++k) {
    if (k == keepIndex) continue;
    const std::u16string line = GetPrivateProfileStringW(
        kSectionMacros, DecimalText(k), u"", LineBuffer(older.readValues), file);
    if (line.empty()) continue;
    MacroRecord record{};
    StoreMacroLine(record, line, older.headerLength, older.readValues, older.storeStrength);
    batch.Set(kSectionMacros, DecimalText(k), BuildMacroLine(record));
  }
}

bool WriteMacroLineOnly(const std::filesystem::path& file, int index, const MacroRecord& record) {
  ProfileWriteBatch batch(file);
  SetOlderLayoutLines(batch, index);
  batch.Set(kSectionInit, kKeyDatVersion, kDatVersionText);
  batch.Set(kSectionMacros, DecimalText(index), BuildMacroLine(record));
  return batch.Write();
}

void LoadMacroFile(const std::filesystem::path& path) {
  if (!FileExists(path)) {
    ShowUserMessage(SameInBothLanguages(u"找不到配置文件"));
    std::lock_guard lock(g_macroTablesMutex);
    g_datVersion = 0;
    g_macroCount = 0;
    g_groupEncrypted = 0;
    return;
  }
  std::lock_guard lock(g_macroTablesMutex);
  g_datVersion = ReadMacroFileVersion(path);
  const MacroLineLayout layout = MacroLineLayoutOf(g_datVersion);

  // The table holds 20 macros: a larger count reads the first 20, a negative one reads none.
  const int statedCount = ReadMacroFileCount(path);
  g_macroCount = static_cast<int16_t>(std::clamp(statedCount, 0, kMacrosPerGroup));

  const std::u16string marker =
      GetPrivateProfileStringW(kSectionInit, kKeyReadOnlyMarker, u"", kMarkerBuffer, path);
  g_groupEncrypted = marker == kReadOnlyMarkerValue ? 1 : 0;

  for (int i = 0; i < g_macroCount; ++i) {
    const std::u16string line = GetPrivateProfileStringW(
        kSectionMacros, DecimalText(i), u"", LineBuffer(layout.readValues), path);
    StoreMacroLine(g_macros[i], line, layout.headerLength, layout.readValues,
                   layout.storeStrength);
  }
}

bool SaveMacro(const std::filesystem::path& path, int index) {
  if (index < 0 || index >= kMacrosPerGroup) return false;
  const SaveFailureReport report;
  std::lock_guard lock(g_macroTablesMutex);
  // A file in the older layout (or no file yet) is rewritten whole, so that no version-2 line
  // stays behind once DAT_VER says 3. The records written are the open group's.
  const bool rewriteGroup = ReadMacroFileVersion(path) != kMacroDatVersion;
  ProfileWriteBatch batch(path);
  SetHeader(batch, /*withReadOnlyMarker=*/false);
  if (rewriteGroup) SetAllLines(batch);
  SetLine(batch, index);
  return batch.Write();
}

bool SaveMacroFile(const std::filesystem::path& path, bool withReadOnlyMarker) {
  const SaveFailureReport report;
  std::lock_guard lock(g_macroTablesMutex);
  ProfileWriteBatch batch(path);
  SetHeader(batch, withReadOnlyMarker);
  SetAllLines(batch);
  return batch.Write();
}

}  // namespace gm
