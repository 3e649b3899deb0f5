#include "macros/macro_play_mode.h"

#include <mutex>

#include "macros/macro_record.h"

namespace gm {

namespace {

// Mode 0 clears bits 0, 1 and 3; modes 1 and 2 clear bits 0..2 before the mode goes in.
constexpr uint8_t kRepeatModeKeep = 0xF4;
constexpr uint8_t kDeviceModeKeep = 0xF8;

}  // namespace

std::optional<uint16_t> SetEditorPlayMode(int macro, uint8_t mode) {
  if (macro < 0 || macro >= kMacrosPerGroup || mode > kPlayModeDevice2) return std::nullopt;
  std::lock_guard lock(g_macroTablesMutex);
  if (g_groupEncrypted != 0) return std::nullopt;
  MacroRecord& record = g_macros[macro];
  if (mode == kPlayModeRepeat) {
    record.playMode = static_cast<uint8_t>(record.playMode & kRepeatModeKeep);
  } else {
    record.playMode = static_cast<uint8_t>((record.playMode & kDeviceModeKeep) + mode);
    record.repeatCount = 1;
  }
  return record.repeatCount;
}

}  // namespace gm
