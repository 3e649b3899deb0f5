#pragma once
// The desktop pointer speed on an X server. The program's speeds run from 1 (slowest) to 20
// (fastest), 10 being the desktop's neutral speed.
//
// Where pointer devices carry libinput's "libinput Accel Speed" property (-1..1), the speed
// goes to that property of every such device: accel = (speed - 10) / 10, so 1 -> -0.9,
// 10 -> 0.0, 20 -> 1.0; it is read back from the first such device. Elsewhere the X core
// pointer acceleration carries it as the fraction speed / 10 (the threshold is kept).
//
// Linux has no desktop-wide setting for the lines one wheel notch scrolls: GetWheelScrollLines
// gives nothing, so Apply leaves the wheel alone. Without an X display, and on Xwayland (the
// Wayland compositor owns the pointer settings there), nothing is read or set.
//
// Use an object from one thread at a time; it keeps its own connection to the X server.

#include <optional>
#include <string>

#include "device/system_mouse_settings.h"

struct _XDisplay;

namespace gm {

inline constexpr int kMinPointerSpeed = 1;
inline constexpr int kMaxPointerSpeed = 20;
inline constexpr int kNeutralPointerSpeed = 10;
// Speed steps per 1.0 of libinput acceleration; also the core acceleration's denominator.
inline constexpr int kPointerSpeedStepsPerUnit = 10;

// libinput acceleration of a speed of 1..20; nothing outside that range.
std::optional<double> AccelSpeedOfPointerSpeed(int speed);
// The nearest speed of a libinput acceleration, within 1..20; nothing for NaN or infinity.
std::optional<int> PointerSpeedOfAccelSpeed(double accel);
// The nearest speed of a core acceleration fraction, within 1..20; nothing for a denominator
// that is not positive or a numerator below 0.
std::optional<int> PointerSpeedOfCoreAcceleration(int numerator, int denominator);

class X11MouseSettings final : public SystemMouseSettings {
 public:
  // Connects to displayName, or to $DISPLAY when it is empty.
  explicit X11MouseSettings(const std::string& displayName = {});
  ~X11MouseSettings() override;
  X11MouseSettings(const X11MouseSettings&) = delete;
  X11MouseSettings& operator=(const X11MouseSettings&) = delete;

  // An X server is connected and owns the pointer settings.
  bool IsAvailable() const { return display_ != nullptr; }

  std::optional<int> GetPointerSpeed() override;
  // False for a speed outside 1..20 (nothing is changed), without a display, or when the X
  // server refused every change.
  bool SetPointerSpeed(int speed) override;
  std::optional<int> GetWheelScrollLines() override { return std::nullopt; }
  bool SetWheelScrollLines(int /*lines*/) override { return false; }

 private:
  _XDisplay* display_ = nullptr;
};

}  // namespace gm
