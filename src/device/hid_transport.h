#pragma once
// The HID transport the device link runs on: enumeration of the present HID interfaces, one
// entry per top-level collection, and connections that send and fetch feature reports and
// read input reports. The Linux backend sits on hidapi and the hidraw nodes; the virtual mouse
// implements the same interface for tests and for running without a mouse.

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

namespace gm {

// One top-level collection of one HID interface, with the capabilities the device link needs.
// Report lengths count the report id byte, as the HID capabilities of the platform give them:
// the longest report of that kind in the collection plus one.
struct HidCollectionInfo {
  std::string path;  // the interface's device node; equal for collections of one interface
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  uint16_t inputReportByteLength = 0;
  uint16_t featureReportByteLength = 0;
};

enum class HidAccess { kRead, kWrite };

// An open interface. Calls may come from several threads; an implementation serialises its
// own access to the device node, callers serialise their protocol transactions.
class HidConnection {
 public:
  virtual ~HidConnection() = default;
  // report[0] is the report id. Returns false when the device did not take the report.
  virtual bool SetFeature(std::span<const uint8_t> report) = 0;
  // report[0] holds the report id on entry; on success the reply fills the span (report id
  // first) and the result is true. On failure the span is left as it was.
  virtual bool GetFeature(std::span<uint8_t> report) = 0;
  // Waits for one input report (report id first): up to timeoutMs, without a limit when
  // timeoutMs is negative, and no longer than until a stop is requested on `stop` (the wait
  // ends at once then). Returns the number of bytes read, 0 when the wait ended without a
  // report (timeout, stop), or -1 when the device is gone or the read failed. A waiting read
  // holds nothing the other calls need: feature reports go on while it waits.
  virtual int ReadInput(std::span<uint8_t> buffer, int timeoutMs, const std::stop_token& stop) = 0;
};

// Why an interface could not be opened.
enum class HidOpenError {
  kNone,              // opened
  kPermissionDenied,  // the node exists but this user may not open it (EACCES, EPERM)
  kUnavailable,       // anything else: gone, not a HID node, out of resources
};

// The outcome of one open: a connection, or the reason there is none. A bare connection (or
// nullptr, which counts as kUnavailable) converts to it.
struct HidOpenResult {
  std::unique_ptr<HidConnection> connection;
  HidOpenError error = HidOpenError::kUnavailable;

  HidOpenResult() = default;
  HidOpenResult(std::nullptr_t) {}  // NOLINT(google-explicit-constructor)
  template <std::derived_from<HidConnection> C>
  HidOpenResult(std::unique_ptr<C> opened)  // NOLINT(google-explicit-constructor)
      : connection(std::move(opened)),
        error(connection != nullptr ? HidOpenError::kNone : HidOpenError::kUnavailable) {}
  static HidOpenResult Failed(HidOpenError why) {
    HidOpenResult result;
    result.error = why;
    return result;
  }
};

class HidTransport {
 public:
  virtual ~HidTransport() = default;
  // Every collection of every present HID interface (the order is the enumeration order).
  virtual std::vector<HidCollectionInfo> Enumerate() = 0;
  // Opens the interface at path: a connection, or no connection and the reason.
  virtual HidOpenResult Open(const std::string& path, HidAccess access) = 0;
};

}  // namespace gm
