#include "macro_output.h"

#include <system_error>

#include "macros/group_name_rules.h"
#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_groups.h"
#include "platform/private_profile.h"
#include "platform/text.h"
#include "settings/paths.h"

namespace gm::datagen {

namespace {

constexpr char16_t kInitSection[] = u"Init";
constexpr char16_t kVersionKey[] = u"DAT_VER";
constexpr char16_t kMacrosSection[] = u"Macros";
constexpr char16_t kMacroCountKey[] = u"macroNum";

}  // namespace

void WriteMacroFile(const std::filesystem::path& file, const std::vector<MacroRecord>& records,
                    Diagnostics& diagnostics) {
  if (records.size() > static_cast<std::size_t>(kMacrosPerGroup)) {
    diagnostics.Error(file.string() + ": more than 20 macros");
    return;
  }
  std::error_code ec;
  std::filesystem::remove(file, ec);
  if (ec) {
    diagnostics.Error(file.string() + ": cannot replace the file: " + ec.message());
    return;
  }
  bool written = WritePrivateProfileStringW(kInitSection, kVersionKey,
                                            DecimalText(kMacroDatVersion), file);
  written &= WritePrivateProfileStringW(kMacrosSection, kMacroCountKey,
                                        DecimalText(static_cast<int64_t>(records.size())), file);
  for (std::size_t i = 0; i < records.size(); ++i) {
    written &= WritePrivateProfileStringW(kMacrosSection, DecimalText(static_cast<int64_t>(i)),
                                          BuildMacroLine(records[i]), file);
  }
  if (!written) diagnostics.Error(file.string() + ": could not be written");
}

void WriteMacroFolder(const std::filesystem::path& macroDir, const std::vector<MacroGroup>& groups,
                      Diagnostics& diagnostics) {
  if (groups.size() > static_cast<std::size_t>(kMaxMacroGroups)) {
    diagnostics.Error(macroDir.string() + ": more than 12 groups");
    return;
  }
  for (auto& name : g_macroGroupNames) name.clear();
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const auto file = GroupFilePath(macroDir, groups[g].name);
    if (!file) {
      diagnostics.Error("group \"" + ToUtf8(groups[g].name) + "\" cannot be a file name");
      continue;
    }
    WriteMacroFile(*file, groups[g].macros, diagnostics);
    g_macroGroupNames[g] = groups[g].name;
  }
  g_macroDir = macroDir / "";
  g_macroGroupCount = static_cast<int>(groups.size());
  if (!SaveMacroGroups()) {
    diagnostics.Error((macroDir / kMacroGroupListFileName).string() + ": could not be written");
  }
}

}  // namespace gm::datagen
