#include "settings/ini_section.h"

#include "platform/private_profile.h"
#include "platform/text.h"

namespace gm {

std::u16string IndexedKey(std::u16string_view prefix, int index, std::u16string_view suffix) {
  std::u16string key(prefix);
  key += DecimalText(index);
  key += suffix;
  return key;
}

std::u16string IniSectionReader::Text(std::u16string_view key, std::size_t bufferChars) const {
  return GetPrivateProfileStringW(section_, key, u"", bufferChars, file_);
}

int32_t IniSectionReader::Number(std::u16string_view key, std::size_t bufferChars) const {
  return WToI(Text(key, bufferChars));
}

void IniSectionWriter::Text(std::u16string_view key, std::u16string_view value) {
  batch_.Set(section_, key, value);
}

void IniSectionWriter::Number(std::u16string_view key, int64_t value) {
  Text(key, DecimalText(value));
}

}  // namespace gm
