#pragma once
// The settings part of the mouse's memory image (addresses 0x01 .. 0x7F): the active
// configuration, the key bytes of the four configurations, DPI codes and colours, the
// lighting settings, report rate and fire time, and the configuration byte at 0x76. Apply
// writes it as one 1-byte block at 0x01 and 8-byte blocks from 0x08 to 0x78.

#include <array>
#include <cstdint>
#include <vector>

#include "device/apply_key_mapping.h"
#include "device/apply_snapshot.h"

namespace gm {

// ---- Addresses --------------------------------------------------------------------------
inline constexpr int32_t kActiveConfigAddress = 0x01;
inline constexpr int32_t kConfig0KeysAddress = 0x08;     // positions 1..8 of configuration 0
inline constexpr int32_t kDpiBlockAddress = 0x10;        // position 9, DPI high bits and codes
inline constexpr int32_t kDeviceSettingsAddress = 0x18;  // DPI level, enables, fire time ...
inline constexpr int32_t kDpiColorsAddress = 0x20;      // 18 colour bytes up to 0x31
inline constexpr int32_t kDpiColorConstantsAddress = 0x32;
inline constexpr int32_t kLightingSettingsAddress = 0x38;
inline constexpr int32_t kLightingDirectionAddress = 0x3A;
inline constexpr int32_t kConfig0UpperKeysAddress = 0x3B;  // positions 10..12 of configuration 0
inline constexpr int32_t kBrightnessAddress = 0x3F;
inline constexpr int32_t kConfig1MarkerAddress = 0x43;
inline constexpr int32_t kConfig1KeysAddress = 0x44;     // positions 1..12 of configuration 1
inline constexpr int32_t kConfig2KeysAddress = 0x50;     // positions 1..12 of configuration 2
inline constexpr int32_t kConfig3KeysAddress = 0x60;     // positions 1..12 of configuration 3
inline constexpr int32_t kConfigurationBlockAddress = 0x70;
inline constexpr int32_t kConfigurationByteAddress = 0x76;  // read, modified and written back
inline constexpr int32_t kReservedBlockAddress = 0x78;
inline constexpr int32_t kSettingsAreaBytes = 0x80;
inline constexpr int32_t kMemoryBlockBytes = 8;

// Byte offsets within the blocks at 0x10 and 0x18.
inline constexpr int32_t kDpiHighBitsAddress = kDpiBlockAddress + 3;
inline constexpr int32_t kWheelStatusAddress = kDpiBlockAddress + 4;
inline constexpr int32_t kDpiCodePairsAddress = kDpiBlockAddress + 5;  // three bytes
inline constexpr int32_t kDpiLevelAddress = kDeviceSettingsAddress;
inline constexpr int32_t kDpiEnablesAddress = kDeviceSettingsAddress + 1;
inline constexpr int32_t kFireTimeAddress = kDeviceSettingsAddress + 2;  // u16, low byte first
inline constexpr int32_t kLightingByteAddress = kDeviceSettingsAddress + 4;
inline constexpr int32_t kColorByteAddress = kDeviceSettingsAddress + 5;
inline constexpr int32_t kReportRateAddress = kDeviceSettingsAddress + 6;

static_assert(kConfig0KeysAddress + 8 == kDpiBlockAddress, "positions 1..8, then 9 at 0x10");
static_assert(kDpiColorsAddress + kDpiLevelCount * kColorComponents ==
              kDpiColorConstantsAddress);
static_assert(kConfig1MarkerAddress + 1 == kConfig1KeysAddress);
static_assert(kConfig1KeysAddress + kKeyBytePositions == kConfig2KeysAddress);
static_assert(kConfigurationBlockAddress + 6 == kConfigurationByteAddress);
static_assert(kReservedBlockAddress + kMemoryBlockBytes == kSettingsAreaBytes);

// ---- Constant bytes and field layouts ------------------------------------------------------
inline constexpr uint8_t kActiveConfigLowBits = 3;      // 0x01 = (configuration << 5) + 3
inline constexpr int kActiveConfigShift = 5;
inline constexpr uint8_t kDpiLevelMarker = 0x08;        // 0x18 = 0x08 | DPI level
inline constexpr uint8_t kDpiLevelMask = 0x07;
inline constexpr int kDpiEnableBits = 4;                // only levels 0..3 have an enable bit
inline constexpr int32_t kFireTimeUnitMs = 8;
inline constexpr std::array<uint8_t, 2> kDpiColorConstants = {0x07, 0x30};  // 0x32, 0x33
inline constexpr uint8_t kConfig1Marker = 0xFC;         // 0x43
inline constexpr int kDpiCodeHighBit = 4;               // bit 4 of each code goes to 0x13
inline constexpr uint8_t kDpiCodeLowMask = 0x0F;
inline constexpr int kLightingSymmetryShift = 6;
inline constexpr int kLightingDirectionShift = 4;
inline constexpr uint8_t kLightingDirectionMask = 0x03;
inline constexpr int kBrightnessShift = 4;
inline constexpr uint8_t kBrightnessMask = 0x07;
inline constexpr int kKeyByteReactionShift = 5;         // (E + 2T) << 5 over the device code
inline constexpr uint8_t kConfigurationByteKeptBits = 0xFC;  // 0x76 keeps bits 2..7

// Device DPI code of each slider step 0..16 (0x0B is skipped).
inline constexpr std::array<uint8_t, kDpiMaxStep + 1> g_dpiCodeTable = {
    0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09,
    0x0A, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12};

// ---- Values ----------------------------------------------------------------------------

// The DPI code of a slider step; a step above 16 counts as 16.
uint8_t DpiCodeOf(uint8_t step);

// Milliseconds per macro delay tick: the report-rate code + 1 (1, 2, 4 or 8).
int32_t MacroTimeUnitOf(uint8_t usbRateCode);

// ((configuration AND 3) << 5) + 3.
uint8_t ActiveConfigByte(int32_t curConfig);

// (r AND 0xFC) OR (configuration AND 3), r = the byte the mouse holds at 0x76.
uint8_t ConfigurationByte(uint8_t deviceByte, int32_t curConfig);

// (code + ((E + 2T) << 5)) AND 0xFF of position p (1..12) of configuration c; 0 for a position
// no key has and for c or p out of range.
uint8_t KeyByte(const PositionTables& positions, int c, int p);

// Address of the key byte of position p (1..12) of configuration c (0..3).
int32_t KeyByteAddress(int c, int p);

// ---- Blocks --------------------------------------------------------------------------------

struct MemoryBlock {
  int32_t address = 0;
  std::vector<uint8_t> bytes;
  bool operator==(const MemoryBlock&) const = default;
};

// The settings blocks in the order Apply writes them: 0x01 (one byte), then 0x08, 0x10, ...,
// 0x68. `lightingByte` comes from the lighting state (NextLightingStep).
std::vector<MemoryBlock> BuildSettingsBlocks(const ApplySettingsSnapshot& snapshot,
                                             const PositionTables& positions,
                                             uint8_t lightingByte);

// The blocks 0x70 (the configuration byte at 0x76) and 0x78, in write order.
std::vector<MemoryBlock> BuildConfigurationBlocks(uint8_t configurationByte);

// A run of bytes from `address` as 8-byte blocks; the last block holds the remainder.
std::vector<MemoryBlock> SplitIntoBlocks(int32_t address, const std::vector<uint8_t>& bytes);

}  // namespace gm
