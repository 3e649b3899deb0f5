#pragma once
// What each lighting mode (g_ledType) allows, written once: its name, whether the lighting-mode
// list offers it, which lighting-page controls take clicks in it, which elements the painter
// draws greyed from led_null.jpg, which page texts it leaves empty and whether the key labels
// name the keys' reaction effects. The page's clicks, its painter and texts, the mode names,
// the mode list and the skin generator's contact sheet all read this one table.
//
// A greyed element only shows that something has no use in the mode; it never decides what a
// click does. The skin places every greyed element so that it lies over no control that acts,
// and no caption shown, in a mode that draws it.
//
// Immutable data; any thread.

#include <cstdint>
#include <span>
#include <string_view>

namespace gm {

struct LedModeRules {
  std::u16string_view nameEnglish = {};  // empty: a mode without a name
  std::u16string_view nameChinese = {};
  bool inModeList = false;      // a row of the lighting-mode list (rows in mode order)
  bool brightnessActs = false;  // the brightness bar (40) takes clicks
  bool speedActs = false;       // the speed bar (41) takes clicks
  bool inwardActs = false;      // the inward direction (50, direction 3) takes clicks
  bool reactionNames = false;   // the key labels (61..) show their keys' reaction effects
  std::span<const uint32_t> greyed = {};        // drawn from led_null.jpg, in this order
  std::span<const uint32_t> emptiedTexts = {};  // lighting elements whose text stays empty
};

// The rules of lighting mode `mode`. Modes 0..5 have rows of their own; every mode above 5
// shares one: no name, not in the list, only the speed bar acts, nothing greyed.
const LedModeRules& LedModeRulesOf(uint8_t mode);

// Lighting control `element` changes its setting on a click in mode `mode`: the brightness
// and speed bars and the inward direction as the table says, every other control in every mode.
bool LedControlActs(uint8_t mode, uint32_t element);

// The text of lighting element `element` stays empty in mode `mode`.
bool LedTextEmptied(uint8_t mode, uint32_t element);

// The modes the lighting-mode list offers, the one of row r (from 1) at index r - 1.
std::span<const uint8_t> LedModesInList();

}  // namespace gm
