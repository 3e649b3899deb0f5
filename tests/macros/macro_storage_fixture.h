#pragma once
// A data folder laid out as the program expects it (skins/config, skins/INI_EN/macro,
// skins/INI_EN/macroReset) in a temporary folder, with the process state reset, and helpers
// that write INI and macro files as text.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "platform/private_profile.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "support/macro_line_text.h"
#include "support/message_recorder.h"
#include "support/process_state.h"
#include "support/temp_dir.h"

namespace gm::test {

// Version-3 values of a macro whose name is `name` (ASCII), with header values set by index.
inline std::vector<int> V3Values(std::string_view name) {
  std::vector<int> values(kMacroLineValuesV3, 0);
  for (std::size_t k = 0; k < name.size() && k < kMacroNameUnits; ++k) {
    values[2 * k] = static_cast<unsigned char>(name[k]);
  }
  return values;
}

// Sets step s of a line of the given header length: action, code (file form), x, y, delay.
inline void SetStepValues(std::vector<int>& values, int header, int s, int action, int code,
                          int x, int y, int delay) {
  const std::size_t at = static_cast<std::size_t>(header + kMacroValuesPerStep * s);
  if (values.size() < at + kMacroValuesPerStep) values.resize(at + kMacroValuesPerStep, 0);
  const int fields[] = {action, code, x & 0xFF, x >> 8, y & 0xFF, y >> 8, delay & 0xFF,
                        delay >> 8};
  for (int k = 0; k < kMacroValuesPerStep; ++k) values[at + k] = fields[k];
}

// An INI file from sections of key/value pairs, CR LF line endings.
using IniKeys = std::vector<std::pair<std::string, std::string>>;
inline void WriteIni(const std::filesystem::path& file,
                     const std::vector<std::pair<std::string, IniKeys>>& sections) {
  std::string text;
  for (const auto& [section, keys] : sections) {
    text += "[" + section + "]\r\n";
    for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
  }
  WriteFileBytes(file, text);
}

inline std::u16string ReadKey(const std::filesystem::path& file, std::u16string_view section,
                              std::u16string_view key) {
  return GetPrivateProfileStringW(section, key, u"<absent>", 1 << 16, file);
}

class MacroStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProcessState();
    g_isEnglish = 1;
    SetDataPaths(dir_.path(), true);
    std::filesystem::create_directories(g_configFolder);
    std::filesystem::create_directories(g_macroDir);
    std::filesystem::create_directories(g_macroResetDir);
  }
  void TearDown() override { ResetProcessState(); }

  // A group file in the macro folder with the given macro lines (v3) and macroNum.
  void WriteGroupFile(const std::string& group, int macroNum,
                      const std::vector<std::vector<int>>& lines) {
    IniKeys macros{{"macroNum", std::to_string(macroNum)}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
      macros.emplace_back(std::to_string(i), MacroLineText(lines[i]));
    }
    WriteIni(g_macroDir / (group + ".dat"), {{"Init", {{"DAT_VER", "3"}}}, {"Macros", macros}});
  }

  void WriteGroupList(const std::string& count, const std::vector<std::string>& names) {
    IniKeys keys;
    for (std::size_t i = 0; i < names.size(); ++i) keys.emplace_back(std::to_string(i), names[i]);
    WriteIni(g_macroDir / "macroGrp.ini",
             {{"MACRO_GROUP_NUM", {{"macGrpNum", count}}}, {"MACRO_GROUP_NAME", keys}});
  }

  TempDir dir_;
  MessageRecorder messages_;
};

}  // namespace gm::test
