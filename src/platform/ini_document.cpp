#include "platform/ini_document.h"

#include <algorithm>

namespace gm {

namespace {

constexpr std::u16string_view kBlanks = u" \t\r\v\f";
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kSectionOpen = u'[';
constexpr char16_t kSectionClose = u']';
constexpr char16_t kCommentMark = u';';
constexpr char16_t kKeyValueSeparator = u'=';
constexpr std::u16string_view kDefaultLineEnding = u"\n";

bool IsBlank(char16_t unit) { return kBlanks.find(unit) != std::u16string_view::npos; }

// The text without leading and trailing blanks; an all-blank text gives the empty view at
// its end, so positions taken from the result always lie inside the text.
std::u16string_view Trim(std::u16string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::u16string_view::npos) return text.substr(text.size());
  const size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

// Lower case of the letters whose case the name comparison ignores: ASCII, Latin-1,
// Greek and Cyrillic capitals.
char16_t FoldCase(char16_t unit) {
  constexpr char16_t kAsciiCaseOffset = 0x20;
  constexpr char16_t kCyrillicIeGraveToLower = 0x50;
  if (unit >= u'A' && unit <= u'Z') return unit + kAsciiCaseOffset;
  if (unit >= 0x00C0 && unit <= 0x00DE && unit != 0x00D7) return unit + kAsciiCaseOffset;
  if (unit >= 0x0391 && unit <= 0x03A9 && unit != 0x03A2) return unit + kAsciiCaseOffset;
  if (unit >= 0x0410 && unit <= 0x042F) return unit + kAsciiCaseOffset;
  if (unit >= 0x0400 && unit <= 0x040F) return unit + kCyrillicIeGraveToLower;
  return unit;
}

bool HasLineBreak(std::u16string_view text) {
  return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

}  // namespace

std::u16string_view ValueAsRead(std::u16string_view storedValue) {
  const std::u16string_view value = Trim(storedValue);
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool SameIniName(std::u16string_view left, std::u16string_view right) {
  return SameTextIgnoringCase(Trim(left), Trim(right));
}

bool SameTextIgnoringCase(std::u16string_view left, std::u16string_view right) {
  return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                    [](char16_t a, char16_t b) { return FoldCase(a) == FoldCase(b); });
}

IniDocument::IniDocument(std::u16string text) : text_(std::move(text)) { Parse(); }

std::u16string_view IniDocument::Range(size_t begin, size_t end) const {
  return std::u16string_view(text_).substr(begin, end - begin);
}

size_t IniDocument::OffsetOf(std::u16string_view part) const {
  return static_cast<size_t>(part.data() - text_.data());
}

bool IniDocument::IsBlank(const Line& line) const {
  return Trim(Range(line.begin, line.contentEnd)).empty();
}

void IniDocument::Parse() {
  lines_.clear();
  lines_.reserve(static_cast<size_t>(std::count(text_.begin(), text_.end(), kLineFeed)) + 1);
  size_t begin = 0;
  while (begin < text_.size()) {
    const size_t lineFeed = text_.find(kLineFeed, begin);
    const size_t end = lineFeed == std::u16string::npos ? text_.size() : lineFeed + 1;
    lines_.push_back(ParseLineAt(begin, end));
    begin = end;
  }
}

IniDocument::Line IniDocument::ParseLineAt(size_t begin, size_t end) const {
  size_t contentEnd = end;
  if (contentEnd > begin && text_[contentEnd - 1] == kLineFeed) {
    --contentEnd;
    if (contentEnd > begin && text_[contentEnd - 1] == kCarriageReturn) --contentEnd;
  }
  return ParseLine(begin, contentEnd, end);
}

IniDocument::Line IniDocument::ParseLine(size_t begin, size_t contentEnd, size_t end) const {
  Line line{begin, contentEnd, end};
  size_t start = begin;
  while (start < contentEnd && gm::IsBlank(text_[start])) ++start;
  if (start == contentEnd || text_[start] == kCommentMark) return line;

  const std::u16string_view content = Range(start, contentEnd);
  if (content.front() == kSectionOpen) {
    const size_t close = content.find(kSectionClose);
    if (close != std::u16string_view::npos) {
      const std::u16string_view name = Trim(content.substr(1, close - 1));
      line.kind = LineKind::kSection;
      line.nameBegin = OffsetOf(name);
      line.nameEnd = line.nameBegin + name.size();
      return line;
    }
    // A '[' without ']' is no header; such a line may still be a key.
  }
  const size_t separator = content.find(kKeyValueSeparator);
  if (separator == std::u16string_view::npos) return line;
  const std::u16string_view name = Trim(content.substr(0, separator));
  const std::u16string_view value = Trim(content.substr(separator + 1));
  line.kind = LineKind::kKey;
  line.nameBegin = OffsetOf(name);
  line.nameEnd = line.nameBegin + name.size();
  line.separatorEnd = start + separator + 1;
  line.valueBegin = OffsetOf(value);
  line.valueEnd = line.valueBegin + value.size();
  return line;
}

std::optional<IniDocument::SectionRange> IniDocument::FindSection(
    std::u16string_view section) const {
  for (size_t index = 0; index < lines_.size(); ++index) {
    const Line& line = lines_[index];
    if (line.kind != LineKind::kSection) continue;
    if (!SameIniName(Range(line.nameBegin, line.nameEnd), section)) continue;
    size_t next = index + 1;
    while (next < lines_.size() && lines_[next].kind != LineKind::kSection) ++next;
    return SectionRange{index, next};
  }
  return std::nullopt;
}

std::optional<size_t> IniDocument::FindKeyLine(const SectionRange& range,
                                               std::u16string_view key) const {
  for (size_t index = range.header + 1; index < range.lineEnd; ++index) {
    const Line& line = lines_[index];
    if (line.kind == LineKind::kKey && SameIniName(Range(line.nameBegin, line.nameEnd), key)) {
      return index;
    }
  }
  return std::nullopt;
}

std::optional<std::u16string> IniDocument::Find(std::u16string_view section,
                                                std::u16string_view key) const {
  const auto range = FindSection(section);
  if (!range) return std::nullopt;
  const auto keyLine = FindKeyLine(*range, key);
  if (!keyLine) return std::nullopt;
  const Line& line = lines_[*keyLine];
  return std::u16string(ValueAsRead(Range(line.valueBegin, line.valueEnd)));
}

std::u16string IniDocument::LineEnding() const {
  for (const Line& line : lines_) {
    if (line.end > line.contentEnd) return std::u16string(Range(line.contentEnd, line.end));
  }
  return std::u16string(kDefaultLineEnding);
}

bool IniDocument::CanStore(std::u16string_view section, std::u16string_view key,
                           std::u16string_view value) {
  const std::u16string_view sectionName = Trim(section);
  const std::u16string_view keyName = Trim(key);
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  if (sectionName.find(kSectionClose) != std::u16string_view::npos) return false;
  if (keyName.find(kKeyValueSeparator) != std::u16string_view::npos) return false;
  return keyName.empty() || (keyName.front() != kSectionOpen && keyName.front() != kCommentMark);
}

size_t IniDocument::ValueStart(const Line& line, std::u16string_view value) {
  const bool keepBlanks = value.empty() || !gm::IsBlank(value.front());
  return keepBlanks ? line.valueBegin : line.separatorEnd;
}

bool IniDocument::Holds(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) const {
  if (!CanStore(section, key, value)) return false;
  const auto range = FindSection(Trim(section));
  if (!range) return false;
  const auto keyIndex = FindKeyLine(*range, Trim(key));
  if (!keyIndex) return false;
  const Line& line = lines_[*keyIndex];
  return Range(ValueStart(line, value), line.contentEnd) == value;
}

std::optional<IniDocument::Edit> IniDocument::EditFor(std::u16string_view section,
                                                     std::u16string_view key,
                                                     std::u16string_view value) const {
  if (!CanStore(section, key, value)) return std::nullopt;
  const std::u16string_view sectionName = Trim(section);
  const std::u16string_view keyName = Trim(key);

  const std::u16string ending = LineEnding();
  std::u16string keyLine;
  keyLine.append(keyName).push_back(kKeyValueSeparator);
  keyLine.append(value).append(ending);

  const auto range = FindSection(sectionName);
  if (range) {
    if (const auto keyIndex = FindKeyLine(*range, keyName)) {
      const Line& line = lines_[*keyIndex];
      const size_t replaceFrom = ValueStart(line, value);
      return Edit{replaceFrom, line.contentEnd - replaceFrom, std::u16string(value)};
    }
  }
  // A new line goes after the last non-blank line of the section, or at the end of the text
  // (a new section); a line without an ending gets one first.
  size_t after = lines_.size();
  if (range) {
    after = range->header;
    for (size_t index = range->header + 1; index < range->lineEnd; ++index) {
      if (!IsBlank(lines_[index])) after = index;
    }
  } else if (!lines_.empty()) {
    after = lines_.size() - 1;
  }
  Edit edit{text_.size(), 0, {}};
  if (after < lines_.size()) {
    const Line& line = lines_[after];
    edit.at = line.end;
    if (line.end == line.contentEnd) edit.inserted = ending;
  }
  if (!range) {
    edit.inserted.push_back(kSectionOpen);
    edit.inserted.append(sectionName).push_back(kSectionClose);
    edit.inserted.append(ending);
  }
  edit.inserted.append(keyLine);
  return edit;
}

std::optional<std::u16string> IniDocument::TextWith(std::u16string_view section,
                                                    std::u16string_view key,
                                                    std::u16string_view value) const {
  const std::optional<Edit> edit = EditFor(section, key, value);
  if (!edit) return std::nullopt;
  std::u16string text;
  text.reserve(text_.size() - edit->removed + edit->inserted.size());
  text.append(text_, 0, edit->at).append(edit->inserted);
  text.append(text_, edit->at + edit->removed);
  return text;
}

bool IniDocument::Set(std::u16string_view section, std::u16string_view key,
                      std::u16string_view value) {
  const std::optional<Edit> edit = EditFor(section, key, value);
  if (!edit) return false;
  text_.replace(edit->at, edit->removed, edit->inserted);
  ReparseEdited(*edit);
  return true;
}

void IniDocument::ReparseEdited(const Edit& edit) {
  // The lines the edit touched: from the one that ends at or after its start (a last line
  // without an ending grows when text is added behind it) to the one holding its end.
  const auto endsAtOrAfter = [this](size_t from, size_t position) {
    return static_cast<size_t>(
        std::find_if(lines_.begin() + static_cast<std::ptrdiff_t>(from), lines_.end(),
                     [position](const Line& line) { return line.end >= position; }) -
        lines_.begin());
  };
  const size_t first = endsAtOrAfter(0, edit.at);
  size_t last = endsAtOrAfter(first, edit.at + edit.removed);
  if (last < lines_.size()) ++last;
  const size_t begin = first < lines_.size() ? lines_[first].begin : edit.at;
  const size_t oldEnd = last > first ? lines_[last - 1].end : edit.at + edit.removed;
  const size_t newEnd = oldEnd - edit.removed + edit.inserted.size();

  std::vector<Line> split;
  for (size_t at = begin; at < newEnd;) {
    const size_t lineFeed = text_.find(kLineFeed, at);
    const size_t end = lineFeed == std::u16string::npos ? text_.size() : lineFeed + 1;
    if (end > newEnd) {  // the edit joined lines: the text after it no longer splits as before
      Parse();
      return;
    }
    split.push_back(ParseLineAt(at, end));
    at = end;
  }
  const size_t shift = edit.inserted.size() - edit.removed;  // modulo: may shrink the text
  for (size_t index = last; index < lines_.size(); ++index) {
    Line& line = lines_[index];
    for (size_t* offset : {&line.begin, &line.contentEnd, &line.end, &line.nameBegin,
                           &line.nameEnd, &line.separatorEnd, &line.valueBegin, &line.valueEnd}) {
      *offset += shift;
    }
  }
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first),
               lines_.begin() + static_cast<std::ptrdiff_t>(last));
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(first), split.begin(), split.end());
}

}  // namespace gm
