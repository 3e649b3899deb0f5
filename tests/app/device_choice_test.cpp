// The choice of the mouse the program talks to: the environment's word and the fallback to the
// virtual mouse.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/device_choice.h"
#include "device/virtual_mouse.h"

namespace gm::test {
namespace {

// A HID transport that lists nothing: a machine without the mouse.
class EmptyTransport final : public HidTransport {
 public:
  std::vector<HidCollectionInfo> Enumerate() override { return {}; }
  HidOpenResult Open(const std::string&, HidAccess) override { return nullptr; }
};

TEST(DeviceChoiceTest, TheEnvironmentNamesTheChoiceAndAnUnknownValueIsRefused) {
  EXPECT_EQ(DeviceChoiceOf(nullptr), DeviceChoice::kReal);
  EXPECT_EQ(DeviceChoiceOf(""), DeviceChoice::kReal);
  EXPECT_EQ(DeviceChoiceOf("real"), DeviceChoice::kReal);
  EXPECT_EQ(DeviceChoiceOf("virtual"), DeviceChoice::kVirtual);
  EXPECT_EQ(DeviceChoiceOf("auto"), DeviceChoice::kAuto);
  for (const char* unknown : {"Virtual", "hardware", " real", "auto "}) {
    EXPECT_EQ(DeviceChoiceOf(unknown), std::nullopt) << unknown;
  }
  EXPECT_EQ(UnknownDeviceChoiceMessage("Virtual"),
            "GMOUSE_DEVICE=Virtual names no device; the valid values are real, auto and virtual "
            "(unset is real)");
}

TEST(DeviceChoiceTest, AutoTakesTheRealMouseOnlyWhenItIsThere) {
  const auto none = ChooseDevice(DeviceChoice::kAuto, std::make_unique<EmptyTransport>(), nullptr);
  EXPECT_TRUE(none.isVirtual);
  ASSERT_NE(none.transport, nullptr);
  EXPECT_TRUE(MousePresent(*none.transport)) << "the virtual mouse carries the mouse's ids";
  EXPECT_NE(none.monitor, nullptr);

  // A transport that has the mouse (the virtual one stands in for the hardware here).
  const auto present = ChooseDevice(DeviceChoice::kAuto, std::make_unique<VirtualMouse>(), nullptr);
  EXPECT_FALSE(present.isVirtual);

  const auto real = ChooseDevice(DeviceChoice::kReal, std::make_unique<EmptyTransport>(), nullptr);
  EXPECT_FALSE(real.isVirtual) << "the real choice never falls back";
}

}  // namespace
}  // namespace gm::test
