#include "device/apply_blocks.h"

#include <algorithm>

#include "device/feature_report.h"
#include "device/lighting_byte.h"

namespace gm {

namespace {

constexpr uint32_t kByteMask = 0xFF;
constexpr int kPositionsBeforeUpperBlock = 8;   // configuration 0: positions 1..8 at 0x08
constexpr int kConfig0PositionAtDpiBlock = 9;   // configuration 0: position 9 at 0x10
constexpr int kConfig0FirstUpperPosition = 10;  // configuration 0: positions 10..12 at 0x3B

using SettingsArea = std::array<uint8_t, kSettingsAreaBytes>;

uint8_t LowByte32(int32_t value) {
  return static_cast<uint8_t>(static_cast<uint32_t>(value) & kByteMask);
}

void FillKeyBytes(SettingsArea& area, const PositionTables& positions) {
  for (int c = 0; c < kConfigCount; ++c) {
    for (int p = kFirstDevicePosition; p <= kKeyBytePositions; ++p) {
      area[static_cast<size_t>(KeyByteAddress(c, p))] = KeyByte(positions, c, p);
    }
  }
}

void FillDpi(SettingsArea& area, const ApplySettingsSnapshot& s) {
  std::array<uint8_t, kDpiLevelCount> codes{};
  for (int j = 0; j < kDpiLevelCount; ++j) codes[j] = DpiCodeOf(s.dpiValue[j]);

  uint8_t highBits = 0;
  for (int j = 0; j < kDpiLevelCount; ++j) {
    highBits = static_cast<uint8_t>(highBits | (((codes[j] >> kDpiCodeHighBit) & 1) << j));
  }
  area[kDpiHighBitsAddress] = highBits;
  for (int pair = 0; pair < kDpiLevelCount / 2; ++pair) {
    area[static_cast<size_t>(kDpiCodePairsAddress + pair)] =
        static_cast<uint8_t>(((codes[2 * pair] & kDpiCodeLowMask) << 4) |
                             (codes[2 * pair + 1] & kDpiCodeLowMask));
  }

  uint8_t enables = 0;
  for (int j = 0; j < kDpiEnableBits; ++j) {
    if (s.dpiEnable[j] != 0) enables = static_cast<uint8_t>(enables | (1u << j));
  }
  area[kDpiLevelAddress] =
      static_cast<uint8_t>(kDpiLevelMarker | (static_cast<uint32_t>(s.dpiLevel) & kDpiLevelMask));
  area[kDpiEnablesAddress] = enables;

  for (int j = 0; j < kDpiLevelCount; ++j) {
    for (int n = 0; n < kColorComponents; ++n) {
      area[static_cast<size_t>(kDpiColorsAddress + j * kColorComponents + n)] =
          LowByte32(s.dpiRgb[j][n]);
    }
  }
  std::copy(kDpiColorConstants.begin(), kDpiColorConstants.end(),
            area.begin() + kDpiColorConstantsAddress);
}

void FillDeviceSettings(SettingsArea& area, const ApplySettingsSnapshot& s, uint8_t lightingByte) {
  const auto fireUnits = static_cast<uint16_t>(s.fireTime / kFireTimeUnitMs);
  area[kFireTimeAddress] = static_cast<uint8_t>(fireUnits & kByteMask);
  area[kFireTimeAddress + 1] = static_cast<uint8_t>(fireUnits >> 8);
  area[kLightingByteAddress] = lightingByte;
  area[kColorByteAddress] = ColorByte(s.cycleColorEnable, s.ledUserColorEnable);
  area[kReportRateAddress] = s.usbRateCode;
  area[kWheelStatusAddress] = LowByte32(s.wheelStatus);

  const auto symmetry = static_cast<uint32_t>(s.ledSymmetry) & 1;
  const auto direction = static_cast<uint32_t>(s.ledDirection) & kLightingDirectionMask;
  area[kLightingDirectionAddress] =
      static_cast<uint8_t>((symmetry << kLightingSymmetryShift) |
                           (direction << kLightingDirectionShift) |
                           (s.deviceInitNibble & kDeviceNibbleMask));
  area[kBrightnessAddress] = static_cast<uint8_t>(
      (static_cast<uint32_t>(s.ledBrightness) & kBrightnessMask) << kBrightnessShift);
  area[kConfig1MarkerAddress] = kConfig1Marker;
}

MemoryBlock BlockOf(const SettingsArea& area, int32_t address, int32_t length) {
  MemoryBlock block;
  block.address = address;
  block.bytes.assign(area.begin() + address, area.begin() + address + length);
  return block;
}

}  // namespace

uint8_t DpiCodeOf(uint8_t step) {
  return g_dpiCodeTable[std::min<size_t>(step, g_dpiCodeTable.size() - 1)];
}

int32_t MacroTimeUnitOf(uint8_t usbRateCode) { return int32_t{usbRateCode} + 1; }

uint8_t ActiveConfigByte(int32_t curConfig) {
  return static_cast<uint8_t>(((static_cast<uint32_t>(curConfig) & kConfigurationMask)
                               << kActiveConfigShift) +
                              kActiveConfigLowBits);
}

uint8_t ConfigurationByte(uint8_t deviceByte, int32_t curConfig) {
  return static_cast<uint8_t>((deviceByte & kConfigurationByteKeptBits) |
                              (static_cast<uint32_t>(curConfig) & kConfigurationMask));
}

uint8_t KeyByte(const PositionTables& positions, int c, int p) {
  if (c < 0 || c >= kConfigCount || p < kFirstDevicePosition || p > kKeyBytePositions) return 0;
  const int index = p - kFirstDevicePosition;
  const uint32_t reaction = static_cast<uint32_t>(positions.ledEnable[c][index]) +
                            2u * positions.ledType[c][index];
  return static_cast<uint8_t>(
      (positions.keyCode[c][index] + (reaction << kKeyByteReactionShift)) & kByteMask);
}

int32_t KeyByteAddress(int c, int p) {
  const int index = p - kFirstDevicePosition;
  switch (c) {
    case 0:
      if (p <= kPositionsBeforeUpperBlock) return kConfig0KeysAddress + index;
      if (p == kConfig0PositionAtDpiBlock) return kDpiBlockAddress;
      return kConfig0UpperKeysAddress + (p - kConfig0FirstUpperPosition);
    case 1:
      return kConfig1KeysAddress + index;
    case 2:
      return kConfig2KeysAddress + index;
    default:
      return kConfig3KeysAddress + index;
  }
}

std::vector<MemoryBlock> BuildSettingsBlocks(const ApplySettingsSnapshot& snapshot,
                                             const PositionTables& positions,
                                             uint8_t lightingByte) {
  SettingsArea area{};
  area[kActiveConfigAddress] = ActiveConfigByte(snapshot.curConfig);
  FillKeyBytes(area, positions);
  FillDpi(area, snapshot);
  FillDeviceSettings(area, snapshot, lightingByte);

  std::vector<MemoryBlock> blocks;
  blocks.push_back(BlockOf(area, kActiveConfigAddress, 1));
  for (int32_t address = kConfig0KeysAddress; address < kConfigurationBlockAddress;
       address += kMemoryBlockBytes) {
    blocks.push_back(BlockOf(area, address, kMemoryBlockBytes));
  }
  return blocks;
}

std::vector<MemoryBlock> BuildConfigurationBlocks(uint8_t configurationByte) {
  MemoryBlock configuration{kConfigurationBlockAddress,
                            std::vector<uint8_t>(kMemoryBlockBytes, 0)};
  configuration.bytes[kConfigurationByteAddress - kConfigurationBlockAddress] = configurationByte;
  MemoryBlock reserved{kReservedBlockAddress, std::vector<uint8_t>(kMemoryBlockBytes, 0)};
  return {configuration, reserved};
}

std::vector<MemoryBlock> SplitIntoBlocks(int32_t address, const std::vector<uint8_t>& bytes) {
  std::vector<MemoryBlock> blocks;
  for (size_t offset = 0; offset < bytes.size(); offset += kMemoryBlockBytes) {
    const size_t end = std::min(bytes.size(), offset + kMemoryBlockBytes);
    blocks.push_back({address + static_cast<int32_t>(offset),
                      std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                                           bytes.begin() + static_cast<std::ptrdiff_t>(end))});
  }
  return blocks;
}

}  // namespace gm
