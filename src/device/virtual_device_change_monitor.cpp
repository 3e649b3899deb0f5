#include "device/virtual_device_change_monitor.h"

#include <utility>

#include "device/virtual_mouse.h"

namespace gm {

VirtualDeviceChangeMonitor::~VirtualDeviceChangeMonitor() { Stop(); }

bool VirtualDeviceChangeMonitor::Start(DeviceChangeCallback callback) {
  std::lock_guard lock(callbackMutex_);
  if (callback_ || !callback) return false;
  callback_ = std::move(callback);
  return true;
}

void VirtualDeviceChangeMonitor::Stop() {
  std::lock_guard lock(callbackMutex_);
  callback_ = nullptr;
}

bool VirtualDeviceChangeMonitor::Running() const {
  std::lock_guard lock(callbackMutex_);
  return static_cast<bool>(callback_);
}

bool VirtualDeviceChangeMonitor::Fire(DeviceChange kind, const std::string& path) {
  std::lock_guard lock(callbackMutex_);
  if (!callback_) return false;
  callback_(kind, path);
  return true;
}

bool VirtualDeviceChangeMonitor::UnplugVirtualMouse(VirtualMouse& mouse) {
  mouse.Unplug();
  return Fire(DeviceChange::kRemoval, kVirtualMousePath);
}

}  // namespace gm
