#pragma once
// macros: macro storage: records, files, tables, groups and the recorder.
//
// The one in-memory form of a macro, the step codes and actions, the limits every record
// keeps, and the process-wide tables of records.

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <type_traits>

namespace gm {

inline constexpr int kMacroNameUnits = 30;
inline constexpr int kMaxMacroSteps = 180;
inline constexpr int kMaxMoveSteps = 50;     // 0xF6
inline constexpr int kMaxSpecialSteps = 5;   // each of 0xF7, 0xF8, 0xFA, 0xF9, 0xFB
inline constexpr int kMacroBlockCount = 5;   // lighting blocks per block set
inline constexpr int kMacroBlockBytes = 68;
inline constexpr int kMacroBlockEntries = 16;
inline constexpr int kMacrosPerGroup = 20;
inline constexpr int kMacroTemplateIndex = 20;  // g_macros[20]: the blank template
inline constexpr int kMaxMacroGroups = 12;

// Step codes.
inline constexpr uint8_t kStepPause = 0x00;
inline constexpr uint8_t kStepFirstKeyUsage = 4;
inline constexpr uint8_t kStepLastKeyUsage = 231;
inline constexpr uint8_t kStepLeftButton = 0xF1;
inline constexpr uint8_t kStepMiddleButton = 0xF2;
inline constexpr uint8_t kStepRightButton = 0xF3;
inline constexpr uint8_t kStepMove = 0xF6;
inline constexpr uint8_t kStepCounted = 0xF7;
inline constexpr uint8_t kStepDpi = 0xF8;
inline constexpr uint8_t kStepLighting = 0xF9;
inline constexpr uint8_t kStepMultimedia = 0xFA;
inline constexpr uint8_t kStepBlock = 0xFB;

// Step actions.
inline constexpr uint8_t kActionNone = 0;
inline constexpr uint8_t kActionPress = 1;
inline constexpr uint8_t kActionRelease = 2;
inline constexpr uint8_t kActionMoveXMinusYMinus = 3;
inline constexpr uint8_t kActionMoveXMinusYPlus = 4;
inline constexpr uint8_t kActionMoveXPlusYMinus = 5;
inline constexpr uint8_t kActionMoveXPlusYPlus = 6;
inline constexpr uint8_t kActionDpiSet = 9;
inline constexpr uint8_t kActionDpiRestore = 10;
inline constexpr uint8_t kActionLight0 = 13;
inline constexpr uint8_t kActionLight1 = 14;
inline constexpr uint8_t kActionLight2 = 15;

// Play modes: bits 0-1 of playMode.
inline constexpr uint8_t kPlayModeMask = 0x03;
inline constexpr uint8_t kPlayModeRepeat = 0;
inline constexpr uint8_t kPlayModeDevice1 = 1;
inline constexpr uint8_t kPlayModeDevice2 = 2;

// Bytes of a light entry, in their order: {mode, colour, time, value}.
enum class LedEntryByte : uint8_t { kMode = 0, kColor = 1, kTime = 2, kValue = 3 };
inline constexpr int kLedEntryBytes = 4;

// Modes of a light entry (its kMode byte).
inline constexpr uint8_t kLightModeSingleBreath = 1;
inline constexpr uint8_t kLightModeConstantly = 2;
inline constexpr uint8_t kLightModeCometTail = 3;
inline constexpr uint8_t kLightModeNeon = 6;
inline constexpr uint8_t kLightModeAmbilight = 7;
inline constexpr uint8_t kLightModeCycleBreath = 9;

// Neon and Ambilight define the colour of each light themselves: an entry of these modes has
// no colour of its own to show or pick.
constexpr bool LightModeDefinesColors(unsigned mode) {
  return mode == kLightModeNeon || mode == kLightModeAmbilight;
}

// One lighting block: LEN, three zero bytes, then 16 light entries.
struct MacroLedBlock {
  uint8_t length;
  uint8_t zero[3];
  uint8_t entries[kMacroBlockEntries][kLedEntryBytes];
};
static_assert(sizeof(MacroLedBlock) == kMacroBlockBytes);

// Byte `which` of a light entry (a row of MacroLedBlock::entries).
constexpr uint8_t& LedEntryAt(uint8_t (&entry)[kLedEntryBytes], LedEntryByte which) {
  return entry[static_cast<int>(which)];
}

struct MacroStepXY {
  uint16_t x;
  uint16_t y;
};
static_assert(sizeof(MacroStepXY) == 4);

// Fields in their documented order. A value type: records are copied whole.
struct MacroRecord {
  char16_t name[kMacroNameUnits];
  uint8_t playMode;
  uint16_t repeatCount;
  uint16_t stepCount;
  uint16_t countF6;
  uint16_t countF7;
  uint16_t countF8;
  uint16_t countFA;
  uint8_t countF9;
  uint8_t countFB;
  uint8_t strengthEnabled;
  uint8_t strength;
  uint8_t reserved[4];
  uint8_t action[kMaxMacroSteps];
  uint8_t code[kMaxMacroSteps];
  MacroStepXY xy[kMaxMacroSteps];
  uint16_t delayMs[kMaxMacroSteps];
  MacroLedBlock ledBlocks[kMacroBlockCount];
  MacroLedBlock fbBlocks[kMacroBlockCount];
};
static_assert(std::is_trivially_copyable_v<MacroRecord>);
static_assert(std::is_standard_layout_v<MacroRecord>);

// The name field as a string: up to the first zero unit, at most 30 units.
std::u16string MacroNameOf(const MacroRecord& record);
// Stores a name, cut to 30 units; the units after it become zero.
void SetMacroName(MacroRecord& record, std::u16string_view name);

// The number of steps any user may address: stepCount, at most 180.
inline int UsableStepCount(const MacroRecord& r) {
  return r.stepCount < kMaxMacroSteps ? r.stepCount : kMaxMacroSteps;
}

// Records read from files keep their counts and block indices as stored, even when they break
// the limits above; every user addresses steps and blocks through these bounded accessors.

// The x of a lighting step that got no block of its own (inserted at the lighting limit).
inline constexpr uint16_t kNoBlockIndex = 255;

inline bool IsUsableBlockIndex(int index) { return index >= 0 && index < kMacroBlockCount; }

// A per-kind block counter (countF9, countFB) as a number of blocks: 0..5.
inline int UsableBlockCount(int counter) {
  return counter < 0 ? 0 : (counter < kMacroBlockCount ? counter : kMacroBlockCount);
}

// The block of a 0xF9 step in ledBlocks (of a 0xFB step in fbBlocks); nullptr when the step is
// not below UsableStepCount, has another code, or its x addresses no block.
const MacroLedBlock* LedBlockOfStep(const MacroRecord& record, int step);
const MacroLedBlock* FbBlockOfStep(const MacroRecord& record, int step);

// Choosing a play mode on the macro page: mode 0 keeps bit 2 and bits 4-7 and leaves the
// repeat count; modes 1 and 2 keep bits 3-7 and set the repeat count to 1. Other modes change
// nothing.
void ChoosePlayMode(MacroRecord& record, uint8_t mode);

// Tables of records; zero at start, alive until the process ends.
extern MacroRecord g_macros[kMacrosPerGroup + 1];
extern int16_t g_macroCount;
extern MacroRecord g_constMacros[kMacrosPerGroup];
extern int16_t g_constMacroCount;
extern MacroRecord g_gunMacros[kMacrosPerGroup];
extern int16_t g_gunMacroCount;
extern std::u16string g_gunNames[kMacrosPerGroup];
extern MacroRecord g_playMacro;

extern int g_curMacroGroup;
extern int g_curMacro;
// The DAT_VER of the macro file read last; the device report thread consults it when it loads
// a group macro, so it is an atomic.
extern std::atomic<uint8_t> g_datVersion;
extern uint32_t g_groupEncrypted;

// Held by whoever reads or writes g_macros, g_playMacro, g_gunMacros, g_constMacros or their
// counts (and g_curMacroGroup, which says which group g_macros holds) from more than one
// thread: the user-interface thread and the device report thread, whose recoil adjustment
// replaces a record of the open group and saves it. Recursive, so a holder may call helpers
// that take it again.
extern std::recursive_mutex g_macroTablesMutex;

// Puts every table and value above back to its start value (all zero), under
// g_macroTablesMutex.
void ResetMacroRecordTables();

// Zeroes the name, play mode, repeat count, step count, counters, every step and both block
// sets of table[index]; strengthEnabled, strength and reserved stay. Indices above 20 are
// ignored.
void ClearMacroRecord(MacroRecord* table, uint8_t index);

}  // namespace gm
