#pragma once
// What the skinned pop-up lists show and where their rows lie: the first-level lists (key
// functions, lighting mode, lighting-step mode and colour, recoil macros), the second-level
// list of a key-function family and the macro chooser of a group. Pure logic over the
// settings, the layout captions and the macro tables; the windows in ui/window draw it.
//
// Rows are counted from 1 at the top; row n is the band (0, (n - 1) * rowHeight, width,
// rowHeight), right and bottom edges outside. User-interface thread only.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/config_settings.h"

namespace gm {

inline constexpr uint32_t kNoRow = 255;  // hover value: no row under the pointer

// The lists of the first level (g_menuKind).
enum class PopupKind : int {
  kKeyFunctions = 1,    // opened by a key button of the keys page
  kLedModes = 4,        // opened by the lighting page's mode button
  kLedStepModes = 6,    // mode of a macro's lighting step
  kLedStepColors = 7,  // colour of a macro's lighting step
  kRecoilMacros = 9,    // opened from the recoil dialog
};

// The kind named by a g_menuKind value, or nothing for a kind no list is made for.
std::optional<PopupKind> PopupKindOf(int menuKind);

// Skin images of a list, below the skins folder. The mask gives only the size.
struct PopupImageNames {
  const char* mask;
  const char* normal;
  const char* over;  // hovered row, button up
  const char* down;  // hovered row, button held
};
PopupImageNames PopupImagesOf(PopupKind kind);
// The second-level list of a family, and the one of macro groups (parent rows 9 and 13).
inline constexpr PopupImageNames kPlainListImages{"menu_mask.jpg", "menu_normal.jpg",
                                                  "menu_over.jpg", "menu_down.jpg"};
inline constexpr PopupImageNames kGroupListImages{"menu_mask.jpg", "Macro_menu_normal.jpg",
                                                  "Macro_menu_over.jpg",
                                                  "Macro_menu_down.jpg"};
// The macro chooser shows no held image: its hovered row is always the over image.
inline constexpr PopupImageNames kChooserImages{"menu_mask.jpg", "menu_normal.jpg",
                                                "menu_over.jpg", "menu_over.jpg"};

// The mask height is divided by this to give the row height (the lighting-mode list by
// kLedModeRowDivisor and gets taller rows).
inline constexpr int32_t kMaskRowDivisor = 15;
inline constexpr int32_t kLedModeRowDivisor = 10;
inline constexpr int kKeyListRows = 14;
inline constexpr int kLedStepModeRows = 3;
inline constexpr int kLedStepColorRows = 4;

struct RowGeometry {
  int32_t width = 0;      // the mask's width
  int32_t rowHeight = 0;  // mask height / divisor
  int32_t rows = 0;       // rows shown
  // The first-level lists show exactly their rows.
  int32_t RowsHeight() const { return rowHeight * rows; }
  // The second-level list and the chooser include the one-pixel line below the last row;
  // without rows they are 0 high (invisible).
  int32_t HeightWithLine() const { return rows > 0 ? rowHeight * rows + 1 : 0; }
};

// The geometry of a first-level list from its mask size; recoilCount is the number of recoil
// macros (the rows of the recoil list).
RowGeometry PopupGeometry(PopupKind kind, int32_t maskWidth, int32_t maskHeight,
                          int recoilCount);
// A second-level list or chooser of `rows` rows from the plain mask's size.
RowGeometry ListGeometry(int32_t maskWidth, int32_t maskHeight, int rows);

// The row under (x, y): the first of rows 1..geometry.rows whose band holds the point, or
// kNoRow.
uint32_t RowAt(const RowGeometry& geometry, int32_t x, int32_t y);

// One row of a list: a text, or (lighting-step colours) a swatch filling the row but its last
// pixel line.
struct PopupRow {
  std::u16string text;
  std::optional<ColorRef> swatch;

  bool operator==(const PopupRow&) const = default;
};

// Text rows.
std::vector<PopupRow> TextRows(const std::vector<std::u16string>& texts);

// The rows of a first-level list in the current language.
std::vector<PopupRow> PopupRows(PopupKind kind);

// ---- The key-function list's families -------------------------------------------------------
inline constexpr uint32_t kFirstFamilyRow = 7;   // rows 7..13 open a second-level list
inline constexpr uint32_t kLastFamilyRow = 13;
inline constexpr uint32_t kUserMacroRow = 9;     // macro groups, plain macro
inline constexpr uint32_t kRecoilFamilyRow = 12;
inline constexpr uint32_t kMacroKeyRow = 13;     // macro groups, bound as a left-button macro
inline constexpr uint32_t kKeyboardKeyRow = 14;

constexpr bool IsFamilyRow(uint32_t row) { return row >= kFirstFamilyRow && row <= kLastFamilyRow; }
// Parent rows whose second-level list shows the macro groups.
constexpr bool ListsMacroGroups(uint32_t parentRow) {
  return parentRow == kUserMacroRow || parentRow == kMacroKeyRow;
}

// The rows of the second-level list of a family row (empty for any other row).
std::vector<std::u16string> FamilyRows(uint32_t parentRow);
// How many rows below the key list's top the second-level list starts, in key-list rows;
// negative when it starts above it. 0 for any other row.
int32_t FamilyListOffsetRows(uint32_t parentRow);
// The macro names of group row `groupRow` (1-based) of a group list; empty for a row without
// a group.
std::vector<std::u16string> ChooserRows(uint32_t groupRow);

// Where the text of row `row` starts in a list: centred, each half truncated toward zero.
struct RowTextPlace {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const RowTextPlace&) const = default;
};
RowTextPlace RowTextPosition(const RowGeometry& geometry, uint32_t row, int32_t textWidth,
                             int32_t textHeight);
// The chooser computes the halves on unsigned values: a name wider than the list lands far
// outside it and is not drawn (nothing returned).
std::optional<RowTextPlace> ChooserTextPosition(const RowGeometry& geometry, uint32_t row,
                                                int32_t textWidth, int32_t textHeight);

}  // namespace gm
