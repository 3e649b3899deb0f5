#pragma once
// The list of macro groups: "macroGrp.ini" in the macro folder names the groups in order,
// and each group is the file g_macroDir + name + ".dat". The names and their count live in
// g_macroGroupNames and g_macroGroupCount (macros/macro_group_names.h).

#include <cstddef>
#include <cstdint>

#include "platform/message_sink.h"

namespace gm {

// The group list file and its keys.
inline constexpr char kMacroGroupListFileName[] = "macroGrp.ini";
inline constexpr char16_t kGroupCountSection[] = u"MACRO_GROUP_NUM";
inline constexpr char16_t kGroupCountKey[] = u"macGrpNum";
inline constexpr char16_t kGroupNameSection[] = u"MACRO_GROUP_NAME";
inline constexpr int kGroupListNameKeys = 20;              // the writer always writes keys 0..19
inline constexpr std::size_t kGroupCountBufferChars = 3;   // two digits
inline constexpr std::size_t kGroupNameBufferChars = 60;   // 59 units
inline constexpr uint8_t kMaxGroupFileIndex = 50;          // OpenMacroGroupFile refuses more

inline const UserMessage kGroupListMissingMessage = SameInBothLanguages(u"Can't find the file.");

// Reads the group list into g_macroGroupNames / g_macroGroupCount, after removing what a killed
// reset of the macro folder left (RemoveReplacementLeftovers). A missing list file shows
// "Can't find the file." and leaves no groups. A count above 12 keeps the first 12 names, a
// negative count gives none. With at least one group g_curMacroGroup becomes 0. Groups whose
// file is missing (or whose name cannot be a file name) are dropped in one pass: an entry is
// removed, the later ones move down, the list file is rewritten at once, and the check goes
// on with the next index, so the entry that moved into the freed place waits for the next
// load. A name that differs from an earlier one only in letter case is dropped the same way
// (also when it moves into a freed place), so the earlier group keeps the file they share. No
// group file is loaded here.
void LoadMacroGroups();

// Writes macGrpNum and the name keys 0..19 (names up to the count, empty keys after it) into
// g_macroDir + "macroGrp.ini", replacing the file once. A name IsValidGroupName refuses is
// written empty. False when a write failed; the failure is shown (platform/save_failure.h).
bool SaveMacroGroups();

// True when the file of group `group` exists in g_macroDir; with load set it is then read into
// g_macros (LoadMacroFile). False without touching the file system for a group above 50, a
// group outside the name table (12 or more) and a name that cannot be a file name.
bool OpenMacroGroupFile(uint8_t group, bool load);

}  // namespace gm
