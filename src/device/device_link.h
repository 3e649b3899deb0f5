#pragma once
// The link to the mouse: finding and opening its two collections, and every feature report
// the program exchanges with it.
//
// Every exchange runs under g_featureReportMutex: a command is composed in the one report
// buffer and sent under the lock, and a command sequence that belongs together (a block
// write, a read command with its read-back) holds the lock from its first report to its last,
// so reports of different threads never mix. Without an open feature connection every sender
// returns false and touches nothing; CloseDevice may run while other threads send.
//
// Lock order of the device link: a thread that holds one of these locks takes only locks
// further down the list: g_applyMutex (Apply), g_recoilSlotMutex, g_macroTablesMutex,
// g_featureReportMutex. g_deviceStateMutex is never held together with another of them.

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>

#include "device/device_ids.h"
#include "device/fair_mutex.h"
#include "device/feature_report.h"
#include "device/hid_transport.h"

namespace gm {

// ---- Device state (process-wide) --------------------------------------------------------

// Serialises every feature-report exchange with the mouse, first come first served: a key's
// report waits for the block under way, not for a whole download.
extern FairMutex g_featureReportMutex;
// The one feature-report buffer (guarded by g_featureReportMutex). Bytes a command does not
// set keep what the buffer holds: zeros at first, afterwards the bytes of the last reply.
extern std::array<uint8_t, kReportBufferSize> g_featureReport;
// The feature collection (guarded by g_featureReportMutex); null while not open.
extern std::shared_ptr<HidConnection> g_hDevWrite;
extern HidCollectionInfo g_capsWrite;

// Guards the input collection and the device path.
extern std::mutex g_deviceStateMutex;
// The input collection (guarded by g_deviceStateMutex); null while not open.
extern std::shared_ptr<HidConnection> g_hDevRead;
extern HidCollectionInfo g_capsRead;
// Path of the last interface that carried the mouse's ids (guarded by g_deviceStateMutex).
extern std::string g_devicePath;

// True when the last search saw an interface with the mouse's ids.
extern std::atomic<bool> g_deviceFound;

// Search caps: at most this many enumeration entries are looked at.
inline constexpr size_t kMaxEnumeratedInterfaces = 100;

// Pauses of the memory protocol.
inline constexpr std::chrono::milliseconds kStageToCommitPause{4};
inline constexpr std::chrono::milliseconds kCommitToIdlePause{2};
inline constexpr std::chrono::milliseconds kReadStepPause{2};
// A report the mouse does not take is sent up to this many times in all, with this pause
// before each repeat (a busy mouse may refuse one report; a mouse that is gone refuses all).
inline constexpr int kReportSendAttempts = 3;
inline constexpr std::chrono::milliseconds kReportRetryPause{2};

// ---- Discovery ---------------------------------------------------------------------------

// What a search for the mouse came to.
enum class DeviceOpenOutcome {
  kOpened,            // both collections met; every open that was tried succeeded
  kNotFound,          // no collection with the mouse's ids
  kPermissionDenied,  // the mouse is there, but the user may not open its nodes
  kOpenFailed,        // the mouse is there, but a collection could not be opened otherwise
};

struct DeviceOpenResult {
  bool found = false;  // g_deviceFound after the search
  DeviceOpenOutcome outcome = DeviceOpenOutcome::kNotFound;
  explicit operator bool() const { return found; }
};

// Searches the first kMaxEnumeratedInterfaces collections for the mouse's ids: the input
// collection (0xFF00/1) is opened for reading, the feature collection (0xFF01/1) for writing,
// and the search stops once both were met (a failed open counts as met). Connections of a
// previous search are closed first. `found` is g_deviceFound: true as soon as any collection
// with the ids was seen, even when a connection could not be opened; `outcome` keeps the
// reason a connection is missing, as the transport gave it (a refused open wins over any
// other failure, so the user can be told how to allow it).
DeviceOpenResult OpenDevice(HidTransport& transport);

// Drops both connections; safe while other threads send or read (a read waiting on the input
// connection ends at once). g_devicePath stays.
void CloseDevice();

// The link's start state: both connections dropped, nothing found, a zero report buffer, no
// collection info and no device path.
void ResetDeviceLink();

// True when path names the mouse's interface (letter case is ignored); false while no
// interface has been found.
bool IsOurDevice(std::string_view path);

bool HasWriteConnection();
bool HasReadConnection();

// Reads one input report from the input collection (at most the collection's input report
// length), waiting up to timeoutMs (negative: without a limit). The wait ends at once on a
// stop request on `stop` and when the input connection is closed or replaced (CloseDevice,
// OpenDevice). Returns the byte count; 0 when the wait ended without a report; -1 when there
// is no input connection or the device is gone.
int ReadInputReport(std::span<uint8_t> buffer, int timeoutMs, const std::stop_token& stop = {});

// Counts the changes of the input connection (opened, closed, replaced): a reader notes it
// before a read that failed, then waits for the next change.
uint64_t InputConnectionChanges();
// Waits until the input connection changed since InputConnectionChanges() gave `seen`, for
// at most `limit`, or until a stop is requested on `stop`.
void WaitForInputConnectionChange(uint64_t seen, std::chrono::milliseconds limit,
                                  const std::stop_token& stop);

// ---- Feature-report exchanges -------------------------------------------------------------

// Holds g_featureReportMutex for its life: everything sent through one transaction reaches
// the mouse without another thread's report in between. Do not nest transactions.
class DeviceTransaction {
 public:
  DeviceTransaction();
  DeviceTransaction(const DeviceTransaction&) = delete;
  DeviceTransaction& operator=(const DeviceTransaction&) = delete;

  bool Connected() const;
  // Composes the command in g_featureReport and sends the report at the feature length; a
  // refused report is sent again (kReportSendAttempts in all). False when every try failed.
  bool Send(const FeatureCommand& command);
  // Byte 0 = 7, then fetches the reply into g_featureReport. Nothing on failure (the buffer
  // then keeps what it held).
  std::optional<FeatureReply> ReadBack();
  // Pauses through DeviceSleeper() while keeping the lock.
  void Pause(std::chrono::milliseconds duration);

 private:
  std::unique_lock<FairMutex> lock_;
};

// One command each, as its own transaction. False when the report did not go out.
bool SendStage(uint8_t index, int32_t address, uint8_t value, uint8_t lengthMinusOne);
bool SendCommit(int32_t address, uint8_t lengthMinusOne);
bool SendIdle(int32_t address);
bool SendRead(int32_t address);
bool SendFinalCommit();
bool SendConsumerKey(uint16_t usage);
bool SendLeavingNotice();

// Reads back feature report 7 (active configuration, macro memory size, device nibble).
std::optional<FeatureReply> ReadFeatureReply();

// Reads the byte at address as one exchange: stage 0 at the address, pause 2 ms twice, idle
// at the address, read command, pause 2 ms, read-back, pause 2 ms, idle at address 0.
// Nothing when a report did not go out or the read-back failed.
std::optional<uint8_t> ReadDeviceByte(int32_t address);

// Writes one block of 1..kMaxBlockLength bytes at a 16-bit address as one exchange: a stage
// report per byte, 4 ms, the commit, 2 ms, the idle report. When a stage report fails the
// commit is skipped (a partly staged block is never committed) and the idle report still
// ends the operation. False for a failed report, a length outside 1..kMaxBlockLength or an
// address outside 0..0xFFFF (then nothing is sent).
bool WriteDeviceMemory(int32_t address, const uint8_t* data, int32_t length);
inline bool WriteDeviceMemory(int32_t address, std::span<const uint8_t> data) {
  const size_t length = std::min(data.size(), static_cast<size_t>(kMaxBlockLength) + 1);
  return WriteDeviceMemory(address, data.data(), static_cast<int32_t>(length));
}

}  // namespace gm
