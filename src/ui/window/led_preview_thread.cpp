#include "ui/window/led_preview_thread.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <utility>

#include "settings/config_settings.h"
#include "ui/pages/ui_state.h"

namespace gm {
namespace {

constexpr int kSlowestIntervalMs = 1200;
constexpr int kIntervalStepMs = 200;
constexpr uint8_t kFastestCycleTime = 5;

}  // namespace

std::chrono::milliseconds LedPreviewInterval(uint8_t cycleTime) {
  const int speed = std::min(cycleTime, kFastestCycleTime);
  return std::chrono::milliseconds(kSlowestIntervalMs - kIntervalStepMs * speed);
}

LedPreviewThread::LedPreviewThread(Repaint repaint, Interval interval)
    : repaint_(std::move(repaint)), interval_(std::move(interval)) {
  if (!interval_) interval_ = [] { return LedPreviewInterval(g_ledCycleTime.load()); };
}

LedPreviewThread::~LedPreviewThread() { Stop(); }

void LedPreviewThread::Start() {
  // A thread left from an earlier visit of the page has cleared the running flag as its last
  // step (the tab starts no thread while the flag is set), so this join returns at once.
  if (thread_.joinable()) {
    thread_.request_stop();
    thread_.join();
  }
  g_ledPreviewRunning = 1;
  thread_ = std::jthread([this](std::stop_token stop) { Run(std::move(stop)); });
}

void LedPreviewThread::Stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

void LedPreviewThread::Run(std::stop_token stop) {
  std::mutex waitMutex;
  std::condition_variable_any wake;
  while (!stop.stop_requested() && g_curPage.load() == kPageLighting) {
    repaint_();
    std::unique_lock lock(waitMutex);
    wake.wait_for(lock, stop, interval_(), [] { return false; });
  }
  g_ledPreviewRunning = 0;
}

}  // namespace gm
