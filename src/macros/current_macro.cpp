#include "macros/current_macro.h"

#include <mutex>

#include "macros/macro_record.h"

namespace gm {

namespace {

// Caller holds g_macroTablesMutex.
const MacroRecord* CurrentMacro() {
  if (g_curMacro < 0 || g_curMacro > kMacroTemplateIndex) return nullptr;
  return &g_macros[g_curMacro];
}

}  // namespace

std::optional<uint8_t> CurrentMacroPlayMode() {
  std::lock_guard lock(g_macroTablesMutex);
  const MacroRecord* macro = CurrentMacro();
  if (macro == nullptr) return std::nullopt;
  return static_cast<uint8_t>(macro->playMode & kPlayModeMask);
}

int CurrentMacroStepCount() {
  std::lock_guard lock(g_macroTablesMutex);
  const MacroRecord* macro = CurrentMacro();
  return macro != nullptr ? UsableStepCount(*macro) : 0;
}

}  // namespace gm
