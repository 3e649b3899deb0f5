#pragma once
// The macro folders of a language and the group tables read from them, as start-up and the
// language switch set them. Each function takes g_macroTablesMutex inside: Apply and the
// recoil adjustment build group file paths from g_macroDir and g_macroGroupNames and read
// g_curMacroGroup under it on the device threads. The recoil macros are reloaded with
// LoadGunMacros (macros/macro_tables.h), which takes the lock itself.

namespace gm {

// Sets g_macroDir and g_macroResetDir to the macro folders of the language.
void UseMacroFoldersOfLanguage(bool isEnglish);

// Reads the group list of g_macroDir (LoadMacroGroups); with at least one group, loads the
// file of g_curMacroGroup into the editor and reads the macro names and counts of every group.
void ReloadMacroGroups();

// UseMacroFoldersOfLanguage, then ReloadMacroGroups, without releasing the lock in between:
// no device thread sees the new folder with the old group names.
void SwitchMacroFoldersToLanguage(bool isEnglish);

}  // namespace gm
