#pragma once
// The group and macro management of the macro page's tree list: new group, new macro, delete
// macro, delete group, import, export (plain or locked) and the reset of all groups. Each
// command changes the group tables, the loaded group (g_macros) and the files together, so
// that after it the group list file, the group files and the tables agree; a write that
// fails is reported once per command (kSaveFailed naming the file and the reason, or the
// command's own message) and the tables are put back to what the files hold. The file
// dialogs belong to the window, which passes the chosen path.
//
// expanded is the tree list's open/closed flag per group (1 open); selectedRow a row of the
// macro list (g_macroListEntries). User-interface thread; g_macros is changed under
// g_macroTablesMutex.

#include <cstdint>
#include <filesystem>
#include <span>

#include "editor/macro_command_outcome.h"
#include "macros/macro_record.h"

namespace gm {

using GroupExpansion = std::span<uint32_t, kMaxMacroGroups>;

inline constexpr char16_t kNewItemName[] = u"New";

// The macro-list row of group's header (macro < 0) or of one of its macros, with the list
// built from the tables as FillMacroList builds it; -1 when the row is not shown.
int MacroListRowOf(int group, int macro, GroupExpansion expanded);

// Empties the loaded group: no macros, not locked, all 21 records of g_macros cleared, macro 0
// current.
void ClearLoadedGroup();

// "New macro group": a group named "New" with an empty file, added last and loaded (no
// macros, collapsed, selected). Refused at 12 groups ("More than limit!"), when a group of
// that name exists ("'New' Double name!"), and when its file cannot be created ("Create new
// mac_file Fail!", nothing registered).
MacroCommandOutcome NewMacroGroup(GroupExpansion expanded);

// "New macro" in the group of selectedRow: a macro named "New" appended to it and written to
// its file; the group opens. Nothing without groups; "More than limit!" at 20 macros; "'New'
// Double name!" when the group has a macro of that name. The group is loaded first when
// another one is.
MacroCommandOutcome NewMacro(int selectedRow, GroupExpansion expanded);

// "Delete" on a macro row (no confirmation; nothing while recording): the later macros move
// down, the group file is rewritten, and the row above becomes the selection (its macro's
// steps are shown, or on a group row the step list is emptied and the repeat edit disabled).
MacroCommandOutcome DeleteMacro(int selectedRow, bool recording);

// "Delete macro group" (no confirmation): the group's file is removed (tried twice), the later
// groups move up with their open/closed flags, the list file is rewritten and group 0 loaded;
// with no group left the lists are emptied and every record cleared. A file that resists
// deletion keeps the group and is reported.
MacroCommandOutcome DeleteMacroGroup(int selectedRow, GroupExpansion expanded);

// "Import macro group" of the chosen file: its name up to the first ".dat" becomes the group's
// name (no ".dat": "Error!"; a name that cannot be a file name: the rename message), the file
// is copied to that name + ".dat" in the macro folder, added last and loaded. Refused at 12
// groups and for a name a group has ("Double name!", also when they differ only in case).
MacroCommandOutcome ImportMacroGroup(const std::filesystem::path& chosen, GroupExpansion expanded);

// "Export macro group" (locked = false) / "... encryption" (locked = true): the loaded group is
// written to the chosen file, which it replaces whole; the locked file carries the read-only
// marker, and the loaded group stays locked (shows no steps, refuses edits) until a group is
// loaded again. "Error!" without groups.
MacroCommandOutcome ExportMacroGroup(const std::filesystem::path& chosen, bool locked);

// "Reset all macro groups" (no confirmation): the macro folder's contents are replaced by the
// factory folder's as one step (ReplaceDirectoryWithCopy: a killed reset leaves the old or the
// new folder; through a link, the folder it points to; where the folder that holds it cannot
// be written, file by file with the list last), the groups read again and group 0 loaded, all
// groups collapsed. Refused without touching the macro folder when the factory folder holds no
// group list. A failure is kSaveFailed naming the file and the reason.
MacroCommandOutcome ResetAllMacroGroups(GroupExpansion expanded);

}  // namespace gm
