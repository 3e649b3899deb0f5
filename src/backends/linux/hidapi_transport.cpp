#include "backends/linux/hidapi_transport.h"

#include <fcntl.h>
#include <hidapi.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>

#include "device/hid_interface_list.h"

namespace gm {
namespace {

// Report descriptors are at most 4 KiB under Linux; anything far larger is not one.
constexpr std::streamsize kMaxDescriptorFileBytes = 64 * 1024;

// hidapi keeps the error of enumeration and opening in one process-wide variable; every call
// that may set it runs under this lock. The library is set up once and kept for the process.
std::mutex& HidapiGlobalMutex() {
  static std::mutex mutex;
  return mutex;
}

bool EnsureHidapiReady() {  // with HidapiGlobalMutex held
  static bool ready = hid_init() == 0;
  return ready;
}

std::optional<std::vector<uint8_t>> ReadSysfsReportDescriptor(const std::string& devicePath) {
  const std::optional<std::filesystem::path> file = HidrawReportDescriptorFile(devicePath);
  if (!file) return std::nullopt;
  std::ifstream in(*file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<char> bytes(static_cast<std::size_t>(kMaxDescriptorFileBytes) + 1);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return std::nullopt;
  const std::streamsize count = in.gcount();
  if (count <= 0 || count > kMaxDescriptorFileBytes) return std::nullopt;
  return std::vector<uint8_t>(bytes.begin(), bytes.begin() + count);
}

// hidapi only says that an open failed. The reason comes from opening the node the way its
// hidraw backend does (read and write) and keeping errno of that open.
HidOpenError OpenErrorOf(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd >= 0) {
    ::close(fd);  // openable now: the node came back between the two opens
    return HidOpenError::kUnavailable;
  }
  return HidOpenErrorOfErrno(errno);
}

class HidapiConnection final : public HidConnection {
 public:
  explicit HidapiConnection(hid_device* device) : device_(device) {}
  ~HidapiConnection() override { hid_close(device_); }
  HidapiConnection(const HidapiConnection&) = delete;
  HidapiConnection& operator=(const HidapiConnection&) = delete;

  bool SetFeature(std::span<const uint8_t> report) override {
    if (report.empty() || report.size() > INT_MAX) return false;
    std::lock_guard lock(mutex_);
    const int sent = hid_send_feature_report(device_, report.data(), report.size());
    return sent == static_cast<int>(report.size());
  }

  // The reply is fetched into a copy so that a failed read leaves the caller's bytes alone.
  // A reply shorter than the span fills its first bytes and leaves the rest as it was.
  bool GetFeature(std::span<uint8_t> report) override {
    if (report.empty() || report.size() > INT_MAX) return false;
    std::vector<uint8_t> reply(report.begin(), report.end());
    std::lock_guard lock(mutex_);
    const int received = hid_get_feature_report(device_, reply.data(), reply.size());
    if (received <= 0) return false;
    const auto count = std::min(static_cast<std::size_t>(received), report.size());
    std::copy_n(reply.begin(), count, report.begin());
    return true;
  }

  int ReadInput(std::span<uint8_t> buffer, int timeoutMs) override {
    if (buffer.empty()) return -1;
    const std::size_t length = std::min<std::size_t>(buffer.size(), INT_MAX);
    std::lock_guard lock(mutex_);
    // hidapi takes a negative time as "wait for ever"; here it means no wait.
    const int received = hid_read_timeout(device_, buffer.data(), length, std::max(timeoutMs, 0));
    return received < 0 ? -1 : received;
  }

 private:
  hid_device* const device_;
  std::mutex mutex_;  // one call on the device node at a time
};

}  // namespace

HidapiTransport::HidapiTransport(uint16_t vendorId, uint16_t productId)
    : vendorId_(vendorId), productId_(productId) {}

std::vector<HidCollectionInfo> HidapiTransport::Enumerate() {
  std::vector<HidEnumeratedInterface> rows;
  {
    std::lock_guard lock(HidapiGlobalMutex());
    if (!EnsureHidapiReady()) return {};
    hid_device_info* const list = hid_enumerate(vendorId_, productId_);
    for (const hid_device_info* row = list; row != nullptr; row = row->next) {
      if (row->path == nullptr) continue;
      rows.push_back({row->path, row->vendor_id, row->product_id, row->usage_page, row->usage});
    }
    hid_free_enumeration(list);
  }
  return CollectionsOfInterfaces(rows, ReadSysfsReportDescriptor);
}

HidOpenError HidOpenErrorOfErrno(int error) {
  return error == EACCES || error == EPERM ? HidOpenError::kPermissionDenied
                                           : HidOpenError::kUnavailable;
}

HidOpenResult HidapiTransport::Open(const std::string& path, HidAccess) {
  hid_device* device = nullptr;
  {
    std::lock_guard lock(HidapiGlobalMutex());
    if (!EnsureHidapiReady()) return HidOpenResult::Failed(HidOpenError::kUnavailable);
    device = hid_open_path(path.c_str());
  }
  if (device == nullptr) return HidOpenResult::Failed(OpenErrorOf(path));
  return std::make_unique<HidapiConnection>(device);
}

}  // namespace gm
