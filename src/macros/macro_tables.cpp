#include "macros/macro_tables.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <system_error>

#include "macros/group_name_rules.h"
#include "macros/macro_file.h"
#include "macros/macro_file_layout.h"
#include "macros/macro_group_names.h"
#include "macros/macro_groups.h"
#include "platform/message_sink.h"
#include "platform/private_profile.h"
#include "platform/save_failure.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/paths.h"

namespace gm {

std::u16string g_macroNames[kGroupMacroNameSlots];
uint32_t g_groupMacroCount[kMaxMacroGroups];

namespace {

namespace fs = std::filesystem;

using macro_layout::kSectionMacros;
constexpr char kConfigFolderName[] = "config";
constexpr char kGunFileEnglish[] = "PUBG_EN.dat";
constexpr char kGunFileChinese[] = "PUBG_CN.dat";
constexpr uint16_t kLow16Bits = 0xFFFF;

std::u16string ReadMacroLine(const fs::path& file, int64_t index, std::size_t bufferChars) {
  return GetPrivateProfileStringW(kSectionMacros, DecimalText(index), u"", bufferChars, file);
}

// A stated macroNum as the number of records a table may hold.
int16_t BoundedRecordCount(int stated) {
  return static_cast<int16_t>(std::clamp(stated, 0, kMacrosPerGroup));
}

std::u16string NameOfLine(std::u16string_view line) {
  MacroRecord record{};
  StoreMacroLine(record, line, kMacroHeaderV3, macro_layout::kNameValues, false);
  return MacroNameOf(record);
}

}  // namespace

int UsableMacroCount(int group) {
  if (group < 0 || group >= kMaxMacroGroups) return 0;
  return static_cast<int>(
      std::min<uint32_t>(g_groupMacroCount[group], static_cast<uint32_t>(kMacrosPerGroup)));
}

void LoadConstMacros(const fs::path& path) {
  std::error_code ec;
  if (!fs::exists(path, ec)) ShowUserMessage(SameInBothLanguages(u"找不到配置文件"));

  std::lock_guard lock(g_macroTablesMutex);
  g_datVersion = ReadMacroFileVersion(path);
  g_constMacroCount = BoundedRecordCount(ReadMacroFileCount(path));
  const MacroLineLayout layout = MacroLineLayoutOf(g_datVersion);
  for (int i = 0; i < g_constMacroCount; ++i) {
    const std::u16string line = ReadMacroLine(path, i, kConstMacroLineBufferChars);
    StoreMacroLine(g_constMacros[i], line, layout.headerLength, layout.readValues,
                   layout.storeStrength);
  }
}

MacroRecord LoadGroupMacro(uint32_t group, uint32_t index) {
  MacroRecord record;
  std::memset(&record, 0, sizeof record);

  // Built from the skins folder and the language flag rather than g_macroDir, which the
  // user-interface thread may be changing while a device thread is here.
  const fs::path folder = MacroFolderOf(g_isEnglish.load() != 0);
  const fs::path listFile = folder / kMacroGroupListFileName;
  const int groupCount = WToI(GetPrivateProfileStringW(kGroupCountSection, kGroupCountKey, u"",
                                                       kGroupCountBufferChars, listFile));
  // Unsigned like the group: a key function below 256 gives group 0xFFFFFFFF.
  if (group > static_cast<uint32_t>(groupCount)) return record;
  if (group >= static_cast<uint32_t>(kMaxMacroGroups)) return record;

  const std::u16string groupName =
      GetPrivateProfileStringW(kGroupNameSection, DecimalText(group), u"",
                               kGroupNameBufferChars, listFile);
  const auto file = GroupFilePath(folder, groupName);
  if (!file) return record;
  const int macroCount = ReadMacroFileCount(*file);
  if (index > static_cast<uint32_t>(macroCount)) return record;

  // The strength is this file's own: whichever file was read last has no say in it.
  const std::u16string line = ReadMacroLine(*file, index, kGroupMacroLineBufferChars);
  StoreMacroLine(record, line, kMacroHeaderV3, kMacroReadValuesV3,
                 ReadMacroFileVersion(*file) == kMacroDatVersion);
  return record;
}

void LoadMacroNames() {
  for (int g = 0; g < kMaxMacroGroups; ++g) {
    std::u16string* names = &g_macroNames[g * kMacrosPerGroup];
    if (g >= g_macroGroupCount) {
      std::fill_n(names, kMacrosPerGroup, std::u16string());
      continue;
    }
    const auto file = GroupFilePath(g_macroDir, g_macroGroupNames[g]);
    const int stated = file ? ReadMacroFileCount(*file) : 0;
    // A negative count cannot be held by the unsigned table; it counts as no macros.
    g_groupMacroCount[g] = static_cast<uint32_t>(std::max(stated, 0));
    if (stated <= 0 || stated > kMacrosPerGroup) continue;
    for (int i = 0; i < kMacrosPerGroup; ++i) {
      names[i] = i < stated ? NameOfLine(ReadMacroLine(*file, i, kGroupMacroLineBufferChars))
                            : std::u16string();
    }
  }
}

fs::path GunMacroFilePath() {
  return g_skinsFolder / kConfigFolderName /
         (g_isEnglish.load() != 0 ? kGunFileEnglish : kGunFileChinese);
}

void LoadGunMacros() {
  const fs::path file = GunMacroFilePath();
  std::lock_guard lock(g_macroTablesMutex);
  // This file's count is read before its version.
  const int stated = ReadMacroFileCount(file);
  g_gunMacroCount = BoundedRecordCount(stated);
  g_datVersion = ReadMacroFileVersion(file);
  if (stated == 0) return;

  const MacroLineLayout layout = MacroLineLayoutOf(g_datVersion);
  for (int g = 0; g < kMacrosPerGroup; ++g) {
    g_gunNames[g].clear();
    if (g >= stated) continue;
    const std::u16string line =
        ReadMacroLine(file, g, macro_layout::LineBuffer(layout.readValues));
    StoreMacroLine(g_gunMacros[g], line, layout.headerLength, layout.readValues,
                   layout.storeStrength);
    g_gunNames[g] = MacroNameOf(g_gunMacros[g]);
  }
}

bool SaveGunMacro(int g, int strength) {
  if (g < 0 || g >= kMacrosPerGroup) return false;
  const SaveFailureReport report;
  std::lock_guard lock(g_macroTablesMutex);
  MacroRecord& record = g_gunMacros[g];
  const auto y = static_cast<uint16_t>(strength & kLow16Bits);
  for (MacroStepXY& step : record.xy) {
    if (step.y != 0) step.y = y;
  }
  return WriteMacroLineOnly(GunMacroFilePath(), g, record);
}

void ResetMacroNameTables() {
  std::lock_guard lock(g_macroTablesMutex);
  for (auto& name : g_macroNames) name.clear();
  for (auto& count : g_groupMacroCount) count = 0;
}

}  // namespace gm
