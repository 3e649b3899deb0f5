#include "ui/pages/hit_test.h"

#include <algorithm>
#include <cstddef>

#include "ui/pages/ui_state.h"

namespace gm {
namespace {

bool WithinSpan(int32_t start, int32_t length, int32_t value) {
  const int64_t offset = static_cast<int64_t>(value) - start;
  return offset >= 0 && offset < length;
}

}  // namespace

bool RectHolds(const SkinRect& rect, WindowPoint point) {
  return WithinSpan(rect.x, rect.width, point.x) && WithinSpan(rect.y, rect.height, point.y);
}

uint32_t HitTestRects(WindowPoint point, std::span<const SkinRect> table, int count) {
  if (count < 1) return kNoElement;
  const std::size_t tested = std::min(table.size(), static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < tested; ++i) {
    if (RectHolds(table[i], point)) return static_cast<uint32_t>(i);
  }
  return kNoElement;
}

}  // namespace gm
