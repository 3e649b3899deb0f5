// Start-up of the main window against the virtual mouse, timed from the window's construction
// to its first painted frame (settings, layouts, window shape, macros, the mouse opened, the
// first page composed from its pictures). Each run uses a fresh copy of the data folder.
//
// The runs are then repeated with config.ini grown to 1 MB by a section of unrelated keys in
// front of the settings, so that every key read has to pass it.
//
//   startup_benchmark [RUNS]     (QT_QPA_PLATFORM defaults to offscreen)

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "device/apply_settings.h"
#include "device/device_link.h"
#include "device/virtual_device_change_monitor.h"
#include "device/virtual_mouse.h"
#include "platform/message_sink.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "support/temp_dir.h"
#include "ui/window/main_dialog.h"
#include "ui/skin/skin_layout.h"
#include "ui/pages/ui_state.h"

namespace {

constexpr int kDefaultRuns = 7;

class NoDesktopSettings final : public gm::SystemMouseSettings {
 public:
  std::optional<int> GetPointerSpeed() override { return std::nullopt; }
  bool SetPointerSpeed(int) override { return false; }
  std::optional<int> GetWheelScrollLines() override { return std::nullopt; }
  bool SetWheelScrollLines(int) override { return false; }
};

class CountingSink final : public gm::MessageSink {
 public:
  void ShowMessage(const gm::UserMessage&) override { ++count; }
  int count = 0;
};

constexpr std::size_t kLargeConfigBytes = 1 << 20;

// Puts a section of unrelated keys in front of config.ini's own until it holds 1 MB.
void GrowConfigIni(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string settings((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  std::string text = "[Padding]\r\n";
  for (int line = 0; text.size() + settings.size() < kLargeConfigBytes; ++line) {
    text += "P" + std::to_string(line) + "=" + std::string(40, 'p') + "\r\n";
  }
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text << settings;
}

double OneRun(CountingSink& sink, bool largeConfig) {
  gm::ResetSettingsToStartValues();
  gm::ResetUiState();
  gm::ResetSkinLayoutGlobals();
  gm::test::TempDir folder;
  std::filesystem::copy(std::filesystem::path(GMOUSE_APP_DIR) / "skins", folder / "skins",
                        std::filesystem::copy_options::recursive);
  if (largeConfig) GrowConfigIni(folder / "skins" / "config" / "config.ini");
  gm::g_exeFolder = folder.path();
  gm::VirtualMouse mouse;
  NoDesktopSettings desktop;

  const auto start = std::chrono::steady_clock::now();
  gm::MainDialogServices services;
  services.transport = &mouse;
  services.mouseSettings = &desktop;
  services.deviceMonitor = std::make_unique<gm::VirtualDeviceChangeMonitor>();
  services.messageSink = &sink;
  services.arguments = {QStringLiteral("gmouse")};
  gm::CQEL_GMouseDlg dialog(std::move(services));
  if (!dialog.OnInitDialog()) return -1.0;
  dialog.show();
  while (dialog.PaintCount() == 0) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  const auto end = std::chrono::steady_clock::now();
  dialog.OnClose();
  gm::CloseDevice();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Kept to the end of the process, as in the tests: unloading the platform plugin before the
  // leak check makes the sanitizer builds' leak checker trip over the plugin's thread-local data.
  new QApplication(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
  CountingSink sink;
  gm::SetMessageSink(&sink);
  for (const bool largeConfig : {false, true}) {
    std::printf(largeConfig ? "with a 1 MB config.ini:\n" : "with the shipped config.ini:\n");
    std::vector<double> times;
    sink.count = 0;
    for (int i = 0; i < runs; ++i) {
      const double ms = OneRun(sink, largeConfig);
      if (ms < 0) {
        std::fprintf(stderr, "start-up failed (run %d)\n", i + 1);
        return 1;
      }
      std::printf("run %d: %.1f ms to the first painted frame\n", i + 1, ms);
      std::fflush(stdout);
      times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("median of %d runs: %.1f ms (min %.1f, max %.1f); messages shown: %d\n", runs,
                times[times.size() / 2], times.front(), times.back(), sink.count);
  }
  gm::SetMessageSink(nullptr);
  return 0;
}

// fontconfig frees its parsed configuration only when the font database is torn down, which the
// application object kept to the end never does: not a leak of the program's.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
