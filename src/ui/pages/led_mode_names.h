#pragma once
// Names of the lighting modes in the interface language: the modes of the lighting page and
// its mode list, the modes of a macro's lighting step, and the option names of that step.
// User-interface thread only.

#include <array>
#include <cstddef>
#include <string>

namespace gm {

inline constexpr std::size_t kLedModeNameCount = 5;
inline constexpr std::size_t kLedStepModeNameCount = 5;
inline constexpr std::size_t kLedOptionNameCount = 4;  // only entry 0 has a text

// Lighting modes by g_ledType: "DPI breath", "Cycle breath", "Constantly", "Button response",
// "Mute" (or their Chinese texts), as the lighting-mode table (led_modes.h) names them.
extern std::array<std::u16string, kLedModeNameCount> g_ledModeNames;
// Modes of a lighting step: "Single Breath", "Constantly", "Comet tail", "Neon", "Ambilight".
extern std::array<std::u16string, kLedStepModeNameCount> g_ledStepModeNames;
// Entry 0 "Cycle breath"; entries 1..3 stay empty.
extern std::array<std::u16string, kLedOptionNameCount> g_ledOptionNames;

// Sets every entry of the three tables to its text in the given language. Runs at start-up and
// at each language switch.
void LoadLedModeNames(bool isEnglish);

// Empties the three tables (their start values).
void ResetLedModeNames();

}  // namespace gm
