#pragma once
// The one command-line option, "-HIDE": the window starts minimised. The program looks at the
// four characters after the LAST hyphen of its whole command line and compares them with
// "HIDE", case-sensitively; further letters right after them do not matter. A command line
// without a hyphen compares its own first four characters.

#include <QStringList>

#include <string_view>

namespace gm {

inline constexpr std::u16string_view kHideOption = u"HIDE";

// True when the command line asks to start minimised.
bool CommandLineStartsHidden(std::u16string_view commandLine);

// The command line as one text: the program's arguments (its path first) joined by blanks.
std::u16string JoinCommandLine(const QStringList& arguments);

}  // namespace gm
