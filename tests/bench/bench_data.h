#pragma once
// Settings and macros the Apply benchmarks download: an English data folder and a group
// "Bench" of key-press macros.

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <span>
#include <string>

#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/paths.h"

namespace gm::bench {

// Presses and releases of the letter keys, `steps` in all, each followed by 10 + n ms.
inline MacroRecord KeyPressMacro(const std::u16string& name, int n, int steps) {
  MacroRecord r{};
  SetMacroName(r, name + ToUtf16(std::to_string(n)));
  r.repeatCount = 1;
  r.stepCount = static_cast<uint16_t>(steps);
  for (int i = 0; i < steps; ++i) {
    r.code[i] = static_cast<uint8_t>(0x04 + (i / 2) % 26);
    r.action[i] = i % 2 == 0 ? kActionPress : kActionRelease;
    r.delayMs[i] = static_cast<uint16_t>(10 + n);
  }
  return r;
}

// Start values, English, the data folder's paths and folders under `folder`.
inline void PrepareDataFolder(const std::filesystem::path& folder) {
  ResetSettingsToStartValues();
  g_isEnglish = 1;
  SetDataPaths(folder, true);
  std::filesystem::create_directories(g_configFolder);
  std::filesystem::create_directories(g_macroDir);
}

// `macros` become group 0, "Bench", in the tables and on disk; no group is open in the editor
// when closeEditor is set.
inline void SaveBenchGroup(std::span<const MacroRecord> macros, bool closeEditor) {
  std::lock_guard lock(g_macroTablesMutex);
  g_datVersion = kMacroDatVersion;
  for (std::size_t i = 0; i < macros.size(); ++i) g_macros[i] = macros[i];
  g_macroCount = static_cast<int16_t>(macros.size());
  SaveMacroFile(g_macroDir / "Bench.dat");
  g_macroGroupNames[0] = u"Bench";
  g_macroGroupCount = 1;
  g_groupMacroCount[0] = static_cast<uint32_t>(macros.size());
  if (closeEditor) g_curMacroGroup = -1;
  SaveMacroGroups();
}

}  // namespace gm::bench
