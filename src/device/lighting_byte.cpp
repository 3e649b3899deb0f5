#include "device/lighting_byte.h"

namespace gm {

namespace {

// Weights of the cycle flags of user colours 0..3 in the colour byte.
constexpr std::array<uint32_t, 4> kColorByteWeights = {1, 4, 16, 64};
constexpr uint32_t kColorByteFlagsMask = 0x7F;
constexpr uint32_t kUserColorWeight = 128;
constexpr uint32_t kByteMask = 0xFF;

}  // namespace

LightingStep NextLightingStep(const LightingState& previous, uint8_t ledType,
                              uint8_t cycleTime) {
  LightingStep step;
  step.state = previous;
  uint8_t speed = cycleTime;
  if (ledType >= kFirstCarriedLedType) {
    if (previous.lastTypeBelowTwelveKeptMode) speed = kLightingFixedSpeed;
  } else if (ledType == kLedTypeKeepMode) {
    step.state.flag = 0;
    step.state.lastTypeBelowTwelveKeptMode = true;
    speed = kLightingFixedSpeed;
  } else {
    step.state.mode = ledType == kLedTypeFlagged ? kLedTypeFlaggedMode : ledType;
    step.state.flag = ledType == kLedTypeFlagged ? 1 : 0;
    step.state.lastTypeBelowTwelveKeptMode = false;
  }
  step.byte = static_cast<uint8_t>(
      kLightingByteBase | ((step.state.mode & kLightingFieldMask) << kLightingModeShift) |
      ((step.state.flag & 1) << kLightingFlagShift) | (speed & kLightingFieldMask));
  return step;
}

uint8_t ColorByte(const std::array<int32_t, kUserColorCount>& cycleColorEnable,
                   int32_t userColorEnable) {
  uint32_t flags = 0;
  for (size_t k = 0; k < kColorByteWeights.size(); ++k) {
    flags += static_cast<uint32_t>(cycleColorEnable[k]) * kColorByteWeights[k];
  }
  const uint32_t value = (flags & kColorByteFlagsMask) +
                         kUserColorWeight * static_cast<uint32_t>(userColorEnable);
  return static_cast<uint8_t>(value & kByteMask);
}

uint8_t CycleColorMaskOf(const std::array<int32_t, kUserColorCount>& cycleColorEnable) {
  uint8_t mask = 0;
  for (int k = 0; k < kUserColorCount; ++k) {
    if (cycleColorEnable[k] != 0) mask = static_cast<uint8_t>(mask | (1u << k));
  }
  return mask;
}

}  // namespace gm
