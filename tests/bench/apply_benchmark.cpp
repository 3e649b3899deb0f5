// Measures one full Apply against the virtual mouse: four configurations of nine keys bound to
// long user macros that fill the large macro memory. The pauses of the protocol are added up
// instead of slept, so the wall time is what Apply itself costs; the overhead is that wall time
// as a share of the pauses a real download sleeps.
//
// The same runs are then repeated with config.ini grown to 1 MB by a section of unrelated keys
// in front of its own: the first of them appends every settings key to the large file, the
// later ones change one setting each.
//
// Usage: apply_benchmark [runs]   (default 5)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <fstream>
#include <string>
#include <vector>

#include "device/apply_settings.h"
#include "device/device_link.h"
#include "device/sleeper.h"
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

// Adds up the pauses it is asked for and returns at once.
class SummingSleeper final : public Sleeper {
 public:
  void SleepFor(std::chrono::milliseconds duration) override { total_ += duration; }
  std::chrono::milliseconds Total() const { return total_; }

 private:
  std::chrono::milliseconds total_{0};
};

class NoDesktop final : public SystemMouseSettings {
 public:
  std::optional<int> GetPointerSpeed() override { return 10; }
  bool SetPointerSpeed(int) override { return true; }
  std::optional<int> GetWheelScrollLines() override { return 3; }
  bool SetWheelScrollLines(int) override { return true; }
};

// Twelve distinct macros of 123 key steps (248-byte images) fill 0x400..0xFA0 of the large
// macro memory (which ends at 0xFF8).
constexpr int kMacros = 12;
constexpr int kStepsPerMacro = 123;

MacroRecord LongMacro(int n) { return bench::KeyPressMacro(u"Bench", n, kStepsPerMacro); }

void PrepareSettings(const std::filesystem::path& folder) {
  bench::PrepareDataFolder(folder);
  std::vector<MacroRecord> macros;
  for (int i = 0; i < kMacros; ++i) macros.push_back(LongMacro(i));
  bench::SaveBenchGroup(macros, /*closeEditor=*/false);

  g_keyCount = kMaxKeys;
  for (int k = 0; k < kMaxKeys; ++k) g_keyMap[k] = static_cast<uint8_t>(k + 1);
  for (int c = 0; c < kConfigCount; ++c) {
    for (int k = 0; k < kMaxKeys; ++k) {
      g_keyFunction[c][k] = UserMacroCode(0, (c * kMaxKeys + k) % kMacros);
    }
  }
  for (int j = 0; j < kDpiLevelCount; ++j) g_dpiValue[j] = static_cast<uint8_t>(2 * j);
  g_usbRateCode = 0;
  g_pointerSpeed = 5;
  g_wheelSpeed = 3;
}

// Wall time of the file work one Apply does besides the download: saving the four
// configurations to config.ini and reading each bound macro from its group file.
double FileWorkMs(int runs) {
  const auto start = Clock::now();
  for (int run = 0; run < runs; ++run) {
    for (int c = 0; c < kConfigCount; ++c) SaveConfigSection(g_configIniPath, c);
    for (int i = 0; i < kMacros; ++i) LoadGroupMacro(0, static_cast<uint32_t>(i));
  }
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / runs;
}

constexpr size_t kLargeConfigBytes = 1 << 20;

// config.ini replaced by a 1 MB file: a section of unrelated keys, no settings yet.
void WriteLargeConfigIni() {
  std::string text = "[Padding]\r\n";
  for (int line = 0; text.size() < kLargeConfigBytes; ++line) {
    text += "P" + std::to_string(line) + "=" + std::string(40, 'p') + "\r\n";
  }
  std::ofstream(g_configIniPath, std::ios::binary | std::ios::trunc) << text;
}

double Ms(std::chrono::nanoseconds time) {
  return std::chrono::duration<double, std::milli>(time).count();
}

// Apply runs against the large config.ini; each run after the first changes the fire time.
bool RunLargeConfig(int runs, SystemMouseSettings& desktop) {
  WriteLargeConfigIni();
  const int savedFireTime = g_fireTime;
  double firstMs = 0;
  double laterMs = 0;
  for (int run = 0; run < runs; ++run) {
    if (run > 0) g_fireTime = savedFireTime + run;
    const auto start = Clock::now();
    const ApplyResult result = ApplySettingsToDevice(desktop, std::nullopt);
    const double ms = Ms(Clock::now() - start);
    if (result != ApplyResult::kCompleted) {
      std::fprintf(stderr, "Apply ended early (result %d)\n", static_cast<int>(result));
      return false;
    }
    (run == 0 ? firstMs : laterMs) += ms;
  }
  g_fireTime = savedFireTime;
  std::printf("with a 1 MB config.ini (%zu bytes after the first run):\n",
              static_cast<size_t>(std::filesystem::file_size(g_configIniPath)));
  std::printf("  first run (every settings key appended): %.2f ms wall\n", firstMs);
  if (runs > 1) {
    std::printf("  later runs (one setting changed): %.2f ms wall per run\n", laterMs / (runs - 1));
  }
  return true;
}

int CountStageReports(const std::vector<std::vector<uint8_t>>& reports) {
  int stages = 0;
  for (const auto& report : reports) {
    if (report.size() > 2 && report[1] == kCommandMemory && report[2] == kMemoryStage) ++stages;
  }
  return stages;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  gm::test::TempDir folder;
  PrepareSettings(folder.path());

  VirtualMouse mouse;
  mouse.SetLargeMacroMemory(true);
  SummingSleeper sleeper;
  SetDeviceSleeper(&sleeper);
  if (!OpenDevice(mouse)) {
    std::fprintf(stderr, "the virtual mouse was not found\n");
    return 1;
  }

  NoDesktop desktop;
  std::chrono::nanoseconds wall{0};
  size_t lastRunFirstReport = 0;  // the mouse keeps the reports of the last run
  for (int run = 0; run < runs; ++run) {
    lastRunFirstReport = mouse.FeatureReportCount();
    const auto start = Clock::now();
    const ApplyResult result = ApplySettingsToDevice(desktop, std::nullopt);
    wall += Clock::now() - start;
    if (result != ApplyResult::kCompleted) {
      std::fprintf(stderr, "Apply ended early (result %d)\n", static_cast<int>(result));
      return 1;
    }
  }

  const auto lastRun = mouse.RecentFeatureReports(lastRunFirstReport);
  const double perRunWallMs = std::chrono::duration<double, std::milli>(wall).count() / runs;
  const double perRunPauseMs = static_cast<double>(sleeper.Total().count()) / runs;
  std::printf("runs:                 %d\n", runs);
  std::printf("reports sent per run: %zu\n",
              mouse.FeatureReportCount() / static_cast<size_t>(runs));
  std::printf("stage reports per run (one per byte written, one for the read of 0x76): %d\n",
              CountStageReports(lastRun));
  std::printf("sum of pauses per run: %.0f ms\n", perRunPauseMs);
  std::printf("wall time per run (no sleeping): %.2f ms\n", perRunWallMs);
  std::printf("overhead: %.1f %% of the pauses\n", 100.0 * perRunWallMs / perRunPauseMs);
  const double fileMs = FileWorkMs(runs);
  std::printf("  of which config.ini save and group-file reads: %.2f ms\n", fileMs);
  std::printf("  download alone: %.2f ms (%.1f %% of the pauses)\n", perRunWallMs - fileMs,
              100.0 * (perRunWallMs - fileMs) / perRunPauseMs);

  if (!RunLargeConfig(runs, desktop)) return 1;

  SetDeviceSleeper(nullptr);
  CloseDevice();
  return 0;
}
