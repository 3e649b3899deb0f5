#pragma once
// Shared by the Apply tests: a data folder with the macro folders and config.ini path, the
// settings and macro tables at their start values, the virtual mouse opened with its pauses
// counted, a recorder for the desktop mouse settings, and builders for macro records and
// group files.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "data_folder_fixture.h"
#include "device/apply_settings.h"
#include "device/apply_tables.h"
#include "device/system_mouse_settings.h"
#include "device/virtual_mouse.h"
#include "editor/macro_editor_state.h"
#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_groups.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"

namespace gm::test {

// Records what Apply asks of the desktop; each Get answers as configured.
class RecordingSystemSettings final : public SystemMouseSettings {
 public:
  std::optional<int> pointerSpeedReading = 10;
  std::optional<int> wheelLinesReading = 3;
  std::vector<int> pointerSpeedsSet;
  std::vector<int> wheelLinesSet;

  std::optional<int> GetPointerSpeed() override { return pointerSpeedReading; }
  bool SetPointerSpeed(int speed) override {
    pointerSpeedsSet.push_back(speed);
    return true;
  }
  std::optional<int> GetWheelScrollLines() override { return wheelLinesReading; }
  bool SetWheelScrollLines(int lines) override {
    wheelLinesSet.push_back(lines);
    return true;
  }
};

struct StepSpec {
  uint8_t code = 0;
  uint8_t action = 0;
  uint16_t delayMs = 0;
  uint16_t x = 0;
  uint16_t y = 0;
};

// A record with the given steps; the per-kind counters follow the steps.
inline MacroRecord MakeMacro(const char16_t* name, uint8_t playMode, uint16_t repeatCount,
                             std::initializer_list<StepSpec> steps) {
  MacroRecord r{};
  SetMacroName(r, name);
  r.playMode = playMode;
  r.repeatCount = repeatCount;
  for (const StepSpec& step : steps) {
    const int i = r.stepCount++;
    r.code[i] = step.code;
    r.action[i] = step.action;
    r.delayMs[i] = step.delayMs;
    r.xy[i] = {step.x, step.y};
    if (step.code == kStepMove) ++r.countF6;
    if (step.code == kStepLighting) ++r.countF9;
  }
  return r;
}

// A record of `steps` key steps (press and release of usage 4 in turn), each with `delayMs`.
inline MacroRecord MakeLongMacro(int steps, uint16_t delayMs) {
  MacroRecord r = MakeMacro(u"Long", 0, 1, {});
  for (int i = 0; i < steps; ++i) {
    r.code[i] = 0x04;
    r.action[i] = i % 2 == 0 ? kActionPress : kActionRelease;
    r.delayMs[i] = delayMs;
  }
  r.stepCount = static_cast<uint16_t>(steps);
  return r;
}

class ApplyTest : public DataFolderFixture {
 protected:
  void SetUp() override {
    DataFolderFixture::SetUp();
    // The tests build their groups in the current layout.
    g_datVersion = kMacroDatVersion;
    ASSERT_TRUE(OpenDevice(mouse_));
  }

  // Keys 0 .. positions.size() - 1 at the given device positions.
  static void SetKeyMap(std::initializer_list<uint8_t> positions) {
    int k = 0;
    for (uint8_t p : positions) g_keyMap[k++] = p;
    g_keyCount = k;
  }

  static void SetKey(int c, int k, int32_t function, uint8_t param = 0, int32_t leftMac = 0,
                     int32_t reactEnable = 0, int32_t reactType = 0) {
    g_keyFunction[c][k] = function;
    g_keyParam[c][k] = param;
    g_keyMacroMode[c][k] = leftMac;
    g_ledReactEnable[c][k] = reactEnable;
    g_ledReactType[c][k] = reactType;
  }

  // Appends a group file holding `macros` and lists it in macroGrp.ini; g_macros is left as
  // it was.
  static void AddGroup(const std::u16string& name, const std::vector<MacroRecord>& macros) {
    std::lock_guard lock(g_macroTablesMutex);
    const int group = g_macroGroupCount;
    MacroRecord saved[kMacrosPerGroup + 1];
    std::copy(std::begin(g_macros), std::end(g_macros), saved);
    const int16_t savedCount = g_macroCount;
    for (size_t i = 0; i < macros.size(); ++i) g_macros[i] = macros[i];
    g_macroCount = static_cast<int16_t>(macros.size());
    SaveMacroFile(g_macroDir / (ToUtf8(name) + ".dat"));
    std::copy(std::begin(saved), std::end(saved), g_macros);
    g_macroCount = savedCount;
    g_macroGroupNames[group] = name;
    g_groupMacroCount[group] = static_cast<uint32_t>(macros.size());
    g_macroGroupCount = group + 1;
    ASSERT_TRUE(SaveMacroGroups());
  }

  // An Apply from the window, which names the macro to save first (the selected one).
  ApplyResult Apply(std::optional<GroupMacro> macroToSaveFirst = std::nullopt) {
    return ApplySettingsToDevice(system_, macroToSaveFirst);
  }

  std::vector<uint8_t> MemoryRange(int32_t address, size_t length) const {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < length; ++i) {
      bytes.push_back(mouse_.MemoryByte(address + static_cast<int32_t>(i)));
    }
    return bytes;
  }
  std::vector<uint8_t> Descriptor(int c, int s) const {
    return MemoryRange(0xA0 + 10 * (14 * c + s), 10);
  }

  RecordingSystemSettings system_;
};

}  // namespace gm::test
