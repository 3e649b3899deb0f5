#include "ui/skin/skin_rect.h"

#include <algorithm>
#include <limits>

namespace gm {
namespace {

int32_t SaturatingSum(int32_t a, int32_t b) {
  const int64_t sum = static_cast<int64_t>(a) + static_cast<int64_t>(b);
  return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

ControlRect ControlRectOf(const SkinRect& rect) {
  return {rect.x, rect.y, SaturatingSum(rect.x, rect.width), SaturatingSum(rect.y, rect.height)};
}

}  // namespace gm
