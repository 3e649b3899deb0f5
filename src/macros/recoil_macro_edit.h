#pragma once
// What the recoil dialog reads and changes of the recoil macros (g_gunMacros, g_gunNames,
// g_gunMacroCount). Each function takes the macro tables' lock itself, since the download and
// the device report thread read the same records on their own threads.

#include <cstdint>
#include <optional>
#include <string>

#include "macros/recoil_macro_names.h"  // RecoilMacroCount

namespace gm {

inline constexpr int kMinRecoilStrength = 1;

// Play modes of a recoil macro as the dialog shows them.
inline constexpr uint8_t kPlayModeRepeatCount = 0;  // repeat n times
inline constexpr uint8_t kPlayModeHoldLoop = 2;     // repeat count fixed to 1
inline constexpr int kMaxRecoilStrength = 99;

// Play-mode byte changes of the dialog's two mode buttons.
inline constexpr uint8_t kRecoilHoldModeKeep = 0xF8;    // mode bits and bit 2 cleared
inline constexpr uint8_t kRecoilHoldMode = kPlayModeHoldLoop;
inline constexpr uint8_t kRecoilRepeatModeKeep = 0xF4;  // mode bits and bit 3 cleared

// The fields the dialog shows of one recoil macro.
struct RecoilMacroView {
  std::u16string name;
  uint8_t playMode = 0;  // the low two bits of the flags byte
  uint16_t repeatCount = 0;
  uint16_t stepCount = 0;
  uint16_t moveStepCount = 0;
  // y of the first step (of all 180) whose y is not 0; none when every y is 0.
  std::optional<uint16_t> strength;
  uint16_t firstDelay = 0;  // delay of step 0
};

// Recoil macro index (0..19); nothing for another index.
std::optional<RecoilMacroView> RecoilMacroViewOf(int index);

// Strength typed into the dialog, bounded to 1..99 (an empty or 0 edit gives 1).
int BoundedRecoilStrength(int typed);

// Stores the dialog's three numbers into recoil macro index and writes it to the recoil file:
// repeat count, the delays of steps 0 and 1, strength flag 1 and the strength (bounded with
// BoundedRecoilStrength), which SaveGunMacro also puts into every step's non-zero y. False for
// an index outside 0..19 or when the file could not be written.
bool StoreRecoilEdits(int index, uint16_t repeatCount, uint16_t delay, int strength);

// Mode button "hold": play mode 2 with bit 2 cleared, repeat count 1. In memory only.
void ChooseRecoilHoldMode(int index);
// Mode button "repeat": play mode 0 with bit 3 cleared; a repeat count of 0 becomes 1. Returns
// the repeat count (0 for an index outside 0..19). In memory only.
uint16_t ChooseRecoilRepeatMode(int index);

}  // namespace gm
