#pragma once
// Private-profile INI files with the semantics of the Windows functions of the same names:
// one key per call, the file read (and for a write, rewritten) on every call, nothing cached.
//
// Reading: section and key names are compared without regard to case and with surrounding
// blanks trimmed; the first matching section and the first matching key in it win; a
// missing file, section or key gives the default; the value is cut to bufferChars - 1 UTF-16
// units. Both UTF-16LE files (with BOM) and UTF-8 files (with or without BOM) are read.
//
// Writing: an existing key's value is replaced in place, a new key is appended after the last
// entry of its section, a new section is appended at the end of the file, and a missing file
// is created (as UTF-8). Every other line, comment, blank line and the order of the file stay
// as they were, and an existing file keeps its encoding and line endings. The new contents go
// to a temporary file that then replaces the old one, so a crash never leaves half a file;
// writers in this process are serialised, so concurrent writes never lose each other's keys.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace gm {

std::u16string GetPrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                        std::u16string_view defaultValue, std::size_t bufferChars,
                                        const std::filesystem::path& file);

// Returns false when the file could not be written (a missing folder, no permission); the
// file then stays as it was.
bool WritePrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                std::u16string_view value, const std::filesystem::path& file);

}  // namespace gm
