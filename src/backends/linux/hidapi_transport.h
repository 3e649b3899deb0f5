#pragma once
// The HID transport on Linux: hidapi's hidraw backend for enumeration, sysfs for each
// interface's report descriptor, and the hidraw nodes themselves for the reports (feature
// reports through the node's ioctls, input reports read from it after a poll() that a stop
// request cuts short).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/hid_transport.h"

namespace gm {

class HidapiTransport final : public HidTransport {
 public:
  // With both ids 0 every HID interface is listed; otherwise only the interfaces with these
  // ids (a product id of 0 takes every product of the vendor).
  explicit HidapiTransport(uint16_t vendorId = 0, uint16_t productId = 0);

  std::vector<HidCollectionInfo> Enumerate() override;
  // hidraw nodes are opened for reading and writing whatever the access asked for; a
  // connection that only writes never reads its input reports. A node this user may not
  // open (no udev rule for the mouse) gives kPermissionDenied; a file that is no hidraw node,
  // kUnavailable.
  HidOpenResult Open(const std::string& path, HidAccess access) override;

 private:
  uint16_t vendorId_;
  uint16_t productId_;
};

// The open error of an errno from opening a hidraw node.
HidOpenError HidOpenErrorOfErrno(int error);

}  // namespace gm
