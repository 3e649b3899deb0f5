// Import, export and factory reset of the settings file.
#include "platform/message_sink.h"
#include "platform/private_profile.h"
#include "platform/save_failure.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/paths.h"
#include "settings/settings_file_check.h"

namespace gm {

namespace {

UserMessage FileCommandFailedMessage() { return SameInBothLanguages(u"Error!"); }

// Copies `from` over `to`. A failure to write `to` is shown by the report (naming the file);
// any other failure (no readable source) shows "Error!".
bool CopyOrReport(const std::filesystem::path& from, const std::filesystem::path& to) {
  const SaveFailureReport report;
  if (CopyFileOverProfile(from, to)) return true;
  if (!report.failed()) ShowUserMessage(FileCommandFailedMessage());
  return false;
}

}  // namespace

// The copies go through the profile writers' own copy, which replaces the target whole, so
// that a key the device threads write into config.ini meanwhile never undoes an import.
AfterFileCommand ImportConfigFile(const std::filesystem::path& chosenPath) {
  // config.ini also holds the key map, the product names and the language: only a settings
  // file may take its place.
  const SettingsFileCheck check = CheckSettingsFile(chosenPath);
  if (check.fault == SettingsFileFault::kNotAFile) {
    ShowUserMessage(FileCommandFailedMessage());
    return AfterFileCommand::kNoRedraw;
  }
  if (check.fault != SettingsFileFault::kNone) {
    ShowUserMessage(SettingsFileRefusedMessage(chosenPath, check));
    return AfterFileCommand::kNoRedraw;
  }
  if (!CopyOrReport(chosenPath, g_configIniPath)) return AfterFileCommand::kNoRedraw;
  for (int c = 0; c < kConfigCount; ++c) LoadConfigSection(g_configFolder, c, false);
  return AfterFileCommand::kRedraw;
}

AfterFileCommand ExportConfigFile(const std::filesystem::path& chosenPath) {
  if (!CopyOrReport(g_configIniPath, chosenPath)) return AfterFileCommand::kNoRedraw;
  return AfterFileCommand::kRedraw;
}

AfterFileCommand ResetConfigFile() {
  // Loaded from the last configuration down, so Config0's wheel status is the one kept.
  for (int c = kConfigCount - 1; c >= 0; --c) LoadConfigSection(g_configFolder, c, true);
  // A write that fails is shown once; the reset settings stay in memory and the next Apply
  // saves them again.
  SaveConfigSections(g_configIniPath);
  return AfterFileCommand::kRedraw;
}

}  // namespace gm
