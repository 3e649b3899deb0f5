#include "device/slot_descriptor.h"

#include <cstring>

#include "macros/macro_record.h"

namespace gm {

namespace {

constexpr uint32_t kByteMask = 0xFF;
constexpr uint8_t kPlayModeBit2 = 0x04;  // option of play mode 0 (and 3): C
constexpr uint8_t kPlayModeBit3 = 0x08;  // option of play modes 1 and 2: D
constexpr uint8_t kPlayModeThree = 3;

uint8_t Bit(bool set, int shift) { return static_cast<uint8_t>((set ? 1u : 0u) << shift); }

}  // namespace

SlotModeBits SlotModeBitsOf(uint8_t playMode, int slot) {
  SlotModeBits bits;
  if (slot < 0 || slot >= kSlotsWithModeBits) return bits;
  const uint8_t mode = playMode & kPlayModeMask;
  bits.a = mode == kPlayModeDevice2;
  bits.b = mode == kPlayModeDevice1;
  bits.c = (mode == kPlayModeRepeat || mode == kPlayModeThree) && (playMode & kPlayModeBit2) != 0;
  bits.d = (mode == kPlayModeDevice1 || mode == kPlayModeDevice2) &&
           (playMode & kPlayModeBit3) != 0;
  return bits;
}

SlotDescriptor EncodeSlotDescriptor(const SlotDescriptorFields& f) {
  const auto entries = static_cast<uint32_t>(f.entryCount);
  const auto address = static_cast<uint32_t>(f.address);
  SlotDescriptor d{};
  d.timeUnit = static_cast<uint8_t>(static_cast<uint32_t>(f.timeUnit - 1) & kByteMask);
  d.entriesLowAndA =
      static_cast<uint8_t>(Bit(f.modes.a, kDescriptorBitA) | (entries & kDescriptorEntriesLowMask));
  d.keyUsage = f.keyUsage;
  d.consumerUsageLow = static_cast<uint8_t>(f.consumerUsage & kByteMask);
  d.consumerUsageHigh = static_cast<uint8_t>(f.consumerUsage >> 8);
  d.addressLow = static_cast<uint8_t>(address & kByteMask);
  d.addressHighAndBC =
      static_cast<uint8_t>(Bit(f.modes.b, kDescriptorBitB) | Bit(f.modes.c, kDescriptorBitC) |
                           ((address >> 8) & kDescriptorAddressHighMask));
  d.entriesHighAndD = static_cast<uint8_t>(
      Bit(f.modes.d, kDescriptorBitD) |
      ((entries >> kDescriptorEntriesLowBits) & kDescriptorEntriesHighMask));
  d.strength = f.strength;
  d.reserved = 0;
  return d;
}

uint8_t DescriptorStrengthByte(uint8_t strengthEnabled, uint8_t strength) {
  return static_cast<uint8_t>(
      ((static_cast<uint32_t>(strengthEnabled) << kStrengthEnabledShift) + strength) & kByteMask);
}

std::vector<uint8_t> DescriptorTableBytes(const DescriptorTable& table) {
  std::vector<uint8_t> bytes(kDescriptorTableBytes, 0);
  size_t offset = 0;
  for (const auto& configuration : table) {
    for (const SlotDescriptor& record : configuration) {
      std::memcpy(bytes.data() + offset, &record, sizeof record);
      offset += sizeof record;
    }
  }
  return bytes;
}

std::vector<MemoryBlock> DescriptorTableBlocks(const DescriptorTable& table) {
  return SplitIntoBlocks(kDescriptorTableAddress, DescriptorTableBytes(table));
}

}  // namespace gm
