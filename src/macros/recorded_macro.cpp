#include "macros/recorded_macro.h"

#include <mutex>

#include "macros/group_macro_save.h"

namespace gm {
namespace {

bool IsGroupMacro(int macro) { return macro >= 0 && macro < kMacrosPerGroup; }

}  // namespace

bool BeginRecordedMacro(int macro, std::u16string_view name) {
  if (!IsGroupMacro(macro)) return false;
  std::lock_guard lock(g_macroTablesMutex);
  MacroRecord& record = g_macros[macro];
  const uint8_t playMode = record.playMode;
  record = g_macros[kMacroTemplateIndex];
  SetMacroName(record, name);
  record.playMode = playMode;
  record.repeatCount = 1;
  return true;
}

bool SetRecordedMacroStrength(int macro) {
  if (!IsGroupMacro(macro)) return false;
  std::lock_guard lock(g_macroTablesMutex);
  g_macros[macro].strengthEnabled = 0;
  g_macros[macro].strength = kRecordedMacroStrength;
  return true;
}

RecordedKey RecordKeyIntoMacro(int macro, MacroRecorder& recorder, const KeyEvent& event,
                               MacroRecord& stored) {
  if (!IsGroupMacro(macro)) return {};
  std::lock_guard lock(g_macroTablesMutex);
  const RecordedKey result = recorder.Feed(event, g_macros[macro]);
  if (result.result == RecordedKeyResult::kStored) stored = g_macros[macro];
  return result;
}

void FinishRecordedMacro(int group, int macro, int steps) {
  if (!IsGroupMacro(macro)) return;
  {
    std::lock_guard lock(g_macroTablesMutex);
    g_macros[macro].stepCount = static_cast<uint16_t>(steps);
  }
  SaveGroupMacro(GroupMacro{group, macro});
}

}  // namespace gm
