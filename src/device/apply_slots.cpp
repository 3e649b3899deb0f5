#include "device/apply_slots.h"

#include <algorithm>
#include <map>

#include "device/consumer_usage.h"
#include "device/macro_image.h"
#include "settings/key_function.h"

namespace gm {

namespace {

constexpr int kFirstKeySlot = 0;  // position 1: the key the recoil adjustment works on

struct SlotImage {
  int32_t allocationBytes = 0;
  int32_t entryCount = 0;
  int32_t imageBytes = 0;
  const KeyMacro* macro = nullptr;
};

// What a described slot's function takes in memory and reports as N.
SlotImage SlotImageOf(int32_t function, const MacroCatalog& macros, int32_t timeUnit) {
  SlotImage image;
  if (function == kKeyboardKeyFunction) {
    image.allocationBytes = kKeyFunctionImageBytes;
    image.entryCount = kKeyFunctionImageEntryCount;
    return image;
  }
  if (function < kFirstBuiltInMacroFunction) return image;  // multimedia keys: no image
  const auto found = macros.find(function);
  if (found == macros.end()) return image;
  image.macro = &found->second;
  const MacroRecord prepared = PrepareMacroForImage(image.macro->record, image.macro->kind);
  const MacroImageLayout layout = ComputeMacroImageLayout(prepared, image.macro->kind, timeUnit);
  image.imageBytes = layout.imageBytes;
  image.allocationBytes = MacroImageAllocationBytes(layout.imageBytes);
  image.entryCount = layout.entryCount;
  return image;
}

bool CarriesStrength(const KeyMacro* macro) {
  return macro != nullptr && (macro->kind == MacroKind::kRecoil || macro->kind == MacroKind::kUser);
}

}  // namespace

bool IsDescribedDeviceCode(uint8_t deviceCode) {
  return std::find(kDescribedDeviceCodes.begin(), kDescribedDeviceCodes.end(), deviceCode) !=
         kDescribedDeviceCodes.end();
}

SlotPlan PlanSlots(const PositionTables& positions, const MacroCatalog& macros,
                   int32_t curConfig, int32_t timeUnit) {
  SlotPlan plan;
  std::map<int32_t, int32_t> firstAddressOf;  // function -> address of its first slot
  std::map<int32_t, SlotImage> images;        // function -> its image, computed once
  for (int c = 0; c < kConfigCount; ++c) {
    for (int s = 0; s < kDevicePositions; ++s) {
      if (!IsDescribedDeviceCode(positions.keyCode[c][s])) continue;
      const int32_t f = positions.function[c][s];
      auto [imageAt, isNew] = images.try_emplace(f);
      if (isNew) imageAt->second = SlotImageOf(f, macros, timeUnit);
      const SlotImage& image = imageAt->second;

      if (c == curConfig && s == kFirstKeySlot && CarriesStrength(image.macro)) {
        plan.firstKeyImageBytes = image.imageBytes;
      }

      int32_t address = plan.nextFreeAddress;
      bool shared = false;
      if (f != kKeyboardKeyFunction) {
        if (const auto earlier = firstAddressOf.find(f); earlier != firstAddressOf.end()) {
          address = earlier->second;
          shared = true;
        } else {
          firstAddressOf.emplace(f, address);
        }
      }
      if (!shared) plan.nextFreeAddress += image.allocationBytes;
      plan.addresses[c][s] = address;

      SlotDescriptorFields fields;
      fields.timeUnit = timeUnit;
      fields.entryCount = image.entryCount;
      if (image.macro != nullptr) fields.modes = SlotModeBitsOf(image.macro->record.playMode, s);
      if (f == kKeyboardKeyFunction) fields.keyUsage = positions.param[c][s];
      fields.consumerUsage = ConsumerUsageOf(
          static_cast<uint8_t>(static_cast<uint32_t>(f - kFirstMultimediaFunction)));
      fields.address = address;
      if (CarriesStrength(image.macro)) {
        fields.strength = DescriptorStrengthByte(image.macro->record.strengthEnabled,
                                                 image.macro->record.strength);
      }
      plan.descriptors[c][s] = EncodeSlotDescriptor(fields);

      if (f == kKeyboardKeyFunction) {
        plan.images.push_back({c, s, f, address, SlotImageKind::kKeyFunction,
                               positions.param[c][s], false});
      } else if (image.macro != nullptr) {
        plan.images.push_back({c, s, f, address, SlotImageKind::kMacro, 0,
                               shared && f >= kFirstRecoilFunction});
      }
    }
  }
  return plan;
}

}  // namespace gm
