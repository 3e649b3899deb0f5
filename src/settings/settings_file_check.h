#pragma once
// Whether a file is a settings file as the program exports it, before an import puts it in the
// place of config.ini (which also holds the key map, the key count, the product names and the
// language, so that anything else there would wipe them).
//
// A settings file is a regular file within the size limit of INI files, readable as text in
// one of the encodings the INI functions read (platform/ini_encoding.h) with no character a
// text file does not hold (NUL, other control characters than the blanks and line ends, bytes
// that are no character), and with the sections Config0..Config3, ShareData, KEYNUM and KEYMAP.

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/message_sink.h"

namespace gm {

enum class SettingsFileFault : uint8_t {
  kNone,            // a settings file
  kNotAFile,        // nothing, or no regular file, at the path
  kUnreadable,      // a file that could not be read (error)
  kTooLarge,        // above the size limit of INI files
  kNotText,         // bytes no text file holds
  kMissingSection,  // text without one of the sections (section)
};

struct SettingsFileCheck {
  SettingsFileFault fault = SettingsFileFault::kNone;
  std::error_code error;   // kUnreadable: the reason
  std::u16string section;  // kMissingSection: the first section missing, as spelled above
};

SettingsFileCheck CheckSettingsFile(const std::filesystem::path& file);

// "Error：文件未导入!" / "Error: the file was not imported!", the file's path on the next line
// and the reason after it, in the message's language (kUnreadable: the system's reason).
UserMessage SettingsFileRefusedMessage(const std::filesystem::path& file,
                                       const SettingsFileCheck& check);

}  // namespace gm
