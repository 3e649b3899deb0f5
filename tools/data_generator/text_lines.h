#pragma once
// The plain-text data files: UTF-8 lines, '#' starts a comment that runs to the end of the
// line, blank lines are skipped, words are separated by blanks.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics.h"

namespace gm::datagen {

struct TextLine {
  int number = 0;                   // counted from 1
  std::string text;                 // without the comment, trimmed
  std::vector<std::string> words;   // text split at blanks
};

// The non-empty lines of a data file. A file that cannot be read is an error (no lines).
std::vector<TextLine> ReadTextLines(const std::filesystem::path& file, Diagnostics& diagnostics);

// The text after the first `count` words of a line, trimmed ("macro Copy | 复制" after one
// word is "Copy | 复制").
std::string TextAfterWords(const TextLine& line, std::size_t count);

// A decimal number of the whole word within min..max; nothing otherwise.
std::optional<int64_t> ParseInteger(std::string_view word, int64_t min, int64_t max);

// A delay word "<n>ms" with n in 0..maxMs; nothing otherwise.
std::optional<uint16_t> ParseDelay(std::string_view word, int maxMs);

// A name pair "English | 中文"; a text without '|' names both languages alike. Nothing when
// a side is empty.
struct NamePair {
  std::u16string english;
  std::u16string chinese;
};
std::optional<NamePair> ParseNamePair(std::string_view text);

}  // namespace gm::datagen
