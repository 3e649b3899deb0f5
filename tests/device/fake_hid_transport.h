#pragma once
// A scripted HID transport for the device-link tests: it lists the collections a test chooses,
// in the test's order, and its connections record every report with the pause time that the
// recording sleeper had added up when the report went out.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "device/device_ids.h"
#include "device/hid_transport.h"
#include "device/sleeper.h"

namespace gm::test {

struct SentReport {
  std::vector<uint8_t> bytes;
  std::chrono::milliseconds at;  // pauses added up before the report
  bool operator==(const SentReport&) const = default;
};

struct FakeDeviceLog {
  std::mutex mutex;
  std::vector<SentReport> sent;
  std::vector<std::chrono::milliseconds> readBacks;  // time of each GetFeature
  std::vector<uint8_t> reply;                        // what GetFeature answers
  int failSetFeatureAt = -1;                         // index of a SetFeature that fails
  int failSetFeatureCount = 1;                       // ... and how many in a row from there
  int inputReads = 0;                                // ReadInput calls begun
};

class FakeConnection final : public HidConnection {
 public:
  FakeConnection(std::shared_ptr<FakeDeviceLog> log, const RecordingSleeper& sleeper)
      : log_(std::move(log)), sleeper_(sleeper) {}
  bool SetFeature(std::span<const uint8_t> report) override {
    std::lock_guard lock(log_->mutex);
    const int index = static_cast<int>(log_->sent.size());
    const bool fail = log_->failSetFeatureAt >= 0 && index >= log_->failSetFeatureAt &&
                      index - log_->failSetFeatureAt < log_->failSetFeatureCount;
    log_->sent.push_back({{report.begin(), report.end()}, sleeper_.Total()});
    return !fail;
  }
  bool GetFeature(std::span<uint8_t> report) override {
    std::lock_guard lock(log_->mutex);
    log_->readBacks.push_back(sleeper_.Total());
    if (log_->reply.size() != report.size()) return false;
    std::copy(log_->reply.begin(), log_->reply.end(), report.begin());
    return true;
  }
  // A mouse that sends no input reports: the read waits out its limit or the stop.
  int ReadInput(std::span<uint8_t>, int timeoutMs, const std::stop_token& stop) override {
    {
      std::lock_guard lock(log_->mutex);
      ++log_->inputReads;
    }
    std::mutex mutex;
    std::condition_variable_any never;
    std::unique_lock lock(mutex);
    const auto nothing = [] { return false; };
    if (timeoutMs < 0) {
      never.wait(lock, stop, nothing);
    } else {
      never.wait_for(lock, stop, std::chrono::milliseconds(timeoutMs), nothing);
    }
    return 0;
  }

 private:
  std::shared_ptr<FakeDeviceLog> log_;
  const RecordingSleeper& sleeper_;
};

class FakeHidTransport final : public HidTransport {
 public:
  explicit FakeHidTransport(const RecordingSleeper& sleeper) : sleeper_(sleeper) {}

  std::vector<HidCollectionInfo> collections;
  std::vector<std::pair<std::string, HidAccess>> opened;
  bool openFails = false;
  HidOpenError openError = HidOpenError::kUnavailable;  // the reason of a failed open
  std::shared_ptr<FakeDeviceLog> log = std::make_shared<FakeDeviceLog>();

  std::vector<HidCollectionInfo> Enumerate() override { return collections; }
  HidOpenResult Open(const std::string& path, HidAccess access) override {
    opened.emplace_back(path, access);
    if (openFails) return HidOpenResult::Failed(openError);
    return std::make_unique<FakeConnection>(log, sleeper_);
  }

 private:
  const RecordingSleeper& sleeper_;
};

inline constexpr uint16_t kFakeReportLength = 9;

inline HidCollectionInfo MouseCollection(std::string path, uint16_t usagePage,
                                         uint16_t usage = 1) {
  HidCollectionInfo info;
  info.path = std::move(path);
  info.vendorId = static_cast<uint16_t>(g_vendorId);
  info.productId = static_cast<uint16_t>(g_productId);
  info.usagePage = usagePage;
  info.usage = usage;
  info.inputReportByteLength = kFakeReportLength;
  info.featureReportByteLength = kFakeReportLength;
  return info;
}

}  // namespace gm::test
