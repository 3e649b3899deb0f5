#pragma once
// What an Apply leaves behind for the next Apply and for the device threads: per-key flags,
// the position tables, the recoil macro's slot and the macro time unit. Apply rebuilds them on
// every run; the key action thread and the recoil adjustment read them concurrently, so every
// entry is an atomic.

#include <atomic>
#include <cstdint>

#include "settings/config_settings.h"

namespace gm {

inline constexpr int kDevicePositions = 14;     // positions 1..14 at index 0..13
inline constexpr int kKeyBytePositions = 12;    // positions with a key byte in the image

extern std::atomic<uint8_t> g_devKeyCode[kConfigCount][kMaxKeys];
extern std::atomic<uint8_t> g_posKeyCode[kConfigCount][kDevicePositions];
extern std::atomic<int32_t> g_posLedEnable[kConfigCount][kKeyBytePositions];
extern std::atomic<uint8_t> g_posLedType[kConfigCount][kKeyBytePositions];
extern std::atomic<int32_t> g_slotCode[kConfigCount][kDevicePositions];
extern std::atomic<int32_t> g_slotMacroAddr[kConfigCount][kDevicePositions];
extern std::atomic<int32_t> g_dpiKeyFlag[kConfigCount][kMaxKeys];
extern std::atomic<int32_t> g_cfgSwitchKeyFlag[kConfigCount][kMaxKeys];

// The image the last Apply wrote for position 1 of the configuration current then.
extern std::atomic<int32_t> g_recoilMacroAddr;
extern std::atomic<int32_t> g_recoilMacroLen;
// Which macro that image belongs to (configuration and key function at the time of the
// Apply), so the recoil adjustment never writes into a slot that now holds another macro. The
// configuration is -1 until the Apply has written the image whole. Which configurations play
// the slot at position 1 is in g_slotCode and g_slotMacroAddr.
extern std::atomic<int32_t> g_recoilMacroConfig;
extern std::atomic<int32_t> g_recoilMacroFunction;

// Milliseconds per delay tick of the macro images: g_usbRateCode + 1; 1 at start.
extern std::atomic<int32_t> g_macroTimeUnit;

// A device nibble read at start-up from reply byte 7 and sent back by Apply.
extern std::atomic<uint8_t> g_deviceInitNibble;

}  // namespace gm
