#pragma once
// Which mouse the program talks to, chosen by the environment variable GMOUSE_DEVICE:
//   unset, empty or "real": the real mouse over hidraw (the program ends without one);
//   "virtual": the software mouse only;
//   "auto": the real mouse when one with the mouse's ids is present, else the software mouse
//           (with a note on standard error).
// Any other value is refused: the program says which values it knows and ends.
// With the software mouse no device changes arrive; with the real one they come from udev.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "device/device_change_monitor.h"
#include "device/hid_transport.h"

namespace gm {

inline constexpr char kDeviceChoiceVariable[] = "GMOUSE_DEVICE";
inline constexpr char kVirtualMouseNote[] = "No mouse found: using the virtual mouse";

enum class DeviceChoice { kReal, kVirtual, kAuto };

// The choice a value of GMOUSE_DEVICE names; null (unset) and empty are the real mouse.
// Nothing for a value the program does not know.
std::optional<DeviceChoice> DeviceChoiceOf(const char* value);

// The line that refuses an unknown value: the value and the values the program knows.
std::string UnknownDeviceChoiceMessage(std::string_view value);

// The choice of the environment; nothing (after UnknownDeviceChoiceMessage on standard error)
// when GMOUSE_DEVICE holds an unknown value.
std::optional<DeviceChoice> DeviceChoiceFromEnvironment();

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

// The devices of a choice, with the hidraw transport and the udev monitor for the real mouse.
ChosenDevice ChooseSystemDevice(DeviceChoice choice);

}  // namespace gm
