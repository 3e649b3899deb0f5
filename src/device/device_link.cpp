#include "device/device_link.h"

#include <algorithm>
#include <condition_variable>
#include <utility>

#include "device/sleeper.h"

namespace gm {

FairMutex g_featureReportMutex;
std::array<uint8_t, kReportBufferSize> g_featureReport{};
std::shared_ptr<HidConnection> g_hDevWrite;
HidCollectionInfo g_capsWrite;

std::mutex g_deviceStateMutex;
std::shared_ptr<HidConnection> g_hDevRead;
HidCollectionInfo g_capsRead;
std::string g_devicePath;

std::atomic<bool> g_deviceFound{false};

namespace {

// Guarded by g_deviceStateMutex: the stop source that cuts short a read on the current input
// connection, the count of connection changes and the wait for the next one.
std::stop_source g_inputConnectionCut;
uint64_t g_inputConnectionChanges = 0;
std::condition_variable_any g_inputConnectionChanged;

// Puts `connection` in place of the input connection, which it receives back. Returns the stop
// source of reads on the old one, for the caller to fire once it let go of the lock (the
// readers' callbacks then never run under g_deviceStateMutex). Putting the same connection
// (no connection in place of none) is no change: nobody is woken. Lock held by the caller.
std::stop_source SwapInputConnection(std::shared_ptr<HidConnection>& connection) {
  if (connection == g_hDevRead) return std::stop_source(std::nostopstate);
  g_hDevRead.swap(connection);
  ++g_inputConnectionChanges;
  g_inputConnectionChanged.notify_all();
  return std::exchange(g_inputConnectionCut, std::stop_source());
}

bool IsInputCollection(const HidCollectionInfo& info) {
  return info.usagePage == kInputCollectionUsagePage && info.usage == kInputCollectionUsage;
}

bool IsFeatureCollection(const HidCollectionInfo& info) {
  return info.usagePage == kFeatureCollectionUsagePage && info.usage == kFeatureCollectionUsage;
}

// A feature report must hold a whole memory command and fit the report buffer.
bool HasUsableFeatureLength(const HidCollectionInfo& info) {
  return info.featureReportByteLength >= kMinFeatureReportLength &&
         info.featureReportByteLength <= kReportBufferSize;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// Lock held by the caller.
std::span<uint8_t> FeatureReportSpan() {
  return {g_featureReport.data(), g_capsWrite.featureReportByteLength};
}

}  // namespace

// ---- Discovery ---------------------------------------------------------------------------

DeviceOpenResult OpenDevice(HidTransport& transport) {
  g_deviceFound = false;
  CloseDevice();

  const std::vector<HidCollectionInfo> collections = transport.Enumerate();
  const size_t count = std::min(collections.size(), kMaxEnumeratedInterfaces);
  bool inputMet = false;
  bool featureMet = false;
  HidOpenError openError = HidOpenError::kNone;
  const auto noteFailure = [&openError](HidOpenError error) {
    if (error == HidOpenError::kNone || openError == HidOpenError::kPermissionDenied) return;
    openError = error;
  };
  for (size_t i = 0; i < count; ++i) {
    const HidCollectionInfo& info = collections[i];
    if (!HasMouseIds(info)) continue;
    g_deviceFound = true;
    {
      std::lock_guard lock(g_deviceStateMutex);
      g_devicePath = info.path;
    }
    if (IsInputCollection(info)) {
      HidOpenResult opened = transport.Open(info.path, HidAccess::kRead);
      if (opened.connection == nullptr) noteFailure(opened.error);
      std::shared_ptr<HidConnection> connection = std::move(opened.connection);
      std::stop_source oldReads;
      {
        std::lock_guard lock(g_deviceStateMutex);
        g_capsRead = info;
        oldReads = SwapInputConnection(connection);
      }
      oldReads.request_stop();
      inputMet = true;
    }
    if (IsFeatureCollection(info)) {
      HidOpenResult opened;
      if (HasUsableFeatureLength(info)) {
        opened = transport.Open(info.path, HidAccess::kWrite);
        if (opened.connection == nullptr) noteFailure(opened.error);
      }
      std::lock_guard lock(g_featureReportMutex);
      g_capsWrite = info;
      g_hDevWrite = std::move(opened.connection);
      featureMet = true;
    }
    if (inputMet && featureMet) break;
  }

  DeviceOpenResult result;
  result.found = g_deviceFound;
  if (!result.found) return result;
  switch (openError) {
    case HidOpenError::kNone: result.outcome = DeviceOpenOutcome::kOpened; break;
    case HidOpenError::kPermissionDenied:
      result.outcome = DeviceOpenOutcome::kPermissionDenied;
      break;
    case HidOpenError::kUnavailable: result.outcome = DeviceOpenOutcome::kOpenFailed; break;
  }
  return result;
}

void CloseDevice() {
  std::shared_ptr<HidConnection> write;
  std::shared_ptr<HidConnection> read;
  {
    std::lock_guard lock(g_featureReportMutex);
    write.swap(g_hDevWrite);
  }
  std::stop_source reads;
  {
    std::lock_guard lock(g_deviceStateMutex);
    reads = SwapInputConnection(read);
  }
  reads.request_stop();  // a reader waiting on the old connection lets go of it
  // The connections close here, outside the locks (a reader may still hold its own copy).
}

bool IsOurDevice(std::string_view path) {
  std::lock_guard lock(g_deviceStateMutex);
  return !g_devicePath.empty() && EqualIgnoringCase(path, g_devicePath);
}

bool HasWriteConnection() {
  std::lock_guard lock(g_featureReportMutex);
  return g_hDevWrite != nullptr;
}

bool HasReadConnection() {
  std::lock_guard lock(g_deviceStateMutex);
  return g_hDevRead != nullptr;
}

int ReadInputReport(std::span<uint8_t> buffer, int timeoutMs, const std::stop_token& stop) {
  std::shared_ptr<HidConnection> connection;
  size_t length = 0;
  std::stop_token connectionCut;
  {
    std::lock_guard lock(g_deviceStateMutex);
    connection = g_hDevRead;
    length = g_capsRead.inputReportByteLength;
    connectionCut = g_inputConnectionCut.get_token();
  }
  if (connection == nullptr) return -1;
  // The read ends on either request: the caller's stop, or the connection's close.
  std::stop_source cut;
  const std::stop_callback onStop(stop, [&cut] { cut.request_stop(); });
  const std::stop_callback onClose(connectionCut, [&cut] { cut.request_stop(); });
  return connection->ReadInput(buffer.first(std::min(length, buffer.size())), timeoutMs,
                               cut.get_token());
}

uint64_t InputConnectionChanges() {
  std::lock_guard lock(g_deviceStateMutex);
  return g_inputConnectionChanges;
}

void WaitForInputConnectionChange(uint64_t seen, std::chrono::milliseconds limit,
                                  const std::stop_token& stop) {
  std::unique_lock lock(g_deviceStateMutex);
  g_inputConnectionChanged.wait_for(lock, stop, limit,
                                    [seen] { return g_inputConnectionChanges != seen; });
}

// ---- Feature-report exchanges -------------------------------------------------------------

DeviceTransaction::DeviceTransaction() : lock_(g_featureReportMutex) {}

bool DeviceTransaction::Connected() const { return g_hDevWrite != nullptr; }

bool DeviceTransaction::Send(const FeatureCommand& command) {
  if (!Connected()) return false;
  std::span<uint8_t> report = FeatureReportSpan();
  ComposeCommand(report, command);
  for (int attempt = 1;; ++attempt) {
    if (g_hDevWrite->SetFeature(report)) return true;
    if (attempt == kReportSendAttempts) return false;
    Pause(kReportRetryPause);
  }
}

std::optional<FeatureReply> DeviceTransaction::ReadBack() {
  if (!Connected()) return std::nullopt;
  std::span<uint8_t> report = FeatureReportSpan();
  report[0] = kFeatureReportId;
  if (!g_hDevWrite->GetFeature(report)) return std::nullopt;
  FeatureReply reply;
  std::copy(report.begin(), report.end(), reply.bytes.begin());
  reply.length = report.size();
  return reply;
}

void DeviceTransaction::Pause(std::chrono::milliseconds duration) {
  DeviceSleeper().SleepFor(duration);
}

namespace {

bool SendAlone(const FeatureCommand& command) {
  DeviceTransaction transaction;
  return transaction.Send(command);
}

bool IsDeviceAddress(int32_t address) { return address >= 0 && address <= kMaxDeviceAddress; }

}  // namespace

bool SendStage(uint8_t index, int32_t address, uint8_t value, uint8_t lengthMinusOne) {
  return SendAlone(StageCommand(index, address, value, lengthMinusOne));
}
bool SendCommit(int32_t address, uint8_t lengthMinusOne) {
  return SendAlone(CommitCommand(address, lengthMinusOne));
}
bool SendIdle(int32_t address) { return SendAlone(IdleCommand(address)); }
bool SendRead(int32_t address) { return SendAlone(ReadCommand(address)); }
bool SendFinalCommit() { return SendAlone(FinalCommitCommand()); }
bool SendConsumerKey(uint16_t usage) { return SendAlone(ConsumerKeyCommand(usage)); }
bool SendLeavingNotice() { return SendAlone(LeavingCommand()); }

std::optional<FeatureReply> ReadFeatureReply() {
  DeviceTransaction transaction;
  return transaction.ReadBack();
}

std::optional<uint8_t> ReadDeviceByte(int32_t address) {
  if (!IsDeviceAddress(address)) return std::nullopt;
  DeviceTransaction transaction;
  if (!transaction.Connected()) return std::nullopt;
  bool sent = transaction.Send(StageCommand(0, address, 0, 0));
  transaction.Pause(kReadStepPause);
  transaction.Pause(kReadStepPause);
  sent = transaction.Send(IdleCommand(address)) && sent;
  sent = transaction.Send(ReadCommand(address)) && sent;
  transaction.Pause(kReadStepPause);
  std::optional<FeatureReply> reply;
  if (sent) reply = transaction.ReadBack();
  transaction.Pause(kReadStepPause);
  sent = transaction.Send(IdleCommand(0)) && sent;
  if (!sent || !reply) return std::nullopt;
  return reply->ValueByte();
}

bool WriteDeviceMemory(int32_t address, const uint8_t* data, int32_t length) {
  if (!IsDeviceAddress(address) || length < 1 || length > kMaxBlockLength || data == nullptr) {
    return false;
  }
  const auto lengthMinusOne = static_cast<uint8_t>(length - 1);
  DeviceTransaction transaction;
  if (!transaction.Connected()) return false;
  bool staged = true;
  for (int32_t i = 0; i < length && staged; ++i) {
    staged =
        transaction.Send(StageCommand(static_cast<uint8_t>(i), address, data[i], lengthMinusOne));
  }
  transaction.Pause(kStageToCommitPause);
  const bool committed = staged && transaction.Send(CommitCommand(address, lengthMinusOne));
  transaction.Pause(kCommitToIdlePause);
  const bool idled = transaction.Send(IdleCommand(address));
  return committed && idled;
}

}  // namespace gm
