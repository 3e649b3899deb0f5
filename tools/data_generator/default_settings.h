#pragma once
// The factory settings of config.ini and configReset.ini: the model facts (product name, key
// count and key map), the four configurations of a nine-key mouse and the shared block.

#include <filesystem>

#include "diagnostics.h"

namespace gm::datagen {

// Replaces the file with the factory settings: Init, PRODUCTNAME, KEYNUM, KEYMAP and KEY_UIFC
// through WritePrivateProfileStringW, then Config0..Config3 and ShareData through
// SaveConfigSection from the settings globals.
void WriteSettingsFile(const std::filesystem::path& file, Diagnostics& diagnostics);

}  // namespace gm::datagen
