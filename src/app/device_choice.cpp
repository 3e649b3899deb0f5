#include "app/device_choice.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "device/device_ids.h"
#include "device/virtual_device_change_monitor.h"
#include "device/virtual_mouse.h"
#include "backends/linux/hidapi_transport.h"
#include "backends/linux/udev_hid_monitor.h"

namespace gm {

DeviceChoice DeviceChoiceOf(const char* value) {
  if (value == nullptr) return DeviceChoice::kReal;
  if (std::strcmp(value, "virtual") == 0) return DeviceChoice::kVirtual;
  if (std::strcmp(value, "auto") == 0) return DeviceChoice::kAuto;
  return DeviceChoice::kReal;
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

ChosenDevice ChooseDeviceFromEnvironment() {
  return ChooseDevice(DeviceChoiceOf(std::getenv(kDeviceChoiceVariable)),
                      std::make_unique<HidapiTransport>(kMouseVendorId, kMouseProductId),
                      std::make_unique<UdevHidMonitor>());
}

}  // namespace gm
