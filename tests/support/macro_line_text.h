#pragma once
// Macro lines as test text: the one writer of a line from its values, and the reader of a
// value of a line read back from a file.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace gm::test {

// Values as a macro line, each as three decimal digits ("%03d").
inline std::string MacroLineText(const std::vector<int>& values) {
  std::string line;
  char digits[16];
  for (const int v : values) {
    std::snprintf(digits, sizeof digits, "%03d", v);
    line += digits;
  }
  return line;
}

// Value v of a line read back from a file (0 past its end).
inline int LineValue(std::u16string_view line, int v) {
  const std::size_t at = static_cast<std::size_t>(3 * v);
  return at >= line.size() ? 0 : WToI(line.substr(at, 3));
}

}  // namespace gm::test
