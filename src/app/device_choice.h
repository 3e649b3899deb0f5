#pragma once
// Which mouse the program talks to, chosen by the environment variable GMOUSE_DEVICE:
//   unset or anything else: the real mouse over hidraw (the program ends without one);
//   "virtual": the software mouse only;
//   "auto": the real mouse when one with the mouse's ids is present, else the software mouse
//           (with a note on standard error).
// With the software mouse no device changes arrive; with the real one they come from udev.

#include <memory>
#include <string_view>

#include "device/device_change_monitor.h"
#include "device/hid_transport.h"

namespace gm {

inline constexpr char kDeviceChoiceVariable[] = "GMOUSE_DEVICE";
inline constexpr char kVirtualMouseNote[] = "No mouse found: using the virtual mouse";

enum class DeviceChoice { kReal, kVirtual, kAuto };

// The choice a value of GMOUSE_DEVICE names; null (unset) is the real mouse.
DeviceChoice DeviceChoiceOf(const char* value);

// True when the transport lists an interface with the mouse's vendor and product ids.
bool MousePresent(HidTransport& transport);

struct ChosenDevice {
  std::unique_ptr<HidTransport> transport;
  std::unique_ptr<DeviceChangeMonitor> monitor;
  bool isVirtual = false;
};

// Builds the transport and device-change monitor of a choice. For kAuto, realTransport is
// asked whether the mouse is present and used when it is.
ChosenDevice ChooseDevice(DeviceChoice choice, std::unique_ptr<HidTransport> realTransport,
                          std::unique_ptr<DeviceChangeMonitor> realMonitor);

// The choice of the environment, with the hidraw transport and the udev monitor.
ChosenDevice ChooseDeviceFromEnvironment();

}  // namespace gm
