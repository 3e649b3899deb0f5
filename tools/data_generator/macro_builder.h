#pragma once
// Turns the readable macros into MacroRecords that keep every invariant of the record: the
// step count and the per-kind counters match the steps, lighting steps use blocks 0, 1, 2...
// in step order, and no limit is exceeded. A macro that would break a limit, or that leaves a
// key or button held at its end, is an error.

#include <filesystem>
#include <optional>
#include <vector>

#include "diagnostics.h"
#include "macro_text.h"
#include "macros/macro_record.h"

namespace gm::datagen {

enum class Language { kEnglish, kChinese };
inline constexpr Language kLanguages[] = {Language::kEnglish, Language::kChinese};

// Extra limits of one kind of macro file.
struct MacroRules {
  int maxSteps;            // steps a reader of the file keeps
  bool allowLighting;      // whether the reader keeps the lighting blocks
};
// Group files and recoil files keep whole records.
inline constexpr MacroRules kWholeRecordRules{kMaxMacroSteps, true};
// constMacro.dat is read with a short buffer: steps 0..49 whole and no lighting blocks.
inline constexpr MacroRules kBuiltInMacroRules{50, false};

// The record of a macro under the names of one language; nothing (reported) when the macro
// breaks a rule.
std::optional<MacroRecord> BuildMacroRecord(const MacroSource& source, Language language,
                                            const MacroRules& rules,
                                            const std::filesystem::path& file,
                                            Diagnostics& diagnostics);

// A zeroed record with its name, play mode and repeat count, ready for AppendStep.
MacroRecord NewMacroRecord(std::u16string_view name, uint8_t playMode, uint16_t repeatCount);

// Appends one step without a lighting block, counting it. False when the record is full or
// the step's kind has reached its limit.
bool AppendStep(MacroRecord& record, uint8_t code, uint8_t action, uint16_t x, uint16_t y,
                uint16_t delayMs);

}  // namespace gm::datagen
