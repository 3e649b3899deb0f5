#include "settings/settings_file_check.h"

#include <algorithm>
#include <string_view>

#include "platform/ini_document.h"
#include "platform/ini_encoding.h"
#include "platform/profile_file.h"
#include "platform/text.h"

namespace gm {

namespace {

// The sections an exported settings file always has: the four configurations, the shared
// block and the key map with its key count.
constexpr std::u16string_view kRequiredSections[] = {
    u"Config0", u"Config1", u"Config2", u"Config3", u"ShareData", u"KEYNUM", u"KEYMAP"};

// Control characters other than tab, line feed, vertical tab, form feed and carriage return
// (the INI blanks and line ends), and surrogates without their partner (which is also how
// bytes that form no character of the encoding decode).
bool HoldsOnlyText(std::u16string_view text) {
  const bool controls = std::any_of(text.begin(), text.end(), [](char16_t c) {
    return c < 0x20 && (c < u'\t' || c > u'\r');
  });
  return !controls && SurrogatesArePaired(text);
}

}  // namespace

SettingsFileCheck CheckSettingsFile(const std::filesystem::path& file) {
  SettingsFileCheck check;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    check.fault = SettingsFileFault::kNotAFile;
    return check;
  }
  const FileContents contents = ReadWholeFile(file);
  if (contents.outcome == ReadOutcome::kTooLarge ||
      (contents.outcome == ReadOutcome::kRead && contents.bytes.size() > kMaxIniFileBytes)) {
    check.fault = SettingsFileFault::kTooLarge;
    return check;
  }
  if (contents.outcome != ReadOutcome::kRead) {
    check.fault = SettingsFileFault::kUnreadable;
    check.error = contents.error;
    return check;
  }
  DecodedIniText decoded = DecodeIniBytes(contents.bytes);
  if (!HoldsOnlyText(decoded.text)) {
    check.fault = SettingsFileFault::kNotText;
    return check;
  }
  const IniDocument document(std::move(decoded.text));
  for (const std::u16string_view section : kRequiredSections) {
    if (document.HasSection(section)) continue;
    check.fault = SettingsFileFault::kMissingSection;
    check.section = section;
    return check;
  }
  return check;
}

UserMessage SettingsFileRefusedMessage(const std::filesystem::path& file,
                                       const SettingsFileCheck& check) {
  UserMessage reason;
  switch (check.fault) {
    case SettingsFileFault::kNone: break;
    case SettingsFileFault::kNotAFile: reason = {u"文件不存在", u"no such file"}; break;
    case SettingsFileFault::kUnreadable:
      reason = SameInBothLanguages(ToUtf16(check.error.message()));
      break;
    case SettingsFileFault::kTooLarge: reason = {u"文件过大", u"the file is too large"}; break;
    case SettingsFileFault::kNotText:
      reason = {u"不是设置文件：不是文本文件", u"not a settings file: not a text file"};
      break;
    case SettingsFileFault::kMissingSection:
      reason = {u"不是设置文件：缺少 [" + check.section + u"] 段",
                u"not a settings file: no [" + check.section + u"] section"};
      break;
  }
  const std::u16string path = ToUtf16(file.string());
  return {u"Error：文件未导入!\n" + path + u"\n(" + reason.chinese + u")",
          u"Error: the file was not imported!\n" + path + u"\n(" + reason.english + u")"};
}

}  // namespace gm
