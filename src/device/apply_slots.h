#pragma once
// The described slots of a download: which image each one points to, the descriptor table,
// and the images to write from 0x400 on.
//
// Addresses are handed out in slot order (configurations ascending, slots 0..13 within each)
// from 0x400: a keyboard-key function takes 8 bytes, a multimedia key none, a macro its image
// size capped at 0x2000 and rounded up to 8. A slot whose function an earlier slot already
// holds shares that slot's address and takes nothing, except the keyboard key 42, which gets
// an image of its own at every slot (its image carries the key's own usage).

#include <cstdint>
#include <optional>
#include <vector>

#include "device/apply_key_mapping.h"
#include "device/apply_macro_catalog.h"
#include "device/slot_descriptor.h"

namespace gm {

inline constexpr int32_t kMacroImageBaseAddress = 0x400;
static_assert(kMacroImageBaseAddress >= kDescriptorTableAddress + kDescriptorTableBytes);

// Device codes whose slot has a descriptor.
inline constexpr std::array<uint8_t, 5> kDescribedDeviceCodes = {0x0D, 0x0E, 0x0F, 0x1E, 0x1F};
bool IsDescribedDeviceCode(uint8_t deviceCode);

enum class SlotImageKind { kKeyFunction, kMacro };

// One image to write, in the order they are written.
struct ImageJob {
  int config = 0;
  int slot = 0;
  int32_t function = 0;
  int32_t address = 0;
  SlotImageKind kind = SlotImageKind::kMacro;
  uint8_t keyUsage = 0;  // the key's HID usage, for kKeyFunction
  // A recoil or user macro whose image an earlier slot writes at the same address: nothing
  // to write (built-in images are written again at every slot that uses them).
  bool writtenByEarlierSlot = false;
  bool operator==(const ImageJob&) const = default;
};

struct SlotPlan {
  DescriptorTable descriptors{};
  PerConfiguration<int32_t, kDevicePositions> addresses{};  // 0 for slots without a descriptor
  std::vector<ImageJob> images;
  // Image size (before the cap) of the recoil or user macro at position 1 of the current
  // configuration; nothing when another function is there.
  std::optional<int32_t> firstKeyImageBytes;
  int32_t nextFreeAddress = kMacroImageBaseAddress;
};

// Plans every slot of every configuration. `timeUnit` is the tick length in milliseconds.
SlotPlan PlanSlots(const PositionTables& positions, const MacroCatalog& macros,
                   int32_t curConfig, int32_t timeUnit);

}  // namespace gm
