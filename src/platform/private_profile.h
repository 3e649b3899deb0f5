#pragma once
// Private-profile INI files with the semantics of the Windows functions of the same names:
// one key per call, the file read (and for a write, rewritten) on every call, nothing cached.
//
// Reading: section and key names are compared without regard to case and with surrounding
// blanks trimmed; the first matching section and the first matching key in it win; a
// missing file, section or key gives the default; the value is cut to bufferChars - 1 UTF-16
// units; a default loses its trailing spaces. A value in matching quotes reads without them.
// Both UTF-16LE files (with BOM) and UTF-8 files (with or without BOM) are read; bytes that
// are not valid UTF-8 read as U+DC80..U+DCFF and are written back unchanged.
//
// Writing: an existing key's value is replaced in place, a new key is appended after the last
// non-blank line of its section, a new section is appended at the end of the file, and a missing file
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

// Returns false, leaving the file as it was, when it could not be written: a missing folder,
// a read-only file (no write permission bit, even for a privileged user), a file that cannot
// be read, or a value or name that would break the file's lines (a CR or LF anywhere, a '='
// in the key or a key starting with '[' or ';', a ']' in the section). A symbolic link is
// followed and its target rewritten; the link stays. The file keeps its permission bits.
// Writing the value a key already has leaves the file untouched.
bool WritePrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                std::u16string_view value, const std::filesystem::path& file);

// Replaces `to` with a copy of the regular file `from`, as one step among the writers above: a
// key written at the same time by another thread lands in the old file (and is replaced with
// it) or in the copy, and never undoes the copy. The target is replaced whole or not at all,
// a link at `to` is followed, and an existing target keeps its permission bits. False, leaving
// `to` as it was, when `from` is no readable regular file or `to` cannot be written (a missing
// folder, a read-only file). Copying a file onto itself succeeds and changes nothing.
bool CopyFileOverProfile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace gm
