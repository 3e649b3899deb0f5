#pragma once
// Bounded reads of the state the pages show. The settings can hold values no control
// produces (a hand-edited config.ini, a level the mouse reports); these reads turn them into
// "nothing to show" instead of indexing a table out of its bounds.

#include <cstdint>
#include <limits>
#include <optional>

namespace gm {

// g_curConfig when it names one of the four configurations.
std::optional<int> CurConfigIndex();
// g_dpiLevel when it names one of the six DPI levels (the mouse can report 6 and 7).
std::optional<int> DpiLevelIndex();
// g_macroListSel names an existing row of the macro list and that row is a macro row.
bool SelectedMacroListRowIsMacro();

constexpr bool FitsInInt(int64_t value) {
  return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}
constexpr int32_t ClampToInt32(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

}  // namespace gm
