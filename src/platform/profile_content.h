#pragma once
// The private-profile read and write over the bytes of one file, with no file access: the
// pure part of GetPrivateProfileStringW and WritePrivateProfileStringW.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ini_document.h"
#include "platform/ini_encoding.h"

namespace gm {

// A file's bytes decoded and split into lines, ready for any number of reads.
struct ParsedProfile {
  std::string bytes;  // the file as read or written
  IniEncoding encoding = IniEncoding::kUtf8;
  IniDocument document{std::u16string()};
};
ParsedProfile ParseProfile(std::string bytes);

// The first bufferChars - 1 units of `value` (a buffer of N units holds N - 1 and the
// terminator; 0 and 1 give the empty text).
std::u16string CutToBuffer(std::u16string_view value, std::size_t bufferChars);

// The value of the key in a parsed file (nullptr: no file), cut to the buffer. A missing file,
// section or key gives the default without its trailing spaces.
std::u16string ReadProfileString(const IniDocument* document, std::u16string_view section,
                                 std::u16string_view key, std::u16string_view defaultValue,
                                 std::size_t bufferChars);

// The same over a file with these bytes (nullopt: no file).
std::u16string ReadProfileString(std::optional<std::string_view> fileBytes,
                                 std::u16string_view section, std::u16string_view key,
                                 std::u16string_view defaultValue, std::size_t bufferChars);

// The bytes of the file after setting the key (nullopt file: a new UTF-8 file), in the
// file's own encoding; nullopt when the names or the value cannot be stored (see
// IniDocument::Set).
std::optional<std::string> WriteProfileString(std::optional<std::string_view> fileBytes,
                                              std::u16string_view section,
                                              std::u16string_view key,
                                              std::u16string_view value);

}  // namespace gm
