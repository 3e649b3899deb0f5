#pragma once
// What an Apply leaves behind for the next Apply and for the device threads: per-key flags,
// the position tables, the recoil macro's slot and the macro time unit. Apply rebuilds them on
// every run through the Publish / recoil-slot functions below, in this order: the key
// mapping, the slot functions, the recoil slot closed, the slot addresses, then per image job
// the recoil slot recorded and, once its image is written whole, opened. The key action
// thread and the recoil adjustment read them concurrently, so every entry is an atomic.

#include <atomic>
#include <cstdint>

#include "settings/config_settings.h"

namespace gm {

struct KeyMapping;
struct PositionTables;
struct SlotPlan;

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

// The configuration g_recoilMacroConfig holds while no slot is open to the recoil adjustment.
inline constexpr int32_t kNoRecoilConfig = -1;

// Every table and value above back to its start value: zero, no recoil slot open, a time
// unit of 1.
void ResetApplyTables();

// g_devKeyCode, g_dpiKeyFlag and g_cfgSwitchKeyFlag per key; g_posKeyCode, g_posLedEnable and
// g_posLedType per position.
void PublishKeyMapping(const KeyMapping& mapping);
// g_slotCode per position.
void PublishSlotFunctions(const PositionTables& positions);
// The images are about to be rewritten: the recoil adjustment has no slot to write into until
// OpenRecoilSlot.
void CloseRecoilSlot();
// g_slotMacroAddr per position, and g_recoilMacroLen when the plan has an image at position 1
// of the current configuration.
void PublishSlotAddresses(const SlotPlan& plan);
// The address and key function of the image at position 1 of the current configuration.
void RecordRecoilSlot(int32_t address, int32_t function);
// That image is written whole: the recoil adjustment may write into it for `config`.
void OpenRecoilSlot(int32_t config);

}  // namespace gm
