#pragma once
// A device-change monitor driven by hand: tests fire arrivals and removals, and a program
// that runs on the virtual mouse unplugs it through the same path the window watches for a
// real mouse. The callback runs on the thread that fires.

#include <mutex>
#include <string>

#include "device/device_change_monitor.h"

namespace gm {

class VirtualMouse;

class FakeDeviceChangeMonitor final : public DeviceChangeMonitor {
 public:
  FakeDeviceChangeMonitor() = default;
  ~FakeDeviceChangeMonitor() override;
  FakeDeviceChangeMonitor(const FakeDeviceChangeMonitor&) = delete;
  FakeDeviceChangeMonitor& operator=(const FakeDeviceChangeMonitor&) = delete;

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
