#include "text_lines.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "platform/text.h"

namespace gm::datagen {

namespace {

constexpr char kCommentMark = '#';
constexpr char kNameSeparator = '|';
constexpr std::string_view kBlanks = " \t\r";
constexpr std::string_view kDelaySuffix = "ms";

std::string Trim(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream stream(text);
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

}  // namespace

std::vector<TextLine> ReadTextLines(const std::filesystem::path& file, Diagnostics& diagnostics) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    diagnostics.Error(file.string() + ": cannot be read");
    return {};
  }
  std::vector<TextLine> lines;
  int number = 0;
  for (std::string raw; std::getline(in, raw);) {
    ++number;
    const auto comment = raw.find(kCommentMark);
    std::string text = Trim(std::string_view(raw).substr(0, comment));
    if (text.empty()) continue;
    TextLine line{number, text, SplitWords(text)};
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string TextAfterWords(const TextLine& line, std::size_t count) {
  std::string_view rest = line.text;
  for (std::size_t i = 0; i < count; ++i) {
    const auto start = rest.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) return {};
    const auto end = rest.find_first_of(kBlanks, start);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
  }
  return Trim(rest);
}

std::optional<int64_t> ParseInteger(std::string_view word, int64_t min, int64_t max) {
  int64_t value = 0;
  const auto* end = word.data() + word.size();
  const auto [ptr, ec] = std::from_chars(word.data(), end, value);
  if (word.empty() || ec != std::errc{} || ptr != end || value < min || value > max) {
    return std::nullopt;
  }
  return value;
}

std::optional<uint16_t> ParseDelay(std::string_view word, int maxMs) {
  if (word.size() <= kDelaySuffix.size() || !word.ends_with(kDelaySuffix)) return std::nullopt;
  const auto value = ParseInteger(word.substr(0, word.size() - kDelaySuffix.size()), 0, maxMs);
  if (!value) return std::nullopt;
  return static_cast<uint16_t>(*value);
}

std::optional<NamePair> ParseNamePair(std::string_view text) {
  const auto bar = text.find(kNameSeparator);
  const std::string english = Trim(text.substr(0, bar));
  const std::string chinese = bar == std::string_view::npos ? english : Trim(text.substr(bar + 1));
  if (english.empty() || chinese.empty()) return std::nullopt;
  return NamePair{ToUtf16(english), ToUtf16(chinese)};
}

}  // namespace gm::datagen
