#include "macros/recoil_macro_edit.h"

#include <algorithm>
#include <mutex>

#include "macros/macro_record.h"
#include "macros/macro_tables.h"

namespace gm {
namespace {

bool IsRecoilIndex(int index) { return index >= 0 && index < kMacrosPerGroup; }

}  // namespace

std::optional<RecoilMacroView> RecoilMacroViewOf(int index) {
  if (!IsRecoilIndex(index)) return std::nullopt;
  std::lock_guard lock(g_macroTablesMutex);
  const MacroRecord& record = g_gunMacros[index];
  RecoilMacroView view;
  view.name = g_gunNames[index];
  view.playMode = record.playMode & kPlayModeMask;
  view.repeatCount = record.repeatCount;
  view.stepCount = record.stepCount;
  view.moveStepCount = record.countF6;
  for (const MacroStepXY& step : record.xy) {
    if (step.y != 0) {
      view.strength = step.y;
      break;
    }
  }
  view.firstDelay = record.delayMs[0];
  return view;
}

int BoundedRecoilStrength(int typed) {
  return std::clamp(typed, kMinRecoilStrength, kMaxRecoilStrength);
}

bool StoreRecoilEdits(int index, uint16_t repeatCount, uint16_t delay, int strength) {
  if (!IsRecoilIndex(index)) return false;
  const int bounded = BoundedRecoilStrength(strength);
  std::lock_guard lock(g_macroTablesMutex);  // recursive: SaveGunMacro takes it again
  MacroRecord& record = g_gunMacros[index];
  record.repeatCount = repeatCount;
  record.delayMs[0] = delay;
  record.delayMs[1] = delay;
  record.strengthEnabled = 1;
  record.strength = static_cast<uint8_t>(bounded);
  return SaveGunMacro(index, bounded);
}

void ChooseRecoilHoldMode(int index) {
  if (!IsRecoilIndex(index)) return;
  std::lock_guard lock(g_macroTablesMutex);
  MacroRecord& record = g_gunMacros[index];
  record.playMode = static_cast<uint8_t>((record.playMode & kRecoilHoldModeKeep) + kRecoilHoldMode);
  record.repeatCount = 1;
}

uint16_t ChooseRecoilRepeatMode(int index) {
  if (!IsRecoilIndex(index)) return 0;
  std::lock_guard lock(g_macroTablesMutex);
  MacroRecord& record = g_gunMacros[index];
  record.playMode = static_cast<uint8_t>(record.playMode & kRecoilRepeatModeKeep);
  if (record.repeatCount == 0) record.repeatCount = 1;
  return record.repeatCount;
}

}  // namespace gm
