#include "device/virtual_device_change_monitor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "device/virtual_mouse.h"
#include "device_link_fixture.h"

namespace gm {
namespace {

using Change = std::pair<DeviceChange, std::string>;

TEST(VirtualDeviceChangeMonitorTest, ReportsOnlyWhileStarted) {
  VirtualDeviceChangeMonitor monitor;
  std::vector<Change> seen;
  EXPECT_FALSE(monitor.Fire(DeviceChange::kArrival, "/dev/hidraw1"));

  ASSERT_TRUE(monitor.Start([&](DeviceChange kind, std::string path) {
    seen.emplace_back(kind, std::move(path));
  }));
  EXPECT_FALSE(monitor.Start([](DeviceChange, std::string) {})) << "already running";
  EXPECT_TRUE(monitor.Fire(DeviceChange::kArrival, "/dev/hidraw1"));
  EXPECT_TRUE(monitor.Fire(DeviceChange::kRemoval, "/dev/hidraw2"));

  monitor.Stop();
  monitor.Stop();
  EXPECT_FALSE(monitor.Fire(DeviceChange::kRemoval, "/dev/hidraw1"));
  EXPECT_EQ(seen, (std::vector<Change>{{DeviceChange::kArrival, "/dev/hidraw1"},
                                       {DeviceChange::kRemoval, "/dev/hidraw2"}}));
  EXPECT_FALSE(monitor.Start(nullptr)) << "an empty callback is refused";
}

TEST(VirtualDeviceChangeMonitorTest, StopWaitsForARunningCallback) {
  VirtualDeviceChangeMonitor monitor;
  std::promise<void> entered;
  std::promise<void> release;
  std::atomic<bool> callbackDone{false};
  ASSERT_TRUE(monitor.Start([&, releaseFuture = release.get_future().share()](DeviceChange,
                                                                             std::string) {
    entered.set_value();
    releaseFuture.wait();
    callbackDone = true;
  }));
  std::thread firer([&] { monitor.Fire(DeviceChange::kRemoval, "/dev/hidraw4"); });
  entered.get_future().wait();

  std::atomic<bool> stopped{false};
  std::thread stopper([&] {
    monitor.Stop();
    stopped = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(stopped) << "Stop returned while the callback still ran";
  release.set_value();
  stopper.join();
  firer.join();
  EXPECT_TRUE(callbackDone);
  EXPECT_TRUE(stopped);
}

// The window's rule: only a change whose path is the mouse's concerns the program.
class VirtualMouseUnplugTest : public test::DeviceLinkFixture {};

TEST_F(VirtualMouseUnplugTest, UnplugReportsTheMousesOwnPath) {
  VirtualMouse mouse;
  ASSERT_TRUE(OpenDevice(mouse));
  VirtualDeviceChangeMonitor monitor;
  std::vector<Change> ours;
  ASSERT_TRUE(monitor.Start([&](DeviceChange kind, std::string path) {
    if (IsOurDevice(path)) ours.emplace_back(kind, std::move(path));
  }));

  monitor.Fire(DeviceChange::kRemoval, "/dev/hidraw7");
  EXPECT_TRUE(ours.empty()) << "another device's removal is not the mouse's";

  EXPECT_TRUE(monitor.UnplugVirtualMouse(mouse));
  EXPECT_EQ(ours, (std::vector<Change>{{DeviceChange::kRemoval, kVirtualMousePath}}));
  EXPECT_TRUE(mouse.Enumerate().empty()) << "the mouse is gone for the device link too";
  EXPECT_FALSE(SendLeavingNotice());
}

}  // namespace
}  // namespace gm
