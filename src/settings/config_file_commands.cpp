// Import, export and factory reset of the settings file.
#include "platform/message_sink.h"
#include "platform/private_profile.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/paths.h"

namespace gm {

namespace {

UserMessage FileCommandFailedMessage() { return SameInBothLanguages(u"Error!"); }

}  // namespace

// The copies go through the profile writers' own copy, so that a key the device threads write
// into config.ini meanwhile never undoes an import.
AfterFileCommand ImportConfigFile(const std::filesystem::path& chosenPath) {
  if (!CopyFileOverProfile(chosenPath, g_configIniPath)) {
    ShowUserMessage(FileCommandFailedMessage());
    return AfterFileCommand::kNoRedraw;
  }
  for (int c = 0; c < kConfigCount; ++c) LoadConfigSection(g_configFolder, c, false);
  return AfterFileCommand::kRedraw;
}

AfterFileCommand ExportConfigFile(const std::filesystem::path& chosenPath) {
  if (!CopyFileOverProfile(g_configIniPath, chosenPath)) {
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
