#pragma once
// Writes macro files with the program's own writers: every line is BuildMacroLine's text and
// every key goes through WritePrivateProfileStringW; the group list is SaveMacroGroups'.

#include <filesystem>
#include <string>
#include <vector>

#include "diagnostics.h"
#include "macros/macro_record.h"

namespace gm::datagen {

// Replaces the file with DAT_VER 3, macroNum and one line per record (at most 20).
void WriteMacroFile(const std::filesystem::path& file, const std::vector<MacroRecord>& records,
                    Diagnostics& diagnostics);

struct MacroGroup {
  std::u16string name;
  std::vector<MacroRecord> macros;
};

// Writes macroGrp.ini and one .dat file per group into the macro folder (which must exist
// and be empty): the folder becomes what the macro page lists.
void WriteMacroFolder(const std::filesystem::path& macroDir, const std::vector<MacroGroup>& groups,
                      Diagnostics& diagnostics);

}  // namespace gm::datagen
