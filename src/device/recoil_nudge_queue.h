#pragma once
// The recoil nudges the mouse asks for, carried out in order on a thread of their own.
//
// A nudge rewrites a slot in the mouse and must not run while Apply rewrites the images, so
// it waits for a running Apply (g_recoilSlotMutex). The report thread only queues the nudge
// and goes on reading: key presses, DPI keys and configuration switches are handled while
// Apply runs, and the queued nudges follow once it is over.
//
// Nudges are not commutative (y stops at 0 and 30), so they run one at a time in the order
// they were asked for. At most kMaxQueuedRecoilNudges wait; a nudge beyond them is dropped
// (the mouse repeats its request while the user holds the key). Stop ends the thread after the
// nudge under way; nudges still queued then are dropped, as reports not yet read are.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace gm {

inline constexpr size_t kMaxQueuedRecoilNudges = 64;

class RecoilNudgeQueue {
 public:
  // What one nudge does; by default AdjustRecoilMacro(up).
  using Nudge = std::function<void(bool up)>;

  RecoilNudgeQueue();
  explicit RecoilNudgeQueue(Nudge nudge);
  ~RecoilNudgeQueue();
  RecoilNudgeQueue(const RecoilNudgeQueue&) = delete;
  RecoilNudgeQueue& operator=(const RecoilNudgeQueue&) = delete;

  // Starts the thread; nothing when it runs.
  void Start();
  // Ends the thread after the nudge under way and drops the queued ones.
  void Stop();

  // Queues one nudge and returns at once; false when the queue is full (nudge dropped).
  bool Push(bool up);
  // Nudges queued or under way.
  size_t Pending() const;

 private:
  void Run(std::stop_token stop);

  Nudge nudge_;
  mutable std::mutex mutex_;
  std::condition_variable_any changed_;
  std::deque<bool> queued_;
  size_t running_ = 0;  // 1 while a nudge is under way
  std::jthread thread_;
};

}  // namespace gm
