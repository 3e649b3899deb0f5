#include "device/fake_device_change_monitor.h"

#include <utility>

#include "device/virtual_mouse.h"

namespace gm {

FakeDeviceChangeMonitor::~FakeDeviceChangeMonitor() { Stop(); }

bool FakeDeviceChangeMonitor::Start(DeviceChangeCallback callback) {
  std::lock_guard lock(callbackMutex_);
  if (callback_ || !callback) return false;
  callback_ = std::move(callback);
  return true;
}

void FakeDeviceChangeMonitor::Stop() {
  std::lock_guard lock(callbackMutex_);
  callback_ = nullptr;
}

bool FakeDeviceChangeMonitor::Running() const {
  std::lock_guard lock(callbackMutex_);
  return static_cast<bool>(callback_);
}

bool FakeDeviceChangeMonitor::Fire(DeviceChange kind, const std::string& path) {
  std::lock_guard lock(callbackMutex_);
  if (!callback_) return false;
  callback_(kind, path);
  return true;
}

bool FakeDeviceChangeMonitor::UnplugVirtualMouse(VirtualMouse& mouse) {
  mouse.Unplug();
  return Fire(DeviceChange::kRemoval, kVirtualMousePath);
}

}  // namespace gm
