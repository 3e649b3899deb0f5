#pragma once
// Shared by the worker-thread and recoil tests: a data folder with config.ini, a macro group
// list and group files; the settings loaded from it; the virtual mouse opened; the flags and
// the tables an Apply leaves reset; and a bounded wait for effects of the worker threads.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "data_folder_fixture.h"
#include "device/apply_tables.h"
#include "device/device_threads.h"
#include "device/virtual_mouse.h"
#include "macros/macro_file.h"
#include "macros/macro_record.h"
#include "platform/private_profile.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "support/macro_line_text.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"

namespace gm::test {

// Polls pred every millisecond for at most `limit`; true as soon as it holds.
inline bool WaitUntil(const std::function<bool()>& pred,
                      std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (pred()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return pred();
}

// One step of a macro line as the file spells it: action, code (file form), x, y, delay.
struct FileStep {
  int action;
  int code;
  int x;
  int y;
  int delay;
};

// A version-3 macro line: name, play mode, repeat count, the steps and their counters.
inline std::string MacroLine(const std::string& name, int playMode, int repeatCount,
                             const std::vector<FileStep>& steps, int header = kMacroHeaderV3) {
  std::vector<int> values(header == kMacroHeaderV3 ? kMacroLineValuesV3 : 1855, 0);
  for (size_t k = 0; k < name.size() && k < kMacroNameUnits; ++k) {
    values[2 * k] = static_cast<unsigned char>(name[k]);
  }
  values[60] = playMode;
  values[61] = repeatCount & 0xFF;
  values[62] = repeatCount >> 8;
  values[63] = static_cast<int>(steps.size());
  int moves = 0;
  for (const FileStep& s : steps) moves += s.code == kStepMove ? 1 : 0;
  values[65] = moves;
  for (size_t i = 0; i < steps.size(); ++i) {
    const FileStep& s = steps[i];
    const size_t at = static_cast<size_t>(header) + kMacroValuesPerStep * i;
    const int fields[] = {s.action, s.code, s.x & 0xFF, s.x >> 8, s.y & 0xFF, s.y >> 8,
                          s.delay & 0xFF, s.delay >> 8};
    for (int k = 0; k < kMacroValuesPerStep; ++k) values[at + static_cast<size_t>(k)] = fields[k];
  }
  return MacroLineText(values);
}
// The y of step s of a version-3 line.
inline int LineStepY(std::u16string_view line, int s) {
  const int at = kMacroHeaderV3 + kMacroValuesPerStep * s + 4;
  return LineValue(line, at) + 256 * LineValue(line, at + 1);
}

class DeviceDataFolderTest : public DataFolderFixture {
 protected:
  void SetUp() override {
    DataFolderFixture::SetUp();
    WriteConfigIni({"0", "0", "0", "0"});
  }
  void TearDown() override {
    StopWorkers();
    DataFolderFixture::TearDown();
  }

  // config.ini with five keys at positions 1..5, CurConfig 0, DPI_LEVEL 4 and, per
  // configuration, K0 as given; K1 is 6 (a DPI key), K2 19 (a configuration key), K3 24 and
  // K4 1 in configuration 0; configuration c > 0 gives K2 the multimedia function 24 + c.
  void WriteConfigIni(const std::vector<std::string>& firstKey) {
    std::string s = "[Init]\r\nCurConfig=0\r\nVER_SEL=1\r\n[KEYNUM]\r\nKeyNum=5\r\n[KEYMAP]\r\n";
    for (int k = 1; k <= 5; ++k)
      s += "K" + std::to_string(k) + "_MAP=" + std::to_string(k) + "\r\n";
    for (int c = 0; c < kConfigCount; ++c) {
      s += "[Config" + std::to_string(c) + "]\r\nK0=" + firstKey[static_cast<size_t>(c)] + "\r\n";
      s += "K1=6\r\nK2=" + std::string(c == 0 ? "19" : std::to_string(24 + c)) + "\r\n";
      s += "K3=24\r\nK4=1\r\n";
    }
    s += "[ShareData]\r\nDPI_LEVEL=4\r\n";
    WriteFileBytes(g_configIniPath, s);
    LoadKeyMapIni();
    for (int c = kConfigCount - 1; c >= 0; --c)
      ASSERT_TRUE(LoadConfigSection(g_configFolder, c, false));
    g_curConfig = 0;
  }

  static std::string ReadIni(std::u16string_view section, std::u16string_view key,
                             const std::filesystem::path& file) {
    return ToUtf8(GetPrivateProfileStringW(section, key, u"<absent>", 1 << 15, file));
  }
  static std::u16string ReadMacroKey(const std::filesystem::path& file, int index) {
    return GetPrivateProfileStringW(u"Macros", DecimalText(index), u"", 1 << 15, file);
  }

  // macroGrp.ini listing the groups, and group files with their lines (DAT_VER `version`).
  void WriteGroupList(const std::vector<std::string>& names) const {
    std::string s = "[MACRO_GROUP_NUM]\r\nmacGrpNum=" + std::to_string(names.size()) +
                    "\r\n[MACRO_GROUP_NAME]\r\n";
    for (size_t i = 0; i < names.size(); ++i) s += std::to_string(i) + "=" + names[i] + "\r\n";
    WriteFileBytes(g_macroDir / "macroGrp.ini", s);
  }
  std::filesystem::path WriteGroupFile(const std::string& name, int macroNum,
                                       const std::vector<std::string>& lines,
                                       const std::string& version = "3") const {
    std::string s = "[Init]\r\nDAT_VER=" + version + "\r\n[Macros]\r\nmacroNum=" +
                    std::to_string(macroNum) + "\r\n";
    for (size_t i = 0; i < lines.size(); ++i) s += std::to_string(i) + "=" + lines[i] + "\r\n";
    const std::filesystem::path file = g_macroDir / (name + ".dat");
    WriteFileBytes(file, s);
    return file;
  }

  // The slot an Apply would have recorded for the first key of `configuration` (whose
  // position 1 then plays it).
  static void RecordRecoilSlot(int32_t address, int32_t length, int32_t configuration,
                               int32_t function) {
    g_recoilMacroAddr = address;
    g_recoilMacroLen = length;
    g_recoilMacroConfig = configuration;
    g_recoilMacroFunction = function;
    if (configuration >= 0 && configuration < kConfigCount) {
      g_slotCode[configuration][0] = function;
      g_slotMacroAddr[configuration][0] = address;
    }
  }

  void OpenMouse() { ASSERT_TRUE(OpenDevice(mouse_)); }

  void StartWorkers() {
    workers_ = std::make_unique<DeviceWorkers>([this] { ++repaints_; });
    workers_->Start();
  }
  void StopWorkers() {
    if (workers_) workers_->Stop();
    workers_.reset();
  }
  void Inject(std::vector<uint8_t> report) { mouse_.InjectInput(report); }

  std::unique_ptr<DeviceWorkers> workers_;
  std::atomic<int> repaints_{0};
};

}  // namespace gm::test
