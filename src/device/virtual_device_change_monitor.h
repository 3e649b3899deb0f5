#pragma once
// The device-change monitor that goes with the virtual mouse: no interface comes or goes by
// itself, a change is reported when it is fired. UnplugVirtualMouse pulls the virtual mouse
// out and reports the removal of its interface, as udev reports a real mouse pulled out; tests
// fire any change. The callback runs on the thread that fires.

#include <mutex>
#include <string>

#include "device/device_change_monitor.h"

namespace gm {

class VirtualMouse;

class VirtualDeviceChangeMonitor final : public DeviceChangeMonitor {
 public:
  VirtualDeviceChangeMonitor() = default;
  ~VirtualDeviceChangeMonitor() override;
  VirtualDeviceChangeMonitor(const VirtualDeviceChangeMonitor&) = delete;
  VirtualDeviceChangeMonitor& operator=(const VirtualDeviceChangeMonitor&) = delete;

  bool Start(DeviceChangeCallback callback) override;
  void Stop() override;
  bool Running() const;

  // Calls the callback with this change; does nothing while not started. Returns whether a
  // callback was called.
  bool Fire(DeviceChange kind, const std::string& path);

  // The virtual mouse is pulled out: every later call to it fails, and the removal of its
  // interface ("virtual:gmouse") is reported like the removal of a real mouse.
  bool UnplugVirtualMouse(VirtualMouse& mouse);

 private:
  // Held while the callback runs, so that Stop waits for a running callback to return.
  mutable std::mutex callbackMutex_;
  DeviceChangeCallback callback_;
};

}  // namespace gm
