#pragma once
// The readable form of macros in the data files, one step a line:
//
//   group Office | 办公               a macro group (group files only)
//   macro Copy | 复制                 a macro: English name | Chinese name
//   play repeat 1                     play mode 0, n times (the default is "play repeat 1");
//                                     "play mode 1" / "play mode 2": the mouse's own modes
//   key LCONTROL down 20ms            a keyboard key by its step-list name, pressed or released
//   button left down 30ms             a mouse button: left, right or middle
//   move X-Y+ 0 5 86ms                a pointer move: direction, x and y distance (0..100)
//   pause 500ms                       a pause
//   dpi set 400 20ms                  set the DPI (one of the editor's CPI values)
//   dpi restore 20ms                  back to the DPI in force before
//   light 0 1,0,10,0 20ms             a lighting step for light 0..2 with 1..5 entries of
//                                     mode,colour,time,value (time in units of 122 ms)
//
// The last word of every step is the delay after it, 0..10000 ms.

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "diagnostics.h"
#include "text_lines.h"

namespace gm::datagen {

using LightEntry = std::array<uint8_t, 4>;  // mode, colour, time, value

struct StepSource {
  int line = 0;
  uint8_t code = 0;
  uint8_t action = 0;
  uint16_t x = 0;
  uint16_t y = 0;
  uint16_t delayMs = 0;
  std::vector<LightEntry> lightEntries;  // lighting steps only
};

struct MacroSource {
  int line = 0;
  NamePair name;
  uint8_t playMode = 0;
  uint16_t repeatCount = 1;
  std::vector<StepSource> steps;
};

struct GroupSource {
  int line = 0;
  NamePair name;
  std::vector<MacroSource> macros;
};

struct MacroText {
  std::vector<MacroSource> macros;  // macros before the first group line
  std::vector<GroupSource> groups;
};

// Reads a macro data file; every line that does not parse is reported with its number.
MacroText ReadMacroText(const std::filesystem::path& file, Diagnostics& diagnostics);

}  // namespace gm::datagen
