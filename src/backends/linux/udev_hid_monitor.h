#pragma once
// Arrival and removal of hidraw interfaces, from udev's device events. The reported path is
// the device node (/dev/hidrawN), the same path the HID transport lists and opens.
//
// The monitor reads the events on its own thread and calls the callback there; Stop wakes
// that thread and joins it. Events are those udev has finished processing, so an arriving
// node already carries its permissions when it is reported.

#include <optional>
#include <string_view>
#include <thread>

#include "device/device_change_monitor.h"

namespace gm {

// The change a udev action names: "add" is an arrival, "remove" a removal; every other action
// ("change", "bind", ...) is none.
std::optional<DeviceChange> DeviceChangeOfUdevAction(std::string_view action);

class UdevHidMonitor final : public DeviceChangeMonitor {
 public:
  UdevHidMonitor() = default;
  ~UdevHidMonitor() override;
  UdevHidMonitor(const UdevHidMonitor&) = delete;
  UdevHidMonitor& operator=(const UdevHidMonitor&) = delete;

  // False when udev's event source cannot be opened (no netlink access, for instance) or the
  // monitor already runs.
  bool Start(DeviceChangeCallback callback) override;
  void Stop() override;
  bool Running() const { return thread_.joinable(); }

 private:
  std::thread thread_;
  int wakeFd_ = -1;  // eventfd that tells the thread to end
};

}  // namespace gm
