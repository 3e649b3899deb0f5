#pragma once
// Arrival and removal of HID interfaces while the program runs. The window listens to learn
// when the mouse is plugged in or pulled out; the path it receives is the one the device
// link compares with IsOurDevice (on Linux the hidraw device node, e.g. /dev/hidraw3).

#include <functional>
#include <string>

namespace gm {

enum class DeviceChange {
  kArrival,  // an interface appeared
  kRemoval,  // an interface is gone
};

using DeviceChangeCallback = std::function<void(DeviceChange kind, std::string path)>;

class DeviceChangeMonitor {
 public:
  virtual ~DeviceChangeMonitor() = default;

  // Starts reporting changes to callback. Which thread the callback runs on is the
  // implementation's to say. False when monitoring is not possible here (nothing is reported
  // then) or when the monitor already runs.
  virtual bool Start(DeviceChangeCallback callback) = 0;
  // Stops reporting: once it returns the callback is not running and is never called again.
  // Safe to call when not started and more than once; never call it from the callback.
  virtual void Stop() = 0;
};

}  // namespace gm
