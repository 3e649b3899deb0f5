#include "ui/pages/menu_placement.h"

#include <algorithm>
#include <limits>

namespace gm {
namespace {

// Element values come from hand-editable layout files: sums saturate instead of wrapping.
int32_t Saturate(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int64_t Wide(int32_t value) { return value; }

// One axis of KeepOnScreen: the far edge first, so that the near edge wins when the window
// is larger than the screen.
int32_t KeepInside(int32_t start, int32_t length, int32_t areaStart, int32_t areaLength) {
  int64_t at = start;
  const int64_t areaEnd = Wide(areaStart) + areaLength;
  if (at + length > areaEnd) at = areaEnd - length;
  if (at < areaStart) at = areaStart;
  return Saturate(at);
}

}  // namespace

MenuPlacement PlaceKeyMenu(const SkinRect& button, WindowPoint windowOrigin, int32_t menuHeight,
                           int32_t screenHeight) {
  const int64_t left = Wide(windowOrigin.x) + button.x;
  const int64_t top = Wide(windowOrigin.y) + button.y;
  const int64_t bottom = top + button.height;
  const int64_t y = bottom + menuHeight > screenHeight ? top - menuHeight : bottom;
  return {Saturate(left + 1), Saturate(y), Saturate(Wide(button.width) + 1), menuHeight};
}

MenuPlacement PlaceLedModeMenu(const SkinRect& button, WindowPoint windowOrigin) {
  return {Saturate(Wide(windowOrigin.x) + button.x),
          Saturate(Wide(windowOrigin.y) + button.y + button.height), button.width,
          kLedModeMenuHeight};
}

WindowPoint PlaceFamilyList(WindowPoint keyListTopLeft, int32_t keyListWidth,
                            int32_t keyListRowHeight, int32_t offsetRows) {
  return {Saturate(Wide(keyListTopLeft.x) + keyListWidth),
          Saturate(Wide(keyListTopLeft.y) + Wide(offsetRows) * keyListRowHeight)};
}

WindowPoint PlaceMacroChooser(WindowPoint groupListTopLeft, int32_t groupListWidth,
                              int32_t rowHeight, uint32_t groupRow, int32_t chooserHeight) {
  return {Saturate(Wide(groupListTopLeft.x) + groupListWidth),
          Saturate(Wide(groupListTopLeft.y) + int64_t{groupRow} * rowHeight - chooserHeight)};
}

WindowPoint KeepOnScreen(WindowPoint topLeft, int32_t width, int32_t height,
                         const ScreenArea& screen) {
  return {KeepInside(topLeft.x, width, screen.x, screen.width),
          KeepInside(topLeft.y, height, screen.y, screen.height)};
}

}  // namespace gm
