#include "ui/window/start_hidden.h"

#include <string>

namespace gm {

bool CommandLineStartsHidden(std::u16string_view commandLine) {
  const std::size_t hyphen = commandLine.rfind(u'-');
  // Without a hyphen the comparison starts at position 0 (one past "position -1").
  const std::size_t start = hyphen == std::u16string_view::npos ? 0 : hyphen + 1;
  return commandLine.substr(start, kHideOption.size()) == kHideOption;
}

std::u16string JoinCommandLine(const QStringList& arguments) {
  return arguments.join(QLatin1Char(' ')).toStdU16String();
}

}  // namespace gm
