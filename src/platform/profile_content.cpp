#include "platform/profile_content.h"

namespace gm {

ParsedProfile ParseProfile(std::string bytes) {
  DecodedIniText decoded = DecodeIniBytes(bytes);
  return {std::move(bytes), decoded.encoding, IniDocument(std::move(decoded.text))};
}

std::u16string CutToBuffer(std::u16string_view value, std::size_t bufferChars) {
  if (bufferChars == 0) return {};
  return std::u16string(value.substr(0, bufferChars - 1));
}

std::u16string ReadProfileString(const IniDocument* document, std::u16string_view section,
                                 std::u16string_view key, std::u16string_view defaultValue,
                                 std::size_t bufferChars) {
  if (document != nullptr) {
    if (const auto value = document->Find(section, key)) return CutToBuffer(*value, bufferChars);
  }
  const size_t kept = defaultValue.find_last_not_of(u' ');
  return CutToBuffer(defaultValue.substr(0, kept == std::u16string_view::npos ? 0 : kept + 1),
                     bufferChars);
}

std::u16string ReadProfileString(std::optional<std::string_view> fileBytes,
                                 std::u16string_view section, std::u16string_view key,
                                 std::u16string_view defaultValue, std::size_t bufferChars) {
  if (!fileBytes) return ReadProfileString(nullptr, section, key, defaultValue, bufferChars);
  const IniDocument document(DecodeIniBytes(*fileBytes).text);
  return ReadProfileString(&document, section, key, defaultValue, bufferChars);
}

std::optional<std::string> WriteProfileString(std::optional<std::string_view> fileBytes,
                                              std::u16string_view section,
                                              std::u16string_view key,
                                              std::u16string_view value) {
  DecodedIniText decoded;
  if (fileBytes) decoded = DecodeIniBytes(*fileBytes);
  IniDocument document(std::move(decoded.text));
  if (!document.Set(section, key, value)) return std::nullopt;
  return EncodeIniTextForStorage(document.Text(), decoded.encoding);
}

}  // namespace gm
