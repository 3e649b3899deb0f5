#pragma once
// The macro tables read from .dat files besides the group open in the editor: the built-in
// macros (constMacro.dat), the recoil macros (PUBG_EN.dat / PUBG_CN.dat in the configuration
// folder), the names and counts of the macros of every group, and single macros fetched from
// a group file for a key event. Each reader follows the macro line reading rule
// (StoreMacroLine) with its own read buffer. The loaders and the recoil writer change the
// built-in and recoil tables under g_macroTablesMutex, as the download reads them on its own
// thread.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "macros/macro_record.h"

namespace gm {

inline constexpr int kGroupMacroNameSlots = kMaxMacroGroups * kMacrosPerGroup;  // 240

// The built-in macro file keeps only the first 1463 characters of a line: steps 0..49 whole,
// a two-digit low delay byte of step 50, everything after it zero.
inline constexpr std::size_t kConstMacroLineBufferChars = 1464;
// A single group macro or a name: a buffer for 6603 values.
inline constexpr std::size_t kGroupMacroLineBufferChars = 19809;

// Name of macro i of group g, at g * 20 + i.
extern std::u16string g_macroNames[kGroupMacroNameSlots];
// The macroNum of each group file as the file states it; it may exceed 20, so users that
// address macros go through UsableMacroCount.
extern uint32_t g_groupMacroCount[kMaxMacroGroups];

// Empties g_macroNames and g_groupMacroCount (their start values), under g_macroTablesMutex.
void ResetMacroNameTables();

// The number of macros of group that may be addressed: g_groupMacroCount[group] bounded to
// 0..20; 0 for a group outside 0..11.
int UsableMacroCount(int group);

// Fills g_constMacros from the file at path. A missing file shows "找不到配置文件" and leaves
// g_datVersion and g_constMacroCount 0. g_constMacroCount keeps the stated macroNum bounded to
// 0..20, and at most 20 records are read.
void LoadConstMacros(const std::filesystem::path& path);

// Macro index of group `group` read from its group file (found through the group list file
// of the current language), or a record whose every byte is zero: for a group above the list's
// count or outside the 12 groups, an index above the file's macroNum, a group name that cannot
// be a file name, a missing file. Steps always start at value 81; strengthEnabled, strength
// and reserved are taken only when that group file is version 3. Shows no message and writes
// no global, so the device threads may call it.
MacroRecord LoadGroupMacro(uint32_t group, uint32_t index);

// Reads the names and counts of the macros of groups 0 .. g_macroGroupCount - 1 into
// g_macroNames and g_groupMacroCount; later groups get empty names and keep their counts.
// A group whose macroNum is 0 or above 20 (or whose file is missing) keeps its old names.
void LoadMacroNames();

// g_skinsFolder / "config" / "PUBG_EN.dat" when g_isEnglish is set, else "PUBG_CN.dat".
std::filesystem::path GunMacroFilePath();

// Fills g_gunMacros and g_gunNames from the recoil file. g_gunMacroCount keeps the stated
// macroNum bounded to 0..20; a count of 0 (a missing file included) leaves names and records
// as they were.
void LoadGunMacros();

// Sets the y of every step of g_gunMacros[g] whose y is non-zero to strength, in memory, and
// writes the record as line g of the recoil file (DAT_VER 3; macroNum and the other lines are
// left as they are; a file in the older layout has its other lines rewritten in the current
// layout first, so the whole file stays readable). Does nothing for g outside 0..19. False
// when a write failed.
bool SaveGunMacro(int g, int strength);

}  // namespace gm
