#pragma once
// The data paths, built once at start-up from the executable's folder and read everywhere.
// Folders end with a separator where the program appends file names to them.

#include <filesystem>

namespace gm {

extern std::filesystem::path g_exeFolder;      // the executable's folder
extern std::filesystem::path g_skinsFolder;    // g_exeFolder / "skins"
extern std::filesystem::path g_configFolder;   // g_skinsFolder / "config" /
extern std::filesystem::path g_configIniPath;  // g_configFolder / "config.ini"
extern std::filesystem::path g_macroDir;       // g_skinsFolder / "INI_EN" or "INI_CN" / "macro" /
extern std::filesystem::path g_macroResetDir;  // the same with "macroReset" /

// Sets every path from the executable's folder and the language (macro folders). A path whose
// value stays the same is not written: a language switch changes only the two macro folders,
// and the device threads, which read the other paths at any time, never meet one being written.
void SetDataPaths(const std::filesystem::path& exeFolder, bool isEnglish);

// The macro folder of a language, g_skinsFolder / "INI_EN" or "INI_CN" / "macro" /, and its
// factory copy "macroReset" /. The device threads build group file paths from these rather
// than from g_macroDir, which the user-interface thread may be changing meanwhile.
std::filesystem::path MacroFolderOf(bool isEnglish);
std::filesystem::path MacroResetFolderOf(bool isEnglish);

// Sets only g_macroDir and g_macroResetDir, to the macro folders of the language below
// g_skinsFolder. No lock: a caller that shares the folders with the device threads goes
// through UseMacroFoldersOfLanguage (macros/macro_reload.h).
void SetMacroFolders(bool isEnglish);

// Empties every path (the start values).
void ResetDataPaths();

// The language folder name below the skins folder: "INI_EN" or "INI_CN".
const char* LanguageFolderName(bool isEnglish);

}  // namespace gm
