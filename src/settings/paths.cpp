#include "settings/paths.h"

#include <initializer_list>

namespace gm {

std::filesystem::path g_exeFolder;
std::filesystem::path g_skinsFolder;
std::filesystem::path g_configFolder;
std::filesystem::path g_configIniPath;
std::filesystem::path g_macroDir;
std::filesystem::path g_macroResetDir;

namespace {

// The device threads read the settings paths at any time, and a language switch sets the
// paths again: a path that keeps its value is left untouched, so that no reader on another
// thread ever meets it half rewritten.
void SetPath(std::filesystem::path& path, std::filesystem::path value) {
  if (path != value) path = std::move(value);
}

}  // namespace

const char* LanguageFolderName(bool isEnglish) { return isEnglish ? "INI_EN" : "INI_CN"; }

void SetDataPaths(const std::filesystem::path& exeFolder, bool isEnglish) {
  SetPath(g_exeFolder, exeFolder);
  SetPath(g_skinsFolder, exeFolder / "skins");
  SetPath(g_configFolder, g_skinsFolder / "config" / "");
  SetPath(g_configIniPath, g_configFolder / "config.ini");
  SetMacroFolders(isEnglish);
}

std::filesystem::path MacroFolderOf(bool isEnglish) {
  return g_skinsFolder / LanguageFolderName(isEnglish) / "macro" / "";
}

std::filesystem::path MacroResetFolderOf(bool isEnglish) {
  return g_skinsFolder / LanguageFolderName(isEnglish) / "macroReset" / "";
}

void SetMacroFolders(bool isEnglish) {
  SetPath(g_macroDir, MacroFolderOf(isEnglish));
  SetPath(g_macroResetDir, MacroResetFolderOf(isEnglish));
}

void ResetDataPaths() {
  for (std::filesystem::path* path : {&g_exeFolder, &g_skinsFolder, &g_configFolder,
                                      &g_configIniPath, &g_macroDir, &g_macroResetDir}) {
    path->clear();
  }
}

}  // namespace gm
