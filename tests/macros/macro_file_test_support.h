#pragma once
// Helpers for the tests of the macro line, the group file reader and writers and step
// insertion: a data folder in a temporary directory with the process state reset, and direct
// reads of keys and lines from a written file.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "editor/macro_editor_state.h"
#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "platform/private_profile.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "support/macro_line_text.h"
#include "support/message_recorder.h"
#include "support/process_state.h"
#include "support/temp_dir.h"

namespace gm::test {

inline std::u16string Utf16DigitsOf(const std::vector<int>& values) {
  return ToUtf16(MacroLineText(values));
}

inline MacroRecord RecordFilledWith(unsigned char byte) {
  MacroRecord record;
  std::memset(&record, byte, sizeof record);
  return record;
}

// Field by field, so that padding bytes never count.
inline bool SameFields(const MacroRecord& a, const MacroRecord& b) {
  auto same = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
  return same(a.name, b.name) && a.playMode == b.playMode && a.repeatCount == b.repeatCount &&
         a.stepCount == b.stepCount && a.countF6 == b.countF6 && a.countF7 == b.countF7 &&
         a.countF8 == b.countF8 && a.countFA == b.countFA && a.countF9 == b.countF9 &&
         a.countFB == b.countFB && a.strengthEnabled == b.strengthEnabled &&
         a.strength == b.strength && same(a.reserved, b.reserved) && same(a.action, b.action) &&
         same(a.code, b.code) && same(a.xy, b.xy) && same(a.delayMs, b.delayMs) &&
         same(a.ledBlocks, b.ledBlocks) && same(a.fbBlocks, b.fbBlocks);
}

// A macro file as text: [Init] with the given DAT_VER (none when empty), [Macros] with macroNum
// and lines "0".."n-1".
inline void WriteDatFile(const std::filesystem::path& file, const std::string& datVersion,
                         const std::string& macroNum, const std::vector<std::string>& lines,
                         const std::string& extraInit = {}) {
  std::string text = "[Init]\r\n";
  if (!datVersion.empty()) text += "DAT_VER=" + datVersion + "\r\n";
  text += extraInit;
  text += "[Macros]\r\nmacroNum=" + macroNum + "\r\n";
  for (size_t i = 0; i < lines.size(); ++i) text += std::to_string(i) + "=" + lines[i] + "\r\n";
  WriteFileBytes(file, text);
}

inline std::u16string ReadKey(const std::filesystem::path& file, std::u16string_view section,
                              std::u16string_view key) {
  return GetPrivateProfileStringW(section, key, u"<absent>", 1 << 16, file);
}

inline std::u16string ReadLine(const std::filesystem::path& file, int index) {
  return ReadKey(file, u"Macros", DecimalText(index));
}

// A data folder with an empty macro folder; the macro, group and editor globals reset.
class MacroFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProcessState();
    g_isEnglish = 1;
    SetDataPaths(dir_.path(), true);
    std::filesystem::create_directories(g_macroDir);
  }
  void TearDown() override { ResetProcessState(); }

  std::filesystem::path GroupFile(const std::string& name) const {
    return g_macroDir / (name + ".dat");
  }

  TempDir dir_;
  MessageRecorder messages_;
};

}  // namespace gm::test
