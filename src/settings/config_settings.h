#pragma once
// The settings of the mouse's four configurations and the block they share: process-wide
// globals that live from start to exit. The user-interface thread and the two device threads
// read and write them field by field; each field is an atomic of its natural size, so every
// access is one race-free load or store and no lock is held across fields.

#include <atomic>
#include <cstdint>
#include <string>

namespace gm {

inline constexpr int kConfigCount = 4;      // configurations (profiles) 0..3
inline constexpr int kMaxKeys = 9;          // key tables have nine entries per configuration
inline constexpr int kKeyParamStride = 11;  // g_keyParam rows are 11 bytes; 0..8 hold the keys
inline constexpr int kDpiLevelCount = 6;
inline constexpr int kDpiMaxStep = 16;      // DPI values are slider steps 0..16
inline constexpr int kColorComponents = 3;  // red, green, blue; 0..15 each, 0 = full intensity
inline constexpr int kColorComponentMax = 15;
inline constexpr int kLedTypeCount = 10;
inline constexpr int kUserColorCount = 7;
inline constexpr int32_t kStartFireTime = 50;

using ColorRef = uint32_t;  // 0x00BBGGRR, red in the low byte

// Per configuration and key.
extern std::atomic<int32_t> g_keyFunction[kConfigCount][kMaxKeys];
extern std::atomic<uint8_t> g_keyParam[kConfigCount][kKeyParamStride];
extern std::atomic<int32_t> g_keyMacroMode[kConfigCount][kMaxKeys];   // LEFT_MAC
extern std::atomic<int32_t> g_ledReactEnable[kConfigCount][kMaxKeys]; // LED_REACT_EN
extern std::atomic<int32_t> g_ledReactType[kConfigCount][kMaxKeys];   // LED_REACT_TYPE

// Shared block.
extern std::atomic<int32_t> g_curConfig;
extern std::u16string g_configNames[kConfigCount];  // user-interface thread only
extern std::atomic<int32_t> g_dpiLevel;
extern std::atomic<uint8_t> g_dpiValue[kDpiLevelCount];
extern std::atomic<uint8_t> g_dpiEnable[kDpiLevelCount];
extern std::atomic<int32_t> g_dpiRgb[kDpiLevelCount][kColorComponents];
extern std::atomic<int32_t> g_wheelStatus;
extern std::atomic<uint8_t> g_ledType;
extern std::atomic<int32_t> g_ledTypeEnable[kLedTypeCount];
extern std::atomic<uint8_t> g_ledCycleTime;
extern std::atomic<int32_t> g_ledUserColorEnable;
extern std::atomic<int32_t> g_ledSingleColor;
extern std::atomic<int32_t> g_ledDirection;
extern std::atomic<int32_t> g_ledSymmetry;
extern std::atomic<int32_t> g_ledBrightness;
extern std::atomic<int32_t> g_ledUserRgb[kUserColorCount][kColorComponents];
extern std::atomic<ColorRef> g_ledUserColor[kUserColorCount];
extern std::atomic<uint8_t> g_cycleColorMask;
extern std::atomic<int32_t> g_cycleColorEnable[kUserColorCount];
extern std::atomic<uint8_t> g_pointerSpeed;
extern std::atomic<uint8_t> g_wheelSpeed;
extern std::atomic<uint8_t> g_usbRate;
extern std::atomic<uint8_t> g_usbRateCode;
extern std::atomic<int32_t> g_fireTime;

// Language of the user interface: non-zero is English (the low byte of [Init] VER_SEL).
extern std::atomic<uint8_t> g_isEnglish;

// Puts every field back to its value at process start: all zero, names empty, fire time 50.
// The interface language is left as it is (the data generator and the settings commands
// reset the settings within one language).
void ResetSettingsToStartValues();
// g_isEnglish back to its start value, 0 (Chinese).
void ResetInterfaceLanguage();

// Display colour of a stored colour: each component 255 - 16 * v, red in the low byte.
ColorRef DisplayColorOf(int32_t red, int32_t green, int32_t blue);

// The mouse's code for a report-rate choice: 3 -> 0, 2 -> 1, 1 -> 3, anything else -> 7.
uint8_t UsbRateCodeOf(uint8_t rate);

// Packs g_cycleColorEnable back into g_cycleColorMask (Apply does this before it saves).
void PackCycleColorMask();

}  // namespace gm
