#pragma once
// Builders of macro records for the macro image tests.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/macro_image.h"
#include "macros/macro_record.h"

namespace gm::test {

using Bytes = std::vector<uint8_t>;

inline MacroRecord EmptyRecord(uint16_t repeatCount = 1) {
  MacroRecord r{};
  r.repeatCount = repeatCount;
  return r;
}

// Appends a step and keeps the per-kind counters, as the editor does.
inline void AddStep(MacroRecord& r, uint8_t code, uint8_t action, uint16_t x, uint16_t y,
                    uint16_t delayMs) {
  const int i = r.stepCount++;
  r.code[i] = code;
  r.action[i] = action;
  r.xy[i] = {x, y};
  r.delayMs[i] = delayMs;
  switch (code) {
    case kStepMove: ++r.countF6; break;
    case kStepCounted: ++r.countF7; break;
    case kStepDpi: ++r.countF8; break;
    case kStepMultimedia: ++r.countFA; break;
    case kStepLighting: ++r.countF9; break;
    case kStepBlock: ++r.countFB; break;
    default: break;
  }
}

inline void AddKey(MacroRecord& r, uint8_t usage, uint8_t action, uint16_t delayMs) {
  AddStep(r, usage, action, 0, 0, delayMs);
}

// Appends a lighting step with the next block, whose LEN entries are filled with a pattern
// that tells every byte apart.
inline void AddLighting(MacroRecord& r, uint8_t action, uint8_t len, uint16_t delayMs) {
  const int block = r.countF9;
  MacroLedBlock& b = r.ledBlocks[block];
  b = MacroLedBlock{};
  b.length = len;
  for (int e = 0; e < kMacroBlockEntries; ++e) {
    for (int k = 0; k < 4; ++k)
      b.entries[e][k] = static_cast<uint8_t>(0x10 * block + 4 * e + k + 1);
  }
  AddStep(r, kStepLighting, action, static_cast<uint16_t>(block), 0, delayMs);
}

inline Bytes Encode(const MacroRecord& r, int tickMs = 1, uint32_t address = 0x400,
                    MacroKind kind = MacroKind::kUser) {
  return BuildMacroImage(r, kind, address, tickMs).image.bytes;
}

inline Bytes Slice(const Bytes& bytes, size_t from, size_t count) {
  if (from >= bytes.size()) return {};
  const size_t end = std::min(bytes.size(), from + count);
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace gm::test
