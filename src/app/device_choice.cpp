#include "app/device_choice.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

#include "device/device_ids.h"
#include "device/virtual_device_change_monitor.h"
#include "device/virtual_mouse.h"
#include "backends/linux/hidapi_transport.h"
#include "backends/linux/udev_hid_monitor.h"

namespace gm {

namespace {

struct NamedChoice {
  const char* name;
  DeviceChoice choice;
};
constexpr NamedChoice kNamedChoices[] = {
    {"real", DeviceChoice::kReal},
    {"auto", DeviceChoice::kAuto},
    {"virtual", DeviceChoice::kVirtual},
};

}  // namespace

std::optional<DeviceChoice> DeviceChoiceOf(const char* value) {
  if (value == nullptr || *value == '\0') return DeviceChoice::kReal;
  for (const NamedChoice& named : kNamedChoices) {
    if (std::strcmp(value, named.name) == 0) return named.choice;
  }
  return std::nullopt;
}

std::string UnknownDeviceChoiceMessage(std::string_view value) {
  std::string message = std::string(kDeviceChoiceVariable) + "=" + std::string(value) +
                        " names no device; the valid values are";
  const size_t count = std::size(kNamedChoices);
  for (size_t i = 0; i < count; ++i) {
    message += i == 0 ? " " : i + 1 == count ? " and " : ", ";
    message += kNamedChoices[i].name;
  }
  return message + " (unset is " + kNamedChoices[0].name + ")";
}

std::optional<DeviceChoice> DeviceChoiceFromEnvironment() {
  const char* value = std::getenv(kDeviceChoiceVariable);
  const std::optional<DeviceChoice> choice = DeviceChoiceOf(value);
  if (!choice) std::fprintf(stderr, "%s\n", UnknownDeviceChoiceMessage(value).c_str());
  return choice;
}

bool MousePresent(HidTransport& transport) {
  const std::vector<HidCollectionInfo> interfaces = transport.Enumerate();
  return std::any_of(interfaces.begin(), interfaces.end(), HasMouseIds);
}

ChosenDevice ChooseDevice(DeviceChoice choice, std::unique_ptr<HidTransport> realTransport,
                          std::unique_ptr<DeviceChangeMonitor> realMonitor) {
  bool useVirtual = choice == DeviceChoice::kVirtual;
  if (choice == DeviceChoice::kAuto && !MousePresent(*realTransport)) {
    std::fprintf(stderr, "%s\n", kVirtualMouseNote);
    useVirtual = true;
  }
  ChosenDevice chosen;
  if (useVirtual) {
    chosen.transport = std::make_unique<VirtualMouse>();
    chosen.monitor = std::make_unique<VirtualDeviceChangeMonitor>();
    chosen.isVirtual = true;
  } else {
    chosen.transport = std::move(realTransport);
    chosen.monitor = std::move(realMonitor);
  }
  return chosen;
}

ChosenDevice ChooseSystemDevice(DeviceChoice choice) {
  return ChooseDevice(choice, std::make_unique<HidapiTransport>(kMouseVendorId, kMouseProductId),
                      std::make_unique<UdevHidMonitor>());
}

}  // namespace gm
