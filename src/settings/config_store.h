#pragma once
// config.ini and its factory copy configReset.ini: the Init section, the four configuration
// sections Config0..Config3 and the shared block ShareData, read and written key by key.
//
// Every value is decimal text. The loaders read it into a fixed buffer (a longer value is cut
// to the buffer length minus one character), convert it like _wtoi (a missing key reads as 0)
// and bring it into its range (settings/setting_limits.h). The savers write "%d" text; a key
// that does not exist yet is appended to its section in write order. Each saver replaces the
// file once, however many keys it writes.
//
// Every saver shows one message naming the file when a write failed (platform/save_failure.h);
// a caller that saves several times in one go (Apply) holds a SaveFailureReport
// around them all, so that the user sees one message per file.

#include <cstdint>
#include <filesystem>

namespace gm {

inline constexpr const char* kSettingsFileName = "config.ini";
inline constexpr const char* kFactorySettingsFileName = "configReset.ini";

// Loads section Config<configuration> and ShareData from folder/config.ini, or from
// folder/configReset.ini when fromFactory is set. A missing file is reported to the user and
// changes nothing; the result is then false (as it is for a configuration outside 0..3).
// A K<i> value with more than two commas is reported and read all the same.
bool LoadConfigSection(const std::filesystem::path& folder, int configuration, bool fromFactory);

// Writes section Config<configuration> and the whole of ShareData into the file, replacing it
// once. False when a key could not be written (the file then keeps what it had for that key)
// or for a configuration outside 0..3.
bool SaveConfigSection(const std::filesystem::path& file, int configuration);

// Configurations 0..3 and ShareData as SaveConfigSection writes them, all with one replacement
// of the file (Apply and the reset), so that a crash leaves the old or the new settings.
bool SaveConfigSections(const std::filesystem::path& file);

// Writes ShareData DPI_LEVEL = g_dpiLevel.
bool SaveDpiLevel(const std::filesystem::path& file);

// The start-up values of the Init section, as loaded into the globals.
struct InitSection {
  int32_t curConfig = 0;   // CurConfig, 0..3 (anything else reads as 0) -> g_curConfig
  uint8_t isEnglish = 0;   // low byte of VER_SEL, non-zero = English -> g_isEnglish
  int32_t configNum = 0;   // ConfigNum; nothing depends on it
};
InitSection LoadInitSection(const std::filesystem::path& file);

// Reads the display names of the four configurations into g_configNames: ConfigName1..4 for
// the Chinese interface, ConfigName1_EN..4_EN for the English one (at most 14 characters).
void LoadConfigNames(const std::filesystem::path& file, bool isEnglish);

// Writes Init CurConfig = g_curConfig.
bool SaveCurConfig(const std::filesystem::path& file);
// Writes Init VER_SEL = "1" for English, "0" for Chinese.
bool SaveLanguage(const std::filesystem::path& file, bool isEnglish);

// The settings-file commands of the main window. The window asks the user for the path and
// passes it in (a cancelled dialog never gets here); the result tells it whether to redraw.
enum class AfterFileCommand { kRedraw, kNoRedraw };

// Copies the chosen file over g_configIniPath (replacing it whole) and reloads configurations
// 0..3 and the shared block from it. A path that names no file shows "Error!"; a file that is
// no settings file (settings/settings_file_check.h) shows SettingsFileRefusedMessage naming it
// and why; a config.ini that cannot be written shows the save-failure message naming it. In
// each case config.ini and the settings stay as they were.
AfterFileCommand ImportConfigFile(const std::filesystem::path& chosenPath);

// Copies g_configIniPath (the file on disk, not unsaved changes) to the chosen path. A missing
// config.ini shows "Error!"; a target that cannot be written shows the save-failure message
// naming it.
AfterFileCommand ExportConfigFile(const std::filesystem::path& chosenPath);

// Loads configurations 3, 2, 1, 0 from configReset.ini (so Config0's wheel status stays),
// then saves configurations 0..3 into g_configIniPath. Init and the key map stay. A save that
// fails shows one message naming config.ini.
AfterFileCommand ResetConfigFile();

}  // namespace gm
