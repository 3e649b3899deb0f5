// The udev monitor of hidraw devices: which udev actions are device changes, and a clean start
// and stop.

#include <gtest/gtest.h>

#include <string>

#include "backends/linux/udev_hid_monitor.h"

namespace gm::test {
namespace {

TEST(UdevHidMonitorTest, OnlyAddAndRemoveAreChanges) {
  EXPECT_EQ(DeviceChangeOfUdevAction("add"), DeviceChange::kArrival);
  EXPECT_EQ(DeviceChangeOfUdevAction("remove"), DeviceChange::kRemoval);
  for (const char* other : {"change", "bind", "unbind", "move", "online", "Add", ""}) {
    EXPECT_EQ(DeviceChangeOfUdevAction(other), std::nullopt) << other;
  }
}

TEST(UdevHidMonitorTest, StartsAndStopsCleanly) {
  UdevHidMonitor monitor;
  monitor.Stop();  // not started: nothing to do
  const auto ignore = [](DeviceChange, std::string) {};
  if (!monitor.Start(ignore)) GTEST_SKIP() << "udev's event source cannot be opened here";
  EXPECT_TRUE(monitor.Running());
  EXPECT_FALSE(monitor.Start(ignore)) << "already running";
  monitor.Stop();
  EXPECT_FALSE(monitor.Running());
  monitor.Stop();

  ASSERT_TRUE(monitor.Start(ignore)) << "a stopped monitor starts again";
  // The destructor stops the running monitor (a thread left running would end the test
  // program).
}

}  // namespace
}  // namespace gm::test
