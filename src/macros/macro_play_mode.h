#pragma once
// The play-mode buttons of the macro page: how g_macros[macro] of the open group is played.
// Takes g_macroTablesMutex inside; callers hold no lock. The record is not written here: the
// window sets the repeat-count edit afterwards, whose change handler writes it.

#include <cstdint>
#include <optional>

namespace gm {

// Mode 1 or 2 (played by the mouse's own rule): playMode keeps bits 3..7 and takes the mode,
// repeatCount becomes 1. Mode 0 (repeat N times): playMode AND 0xF4, repeatCount unchanged.
// The record's repeatCount afterwards; nothing, with nothing changed, for a locked group, a
// macro outside 0..19 or a mode above 2.
std::optional<uint16_t> SetEditorPlayMode(int macro, uint8_t mode);

}  // namespace gm
