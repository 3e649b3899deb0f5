#include "ui/skin/skin_line_reader.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "platform/message_sink.h"
#include "platform/private_profile.h"
#include "platform/text.h"

namespace gm {
namespace {

constexpr char16_t kComma = u',';
// The search position before the value: the first search starts at position 0.
constexpr std::ptrdiff_t kBeforeValue = -1;

UserMessage MissingLayoutFileMessage() {
  return SameInBothLanguages(std::u16string(kMissingLayoutFileText));
}
UserMessage TooManyCommasMessage() { return SameInBothLanguages(u"加载ini错误！"); }

}  // namespace

SplitSkinLineResult SplitSkinLine(std::u16string_view value) {
  SplitSkinLineResult result;
  const auto commas = static_cast<std::size_t>(std::count(value.begin(), value.end(), kComma));
  result.tooManyCommas = commas > kSkinLineCommas;

  if (commas == 0) {
    result.fields[kSkinNameField] = std::u16string(value);
    return result;
  }

  // p is the position of the comma that ended the previous field; a field with no comma behind
  // it sets p back before the value, so the following search starts from the beginning again.
  std::ptrdiff_t p = kBeforeValue;
  for (std::size_t k = 0; k < kSkinRestField; ++k) {
    const std::size_t start = static_cast<std::size_t>(p + 1);
    const std::size_t comma = value.find(kComma, start);
    if (comma == std::u16string_view::npos) {
      result.fields[k].clear();
      p = kBeforeValue;
    } else {
      result.fields[k] = std::u16string(value.substr(start, comma - start));
      p = static_cast<std::ptrdiff_t>(comma);
    }
  }
  result.fields[kSkinRestField] = std::u16string(value.substr(static_cast<std::size_t>(p + 1)));
  return result;
}

SkinRect SkinRectOfFields(const SkinFields& fields) {
  return {WToI(fields[kSkinXField]), WToI(fields[kSkinYField]), WToI(fields[kSkinWidthField]),
          WToI(fields[kSkinHeightField])};
}

SkinLayoutFileReader::SkinLayoutFileReader(std::filesystem::path file) : file_(std::move(file)) {}

bool SkinLayoutFileReader::ReadIniList(std::u16string_view section, int32_t key,
                                       SkinFields& fields) {
  std::error_code ec;
  const bool found = std::filesystem::exists(file_, ec);
  std::u16string value;
  if (found) {
    value = GetPrivateProfileStringW(section, DecimalText(key), u"", kSkinValueBufferChars, file_);
  } else if (!missing_) {
    // The first read of a missing file reports it; the caller ends the window once the pass is
    // over, so one message per file is enough.
    missing_ = true;
    ShowUserMessage(MissingLayoutFileMessage());
  }

  SplitSkinLineResult split = SplitSkinLine(value);
  if (split.tooManyCommas && !tooManyCommasShown_) {
    tooManyCommasShown_ = true;
    ShowUserMessage(TooManyCommasMessage());
  }
  fields = std::move(split.fields);
  return found;
}

void SkinLayoutFileReader::ReadElement(std::u16string_view section, int32_t key, SkinRect& rect,
                                       std::u16string& caption) {
  SkinFields fields;
  ReadIniList(section, key, fields);
  rect = SkinRectOfFields(fields);
  caption = std::move(fields[kSkinCaptionField]);
}

}  // namespace gm
