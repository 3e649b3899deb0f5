// Import, export and factory reset of the settings file.
#include <string>
#include <system_error>

#include "platform/message_sink.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/paths.h"

namespace gm {

namespace {

UserMessage FileCommandFailedMessage() { return SameInBothLanguages(u"Error!"); }

bool IsExistingFile(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error);
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

// Copies a file over another through a temporary file beside the target, so the target is
// either the old file or the whole new one, never a partial copy.
bool CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (IsSameFile(from, to)) return true;
  std::error_code error;
  std::filesystem::path temporary = to;
  temporary += ".copying";
  if (!std::filesystem::copy_file(from, temporary,
                                  std::filesystem::copy_options::overwrite_existing, error)) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  std::filesystem::rename(temporary, to, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace

AfterFileCommand ImportConfigFile(const std::filesystem::path& chosenPath) {
  if (!IsExistingFile(chosenPath) || !CopyFileReplacing(chosenPath, g_configIniPath)) {
    ShowUserMessage(FileCommandFailedMessage());
    return AfterFileCommand::kNoRedraw;
  }
  for (int c = 0; c < kConfigCount; ++c) LoadConfigSection(g_configFolder, c, false);
  return AfterFileCommand::kRedraw;
}

AfterFileCommand ExportConfigFile(const std::filesystem::path& chosenPath) {
  if (!IsExistingFile(g_configIniPath) || !CopyFileReplacing(g_configIniPath, chosenPath)) {
    ShowUserMessage(FileCommandFailedMessage());
    return AfterFileCommand::kNoRedraw;
  }
  return AfterFileCommand::kRedraw;
}

AfterFileCommand ResetConfigFile() {
  // Loaded from the last configuration down, so Config0's wheel status is the one kept.
  for (int c = kConfigCount - 1; c >= 0; --c) LoadConfigSection(g_configFolder, c, true);
  // As with every settings save, a write that fails is not reported: the reset settings stay
  // in memory and the next Apply saves them again.
  for (int c = 0; c < kConfigCount; ++c) SaveConfigSection(g_configIniPath, c);
  return AfterFileCommand::kRedraw;
}

}  // namespace gm
