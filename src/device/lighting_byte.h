#pragma once
// The two lighting bytes of the settings block at 0x18: the lighting byte (mode M, flag F and
// speed S of the effect) and the colour byte (which user colours take part in the cycle).
//
// M, F and S are not all taken from the settings of this download: lighting type 4 keeps the
// mode of the previous download, and types from 12 on keep mode and flag and choose the
// speed by the last download whose type was below 12. So the state carries from one download
// to the next (all clear at process start).

#include <array>
#include <cstdint>

#include "settings/config_settings.h"

namespace gm {

// Lighting byte = 0x80 | (M AND 7) << 4 | F << 3 | (S AND 7).
inline constexpr uint8_t kLightingByteBase = 0x80;
inline constexpr int kLightingModeShift = 4;
inline constexpr int kLightingFlagShift = 3;
inline constexpr uint8_t kLightingFieldMask = 0x07;  // M and S

// Types with a rule of their own.
inline constexpr uint8_t kLedTypeFlagged = 3;       // M = 1, F = 1
inline constexpr uint8_t kLedTypeFlaggedMode = 1;
inline constexpr uint8_t kLedTypeKeepMode = 4;      // M kept, F = 0, S = 7
inline constexpr uint8_t kFirstCarriedLedType = 12; // M and F kept, S by the last type below 12
inline constexpr uint8_t kLightingFixedSpeed = 7;

struct LightingState {
  uint8_t mode = 0;                      // M of the last download
  uint8_t flag = 0;                      // F of the last download
  bool lastTypeBelowTwelveKeptMode = false;  // the last download with a type below 12 had type 4
  bool operator==(const LightingState&) const = default;
};

struct LightingStep {
  LightingState state;  // the state after this download
  uint8_t byte = 0;     // the lighting byte it sends
};

// The lighting byte for lighting type `ledType` and effect speed `cycleTime`, given the state
// the previous download left:
//   types 0..2 and 5..11: M = type, F = 0, S = speed;  type 3: M = 1, F = 1, S = speed;
//   type 4: M kept, F = 0, S = 7;
//   types 12..255: M and F kept, S = 7 when the last type below 12 was 4, else the speed.
LightingStep NextLightingStep(const LightingState& previous, uint8_t ledType, uint8_t cycleTime);

// Colour byte = ((e0 + 4 e1 + 16 e2 + 64 e3) AND 0x7F) + 128 x userColorEnable, as a byte,
// e_k = the cycle flag of user colour k.
uint8_t ColorByte(const std::array<int32_t, kUserColorCount>& cycleColorEnable,
                   int32_t userColorEnable);

// The packed cycle mask: bit k set for every user colour k whose cycle flag is not 0.
uint8_t CycleColorMaskOf(const std::array<int32_t, kUserColorCount>& cycleColorEnable);

}  // namespace gm
