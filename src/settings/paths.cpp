#include "settings/paths.h"

namespace gm {

std::filesystem::path g_exeFolder;
std::filesystem::path g_skinsFolder;
std::filesystem::path g_configFolder;
std::filesystem::path g_configIniPath;
std::filesystem::path g_macroDir;
std::filesystem::path g_macroResetDir;

const char* LanguageFolderName(bool isEnglish) { return isEnglish ? "INI_EN" : "INI_CN"; }

void SetDataPaths(const std::filesystem::path& exeFolder, bool isEnglish) {
  g_exeFolder = exeFolder;
  g_skinsFolder = exeFolder / "skins";
  g_configFolder = g_skinsFolder / "config" / "";
  g_configIniPath = g_configFolder / "config.ini";
  g_macroDir = g_skinsFolder / LanguageFolderName(isEnglish) / "macro" / "";
  g_macroResetDir = g_skinsFolder / LanguageFolderName(isEnglish) / "macroReset" / "";
}

}  // namespace gm
