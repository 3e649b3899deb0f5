#include "backends/linux/udev_hid_monitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

namespace gm {
namespace {

constexpr char kHidrawSubsystem[] = "hidraw";
// Events after udev's rules ran (the "kernel" source would report nodes before that).
constexpr char kUdevEventSource[] = "udev";

struct UdevDeleter {
  void operator()(udev* context) const { udev_unref(context); }
  void operator()(udev_monitor* monitor) const { udev_monitor_unref(monitor); }
  void operator()(udev_device* device) const { udev_device_unref(device); }
};
using UdevPtr = std::unique_ptr<udev, UdevDeleter>;
using UdevMonitorPtr = std::unique_ptr<udev_monitor, UdevDeleter>;
using UdevDevicePtr = std::unique_ptr<udev_device, UdevDeleter>;

// Reports one received event; events without an action or a device node are dropped.
void DispatchEvent(udev_monitor* monitor, const DeviceChangeCallback& callback) {
  const UdevDevicePtr device(udev_monitor_receive_device(monitor));
  if (!device) return;
  const char* action = udev_device_get_action(device.get());
  const char* node = udev_device_get_devnode(device.get());
  if (action == nullptr || node == nullptr) return;
  if (const auto kind = DeviceChangeOfUdevAction(action)) callback(*kind, std::string(node));
}

// Takes events until the wake descriptor is signalled: poll is level-triggered, so each
// wake-up takes one event and the next poll returns at once while more are queued. context
// only has to outlive the monitor.
void RunMonitor([[maybe_unused]] UdevPtr context, UdevMonitorPtr monitor, int wakeFd,
                DeviceChangeCallback callback) {
  constexpr int kMonitorSlot = 0;
  constexpr int kWakeSlot = 1;
  pollfd fds[2] = {{udev_monitor_get_fd(monitor.get()), POLLIN, 0}, {wakeFd, POLLIN, 0}};
  for (;;) {
    const int ready = poll(fds, 2, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[kWakeSlot].revents != 0) return;
    if ((fds[kMonitorSlot].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return;
    if ((fds[kMonitorSlot].revents & POLLIN) != 0) DispatchEvent(monitor.get(), callback);
  }
}

}  // namespace

std::optional<DeviceChange> DeviceChangeOfUdevAction(std::string_view action) {
  if (action == "add") return DeviceChange::kArrival;
  if (action == "remove") return DeviceChange::kRemoval;
  return std::nullopt;
}

UdevHidMonitor::~UdevHidMonitor() { Stop(); }

bool UdevHidMonitor::Start(DeviceChangeCallback callback) {
  if (thread_.joinable() || !callback) return false;
  UdevPtr context(udev_new());
  if (!context) return false;
  UdevMonitorPtr monitor(udev_monitor_new_from_netlink(context.get(), kUdevEventSource));
  if (!monitor) return false;
  if (udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), kHidrawSubsystem,
                                                      nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor.get()) < 0) {
    return false;
  }
  const int wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd < 0) return false;
  try {
    thread_ = std::thread(RunMonitor, std::move(context), std::move(monitor), wakeFd,
                          std::move(callback));
  } catch (const std::system_error&) {
    close(wakeFd);
    return false;
  }
  wakeFd_ = wakeFd;
  return true;
}

void UdevHidMonitor::Stop() {
  if (!thread_.joinable()) return;
  const uint64_t one = 1;
  // A failed write cannot leave the counter at zero: eventfd only fails when it would
  // overflow, and then it is already signalled.
  [[maybe_unused]] const ssize_t written = write(wakeFd_, &one, sizeof one);
  thread_.join();
  close(wakeFd_);
  wakeFd_ = -1;
}

}  // namespace gm
