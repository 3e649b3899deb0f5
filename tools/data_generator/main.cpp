// data_generator: writes the program's factory data into the data folder beside the
// executable: skins/config/config.ini and configReset.ini, the built-in macros
// (constMacro.dat), the recoil macros (PUBG_EN.dat, PUBG_CN.dat) and the example macro
// groups of both languages in skins/INI_EN and skins/INI_CN (macro/ and its factory copy
// macroReset/).
//
//   data_generator <program folder> <data folder>
//
// The data folder holds the readable sources: builtin_macros.txt, macro_groups.txt and
// recoil_macros.txt. Every source is checked before anything is written; errors are printed
// and the exit status is 1.

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "default_settings.h"
#include "diagnostics.h"
#include "macro_builder.h"
#include "macro_output.h"
#include "macro_text.h"
#include "macros/macro_folders.h"
#include "platform/text.h"
#include "recoil_macros.h"
#include "settings/config_settings.h"
#include "settings/paths.h"

namespace gm::datagen {
namespace {

constexpr char kBuiltInMacroData[] = "builtin_macros.txt";
constexpr char kMacroGroupData[] = "macro_groups.txt";
constexpr char kRecoilData[] = "recoil_macros.txt";

struct GeneratedData {
  std::vector<MacroRecord> builtInMacros;
  std::vector<MacroRecord> recoilMacros[2];  // by language
  std::vector<MacroGroup> groups[2];         // by language
};

std::size_t LanguageIndex(Language language) { return language == Language::kEnglish ? 0 : 1; }

const std::u16string& NameIn(const NamePair& name, Language language) {
  return language == Language::kEnglish ? name.english : name.chinese;
}

// Reports the second use of a name within one list.
void CheckUnique(std::set<std::u16string>& seen, const std::u16string& name,
                 const std::filesystem::path& file, int line, Diagnostics& diagnostics) {
  if (!seen.insert(name).second) {
    diagnostics.Error(file, line, "the name \"" + ToUtf8(name) + "\" is used twice");
  }
}

void ReadBuiltInMacros(const std::filesystem::path& file, GeneratedData& data,
                       Diagnostics& diagnostics) {
  const MacroText text = ReadMacroText(file, diagnostics);
  if (!text.groups.empty()) diagnostics.Error(file, text.groups.front().line, "no groups here");
  if (text.macros.size() > static_cast<std::size_t>(kMacrosPerGroup)) {
    diagnostics.Error(file.string() + ": more than 20 built-in macros");
  }
  std::set<std::u16string> names;
  for (const MacroSource& source : text.macros) {
    // One file serves both languages; the built-in macros carry their English names.
    CheckUnique(names, source.name.english, file, source.line, diagnostics);
    if (auto record = BuildMacroRecord(source, Language::kEnglish, kBuiltInMacroRules, file,
                                       diagnostics)) {
      data.builtInMacros.push_back(*record);
    }
  }
}

void ReadMacroGroups(const std::filesystem::path& file, GeneratedData& data,
                     Diagnostics& diagnostics) {
  const MacroText text = ReadMacroText(file, diagnostics);
  if (!text.macros.empty()) {
    diagnostics.Error(file, text.macros.front().line, "a macro before the first group");
  }
  for (Language language : kLanguages) {
    std::set<std::u16string> groupNames;
    for (const GroupSource& group : text.groups) {
      CheckUnique(groupNames, NameIn(group.name, language), file, group.line, diagnostics);
      if (group.macros.empty()) diagnostics.Error(file, group.line, "a group without macros");
      MacroGroup out{NameIn(group.name, language), {}};
      std::set<std::u16string> macroNames;
      for (const MacroSource& source : group.macros) {
        CheckUnique(macroNames, NameIn(source.name, language), file, source.line, diagnostics);
        if (auto record =
                BuildMacroRecord(source, language, kWholeRecordRules, file, diagnostics)) {
          out.macros.push_back(*record);
        }
      }
      data.groups[LanguageIndex(language)].push_back(std::move(out));
    }
  }
}

void ReadRecoilMacros(const std::filesystem::path& file, GeneratedData& data,
                      Diagnostics& diagnostics) {
  const auto sources = ReadRecoilSources(file, diagnostics);
  for (Language language : kLanguages) {
    data.recoilMacros[LanguageIndex(language)] = BuildRecoilMacros(sources, language);
  }
}

// Empties (or creates) a folder that holds nothing but generated files.
void PrepareFolder(const std::filesystem::path& folder, Diagnostics& diagnostics) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec || !DeleteDirectory(folder)) {
    diagnostics.Error(folder.string() + ": cannot be prepared");
  }
}

void WriteAll(const std::filesystem::path& appDir, const GeneratedData& data,
              Diagnostics& diagnostics) {
  SetDataPaths(appDir, true);
  std::error_code ec;
  std::filesystem::create_directories(g_configFolder, ec);
  if (ec) return diagnostics.Error(g_configFolder.string() + ": cannot be created");

  WriteSettingsFile(g_configFolder / "config.ini", diagnostics);
  WriteSettingsFile(g_configFolder / "configReset.ini", diagnostics);
  WriteMacroFile(g_configFolder / "constMacro.dat", data.builtInMacros, diagnostics);
  WriteMacroFile(g_configFolder / "PUBG_EN.dat", data.recoilMacros[0], diagnostics);
  WriteMacroFile(g_configFolder / "PUBG_CN.dat", data.recoilMacros[1], diagnostics);

  for (Language language : kLanguages) {
    SetDataPaths(appDir, language == Language::kEnglish);
    const std::filesystem::path macroDir = g_macroDir;
    const std::filesystem::path resetDir = g_macroResetDir;
    PrepareFolder(macroDir, diagnostics);
    PrepareFolder(resetDir, diagnostics);
    WriteMacroFolder(macroDir, data.groups[LanguageIndex(language)], diagnostics);
    // The factory copy from which the macro page restores the groups.
    if (!CopyDirectory(macroDir, resetDir)) {
      diagnostics.Error(resetDir.string() + ": could not be filled");
    }
  }
}

int Run(const std::filesystem::path& appDir, const std::filesystem::path& dataDir) {
  g_isEnglish = 1;  // the step-list key names the data files use are the English ones
  Diagnostics diagnostics;
  GeneratedData data;
  ReadBuiltInMacros(dataDir / kBuiltInMacroData, data, diagnostics);
  ReadMacroGroups(dataDir / kMacroGroupData, data, diagnostics);
  ReadRecoilMacros(dataDir / kRecoilData, data, diagnostics);
  if (diagnostics.ok()) WriteAll(appDir, data, diagnostics);

  for (const std::string& error : diagnostics.errors()) {
    std::fprintf(stderr, "data_generator: %s\n", error.c_str());
  }
  return diagnostics.ok() ? 0 : 1;
}

}  // namespace
}  // namespace gm::datagen

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: data_generator <program folder> <data folder>\n");
    return 2;
  }
  return gm::datagen::Run(argv[1], argv[2]);
}
