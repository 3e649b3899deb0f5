#include "device/device_threads.h"

#include <array>
#include <optional>
#include <utility>

#include "device/apply_tables.h"
#include "device/consumer_usage.h"
#include "device/device_link.h"
#include "device/feature_report.h"
#include "device/recoil_adjust.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/key_function.h"
#include "settings/key_map.h"
#include "settings/paths.h"

namespace gm {

std::atomic<int32_t> g_keyEventPending{0};
std::atomic<uint8_t> g_lastKeyEventCode{0};
std::atomic<int32_t> g_dpiChangePending{0};
std::atomic<int32_t> g_recoilDirection{0};
std::atomic<uint16_t> g_lastDpiKeyEvent{0};

namespace {

constexpr size_t kEventBytes = sizeof(InputEventReport);
constexpr int kDpiEventCodeShift = 8;
constexpr uint16_t kDpiEventStateMask = 0xFF;

void RequestRepaint(const RepaintRequest& repaint) {
  if (repaint) repaint();
}

// True while a flag waits for the key action thread.
bool KeyActionWaits() { return g_keyEventPending != 0 || g_dpiChangePending != 0; }

void HandleKeyEvent(uint8_t code, uint8_t state) {
  if ((state & kKeyStateDpiChangeBit) != 0) {
    g_lastDpiKeyEvent = static_cast<uint16_t>((code << kDpiEventCodeShift) | state);
    if (g_keyEventPending == 0) g_lastKeyEventCode = code;
    g_dpiChangePending = 1;
  } else {
    g_dpiChangePending = 0;
  }
  if (state == kKeyStateReleased) return;
  if (g_keyEventPending == 0) {
    // The code first: the key action thread reads it once it sees the flag.
    g_lastKeyEventCode = code;
    g_keyEventPending = 1;
  }
}

void RequestNudge(bool up, const RecoilNudgeRequest& nudge) {
  if (nudge) {
    nudge(up);
  } else {
    AdjustRecoilMacro(up);
  }
}

void Nudge(bool up, const RecoilNudgeRequest& nudge) {
  g_recoilDirection = up ? 1 : 0;
  RequestNudge(up, nudge);
}

// Keys of the current configuration at the device position of an event code, one at a time.
template <typename Action>
void ForEachKeyOfEvent(uint8_t code, Action action) {
  const KeySet keys = KeysOfEventCode(code);
  for (int k = 0; k < kMaxKeys; ++k) {
    if ((keys & (1u << k)) != 0) action(k);
  }
}

int CurrentConfiguration() {
  const int32_t configuration = g_curConfig;
  return configuration >= 0 && configuration < kConfigCount ? configuration : 0;
}

void TakeDpiLevel(const RepaintRequest& repaint) {
  if (g_dpiChangePending.exchange(0) == 0) return;
  const uint16_t event = g_lastDpiKeyEvent;
  const auto code = static_cast<uint8_t>(event >> kDpiEventCodeShift);
  const auto state = static_cast<uint8_t>(event & kDpiEventStateMask);
  ForEachKeyOfEvent(code, [&](int k) {
    if (g_dpiKeyFlag[CurrentConfiguration()][k] == 0) return;
    g_dpiLevel = state & kKeyStateDpiLevelMask;
    RequestRepaint(repaint);
    SaveDpiLevel(g_configIniPath);
  });
}

void ActOnKeyPress(const RepaintRequest& repaint) {
  ForEachKeyOfEvent(g_lastKeyEventCode, [&](int k) {
    if (g_cfgSwitchKeyFlag[CurrentConfiguration()][k] != 0) ReReadActiveConfiguration(repaint);
    // The function in the configuration that is current now, after a switch the new one.
    const int32_t function = g_keyFunction[CurrentConfiguration()][k];
    if (function >= kFirstMultimediaFunction && function <= kLastMultimediaFunction) {
      SendConsumerKey(ConsumerUsageOf(static_cast<uint8_t>(function - kFirstMultimediaFunction)));
    }
  });
}

}  // namespace

bool ReReadActiveConfiguration(const RepaintRequest& repaint) {
  const std::optional<FeatureReply> reply = ReadFeatureReply();
  if (!reply) return false;
  const int configuration = reply->ActiveConfiguration();
  g_curConfig = configuration;
  SaveCurConfig(g_configIniPath);
  LoadConfigSection(g_configFolder, configuration, false);
  RequestRepaint(repaint);
  return true;
}

void HandleInputReport(std::span<const uint8_t> report, const RepaintRequest& repaint,
                       const RecoilNudgeRequest& nudge) {
  if (report.size() < kEventBytes || report[0] != kInputReportId) return;
  const uint8_t code = report[1];
  const uint8_t state = report[2];
  if (code >= kEventFirstKey) {
    HandleKeyEvent(code, state);
  } else if (code == kEventIgnored) {
    // nothing
  } else if (code == kEventConfigurationSwitch) {
    ReReadActiveConfiguration(repaint);
  } else if (code == kEventRecoilUp) {
    Nudge(true, nudge);
  } else if (code == kEventRecoilDown) {
    Nudge(false, nudge);
  } else {
    RequestNudge(g_recoilDirection != 0, nudge);  // repeat the last nudge
  }
}

void RunKeyActionPass(const RepaintRequest& repaint) {
  TakeDpiLevel(repaint);
  // Only a press this pass has seen is cleared: a press that arrives after the look at the
  // flag waits for the next pass instead of being wiped out unhandled.
  if (g_keyEventPending == 0) return;
  ActOnKeyPress(repaint);
  g_keyEventPending = 0;
}

// ---- DeviceWorkers -------------------------------------------------------------------------

DeviceWorkers::DeviceWorkers(RepaintRequest repaint) : repaint_(std::move(repaint)) {}

DeviceWorkers::~DeviceWorkers() { Stop(); }

void DeviceWorkers::Start() {
  if (Running()) return;
  g_keyEventPending = 0;
  recoilNudges_.Start();
  reportThread_ = std::jthread([this](std::stop_token stop) { ReportLoop(std::move(stop)); });
  keyActionThread_ =
      std::jthread([this](std::stop_token stop) { KeyActionLoop(std::move(stop)); });
}

void DeviceWorkers::Stop() {
  reportThread_.request_stop();
  keyActionThread_.request_stop();
  if (reportThread_.joinable()) reportThread_.join();
  if (keyActionThread_.joinable()) keyActionThread_.join();
  recoilNudges_.Stop();  // after the report thread: nothing is queued any more
}

bool DeviceWorkers::Running() const {
  return reportThread_.joinable() || keyActionThread_.joinable();
}

DeviceWorkers::Passes DeviceWorkers::PassesMade() const {
  return {readPasses_.load(), keyActionPasses_.load()};
}

void DeviceWorkers::WakeKeyActionThread() {
  // The flags are set; passing through the mutex orders this after a waiter's look at them.
  { std::lock_guard lock(keyEventMutex_); }
  keyEvent_.notify_one();
}

void DeviceWorkers::ReportLoop(std::stop_token stop) {
  std::array<uint8_t, kReportBufferSize> report{};
  // Recoil requests are queued: the adjustment waits for a running Apply, reading does not.
  const RecoilNudgeRequest queueNudge = [this](bool up) { recoilNudges_.Push(up); };
  while (!stop.stop_requested()) {
    report.fill(0);
    const uint64_t connection = InputConnectionChanges();
    const int read = ReadInputReport(report, kInputReadWithoutLimit, stop);
    ++readPasses_;
    if (read < 0) {
      WaitForInputConnectionChange(connection, kFailedReadRetryPause, stop);
    } else if (read > 0) {
      HandleInputReport(std::span(report).first(static_cast<size_t>(read)), repaint_,
                        queueNudge);
      WakeKeyActionThread();
    }
  }
}

void DeviceWorkers::KeyActionLoop(std::stop_token stop) {
  std::unique_lock lock(keyEventMutex_);
  // The wait also ends on a stop request; a flag still set then is left for the next Start.
  while (keyEvent_.wait(lock, stop, KeyActionWaits) && !stop.stop_requested()) {
    lock.unlock();
    RunKeyActionPass(repaint_);
    ++keyActionPasses_;
    lock.lock();
  }
}

}  // namespace gm
