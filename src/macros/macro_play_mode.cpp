#include "macros/macro_play_mode.h"

#include <mutex>

#include "macros/macro_record.h"

namespace gm {

std::optional<uint16_t> SetEditorPlayMode(int macro, uint8_t mode) {
  if (macro < 0 || macro >= kMacrosPerGroup || mode > kPlayModeDevice2) return std::nullopt;
  std::lock_guard lock(g_macroTablesMutex);
  if (g_groupEncrypted != 0) return std::nullopt;
  MacroRecord& record = g_macros[macro];
  ChoosePlayMode(record, mode);
  return record.repeatCount;
}

}  // namespace gm
