#pragma once
// Private-profile INI files with the semantics of the Windows functions of the same names:
// one key per call (ProfileWriteBatch below writes several keys of one file as one save).
// Every call sees the file as it is on disk at that moment; a file unchanged since an earlier
// call is not parsed again (platform/profile_cache.h), so reading a whole settings file key by
// key costs one parse.
//
// Reading: section and key names are compared without regard to case and with surrounding
// blanks trimmed; the first matching section and the first matching key in it win; a
// missing file, section or key gives the default; the value is cut to bufferChars - 1 UTF-16
// units; a default loses its trailing spaces. A value in matching quotes reads without them.
// UTF-16LE files (with BOM), UTF-8 files (with or without BOM) and files in the Chinese Windows
// code page GB18030 (any file without a mark that is not valid UTF-8) are read; see
// platform/ini_encoding.h.
//
// Files far beyond any settings file (platform/profile_file.h: 4 MiB, macro files 32 MiB) are
// neither read nor written: a read gives the default, a write fails, and the first such call
// for a path shows TooLargeFileMessage once.
//
// Writing: an existing key's value is replaced in place, a new key is appended after the last
// non-blank line of its section, a new section is appended at the end of the file, and a missing
// file is created (as UTF-8). Every other line, comment, blank line and the order of the file stay
// as they were, and an existing file keeps its encoding and line endings. The new contents go
// to a temporary file that then replaces the old one, so a crash never leaves half a file;
// writers in this process are serialised, so concurrent writes never lose each other's keys.
// The file keeps its owner, group and permission bits; where the folder cannot take a temporary
// file, or the file's owner cannot be given to one, the file is rewritten in place. Every write
// that fails is noted for the thread's SaveFailureReport (platform/save_failure.h) under the
// path the caller gave.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/message_sink.h"

namespace gm {

// "Error：文件过大，未读取!" / "Error: the file is too large and was not read!" and the path.
UserMessage TooLargeFileMessage(const std::filesystem::path& file);

std::u16string GetPrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                        std::u16string_view defaultValue, std::size_t bufferChars,
                                        const std::filesystem::path& file);

// Returns false, leaving the file as it was, when it could not be written: a missing folder,
// a read-only file (no write permission bit, even for a privileged user), a file that cannot
// be read, or a value or name that would break the file's lines (a CR or LF anywhere, a '='
// in the key or a key starting with '[' or ';', a ']' in the section). A symbolic link is
// followed and its target rewritten; the link stays. The file keeps its permission bits.
// Writing the value a key already has leaves the file untouched. A file above the size limit
// is refused.
bool WritePrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                std::u16string_view value, const std::filesystem::path& file);

// Several keys of one file written as one save: Write sets them in the order Set was called,
// as the same WritePrivateProfileStringW calls one after another would, and replaces the file
// once, so that a crash leaves either the file as it was or the file with every key. A key
// the file cannot store (see above) is skipped and noted as failed, the others are written.
// One thread at a time per batch.
class ProfileWriteBatch {
 public:
  explicit ProfileWriteBatch(std::filesystem::path file) : file_(std::move(file)) {}

  void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  // Writes the keys set since the batch began or since the last Write, and forgets them.
  // True when every key was written (nothing set: true, no file touched); false as for
  // WritePrivateProfileStringW, the file then holding every key that could be stored or,
  // when the file could not be written, as it was.
  bool Write();

  const std::filesystem::path& file() const { return file_; }

 private:
  struct Entry {
    std::u16string section;
    std::u16string key;
    std::u16string value;
  };
  std::filesystem::path file_;
  std::vector<Entry> entries_;
};

// Replaces `to` with a copy of the regular file `from`, as one step among the writers above: a
// key written at the same time by another thread lands in the old file (and is replaced with
// it) or in the copy, and never undoes the copy. The target is replaced whole or not at all,
// a link at `to` is followed, and an existing target keeps its permission bits. False, leaving
// `to` as it was, when `from` is no readable regular file or `to` cannot be written (a missing
// folder, a read-only file). Copying a file onto itself succeeds and changes nothing. A source
// above the size limit of `to` is refused with TooLargeFileMessage; only failures to write
// `to` are noted for the SaveFailureReport.
bool CopyFileOverProfile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace gm
