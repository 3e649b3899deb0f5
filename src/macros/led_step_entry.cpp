#include "macros/led_step_entry.h"

#include <mutex>

namespace gm {
namespace {

bool InTables(int macro, int block) {
  return macro >= 0 && macro <= kMacroTemplateIndex && IsUsableBlockIndex(block);
}

}  // namespace

bool SetLedStepFirstEntry(int macro, int block, LedEntryByte which, uint8_t value) {
  if (!InTables(macro, block)) return false;
  std::lock_guard lock(g_macroTablesMutex);
  LedEntryAt(g_macros[macro].ledBlocks[block].entries[0], which) = value;
  return true;
}

uint8_t LedStepFirstEntry(int macro, int block, LedEntryByte which) {
  if (!InTables(macro, block)) return 0;
  std::lock_guard lock(g_macroTablesMutex);
  return LedEntryAt(g_macros[macro].ledBlocks[block].entries[0], which);
}

}  // namespace gm
