#include "settings/config_settings.h"

namespace gm {

std::atomic<int32_t> g_keyFunction[kConfigCount][kMaxKeys];
std::atomic<uint8_t> g_keyParam[kConfigCount][kKeyParamStride];
std::atomic<int32_t> g_keyMacroMode[kConfigCount][kMaxKeys];
std::atomic<int32_t> g_ledReactEnable[kConfigCount][kMaxKeys];
std::atomic<int32_t> g_ledReactType[kConfigCount][kMaxKeys];

std::atomic<int32_t> g_curConfig;
std::u16string g_configNames[kConfigCount];
std::atomic<int32_t> g_dpiLevel;
std::atomic<uint8_t> g_dpiValue[kDpiLevelCount];
std::atomic<uint8_t> g_dpiEnable[kDpiLevelCount];
std::atomic<int32_t> g_dpiRgb[kDpiLevelCount][kColorComponents];
std::atomic<int32_t> g_wheelStatus;
std::atomic<uint8_t> g_ledType;
std::atomic<int32_t> g_ledTypeEnable[kLedTypeCount];
std::atomic<uint8_t> g_ledCycleTime;
std::atomic<int32_t> g_ledUserColorEnable;
std::atomic<int32_t> g_ledSingleColor;
std::atomic<int32_t> g_ledDirection;
std::atomic<int32_t> g_ledSymmetry;
std::atomic<int32_t> g_ledBrightness;
std::atomic<int32_t> g_ledUserRgb[kUserColorCount][kColorComponents];
std::atomic<ColorRef> g_ledUserColor[kUserColorCount];
std::atomic<uint8_t> g_cycleColorMask;
std::atomic<int32_t> g_cycleColorEnable[kUserColorCount];
std::atomic<uint8_t> g_pointerSpeed;
std::atomic<uint8_t> g_wheelSpeed;
std::atomic<uint8_t> g_usbRate;
std::atomic<uint8_t> g_usbRateCode;
std::atomic<int32_t> g_fireTime{kStartFireTime};

std::atomic<uint8_t> g_isEnglish;

namespace {
template <typename T, size_t N>
void Zero(std::atomic<T> (&table)[N]) {
  for (auto& v : table) v.store(0);
}
template <typename T, size_t N, size_t M>
void Zero(std::atomic<T> (&table)[N][M]) {
  for (auto& row : table) Zero(row);
}
}  // namespace

void ResetSettingsToStartValues() {
  Zero(g_keyFunction);
  Zero(g_keyParam);
  Zero(g_keyMacroMode);
  Zero(g_ledReactEnable);
  Zero(g_ledReactType);
  g_curConfig = 0;
  for (auto& name : g_configNames) name.clear();
  g_dpiLevel = 0;
  Zero(g_dpiValue);
  Zero(g_dpiEnable);
  Zero(g_dpiRgb);
  g_wheelStatus = 0;
  g_ledType = 0;
  Zero(g_ledTypeEnable);
  g_ledCycleTime = 0;
  g_ledUserColorEnable = 0;
  g_ledSingleColor = 0;
  g_ledDirection = 0;
  g_ledSymmetry = 0;
  g_ledBrightness = 0;
  Zero(g_ledUserRgb);
  Zero(g_ledUserColor);
  g_cycleColorMask = 0;
  Zero(g_cycleColorEnable);
  g_pointerSpeed = 0;
  g_wheelSpeed = 0;
  g_usbRate = 0;
  g_usbRateCode = 0;
  g_fireTime = kStartFireTime;
}

void ResetInterfaceLanguage() { g_isEnglish = 0; }

ColorRef DisplayColorOf(int32_t red, int32_t green, int32_t blue) {
  auto component = [](int32_t v) -> ColorRef { return static_cast<uint8_t>(~(v << 4)); };
  return component(red) | (component(green) << 8) | (component(blue) << 16);
}

uint8_t UsbRateCodeOf(uint8_t rate) {
  switch (rate) {
    case 3: return 0;
    case 2: return 1;
    case 1: return 3;
    default: return 7;
  }
}

void PackCycleColorMask() {
  uint8_t mask = 0;
  for (int k = 0; k < kUserColorCount; ++k) {
    if (g_cycleColorEnable[k] != 0) mask = static_cast<uint8_t>(mask | (1u << k));
  }
  g_cycleColorMask = mask;
}

}  // namespace gm
