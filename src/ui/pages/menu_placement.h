#pragma once
// Where the skinned pop-up lists opened from the main window appear, in screen coordinates.

#include <cstdint>

#include "ui/pages/hit_test.h"
#include "ui/skin/skin_rect.h"

namespace gm {

// A screen's area in screen coordinates.
struct ScreenArea {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// The lighting-mode list is always this tall.
inline constexpr int32_t kLedModeMenuHeight = 360;

struct MenuPlacement {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  bool operator==(const MenuPlacement&) const = default;
};

// The key-function list of a key button: one pixel right of the button's left edge, just
// below it and one pixel wider; when its bottom would pass the screen's height it opens above
// the button instead (its bottom at the button's top). `windowOrigin` is the screen position
// of the window's client area, `button` the element in window coordinates.
MenuPlacement PlaceKeyMenu(const SkinRect& button, WindowPoint windowOrigin, int32_t menuHeight,
                           int32_t screenHeight);

// The lighting-mode list: left-aligned with its button, just below it, as wide as it.
MenuPlacement PlaceLedModeMenu(const SkinRect& button, WindowPoint windowOrigin);

// The second-level list of a key-list family: its left edge at the key list's right edge
// (keyListTopLeft.x + keyListWidth, the width of the key list's mask) and its top offsetRows
// key-list rows below the key list's top (above it for a negative offset). Screen coordinates.
WindowPoint PlaceFamilyList(WindowPoint keyListTopLeft, int32_t keyListWidth,
                            int32_t keyListRowHeight, int32_t offsetRows);

// The macro chooser of group row groupRow (1-based) of a group list: beside the list, its
// bottom edge (top + chooserHeight) on the bottom of the group row.
WindowPoint PlaceMacroChooser(WindowPoint groupListTopLeft, int32_t groupListWidth,
                              int32_t rowHeight, uint32_t groupRow, int32_t chooserHeight);

// Where a width x height window placed at topLeft lies wholly on the screen: moved just enough
// past each edge it would leave, and not at all when it fits. A window larger than the screen
// keeps its left or top edge on the screen's.
WindowPoint KeepOnScreen(WindowPoint topLeft, int32_t width, int32_t height,
                         const ScreenArea& screen);

}  // namespace gm
