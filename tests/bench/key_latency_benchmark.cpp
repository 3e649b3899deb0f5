// Measures how long a key press on the mouse waits for its host action while Apply runs:
// from the input report of a multimedia key press to the consumer-key report the key action
// thread sends back. Apply runs again and again against the virtual mouse with the protocol's
// real pauses, and before each press the mouse asks for a recoil nudge, which has to wait
// for Apply; the key must not wait with it. Target: p99 under 50 ms.
// It also counts the worker threads' passes: while the mouse sends nothing (none expected),
// and per press (one read per report, one key action pass per report that leaves a flag).
//
// Usage: key_latency_benchmark [presses]   (default 200)

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/apply_settings.h"
#include "device/device_link.h"
#include "device/device_threads.h"
#include "device/feature_report.h"
#include "device/virtual_mouse.h"
#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_groups.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/key_function.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "bench_data.h"
#include "support/temp_dir.h"

namespace {

using namespace gm;
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr double kTargetP99Ms = 50.0;
constexpr int kKeys = 9;
constexpr int kMultimediaKey = 1;      // key 1 at position 2: event code 0xF2
constexpr int32_t kVolumeUp = kFirstMultimediaFunction;
constexpr int kLongMacros = 8;          // keep Apply busy for a while
constexpr int kLongMacroSteps = 120;
constexpr auto kPressTimeout = std::chrono::seconds(15);
constexpr auto kPollPause = std::chrono::microseconds(100);
constexpr auto kGapBetweenPresses = std::chrono::milliseconds(5);
constexpr auto kIdleWatch = std::chrono::milliseconds(500);

class NoDesktop final : public SystemMouseSettings {
 public:
  std::optional<int> GetPointerSpeed() override { return std::nullopt; }
  bool SetPointerSpeed(int) override { return true; }
  std::optional<int> GetWheelScrollLines() override { return std::nullopt; }
  bool SetWheelScrollLines(int) override { return true; }
};

MacroRecord LongMacro(int n) { return bench::KeyPressMacro(u"Long", n, kLongMacroSteps); }

// The first key's recoil macro: a few pointer moves.
MacroRecord RecoilMacro() {
  MacroRecord r{};
  SetMacroName(r, u"Spray");
  r.repeatCount = 1;
  for (int i = 0; i < 4; ++i) {
    r.code[i] = kStepMove;
    r.action[i] = 6;  // X+ Y+
    r.xy[i] = {0, 10};
    r.delayMs[i] = 10;
    ++r.stepCount;
    ++r.countF6;
  }
  return r;
}

void PrepareSettings(const std::filesystem::path& folder) {
  bench::PrepareDataFolder(folder);
  std::vector<MacroRecord> macros{RecoilMacro()};
  for (int i = 0; i < kLongMacros; ++i) macros.push_back(LongMacro(i));
  bench::SaveBenchGroup(macros, /*closeEditor=*/true);

  g_keyCount = kKeys;
  for (int k = 0; k < kKeys; ++k) g_keyMap[k] = static_cast<uint8_t>(k + 1);
  for (int c = 0; c < kConfigCount; ++c) {
    g_keyFunction[c][0] = UserMacroCode(0, 0);
    g_keyFunction[c][kMultimediaKey] = kVolumeUp;
    for (int k = 2; k < kKeys; ++k) {
      g_keyFunction[c][k] = UserMacroCode(0, 1 + (c * kKeys + k) % kLongMacros);
    }
  }
  g_curConfig = 0;
}

double Percentile(std::vector<double> sorted, double share) {
  if (sorted.empty()) return 0.0;
  const auto at = static_cast<size_t>(share * static_cast<double>(sorted.size() - 1) + 0.5);
  return sorted[std::min(at, sorted.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
  const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  gm::test::TempDir folder;
  PrepareSettings(folder.path());

  VirtualMouse mouse;
  mouse.SetLargeMacroMemory(true);
  if (!OpenDevice(mouse)) {
    std::fprintf(stderr, "the virtual mouse was not found\n");
    return 1;
  }
  NoDesktop desktop;
  DeviceWorkers workers([] {});
  workers.Start();
  std::this_thread::sleep_for(kIdleWatch);
  const DeviceWorkers::Passes idle = workers.PassesMade();

  // Apply over and over until the presses are done.
  std::atomic<bool> applying{false};
  std::atomic<bool> done{false};
  std::atomic<int> applies{0};
  double applyMsTotal = 0.0;  // Apply thread only
  std::thread applyThread([&] {
    while (!done) {
      applying = true;
      const auto start = Clock::now();
      ApplySettingsToDevice(desktop, std::nullopt);
      applyMsTotal += Ms(Clock::now() - start).count();
      applying = false;
      ++applies;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });

  const uint8_t eventCode = static_cast<uint8_t>(kEventFirstKey - 1 + g_keyMap[kMultimediaKey]);
  std::vector<double> latencies;
  int lost = 0;
  while (static_cast<int>(latencies.size()) + lost < presses) {
    while (!applying) std::this_thread::sleep_for(kPollPause);
    const uint8_t recoil[] = {kInputReportId, kEventRecoilUp, 0};
    mouse.InjectInput(recoil);
    const size_t before = mouse.ConsumerKeyCount();
    const uint8_t press[] = {kInputReportId, eventCode, 0x01};
    const auto start = Clock::now();
    mouse.InjectInput(press);
    bool answered = false;
    while (Clock::now() - start < kPressTimeout) {
      if (mouse.ConsumerKeyCount() > before) {
        answered = true;
        break;
      }
      std::this_thread::sleep_for(kPollPause);
    }
    const double ms = Ms(Clock::now() - start).count();
    const bool duringApply = applying;
    if (!answered) {
      ++lost;
    } else if (duringApply) {
      latencies.push_back(ms);
    }
    const uint8_t release[] = {kInputReportId, eventCode, 0x80};
    mouse.InjectInput(release);
    std::this_thread::sleep_for(kGapBetweenPresses);
  }
  done = true;
  applyThread.join();
  workers.Stop();
  const DeviceWorkers::Passes passes = workers.PassesMade();
  const int sent = static_cast<int>(latencies.size()) + lost;

  std::sort(latencies.begin(), latencies.end());
  const double p50 = Percentile(latencies, 0.50);
  const double p99 = Percentile(latencies, 0.99);
  const double max = latencies.empty() ? 0.0 : latencies.back();
  std::printf("key presses answered during Apply: %zu (lost: %d)\n", latencies.size(), lost);
  std::printf("Apply runs: %d, %.0f ms each on average\n", applies.load(),
              applies > 0 ? applyMsTotal / applies : 0.0);
  std::printf("press to consumer key, ms: p50 %.2f  p99 %.2f  max %.2f\n", p50, p99, max);
  std::printf("target p99 < %.0f ms: %s\n", kTargetP99Ms, p99 < kTargetP99Ms ? "met" : "MISSED");
  std::printf("worker passes while idle for %lld ms: reads %llu, key actions %llu\n",
              static_cast<long long>(kIdleWatch.count()),
              static_cast<unsigned long long>(idle.reads),
              static_cast<unsigned long long>(idle.keyActions));
  std::printf(
      "worker passes per press (recoil request, press, release): reads %.2f, "
      "key actions %.2f\n",
      static_cast<double>(passes.reads - idle.reads) / sent,
      static_cast<double>(passes.keyActions - idle.keyActions) / sent);

  CloseDevice();
  return p99 < kTargetP99Ms && lost == 0 ? 0 : 2;
}
