#include "ui/pages/bar_click.h"

#include <algorithm>

#include "settings/setting_limits.h"

namespace gm {
namespace {

inline constexpr int64_t kWindowsSpeedSteps = kMaxWindowsSpeed;  // 10 parts, values 1..10
inline constexpr int64_t kWindowsSpeedBelowTop = kMaxWindowsSpeed - 1;
inline constexpr int64_t kWindowsSpeedTopFromOffset = 261;
inline constexpr int64_t kFireTimeScale = kMaxFireTime;          // 0..300 ms
inline constexpr int64_t kFireTimeSnapFrom = 298;
inline constexpr int64_t kFireTimeSnapFromOffset = 173;
inline constexpr int64_t kLedSpeedSteps = kMaxLedCycleTime + 1;   // 6 parts, values 0..5
inline constexpr int64_t kLedBrightnessSteps = kMaxLedBrightness + 1;  // 7 parts, values 6..0

// The click's distance from the bar's left edge, 0 .. width - 1; nothing without a width.
std::optional<int64_t> OffsetOnBar(const SkinRect& bar, int32_t x) {
  if (bar.width <= 0) return std::nullopt;
  return std::clamp<int64_t>(static_cast<int64_t>(x) - bar.x, 0, bar.width - 1);
}

}  // namespace

std::optional<uint8_t> WindowsSpeedOfClick(const SkinRect& bar, int32_t x) {
  const auto dx = OffsetOnBar(bar, x);
  if (!dx) return std::nullopt;
  int64_t value = *dx * kWindowsSpeedSteps / bar.width + 1;
  if (value == kWindowsSpeedBelowTop && *dx >= kWindowsSpeedTopFromOffset) value = kMaxWindowsSpeed;
  return static_cast<uint8_t>(value);
}

std::optional<int32_t> FireTimeOfClick(const SkinRect& bar, int32_t x) {
  const auto dx = OffsetOnBar(bar, x);
  if (!dx) return std::nullopt;
  int64_t value = *dx * kFireTimeScale / bar.width;
  if (value >= kFireTimeSnapFrom && *dx >= kFireTimeSnapFromOffset) value = kMaxFireTime;
  return static_cast<int32_t>(value);
}

std::optional<uint8_t> LedSpeedOfClick(const SkinRect& bar, int32_t x) {
  const auto dx = OffsetOnBar(bar, x);
  if (!dx) return std::nullopt;
  return static_cast<uint8_t>(*dx * kLedSpeedSteps / bar.width);
}

std::optional<int32_t> LedBrightnessOfClick(const SkinRect& bar, int32_t x) {
  const auto dx = OffsetOnBar(bar, x);
  if (!dx) return std::nullopt;
  return static_cast<int32_t>(kMaxLedBrightness - *dx * kLedBrightnessSteps / bar.width);
}

}  // namespace gm
