#include "device/virtual_mouse.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <mutex>
#include <optional>

#include "device/device_ids.h"
#include "device/feature_report.h"
#include "device/hid_report_descriptor.h"
#include "device/recent_record.h"
#include "device/report_log.h"
#include "device/virtual_mouse_memory.h"

namespace gm {
namespace {

// Two vendor-defined application collections: 0xFF00/1 with input report 6 and 0xFF01/1 with
// feature report 7, each with eight bytes of payload.
constexpr uint8_t kReportDescriptor[] = {
    0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x06,        //   Report ID (6)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x08,        //   Report Count (8)
    0x09, 0x01,        //   Usage (1)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0xC0,              // End Collection
    0x06, 0x01, 0xFF,  // Usage Page (0xFF01)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x07,        //   Report ID (7)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x08,        //   Report Count (8)
    0x09, 0x01,        //   Usage (1)
    0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
    0xC0,              // End Collection
};

constexpr char kLogReceived[] = "SET";   // feature report from the host
constexpr char kLogReplied[] = "GET";    // feature reply to the host
constexpr char kLogRefused[] = "SET-REFUSED";
constexpr char kLogInput[] = "IN";       // input report to the host

uint16_t ConsumerUsageIn(std::span<const uint8_t> report) {
  ConsumerKeyReport bytes{};
  std::memcpy(&bytes, report.data(), sizeof(bytes));
  return static_cast<uint16_t>(bytes.usageHigh << 8 | bytes.usageLow);
}

std::filesystem::path PathFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

}  // namespace

class VirtualMouse::State {
 public:
  State(uint16_t inputLength, uint16_t featureLength, const std::filesystem::path& logFile)
      : inputLength_(inputLength), featureLength_(featureLength) {
    if (!logFile.empty()) log_ = std::make_unique<ReportLog>(logFile);
  }

  // ---- Host side calls (through the connections) ----

  bool ReceiveFeature(std::span<const uint8_t> report) {
    std::unique_lock lock(mutex_);
    if (unplugged_) return false;
    if (unplugAt_ && received_.Count() >= *unplugAt_) {
      unplugged_ = true;
      lock.unlock();
      inputArrived_.notify_all();
      return false;
    }
    const size_t number = received_.Count();
    received_.Add({report.begin(), report.end()});
    const bool refused = number >= refuseFirst_ && number - refuseFirst_ < refuseCount_;
    if (refused || report.size() != featureLength_ || report[0] != kFeatureReportId) {
      Log(kLogRefused, report);
      return false;
    }
    Log(kLogReceived, report);
    const MemoryCommandReport bytes = DecodeMemoryCommand(report);
    switch (bytes.command) {
      case kCommandMemory: memory_.Operate(bytes); break;
      case kCommandConsumerKey: consumerUsages_.Add(ConsumerUsageIn(report)); break;
      case kCommandLeaving: ++leavingNotices_; break;
      default: break;  // unknown commands are only recorded
    }
    return true;
  }

  bool AnswerFeature(std::span<uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (unplugged_ || report.size() != featureLength_ || report[0] != kFeatureReportId) {
      return false;
    }
    std::fill(report.begin(), report.end(), uint8_t{0});
    report[0] = kFeatureReportId;
    report[kReplyValueByte] = memory_.ReadBackByte();
    report[kReplyStatusByte] = StatusByteOf(activeConfiguration_, largeMacroMemory_);
    report[kReplyDeviceByte] = deviceNibble_;
    Log(kLogReplied, report);
    return true;
  }

  int DeliverInput(std::span<uint8_t> buffer, int timeoutMs, const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    ++inputReads_.count;
    int& longest = inputReads_.longestWaitMs;
    if (longest >= 0) longest = timeoutMs < 0 ? -1 : std::max(longest, timeoutMs);
    const auto ready = [this] { return unplugged_ || !input_.empty(); };
    // Both waits also end on a stop request, with the queue as it is.
    const bool arrived =
        timeoutMs < 0
            ? inputArrived_.wait(lock, stop, ready)
            : inputArrived_.wait_for(lock, stop, std::chrono::milliseconds(timeoutMs), ready);
    if (!arrived || stop.stop_requested()) return 0;
    if (unplugged_) return -1;
    const std::vector<uint8_t> report = std::move(input_.front());
    input_.pop_front();
    Log(kLogInput, report);
    const size_t count = std::min(buffer.size(), report.size());
    std::copy_n(report.begin(), count, buffer.begin());
    return static_cast<int>(count);
  }

  // ---- Test side ----

  void SetActiveConfiguration(int configuration) {
    std::lock_guard lock(mutex_);
    activeConfiguration_ = configuration & kConfigurationMask;
  }
  void SetLargeMacroMemory(bool large) {
    std::lock_guard lock(mutex_);
    largeMacroMemory_ = large;
  }
  void SetDeviceNibble(uint8_t nibble) {
    std::lock_guard lock(mutex_);
    deviceNibble_ = DeviceNibbleOf(nibble);
  }
  void InjectInput(std::span<const uint8_t> report) {
    std::lock_guard lock(mutex_);
    QueueInput(report);
  }
  void InjectConfigurationSwitch(int configuration) {
    std::lock_guard lock(mutex_);
    activeConfiguration_ = configuration & kConfigurationMask;
    const std::array<uint8_t, 2> report = {kInputReportId, kEventConfigurationSwitch};
    QueueInput(report);
  }
  void Unplug() {
    {
      std::lock_guard lock(mutex_);
      unplugged_ = true;
    }
    inputArrived_.notify_all();
  }

  void RefuseFeatureReports(size_t first, size_t count) {
    std::lock_guard lock(mutex_);
    refuseFirst_ = first;
    refuseCount_ = count;
  }
  void UnplugAtFeatureReport(size_t number) {
    std::lock_guard lock(mutex_);
    unplugAt_ = number;
  }

  bool Unplugged() const {
    std::lock_guard lock(mutex_);
    return unplugged_;
  }
  uint8_t MemoryByte(int32_t address) const {
    std::lock_guard lock(mutex_);
    return memory_.ByteAt(address);
  }
  std::vector<uint8_t> Memory() const {
    std::lock_guard lock(mutex_);
    return memory_.Bytes();
  }
  size_t ReceivedCount() const {
    std::lock_guard lock(mutex_);
    return received_.Count();
  }
  std::vector<std::vector<uint8_t>> Recent(size_t first) const {
    std::lock_guard lock(mutex_);
    return received_.From(first);
  }
  int CommitCount() const {
    std::lock_guard lock(mutex_);
    return memory_.CommitCount();
  }
  int FinalCommitCount() const {
    std::lock_guard lock(mutex_);
    return memory_.FinalCommitCount();
  }
  std::vector<uint16_t> ConsumerUsages() const {
    std::lock_guard lock(mutex_);
    return consumerUsages_.From();
  }
  size_t ConsumerKeyCount() const {
    std::lock_guard lock(mutex_);
    return consumerUsages_.Count();
  }
  VirtualMouse::InputReads InputReadsMade() const {
    std::lock_guard lock(mutex_);
    return inputReads_;
  }
  int LeavingNoticeCount() const {
    std::lock_guard lock(mutex_);
    return leavingNotices_;
  }
  int ActiveConfiguration() const {
    std::lock_guard lock(mutex_);
    return activeConfiguration_;
  }

  uint16_t InputLength() const { return inputLength_; }
  uint16_t FeatureLength() const { return featureLength_; }

 private:
  void QueueInput(std::span<const uint8_t> report) {
    std::vector<uint8_t> padded(inputLength_, 0);
    std::copy_n(report.begin(), std::min(report.size(), padded.size()), padded.begin());
    input_.push_back(std::move(padded));
    inputArrived_.notify_all();
  }

  void Log(const char* direction, std::span<const uint8_t> report) {
    if (log_) log_->Write(direction, report);
  }

  const uint16_t inputLength_;
  const uint16_t featureLength_;
  mutable std::mutex mutex_;
  std::condition_variable_any inputArrived_;
  std::unique_ptr<ReportLog> log_;
  VirtualMouseMemory memory_;
  int activeConfiguration_ = 0;
  bool largeMacroMemory_ = false;
  uint8_t deviceNibble_ = 0;
  bool unplugged_ = false;
  size_t refuseFirst_ = 0;
  size_t refuseCount_ = 0;
  std::optional<size_t> unplugAt_;
  std::deque<std::vector<uint8_t>> input_;
  RecentRecord<std::vector<uint8_t>> received_{kRecentFeatureReports};  // feature reports
  RecentRecord<uint16_t> consumerUsages_{kRecentConsumerKeys};
  int leavingNotices_ = 0;
  VirtualMouse::InputReads inputReads_;
};

namespace {

class VirtualMouseConnection final : public HidConnection {
 public:
  explicit VirtualMouseConnection(std::shared_ptr<VirtualMouse::State> state)
      : state_(std::move(state)) {}
  bool SetFeature(std::span<const uint8_t> report) override {
    return state_->ReceiveFeature(report);
  }
  bool GetFeature(std::span<uint8_t> report) override { return state_->AnswerFeature(report); }
  int ReadInput(std::span<uint8_t> buffer, int timeoutMs, const std::stop_token& stop) override {
    return state_->DeliverInput(buffer, timeoutMs, stop);
  }

 private:
  std::shared_ptr<VirtualMouse::State> state_;
};

}  // namespace

std::span<const uint8_t> VirtualMouse::ReportDescriptor() { return kReportDescriptor; }

VirtualMouse::VirtualMouse() : dumpFile_(PathFromEnvironment(kVirtualDumpVariable)) {
  const HidDescriptorParseResult parsed = ParseHidReportDescriptor(kReportDescriptor);
  assert(parsed.ok());
  uint16_t inputLength = 0;
  uint16_t featureLength = 0;
  for (const HidTopLevelCollection& collection : parsed.collections) {
    HidCollectionInfo info;
    info.path = kVirtualMousePath;
    info.vendorId = kMouseVendorId;
    info.productId = kMouseProductId;
    info.usagePage = collection.usagePage;
    info.usage = collection.usage;
    info.inputReportByteLength = collection.inputReportByteLength;
    info.featureReportByteLength = collection.featureReportByteLength;
    inputLength = std::max(inputLength, collection.inputReportByteLength);
    featureLength = std::max(featureLength, collection.featureReportByteLength);
    collections_.push_back(std::move(info));
  }
  state_ = std::make_shared<State>(inputLength, featureLength,
                                   PathFromEnvironment(kVirtualLogVariable));
}

VirtualMouse::~VirtualMouse() {
  if (!dumpFile_.empty()) DumpMemory(dumpFile_);
  // Connections still held elsewhere fail from now on.
  state_->Unplug();
}

std::vector<HidCollectionInfo> VirtualMouse::Enumerate() {
  if (state_->Unplugged()) return {};
  return collections_;
}

HidOpenResult VirtualMouse::Open(const std::string& path, HidAccess /*access*/) {
  if (path != kVirtualMousePath || state_->Unplugged()) return nullptr;
  return std::make_unique<VirtualMouseConnection>(state_);
}

void VirtualMouse::SetActiveConfiguration(int configuration) {
  state_->SetActiveConfiguration(configuration);
}
void VirtualMouse::SetLargeMacroMemory(bool large) { state_->SetLargeMacroMemory(large); }
void VirtualMouse::SetDeviceNibble(uint8_t nibble) { state_->SetDeviceNibble(nibble); }
void VirtualMouse::InjectInput(std::span<const uint8_t> report) { state_->InjectInput(report); }
void VirtualMouse::InjectConfigurationSwitch(int configuration) {
  state_->InjectConfigurationSwitch(configuration);
}
void VirtualMouse::Unplug() { state_->Unplug(); }
void VirtualMouse::RefuseFeatureReports(size_t first, size_t count) {
  state_->RefuseFeatureReports(first, count);
}
void VirtualMouse::UnplugAtFeatureReport(size_t number) { state_->UnplugAtFeatureReport(number); }

uint8_t VirtualMouse::MemoryByte(int32_t address) const { return state_->MemoryByte(address); }
std::vector<uint8_t> VirtualMouse::Memory() const { return state_->Memory(); }

bool VirtualMouse::DumpMemory(const std::filesystem::path& file) const {
  const std::vector<uint8_t> memory = state_->Memory();
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  if (!stream) return false;
  stream.write(reinterpret_cast<const char*>(memory.data()),
               static_cast<std::streamsize>(memory.size()));
  return static_cast<bool>(stream.flush());
}

size_t VirtualMouse::FeatureReportCount() const { return state_->ReceivedCount(); }
std::vector<std::vector<uint8_t>> VirtualMouse::RecentFeatureReports(size_t first) const {
  return state_->Recent(first);
}
int VirtualMouse::CommitCount() const { return state_->CommitCount(); }
int VirtualMouse::FinalCommitCount() const { return state_->FinalCommitCount(); }
std::vector<uint16_t> VirtualMouse::ConsumerUsages() const { return state_->ConsumerUsages(); }
size_t VirtualMouse::ConsumerKeyCount() const { return state_->ConsumerKeyCount(); }
int VirtualMouse::LeavingNoticeCount() const { return state_->LeavingNoticeCount(); }
VirtualMouse::InputReads VirtualMouse::InputReadsMade() const {
  return state_->InputReadsMade();
}
int VirtualMouse::ActiveConfiguration() const { return state_->ActiveConfiguration(); }
uint16_t VirtualMouse::InputReportLength() const { return state_->InputLength(); }
uint16_t VirtualMouse::FeatureReportLength() const { return state_->FeatureLength(); }

}  // namespace gm
