#pragma once
// Rectangles of the skin layout files: a page element as the files give it (position and
// size in pixels of the page image) and the edge form the real controls are placed with.

#include <cstdint>

namespace gm {

// One page element: left edge, top edge, width and height. Values are kept exactly as the
// layout file gives them, negative or huge ones included; drawing and hit-testing clip.
struct SkinRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  bool operator==(const SkinRect&) const = default;
};

// The edges of a control's place: right = x + width, bottom = y + height.
struct ControlRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  bool operator==(const ControlRect&) const = default;
};

// The edge form of an element. A sum beyond the 32-bit range saturates at the range's end
// instead of wrapping, so a huge width never turns into an edge left of the element.
ControlRect ControlRectOf(const SkinRect& rect);

}  // namespace gm
