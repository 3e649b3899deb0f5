#pragma once
// One section of a private-profile INI file, read and written key by key the way the settings
// files are: every read has its own buffer length, every value is decimal text.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "platform/private_profile.h"

namespace gm {

// Buffer lengths of the settings files' values, in characters including the terminator.
inline constexpr std::size_t kShortValueBuffer = 5;    // keeps 4 characters
inline constexpr std::size_t kMediumValueBuffer = 10;  // keeps 9
inline constexpr std::size_t kNameValueBuffer = 15;    // keeps 14
inline constexpr std::size_t kKeyFunctionBuffer = 260;
inline constexpr std::size_t kProductNameBuffer = 50;  // keeps 49

// "K" + 3 -> "K3"; "DPI" + 2 + "_R" -> "DPI2_R".
std::u16string IndexedKey(std::u16string_view prefix, int index, std::u16string_view suffix = {});

class IniSectionReader {
 public:
  IniSectionReader(std::filesystem::path file, std::u16string section)
      : file_(std::move(file)), section_(std::move(section)) {}

  // The value cut to bufferChars - 1 characters; empty when the key is missing.
  std::u16string Text(std::u16string_view key, std::size_t bufferChars) const;
  // The value read as _wtoi reads it; 0 when the key is missing.
  int32_t Number(std::u16string_view key, std::size_t bufferChars) const;

 private:
  std::filesystem::path file_;
  std::u16string section_;
};

// Sets the keys of one section in a batch of writes to its file (platform/private_profile.h);
// the batch's Write puts them all into the file with one replacement.
class IniSectionWriter {
 public:
  IniSectionWriter(ProfileWriteBatch& batch, std::u16string section)
      : batch_(batch), section_(std::move(section)) {}

  void Text(std::u16string_view key, std::u16string_view value);
  void Number(std::u16string_view key, int64_t value);  // "%d"

 private:
  ProfileWriteBatch& batch_;
  std::u16string section_;
};

}  // namespace gm
