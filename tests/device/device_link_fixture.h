#pragma once
// Puts the process into its start state around each test (the device link closed among it)
// and makes the device pauses count instead of wait.

#include <gtest/gtest.h>

#include "device/device_link.h"
#include "device/sleeper.h"
#include "support/process_state.h"

namespace gm::test {

class DeviceLinkFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProcessState();
    SetDeviceSleeper(&sleeper_);
  }
  void TearDown() override { ResetProcessState(); }

  RecordingSleeper sleeper_;
};

}  // namespace gm::test
