#pragma once
// Reads of the macro open in the editor, g_macros[g_curMacro], for the window. Each takes
// g_macroTablesMutex inside, as the recoil adjustment may replace the record on the device
// report thread.

#include <cstdint>
#include <optional>

namespace gm {

// The play mode (playMode AND kPlayModeMask) of the current macro; nothing when g_curMacro is
// outside 0..kMacroTemplateIndex.
std::optional<uint8_t> CurrentMacroPlayMode();

// UsableStepCount of the current macro; 0 when g_curMacro is outside 0..kMacroTemplateIndex.
int CurrentMacroStepCount();

}  // namespace gm
