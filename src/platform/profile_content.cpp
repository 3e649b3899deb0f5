#include "platform/profile_content.h"

#include "platform/ini_document.h"
#include "platform/ini_encoding.h"

namespace gm {

std::u16string CutToBuffer(std::u16string_view value, std::size_t bufferChars) {
  if (bufferChars == 0) return {};
  return std::u16string(value.substr(0, bufferChars - 1));
}

std::u16string ReadProfileString(std::optional<std::string_view> fileBytes,
                                 std::u16string_view section, std::u16string_view key,
                                 std::u16string_view defaultValue, std::size_t bufferChars) {
  if (fileBytes) {
    const IniDocument document(DecodeIniBytes(*fileBytes).text);
    if (const auto value = document.Find(section, key)) return CutToBuffer(*value, bufferChars);
  }
  const size_t kept = defaultValue.find_last_not_of(u' ');
  return CutToBuffer(defaultValue.substr(0, kept == std::u16string_view::npos ? 0 : kept + 1),
                     bufferChars);
}

std::optional<std::string> WriteProfileString(std::optional<std::string_view> fileBytes,
                                              std::u16string_view section,
                                              std::u16string_view key,
                                              std::u16string_view value) {
  DecodedIniText decoded;
  if (fileBytes) decoded = DecodeIniBytes(*fileBytes);
  IniDocument document(std::move(decoded.text));
  if (!document.Set(section, key, value)) return std::nullopt;
  return EncodeIniText(document.Text(), decoded.encoding);
}

}  // namespace gm
