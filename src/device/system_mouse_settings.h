#pragma once
// The two desktop mouse settings Apply manages besides the mouse itself: the pointer speed and
// the wheel scroll lines. The desktop backend lives with the user interface; the core only
// sees this interface (tests record the calls).

#include <optional>

namespace gm {

class SystemMouseSettings {
 public:
  virtual ~SystemMouseSettings() = default;
  // The current pointer speed on the 1..20 scale, or nothing when it cannot be read.
  virtual std::optional<int> GetPointerSpeed() = 0;
  virtual bool SetPointerSpeed(int speed) = 0;
  // Lines per wheel notch, or nothing when the desktop has no such setting.
  virtual std::optional<int> GetWheelScrollLines() = 0;
  virtual bool SetWheelScrollLines(int lines) = 0;
};

}  // namespace gm
