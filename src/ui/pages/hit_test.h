#pragma once
// Which element of a page table lies under a point of the window.

#include <cstdint>
#include <span>

#include "ui/skin/skin_rect.h"

namespace gm {

// A point in pixels of the page image (= the window's client area).
struct WindowPoint {
  int32_t x = 0;
  int32_t y = 0;

  bool operator==(const WindowPoint&) const = default;
};

// The rectangle holds the point when x <= p.x < x + width and y <= p.y < y + height: left and
// top edges are inside, right and bottom edges outside. An empty or negative size holds
// nothing. Computed without overflow for any values.
bool RectHolds(const SkinRect& rect, WindowPoint point);

// Index of the first of the table's first `count` elements that holds the point, or
// kNoElement (255). A count below 1 gives kNoElement; a count beyond the table is cut to it.
uint32_t HitTestRects(WindowPoint point, std::span<const SkinRect> table, int count);

}  // namespace gm
