#pragma once
// The row texts and icons of the macro page's lists: the tree of groups and macros, the steps
// of a macro with the delays between them, and the parameters of a lighting step. Pure
// functions of the tables they are given.

#include <cstdint>
#include <string>
#include <vector>

#include "editor/macro_editor_state.h"
#include "editor/macro_page_access.h"
#include "macros/macro_record.h"

namespace gm {

// Icons of the macro list.
inline constexpr int kImageClosedGroup = 0;
inline constexpr int kImageOpenGroup = 1;
inline constexpr int kImageMacro = 2;
// Icons of the step list.
inline constexpr int kImageDelay = 0;
inline constexpr int kImageKeyDown = 1;
inline constexpr int kImageKeyUp = 2;
inline constexpr int kImageMove = 3;
inline constexpr int kImageLighting = 4;
inline constexpr int kImageDpi = 5;
inline constexpr int kImageNone = -1;

struct ListRowText {
  std::u16string text;
  int image = kImageNone;
  bool operator==(const ListRowText&) const = default;
};

// ---- Macro list -------------------------------------------------------------------------------
struct MacroListRows {
  std::vector<ListRowText> shown;       // the rows on display, in order
  std::vector<MacroListEntry> entries;  // one per counted row; kMacroListUnshownRow past shown
};
// Every group gives a row (open folder when expanded, closed otherwise) and, when expanded,
// a row per macro. The entry table counts every macro, shown or not.
MacroListRows BuildMacroListRows(const MacroGroupListing& listing, const uint32_t* expanded);

// ---- Step list ---------------------------------------------------------------------------------
// "    %dms": the delay after a step.
std::u16string DelayRowText(uint16_t delayMs);
// "[DPI]:<cpi> " of a DPI level code.
std::u16string DpiRowText(uint16_t level);

enum class KeyRowKind : uint8_t { kNone, kKeyDown, kKeyUp };
struct StepRowText {
  ListRowText row;
  KeyRowKind keyRow = KeyRowKind::kNone;  // a key row counted as key down or key up
};
// The row of a step; key names come from KeyNameOfUsage.
StepRowText StepRowOf(uint8_t code, uint8_t action, uint16_t x, uint16_t y);

// ---- LED parameter list ------------------------------------------------------------------------
// The rows of a lighting block: its entry count and, with at least one entry, the mode, colour
// and time of the first entry. What the rows show is stored back into the block: a mode shown
// as "Ambilight" becomes 7 and a colour 0 becomes 1. entryMode receives the first entry's mode
// (after that change). stepModeNames and optionName are the language's names.
std::vector<std::u16string> LedParamRowTexts(MacroLedBlock& block, uint16_t& entryMode,
                                             const std::u16string* stepModeNames,
                                             const std::u16string& optionName);

}  // namespace gm
