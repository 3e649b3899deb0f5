#pragma once
// The key descriptor table: one 10-byte SlotDescriptor per configuration and device position
// (record 14 c + s for configuration c and slot s = position - 1), 56 records from 0xA0 to
// 0x2CF, written as 70 blocks of 8 bytes. A described slot (device code 0x0D, 0x0E, 0x0F, 0x1E
// or 0x1F) says where its image lies, how many step entries it has and how it plays; every
// other record is ten zero bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/apply_blocks.h"
#include "device/apply_key_mapping.h"

namespace gm {

struct SlotDescriptor {
  uint8_t timeUnit;           // 0: milliseconds per delay tick - 1
  uint8_t entriesLowAndA;     // 1: A << 7 | (N AND 0x7F)
  uint8_t keyUsage;           // 2: HID usage of a keyboard-key function, else 0
  uint8_t consumerUsageLow;   // 3
  uint8_t consumerUsageHigh;  // 4
  uint8_t addressLow;         // 5: image address AND 0xFF
  uint8_t addressHighAndBC;   // 6: B << 7 | C << 6 | ((address >> 8) AND 0x3F)
  uint8_t entriesHighAndD;    // 7: D << 6 | ((N >> 7) AND 0x3F)
  uint8_t strength;           // 8: strengthEnabled << 7 + strength (recoil and user macros)
  uint8_t reserved;           // 9: 0
  bool operator==(const SlotDescriptor&) const = default;
};
static_assert(sizeof(SlotDescriptor) == 10);
static_assert(offsetof(SlotDescriptor, keyUsage) == 2);
static_assert(offsetof(SlotDescriptor, consumerUsageLow) == 3);
static_assert(offsetof(SlotDescriptor, addressLow) == 5);
static_assert(offsetof(SlotDescriptor, entriesHighAndD) == 7);
static_assert(offsetof(SlotDescriptor, reserved) == 9);

inline constexpr int32_t kDescriptorTableAddress = 0xA0;
inline constexpr int kDescriptorRecordBytes = sizeof(SlotDescriptor);
inline constexpr int kDescriptorRecords = kConfigCount * kDevicePositions;  // 56
inline constexpr int kDescriptorTableBytes = kDescriptorRecords * kDescriptorRecordBytes;
inline constexpr int kDescriptorTableBlocks = kDescriptorTableBytes / kMemoryBlockBytes;
static_assert(kDescriptorTableBytes % kMemoryBlockBytes == 0);
static_assert(kDescriptorTableBlocks == 70);
static_assert(kDescriptorTableAddress + kDescriptorTableBytes - 1 == 0x2CF);

// Only slots 0..11 (positions 1..12) carry the play-mode bits.
inline constexpr int kSlotsWithModeBits = 12;

inline constexpr int kDescriptorEntriesLowBits = 7;
inline constexpr uint8_t kDescriptorEntriesLowMask = 0x7F;
inline constexpr uint8_t kDescriptorEntriesHighMask = 0x3F;
inline constexpr uint8_t kDescriptorAddressHighMask = 0x3F;
inline constexpr int kDescriptorBitA = 7;  // byte 1
inline constexpr int kDescriptorBitB = 7;  // byte 6
inline constexpr int kDescriptorBitC = 6;  // byte 6
inline constexpr int kDescriptorBitD = 6;  // byte 7
inline constexpr int kStrengthEnabledShift = 7;

// The play-mode bits of a macro: A for play mode 2, B for play mode 1, C = bit 2 of the mode
// byte for play modes 0 and 3, D = bit 3 for play modes 1 and 2. None for slots 12 and 13.
struct SlotModeBits {
  bool a = false;
  bool b = false;
  bool c = false;
  bool d = false;
  bool operator==(const SlotModeBits&) const = default;
};
SlotModeBits SlotModeBitsOf(uint8_t playMode, int slot);

struct SlotDescriptorFields {
  int32_t timeUnit = 1;
  int32_t entryCount = 0;  // N
  SlotModeBits modes;
  uint8_t keyUsage = 0;
  uint16_t consumerUsage = 0;
  int32_t address = 0;
  uint8_t strength = 0;
};
SlotDescriptor EncodeSlotDescriptor(const SlotDescriptorFields& fields);

// strengthEnabled << 7 + strength, as a byte.
uint8_t DescriptorStrengthByte(uint8_t strengthEnabled, uint8_t strength);

using DescriptorTable = PerConfiguration<SlotDescriptor, kDevicePositions>;

// The 560 bytes of the table, record 14 c + s at offset 10 (14 c + s).
std::vector<uint8_t> DescriptorTableBytes(const DescriptorTable& table);
// The same as 70 blocks of 8 bytes from 0xA0.
std::vector<MemoryBlock> DescriptorTableBlocks(const DescriptorTable& table);

}  // namespace gm
