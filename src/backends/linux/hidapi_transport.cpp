#include "backends/linux/hidapi_transport.h"

#include <fcntl.h>
#include <hidapi.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>

#include "backends/linux/fd_read_wait.h"
#include "device/hid_interface_list.h"

namespace gm {
namespace {

// Report descriptors are at most 4 KiB under Linux; anything far larger is not one.
constexpr std::streamsize kMaxDescriptorFileBytes = 64 * 1024;

// hidapi keeps the error of enumeration in one process-wide variable; every call that may set
// it runs under this lock. The library is set up once and kept for the process.
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

// Feature reports longer than this do not fit the ioctl's size field.
constexpr std::size_t kMaxFeatureIoctlBytes = _IOC_SIZEMASK;

// An open hidraw node: feature reports through its ioctls, input reports read from it. The
// node is non-blocking and a read waits in poll() (ReadWhenReadable), so a stop request ends
// a wait at once and no read holds a lock while it waits.
class HidrawConnection final : public HidConnection {
 public:
  explicit HidrawConnection(int fd) : fd_(fd) {}
  ~HidrawConnection() override { ::close(fd_); }
  HidrawConnection(const HidrawConnection&) = delete;
  HidrawConnection& operator=(const HidrawConnection&) = delete;

  bool SetFeature(std::span<const uint8_t> report) override {
    if (report.empty() || report.size() > kMaxFeatureIoctlBytes) return false;
    std::lock_guard lock(mutex_);
    // The kernel only reads the report.
    const int sent =
        ::ioctl(fd_, HIDIOCSFEATURE(report.size()), const_cast<uint8_t*>(report.data()));
    return sent == static_cast<int>(report.size());
  }

  // The reply is fetched into a copy so that a failed read leaves the caller's bytes alone.
  // A reply shorter than the span fills its first bytes and leaves the rest as it was.
  bool GetFeature(std::span<uint8_t> report) override {
    if (report.empty() || report.size() > kMaxFeatureIoctlBytes) return false;
    std::vector<uint8_t> reply(report.begin(), report.end());
    std::lock_guard lock(mutex_);
    const int received = ::ioctl(fd_, HIDIOCGFEATURE(reply.size()), reply.data());
    if (received <= 0) return false;
    const auto count = std::min(static_cast<std::size_t>(received), report.size());
    std::copy_n(reply.begin(), count, report.begin());
    return true;
  }

  int ReadInput(std::span<uint8_t> buffer, int timeoutMs, const std::stop_token& stop) override {
    if (buffer.empty()) return -1;
    return ReadWhenReadable(fd_, buffer.first(std::min<std::size_t>(buffer.size(), INT_MAX)),
                            timeoutMs, stop);
  }

 private:
  const int fd_;
  std::mutex mutex_;  // one feature exchange on the node at a time
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
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return HidOpenResult::Failed(HidOpenErrorOfErrno(errno));
  int descriptorSize = 0;
  if (::ioctl(fd, HIDIOCGRDESCSIZE, &descriptorSize) < 0) {  // not a hidraw node
    ::close(fd);
    return HidOpenResult::Failed(HidOpenError::kUnavailable);
  }
  return std::make_unique<HidrawConnection>(fd);
}

}  // namespace gm
