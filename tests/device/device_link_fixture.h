#pragma once
// Puts the process-wide device link into its start state around each test and makes its
// pauses count instead of wait.

#include <gtest/gtest.h>

#include "device/device_link.h"
#include "device/sleeper.h"

namespace gm::test {

class DeviceLinkFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDeviceLink();
    SetDeviceSleeper(&sleeper_);
  }
  void TearDown() override {
    ResetDeviceLink();
    SetDeviceSleeper(nullptr);
  }

  static void ResetDeviceLink() {
    CloseDevice();
    g_deviceFound = false;
    {
      std::lock_guard lock(g_featureReportMutex);
      g_featureReport.fill(0);
      g_capsWrite = {};
    }
    std::lock_guard lock(g_deviceStateMutex);
    g_capsRead = {};
    g_devicePath.clear();
  }

  RecordingSleeper sleeper_;
};

}  // namespace gm::test
