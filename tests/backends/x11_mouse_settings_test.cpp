#include "backends/qt/x11_mouse_settings.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "support/xvfb_server.h"
#include "ui/qt_app_for_tests.h"

namespace gm::test {
namespace {

// ---- Scale conversions ---------------------------------------------------------------------

TEST(PointerSpeedScaleTest, LibinputAccelerationIsLinearAroundTheNeutralSpeed) {
  EXPECT_DOUBLE_EQ(*AccelSpeedOfPointerSpeed(10), 0.0);
  EXPECT_DOUBLE_EQ(*AccelSpeedOfPointerSpeed(1), -0.9);
  EXPECT_DOUBLE_EQ(*AccelSpeedOfPointerSpeed(20), 1.0);
  EXPECT_EQ(AccelSpeedOfPointerSpeed(0), std::nullopt);
  EXPECT_EQ(AccelSpeedOfPointerSpeed(21), std::nullopt);
}

TEST(PointerSpeedScaleTest, EverySpeedSurvivesTheFloatProperty) {
  for (int speed = kMinPointerSpeed; speed <= kMaxPointerSpeed; ++speed) {
    const float stored = static_cast<float>(*AccelSpeedOfPointerSpeed(speed));
    EXPECT_EQ(PointerSpeedOfAccelSpeed(stored), speed);
  }
}

TEST(PointerSpeedScaleTest, ReadValuesOutsideTheScaleAreBounded) {
  EXPECT_EQ(PointerSpeedOfAccelSpeed(-1.0), 1);
  EXPECT_EQ(PointerSpeedOfAccelSpeed(3.0), 20);
  EXPECT_EQ(PointerSpeedOfAccelSpeed(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
  EXPECT_EQ(PointerSpeedOfAccelSpeed(std::numeric_limits<double>::infinity()), std::nullopt);

  EXPECT_EQ(PointerSpeedOfCoreAcceleration(2, 1), 20);  // the X server's own default
  EXPECT_EQ(PointerSpeedOfCoreAcceleration(7, 10), 7);
  EXPECT_EQ(PointerSpeedOfCoreAcceleration(0, 10), 1);
  EXPECT_EQ(PointerSpeedOfCoreAcceleration(5, 0), std::nullopt);
  EXPECT_EQ(PointerSpeedOfCoreAcceleration(-5, 10), std::nullopt);
}

// ---- Desktops without X -------------------------------------------------------------------

TEST(X11MouseSettingsTest, WithoutADisplayNothingIsReadOrSet) {
  X11MouseSettings settings(":9999");
  EXPECT_FALSE(settings.IsAvailable());
  EXPECT_EQ(settings.GetPointerSpeed(), std::nullopt);
  EXPECT_FALSE(settings.SetPointerSpeed(10));
  EXPECT_EQ(settings.GetWheelScrollLines(), std::nullopt);
}

// ---- A real X server -----------------------------------------------------------------------

class X11MouseSettingsOnXvfbTest : public ::testing::Test {
 protected:
  static constexpr int kWaitMs = 10000;

  static void SetUpTestSuite() {
    EnsureQtApplication();
    server_ = new XvfbServer;
    server_->Start();
    display_ = server_->Display();
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
    display_.clear();
  }
  void SetUp() override {
    if (display_.empty()) GTEST_SKIP() << "Xvfb is not installed or did not start";
  }

  static inline XvfbServer* server_ = nullptr;
  static inline std::string display_;
};

TEST_F(X11MouseSettingsOnXvfbTest, SpeedRoundTripsThroughTheCorePointer) {
  X11MouseSettings settings(display_);
  ASSERT_TRUE(settings.IsAvailable());
  for (int speed = kMinPointerSpeed; speed <= kMaxPointerSpeed; ++speed) {
    ASSERT_TRUE(settings.SetPointerSpeed(speed)) << speed;
    EXPECT_EQ(settings.GetPointerSpeed(), speed);
  }
  // Another connection sees the change: it is the server's setting, not this object's.
  ASSERT_TRUE(settings.SetPointerSpeed(4));
  EXPECT_EQ(X11MouseSettings(display_).GetPointerSpeed(), 4);
}

TEST_F(X11MouseSettingsOnXvfbTest, ASpeedOffTheScaleChangesNothing) {
  X11MouseSettings settings(display_);
  ASSERT_TRUE(settings.SetPointerSpeed(12));
  EXPECT_FALSE(settings.SetPointerSpeed(0));
  EXPECT_FALSE(settings.SetPointerSpeed(21));
  EXPECT_EQ(settings.GetPointerSpeed(), 12);
}

TEST_F(X11MouseSettingsOnXvfbTest, WheelLinesHaveNoDesktopSetting) {
  X11MouseSettings settings(display_);
  EXPECT_EQ(settings.GetWheelScrollLines(), std::nullopt);
  EXPECT_FALSE(settings.SetWheelScrollLines(3));
}

}  // namespace
}  // namespace gm::test
