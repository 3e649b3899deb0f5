#pragma once
// The macro .dat format: an INI file whose "Macros" keys hold one macro line each, every byte
// of a MacroRecord spelt as three decimal digits. Writers always produce the version-3 layout.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "macros/macro_record.h"
#include "platform/private_profile.h"

namespace gm {

inline constexpr int kMacroHeaderV3 = 81;           // values before step 0, DAT_VER 3
inline constexpr int kMacroHeaderV2 = 75;           // values before step 0, any other DAT_VER
inline constexpr int kMacroValuesPerStep = 8;
inline constexpr int kMacroLineValuesV3 = 1861;     // values a writer produces
inline constexpr int kMacroLineChars = 3 * kMacroLineValuesV3;  // 5583
inline constexpr int kMacroReadValuesV3 = 6603;     // values a reader visits, DAT_VER 3
inline constexpr int kMacroReadValuesV2 = 6585;     // values a reader visits, otherwise
inline constexpr int kMacroDatVersion = 3;

// text followed by value as "00%d" below 10, "0%d" below 100, else "%d": exactly three digits
// for 0..999, which is every value a writer passes.
std::u16string AppendByte3(std::u16string text, int value);

// The version-3 line of a record: 1861 values, 5583 characters; step codes pass through
// HidUsageToVk.
std::u16string BuildMacroLine(const MacroRecord& record);

// The reading rule: stores values 0 .. valueCount - 1 of line into record. headerLength is
// 81 or 75; strengthEnabled, strength and reserved (values 75..80) are stored only when
// storeStrength is set (the DAT_VER in force is 3). Step codes pass through VkToHidUsage.
void StoreMacroLine(MacroRecord& record, std::u16string_view line, int headerLength,
                    int valueCount, bool storeStrength);

// Where a file's lines put their values, chosen by the file's DAT_VER: version 3 has the
// 81-value header whose values 75..80 carry strengthEnabled, strength and reserved; any other
// version (a missing key included) has the older 75-value header.
struct MacroLineLayout {
  int headerLength;    // 81 or 75
  int readValues;      // values a reader visits: 6603 or 6585
  bool storeStrength;  // values 75..80 are strengthEnabled, strength and reserved
};
MacroLineLayout MacroLineLayoutOf(uint8_t datVersion);

// [Init] DAT_VER as a byte and [Macros] macroNum, each read with a buffer of two characters;
// 0 when the key or the file is missing.
uint8_t ReadMacroFileVersion(const std::filesystem::path& file);
int ReadMacroFileCount(const std::filesystem::path& file);

// For a writer about to put one line (keepIndex) into a file in the version-3 layout: when the
// batch's file exists and is not yet version 3, its other lines 0..19 are read in the older
// layout and set in the batch in the current one, so that the whole file stays readable once
// DAT_VER says 3.
void SetOlderLayoutLines(ProfileWriteBatch& batch, int keepIndex);

// Writes DAT_VER 3 and record as line index of the file (with SetOlderLayoutLines), and
// nothing else: macroNum, the read-only marker and every other line stay. The file is replaced
// once. False when a write failed.
bool WriteMacroLineOnly(const std::filesystem::path& file, int index, const MacroRecord& record);

// The group file reader: fills g_datVersion, g_macroCount, g_groupEncrypted and records
// 0 .. g_macroCount - 1 of g_macros. A macroNum above 20 reads the first 20 macros and leaves
// g_macroCount 20; a negative one reads none and leaves 0. Counts and block indices inside a
// line are stored as they stand (users go through UsableStepCount and the block accessors). A
// missing file shows "找不到配置文件" and sets the three globals to 0, records untouched.
// LoadMacroFile, SaveMacro and SaveMacroFile hold g_macroTablesMutex while they use g_macros.
void LoadMacroFile(const std::filesystem::path& path);

// Writes DAT_VER 3, macroNum = g_macroCount and the line of g_macros[index] (index 0..19;
// others write nothing). The path must be the open group's file: when that file is not yet in
// the version-3 layout (DAT_VER other than 3, or no file), every loaded record 0 ..
// g_macroCount - 1 is written first, so that no older line is later read in the new layout.
// The read-only marker is neither written nor removed. False when a write failed (or for an
// index outside 0..19); the keys that could be written are written.
bool SaveMacro(const std::filesystem::path& path, int index);

// Writes DAT_VER 3, the read-only marker when withReadOnlyMarker is set (only a locked export
// asks for it; the in-memory lock g_groupEncrypted plays no part), macroNum and every loaded
// record. Keys are only added or replaced: an existing marker and lines at or above the new
// count stay. False when a write failed.
bool SaveMacroFile(const std::filesystem::path& path, bool withReadOnlyMarker = false);

}  // namespace gm
