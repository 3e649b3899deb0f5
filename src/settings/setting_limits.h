#pragma once
// The ranges a loaded setting is brought into. config.ini is a hand-editable text file, so a
// value can lie outside what the user interface ever produces; the loaders pass every value
// that indexes a table, selects a page element or sizes a wait through one of these rules, so
// nothing later indexes outside its bounds. Each rule is the one that changes the least:
// magnitudes clamp to their nearest limit, selections that have no nearest meaning fall back
// to their first choice.

#include <algorithm>
#include <cstdint>

#include "settings/config_settings.h"

namespace gm {

inline constexpr int32_t kMaxDpiLevel = kDpiLevelCount - 1;  // levels 0..5
inline constexpr uint8_t kMaxLedCycleTime = 5;               // effect speed 0..5
inline constexpr int32_t kMaxLedDirection = 3;               // directions 0..3
inline constexpr int32_t kMaxLedBrightness = 6;              // 0 brightest .. 6 dimmest
inline constexpr uint8_t kMaxWindowsSpeed = 10;              // pointer and wheel choices
inline constexpr uint8_t kMaxUsbRate = 3;                    // report-rate choices 0..3
inline constexpr int32_t kMaxFireTime = 300;                 // fire time 0..300
inline constexpr uint8_t kMinKeyPosition = 1;                // the mouse's key positions 1..9
inline constexpr uint8_t kMaxKeyPosition = kMaxKeys;
inline constexpr uint8_t kNoKeyPosition = 0;                 // a key the mouse never reports

// Active configuration: anything outside 0..3 selects configuration 0.
constexpr int32_t ConfigIndexOnLoad(int32_t value) {
  return value >= 0 && value < kConfigCount ? value : 0;
}

// Current DPI level: anything outside 0..5 (the mouse itself can report 6 and 7) is level 0.
constexpr int32_t DpiLevelOnLoad(int32_t value) {
  return value >= 0 && value <= kMaxDpiLevel ? value : 0;
}

// DPI slider step (already the low byte of the file's value): at most the slider's end, 16.
constexpr uint8_t DpiStepOnLoad(uint8_t step) {
  return std::min(step, static_cast<uint8_t>(kDpiMaxStep));
}

// One colour component, 0 (full intensity) .. 15.
constexpr int32_t ColorComponentOnLoad(int32_t value) {
  return std::clamp(value, int32_t{0}, int32_t{kColorComponentMax});
}

// Lighting effect speed: at most 5 (the repaint wait is 1200 - 200 x speed ms).
constexpr uint8_t LedCycleTimeOnLoad(uint8_t value) { return std::min(value, kMaxLedCycleTime); }

constexpr int32_t LedDirectionOnLoad(int32_t value) {
  return std::clamp(value, int32_t{0}, kMaxLedDirection);
}

constexpr int32_t LedBrightnessOnLoad(int32_t value) {
  return std::clamp(value, int32_t{0}, kMaxLedBrightness);
}

// Windows pointer speed and wheel lines choices: at most 10. Zero stays (a missing key reads
// as 0, and the download gives 0 its own Windows value).
constexpr uint8_t WindowsSpeedOnLoad(uint8_t value) { return std::min(value, kMaxWindowsSpeed); }

// Report-rate choice: anything above 3 becomes 0, the choice that the rate code mapping
// already treats it as (both give the mouse code 7), so the mouse sees no change.
constexpr uint8_t UsbRateOnLoad(uint8_t value) { return value <= kMaxUsbRate ? value : 0; }

constexpr int32_t FireTimeOnLoad(int32_t value) {
  return std::clamp(value, int32_t{0}, kMaxFireTime);
}

// Key function: no code is negative; a negative value is no function. Every other value is
// kept as loaded (the download resets references to macros that do not exist).
constexpr int32_t KeyFunctionOnLoad(int32_t value) { return value < 0 ? 0 : value; }

// Number of programmable keys: 0..9, the size of the key tables.
constexpr int32_t KeyCountOnLoad(int32_t value) {
  return std::clamp(value, int32_t{0}, int32_t{kMaxKeys});
}

// Device position of a key (already the low byte of the file's value): outside 1..9 the key
// has no position; users of the key map skip keys at kNoKeyPosition.
constexpr uint8_t KeyPositionOnLoad(uint8_t value) {
  return value >= kMinKeyPosition && value <= kMaxKeyPosition ? value : kNoKeyPosition;
}

}  // namespace gm
