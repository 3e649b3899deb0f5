#pragma once
// The lighting page's repaint thread: while the lighting page is shown it asks the window to
// repaint at the pace of the lighting speed, so the page's preview follows the mode. It only
// asks for repaints; the painter decides what is drawn.
//
// g_ledPreviewRunning keeps to one thread: the page's tab sets it before the start, the thread
// clears it when it ends (it ends on its own after the page changed, within one wait).

#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

namespace gm {

// The wait between two repaints: 1200 ms at speed 0 down to 200 ms at speed 5; speeds above 5
// (no control produces them) wait as speed 5 does.
std::chrono::milliseconds LedPreviewInterval(uint8_t cycleTime);

class LedPreviewThread {
 public:
  using Repaint = std::function<void()>;
  // The wait before the next repaint, asked once per wait (from the thread).
  using Interval = std::function<std::chrono::milliseconds()>;

  // interval: LedPreviewInterval of the lighting speed (g_ledCycleTime) unless given.
  explicit LedPreviewThread(Repaint repaint, Interval interval = {});
  ~LedPreviewThread();  // stops and joins
  LedPreviewThread(const LedPreviewThread&) = delete;
  LedPreviewThread& operator=(const LedPreviewThread&) = delete;

  // Starts the thread (g_ledPreviewRunning = 1). A thread of an earlier visit of the page is
  // joined first.
  void Start();
  // Asks the thread to end, wakes it from its wait and joins it.
  void Stop();
  bool Joinable() const { return thread_.joinable(); }

 private:
  void Run(std::stop_token stop);

  Repaint repaint_;
  Interval interval_;
  std::jthread thread_;
};

}  // namespace gm
