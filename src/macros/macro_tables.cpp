#include "macros/macro_tables.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "macros/group_name_rules.h"
#include "macros/macro_file.h"
#include "macros/macro_file_layout.h"
#include "macros/macro_group_names.h"
#include "macros/macro_groups.h"
#include "platform/message_sink.h"
#include "platform/private_profile.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/paths.h"

namespace gm {

std::u16string g_macroNames[kGroupMacroNameSlots];
uint32_t g_groupMacroCount[kMaxMacroGroups];

namespace {

namespace fs = std::filesystem;

using macro_layout::kKeyDatVersion;
using macro_layout::kKeyMacroCount;
using macro_layout::kSectionInit;
using macro_layout::kSectionMacros;
using macro_layout::kSmallNumberBuffer;
constexpr char kMacroFolderName[] = "macro";
constexpr char kConfigFolderName[] = "config";
constexpr char kGunFileEnglish[] = "PUBG_EN.dat";
constexpr char kGunFileChinese[] = "PUBG_CN.dat";
constexpr uint16_t kLow16Bits = 0xFFFF;

// Where the values of a line go: header length, values visited, and whether values 75..80
// carry strengthEnabled, strength and reserved.
struct LineLayout {
  int headerLength;
  int valueCount;
  bool storeStrength;
};

LineLayout LayoutOfVersion(uint8_t version) {
  if (version == kMacroDatVersion) return {kMacroHeaderV3, kMacroReadValuesV3, true};
  return {kMacroHeaderV2, kMacroReadValuesV2, false};
}

std::size_t LineBufferChars(const LineLayout& layout) {
  return macro_layout::LineBuffer(layout.valueCount);
}

uint8_t ReadDatVersion(const fs::path& file) {
  return LowByte(WToI(GetPrivateProfileStringW(kSectionInit, kKeyDatVersion, u"",
                                               kSmallNumberBuffer, file)));
}

int ReadMacroCount(const fs::path& file) {
  return WToI(GetPrivateProfileStringW(kSectionMacros, kKeyMacroCount, u"",
                                       kSmallNumberBuffer, file));
}

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

// A file in the older layout would have its other lines misread once DAT_VER says 3, so
// before one line is written in the current layout, lines 0..19 other than `skip` are read in
// the older layout and written back in the current one.
bool RewriteOlderLayoutLines(const fs::path& file, int skip) {
  std::error_code ec;
  if (!fs::exists(file, ec) || ReadDatVersion(file) == kMacroDatVersion) return true;
  const LineLayout older = LayoutOfVersion(0);
  bool written = true;
  for (int k = 0; k < kMacrosPerGroup; ++k) {
    if (k == skip) continue;
    const std::u16string line = ReadMacroLine(file, k, LineBufferChars(older));
    if (line.empty()) continue;
    MacroRecord record{};
    StoreMacroLine(record, line, older.headerLength, older.valueCount, older.storeStrength);
    written &= WritePrivateProfileStringW(kSectionMacros, DecimalText(k),
                                          BuildMacroLine(record), file);
  }
  return written;
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

  g_datVersion = ReadDatVersion(path);
  g_constMacroCount = BoundedRecordCount(ReadMacroCount(path));
  const LineLayout layout = LayoutOfVersion(g_datVersion);
  for (int i = 0; i < g_constMacroCount; ++i) {
    const std::u16string line = ReadMacroLine(path, i, kConstMacroLineBufferChars);
    StoreMacroLine(g_constMacros[i], line, layout.headerLength, layout.valueCount,
                   layout.storeStrength);
  }
}

MacroRecord LoadGroupMacro(uint32_t group, uint32_t index) {
  MacroRecord record;
  std::memset(&record, 0, sizeof record);

  // Built from the skins folder and the language flag rather than g_macroDir, which the
  // user-interface thread may be changing while a device thread is here.
  const fs::path folder =
      g_skinsFolder / LanguageFolderName(g_isEnglish.load() != 0) / kMacroFolderName;
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
  const int macroCount = ReadMacroCount(*file);
  if (index > static_cast<uint32_t>(macroCount)) return record;

  const std::u16string line = ReadMacroLine(*file, index, kGroupMacroLineBufferChars);
  StoreMacroLine(record, line, kMacroHeaderV3, kMacroReadValuesV3,
                 g_datVersion == kMacroDatVersion);
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
    const int stated = file ? ReadMacroCount(*file) : 0;
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
  // This file's count is read before its version.
  const int stated = ReadMacroCount(file);
  g_gunMacroCount = BoundedRecordCount(stated);
  g_datVersion = ReadDatVersion(file);
  if (stated == 0) return;

  const LineLayout layout = LayoutOfVersion(g_datVersion);
  for (int g = 0; g < kMacrosPerGroup; ++g) {
    g_gunNames[g].clear();
    if (g >= stated) continue;
    const std::u16string line = ReadMacroLine(file, g, LineBufferChars(layout));
    StoreMacroLine(g_gunMacros[g], line, layout.headerLength, layout.valueCount,
                   layout.storeStrength);
    g_gunNames[g] = MacroNameOf(g_gunMacros[g]);
  }
}

bool SaveGunMacro(int g, int strength) {
  if (g < 0 || g >= kMacrosPerGroup) return false;
  const fs::path file = GunMacroFilePath();
  bool written = RewriteOlderLayoutLines(file, g);
  written &= WritePrivateProfileStringW(kSectionInit, kKeyDatVersion,
                                        macro_layout::kDatVersionText, file);

  MacroRecord& record = g_gunMacros[g];
  const auto y = static_cast<uint16_t>(strength & kLow16Bits);
  for (MacroStepXY& step : record.xy) {
    if (step.y != 0) step.y = y;
  }
  written &= WritePrivateProfileStringW(kSectionMacros, DecimalText(g), BuildMacroLine(record),
                                        file);
  return written;
}

}  // namespace gm
