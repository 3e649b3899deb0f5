#pragma once
// The settings one Apply downloads, read once from the settings globals at its start. The
// device threads may change a setting (the active configuration, the DPI level, a reloaded
// configuration) while Apply runs; everything Apply writes comes from this one copy, so the
// image in the mouse is always the image of one consistent set of settings.

#include <array>
#include <cstdint>

#include "settings/config_settings.h"

namespace gm {

struct KeySettingsSnapshot {
  int32_t function = 0;        // g_keyFunction
  uint8_t param = 0;           // g_keyParam: the HID usage of a keyboard-key function
  int32_t leftMac = 0;         // g_keyMacroMode
  int32_t ledReactEnable = 0;  // g_ledReactEnable (E)
  int32_t ledReactType = 0;    // g_ledReactType (T is its low byte)
};

struct ApplySettingsSnapshot {
  std::array<std::array<KeySettingsSnapshot, kMaxKeys>, kConfigCount> keys{};
  int32_t keyCount = 0;                 // bounded to 0..9
  std::array<uint8_t, kMaxKeys> keyMap{};  // device position of each key, as stored

  int32_t curConfig = 0;
  int32_t dpiLevel = 0;
  std::array<uint8_t, kDpiLevelCount> dpiValue{};
  std::array<uint8_t, kDpiLevelCount> dpiEnable{};
  std::array<std::array<int32_t, kColorComponents>, kDpiLevelCount> dpiRgb{};
  int32_t wheelStatus = 0;

  uint8_t ledType = 0;
  uint8_t ledCycleTime = 0;
  int32_t ledUserColorEnable = 0;
  int32_t ledDirection = 0;
  int32_t ledSymmetry = 0;
  int32_t ledBrightness = 0;
  std::array<int32_t, kUserColorCount> cycleColorEnable{};

  uint8_t pointerSpeed = 0;
  uint8_t wheelSpeed = 0;
  uint8_t usbRateCode = 0;
  int32_t fireTime = 0;

  uint8_t deviceInitNibble = 0;  // g_deviceInitNibble
};

// Reads every field above from the globals, each once.
ApplySettingsSnapshot TakeApplySettingsSnapshot();

}  // namespace gm
