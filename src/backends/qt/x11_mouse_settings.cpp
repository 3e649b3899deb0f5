#include "backends/qt/x11_mouse_settings.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <vector>

namespace gm {
namespace {

constexpr char kAccelSpeedProperty[] = "libinput Accel Speed";
constexpr char kFloatAtomName[] = "FLOAT";
constexpr char kXInputExtension[] = "XInputExtension";
// Xwayland announces itself with this extension.
constexpr char kXwaylandExtension[] = "XWAYLAND";
constexpr int kXInputMajor = 2;
constexpr int kXInputMinor = 0;
constexpr int kFloatFormatBits = 32;

bool HasExtension(Display* display, const char* name) {
  int opcode = 0;
  int event = 0;
  int error = 0;
  return XQueryExtension(display, name, &opcode, &event, &error) != 0;
}

// Catches the X errors of the requests made in its scope, which Xlib would otherwise answer
// by ending the process (a device that went away between listing and changing it, say).
// The error handler is process-wide, so only one trap may be active at a time.
class XErrorTrap {
 public:
  explicit XErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    failed_ = false;
    previous_ = XSetErrorHandler(&Record);
  }
  ~XErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;

  // Whether a request since the last call failed.
  bool TakeFailure() {
    XSync(display_, False);
    return failed_.exchange(false);
  }

 private:
  static int Record(Display*, XErrorEvent*) {
    failed_ = true;
    return 0;
  }
  static inline std::atomic<bool> failed_{false};
  Display* display_;
  int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

// One pointer device with libinput's acceleration property and its current value.
struct AccelDevice {
  int id = 0;
  float accel = 0.0F;
};

// The enabled pointer devices that carry the acceleration property, in the server's order.
std::vector<AccelDevice> AccelDevices(Display* display, XErrorTrap& trap) {
  std::vector<AccelDevice> devices;
  const Atom property = XInternAtom(display, kAccelSpeedProperty, True);
  const Atom floatAtom = XInternAtom(display, kFloatAtomName, True);
  if (property == None || floatAtom == None || !HasExtension(display, kXInputExtension)) {
    return devices;
  }
  int major = kXInputMajor;
  int minor = kXInputMinor;
  if (XIQueryVersion(display, &major, &minor) != Success) return devices;

  int count = 0;
  XIDeviceInfo* info = XIQueryDevice(display, XIAllDevices, &count);
  for (int i = 0; info != nullptr && i < count; ++i) {
    if (info[i].use != XISlavePointer || !info[i].enabled) continue;
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long bytesAfter = 0;
    unsigned char* data = nullptr;
    const Status status = XIGetProperty(display, info[i].deviceid, property, 0, 1, False,
                                        floatAtom, &type, &format, &items, &bytesAfter, &data);
    // XI2 hands 32-bit items over packed, not widened to long.
    if (status == Success && !trap.TakeFailure() && type == floatAtom &&
        format == kFloatFormatBits && items >= 1 && data != nullptr) {
      AccelDevice device;
      device.id = info[i].deviceid;
      std::memcpy(&device.accel, data, sizeof device.accel);
      devices.push_back(device);
    }
    if (data != nullptr) XFree(data);
  }
  if (info != nullptr) XIFreeDeviceInfo(info);
  return devices;
}

}  // namespace

std::optional<double> AccelSpeedOfPointerSpeed(int speed) {
  if (speed < kMinPointerSpeed || speed > kMaxPointerSpeed) return std::nullopt;
  return static_cast<double>(speed - kNeutralPointerSpeed) / kPointerSpeedStepsPerUnit;
}

std::optional<int> PointerSpeedOfAccelSpeed(double accel) {
  if (!std::isfinite(accel)) return std::nullopt;
  const double speed = std::round(accel * kPointerSpeedStepsPerUnit + kNeutralPointerSpeed);
  return static_cast<int>(std::clamp(speed, static_cast<double>(kMinPointerSpeed),
                                     static_cast<double>(kMaxPointerSpeed)));
}

std::optional<int> PointerSpeedOfCoreAcceleration(int numerator, int denominator) {
  if (denominator <= 0 || numerator < 0) return std::nullopt;
  const double speed =
      std::round(static_cast<double>(numerator) * kPointerSpeedStepsPerUnit / denominator);
  return static_cast<int>(std::clamp(speed, static_cast<double>(kMinPointerSpeed),
                                     static_cast<double>(kMaxPointerSpeed)));
}

X11MouseSettings::X11MouseSettings(const std::string& displayName) {
  Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
  if (display == nullptr) return;
  if (HasExtension(display, kXwaylandExtension)) {
    XCloseDisplay(display);
    return;
  }
  display_ = display;
}

X11MouseSettings::~X11MouseSettings() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

std::optional<int> X11MouseSettings::GetPointerSpeed() {
  if (display_ == nullptr) return std::nullopt;
  XErrorTrap trap(display_);
  const std::vector<AccelDevice> devices = AccelDevices(display_, trap);
  if (!devices.empty()) return PointerSpeedOfAccelSpeed(devices.front().accel);

  int numerator = 0;
  int denominator = 0;
  int threshold = 0;
  XGetPointerControl(display_, &numerator, &denominator, &threshold);
  if (trap.TakeFailure()) return std::nullopt;
  return PointerSpeedOfCoreAcceleration(numerator, denominator);
}

bool X11MouseSettings::SetPointerSpeed(int speed) {
  const std::optional<double> accel = AccelSpeedOfPointerSpeed(speed);
  if (display_ == nullptr || !accel) return false;
  XErrorTrap trap(display_);
  const std::vector<AccelDevice> devices = AccelDevices(display_, trap);
  if (!devices.empty()) {
    const Atom property = XInternAtom(display_, kAccelSpeedProperty, True);
    const Atom floatAtom = XInternAtom(display_, kFloatAtomName, True);
    const float value = static_cast<float>(*accel);
    bool anyChanged = false;
    for (const AccelDevice& device : devices) {
      unsigned char data[sizeof value];
      std::memcpy(data, &value, sizeof value);
      XIChangeProperty(display_, device.id, property, floatAtom, kFloatFormatBits,
                       XIPropModeReplace, data, 1);
      if (!trap.TakeFailure()) anyChanged = true;
    }
    return anyChanged;
  }

  constexpr Bool kChangeAcceleration = True;
  constexpr Bool kKeepThreshold = False;
  XChangePointerControl(display_, kChangeAcceleration, kKeepThreshold, speed,
                        kPointerSpeedStepsPerUnit, 0);
  return !trap.TakeFailure();
}

}  // namespace gm
