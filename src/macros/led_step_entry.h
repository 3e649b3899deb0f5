#pragma once
// Changes one byte of the first light entry of a lighting block of an open-group macro, under
// the macro-table lock (the device report thread may replace records of the open group).

#include <cstdint>

#include "macros/macro_record.h"

namespace gm {

// g_macros[macro].ledBlocks[block].entries[0][which] = value. False, with nothing changed, for
// a macro outside 0..20 or a block outside 0..4.
bool SetLedStepFirstEntry(int macro, int block, LedEntryByte which, uint8_t value);

// The byte as stored; 0 for a macro or block outside the tables.
uint8_t LedStepFirstEntry(int macro, int block, LedEntryByte which);

}  // namespace gm
