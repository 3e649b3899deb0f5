#include "device/apply_tables.h"

namespace gm {

std::atomic<uint8_t> g_devKeyCode[kConfigCount][kMaxKeys];
std::atomic<uint8_t> g_posKeyCode[kConfigCount][kDevicePositions];
std::atomic<int32_t> g_posLedEnable[kConfigCount][kKeyBytePositions];
std::atomic<uint8_t> g_posLedType[kConfigCount][kKeyBytePositions];
std::atomic<int32_t> g_slotCode[kConfigCount][kDevicePositions];
std::atomic<int32_t> g_slotMacroAddr[kConfigCount][kDevicePositions];
std::atomic<int32_t> g_dpiKeyFlag[kConfigCount][kMaxKeys];
std::atomic<int32_t> g_cfgSwitchKeyFlag[kConfigCount][kMaxKeys];

std::atomic<int32_t> g_recoilMacroAddr;
std::atomic<int32_t> g_recoilMacroLen;
std::atomic<int32_t> g_recoilMacroConfig{-1};
std::atomic<int32_t> g_recoilMacroFunction;

std::atomic<int32_t> g_macroTimeUnit{1};
std::atomic<uint8_t> g_deviceInitNibble;

}  // namespace gm
