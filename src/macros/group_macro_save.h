#pragma once
// Saving one macro of the editor's table to its group's file: the one way Apply, step
// insertion and the language switch save "the selected macro" (the editor's
// SelectedListMacro names it).

namespace gm {

// A macro of a group: group 0..11 in list order, macro 0..19 in the group.
struct GroupMacro {
  int group = 0;
  int macro = 0;

  bool operator==(const GroupMacro&) const = default;
};

// Writes g_macros[macro] as line `macro` of the file of group `group` in g_macroDir
// (SaveMacro). Nothing is written unless group is the open group (g_curMacroGroup: g_macros
// holds its records and no other group's), nor for a group outside 0 .. g_macroGroupCount - 1
// (and 0..11), a macro outside 0..19, or a group name that cannot be a file name (so never a
// file named ".dat"). Takes g_macroTablesMutex inside: the device threads save into the open
// group and the window changes the group names and the macro folder under it.
void SaveGroupMacro(const GroupMacro& target);

}  // namespace gm
