#pragma once
// The lines of one INI file as UTF-16 text: finding a key's value and setting a key's value
// by editing the text, with every other line left exactly as it was.
//
// Line rules (those of the Windows private-profile functions):
// - Lines end at LF; a CR right before the LF belongs to the line ending. The last line may
//   lack an ending.
// - Blanks are space, tab, CR, VT and FF. Leading blanks of a line are ignored.
// - "[name]" starts a section; text after the first ']' is ignored. A '[' line without ']'
//   is no section header.
// - A line starting with ';' is a comment and never a key.
// - "name=value" is a key of the section above it; the first '=' splits it, and name and
//   value are trimmed of blanks. A value enclosed in matching double or single quotes reads
//   without them. Lines before the first section header belong to no section and are never
//   found. Other lines (no '=') are never found either.
// - Names compare without regard to case (ASCII, Latin-1, Greek and Cyrillic letters) after
//   trimming. The first matching section wins, and the first matching key in it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gm {

// How a stored value reads back: trimmed of blanks and stripped of matching outer quotes.
std::u16string_view ValueAsRead(std::u16string_view storedValue);

// Names compare equal when they match after trimming blanks and folding case.
bool SameIniName(std::u16string_view left, std::u16string_view right);

// The same comparison without the trimming: equal up to the case of the letters whose case
// the names ignore (ASCII, Latin-1, Greek and Cyrillic), as Windows compares file names.
bool SameTextIgnoringCase(std::u16string_view left, std::u16string_view right);

class IniDocument {
 public:
  explicit IniDocument(std::u16string text);

  const std::u16string& Text() const { return text_; }

  // The value of the key as read (see ValueAsRead), or nothing when the section or the key
  // does not exist.
  std::optional<std::u16string> Find(std::u16string_view section,
                                    std::u16string_view key) const;

  // True when a section of this name exists (keys or not).
  bool HasSection(std::u16string_view section) const { return FindSection(section).has_value(); }

  // Sets the key's value. An existing key keeps its spelling and the text before its value
  // (the blanks after its '=' only while the new value starts with none, so that rewriting
  // a value never adds blanks) and gets the new value. A new key goes after the last
  // non-blank line of its section, so blank lines before the next section stay there. A new
  // section goes at the end of the text. Lines added use the text's first line ending (LF
  // when it has none), and a last line without an ending gets one first.
  // Returns false, changing nothing, when the names or the value could not be read back as
  // written: a line break in any of them, a '=' in the key or a key starting with '[' or
  // ';', a ']' in the section name.
  bool Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  // The text Set would make, leaving this document as it is (one copy of the text, no
  // reparse); nothing where Set would return false.
  std::optional<std::u16string> TextWith(std::u16string_view section, std::u16string_view key,
                                         std::u16string_view value) const;

  // True when Set would accept these names and value and leave the text as it is (the key
  // exists and already holds exactly this value).
  bool Holds(std::u16string_view section, std::u16string_view key,
             std::u16string_view value) const;

 private:
  enum class LineKind { kOther, kSection, kKey };
  struct Line {
    size_t begin = 0;       // first unit of the line
    size_t contentEnd = 0;  // where the line ending starts
    size_t end = 0;         // one past the line ending
    LineKind kind = LineKind::kOther;
    size_t nameBegin = 0;   // section or key name, trimmed, as a range of text_
    size_t nameEnd = 0;
    size_t separatorEnd = 0;  // keys: just after the '='
    size_t valueBegin = 0;    // keys: the trimmed value as a range of text_
    size_t valueEnd = 0;
  };
  struct SectionRange {
    size_t header = 0;     // index of the header line
    size_t lineEnd = 0;    // one past its last line
  };

  // One change of the text: `removed` units at `at` give way to `inserted`.
  struct Edit {
    size_t at = 0;
    size_t removed = 0;
    std::u16string inserted;
  };
  std::optional<Edit> EditFor(std::u16string_view section, std::u16string_view key,
                              std::u16string_view value) const;
  static bool CanStore(std::u16string_view section, std::u16string_view key,
                       std::u16string_view value);
  // Where Set puts a new value of an existing key: after the blanks behind its '=' unless the
  // value itself starts with a blank.
  static size_t ValueStart(const Line& line, std::u16string_view value);
  void Parse();
  // Brings lines_ up to date after `edit` was made to text_: only the lines it touched are
  // split again, the later ones move by its change of length.
  void ReparseEdited(const Edit& edit);
  // The line [begin, end) of text_, whose ending (LF or CR LF) is part of it.
  Line ParseLineAt(size_t begin, size_t end) const;
  Line ParseLine(size_t begin, size_t contentEnd, size_t end) const;
  std::u16string_view Range(size_t begin, size_t end) const;
  size_t OffsetOf(std::u16string_view part) const;  // `part` must lie inside text_
  bool IsBlank(const Line& line) const;
  std::optional<SectionRange> FindSection(std::u16string_view section) const;
  std::optional<size_t> FindKeyLine(const SectionRange& range, std::u16string_view key) const;
  std::u16string LineEnding() const;

  std::u16string text_;
  std::vector<Line> lines_;
};

}  // namespace gm
