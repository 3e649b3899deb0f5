#include "device/recoil_nudge_queue.h"

#include <utility>

#include "device/recoil_adjust.h"

namespace gm {

RecoilNudgeQueue::RecoilNudgeQueue() : RecoilNudgeQueue([](bool up) { AdjustRecoilMacro(up); }) {}

RecoilNudgeQueue::RecoilNudgeQueue(Nudge nudge) : nudge_(std::move(nudge)) {}

RecoilNudgeQueue::~RecoilNudgeQueue() { Stop(); }

void RecoilNudgeQueue::Start() {
  if (thread_.joinable()) return;
  thread_ = std::jthread([this](std::stop_token stop) { Run(std::move(stop)); });
}

void RecoilNudgeQueue::Stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
  std::lock_guard lock(mutex_);
  queued_.clear();
}

bool RecoilNudgeQueue::Push(bool up) {
  {
    std::lock_guard lock(mutex_);
    if (queued_.size() >= kMaxQueuedRecoilNudges) return false;
    queued_.push_back(up);
  }
  changed_.notify_one();
  return true;
}

size_t RecoilNudgeQueue::Pending() const {
  std::lock_guard lock(mutex_);
  return queued_.size() + running_;
}

void RecoilNudgeQueue::Run(std::stop_token stop) {
  std::unique_lock lock(mutex_);
  // The wait also ends on a stop request, with the queue as it is: queued nudges are dropped.
  while (changed_.wait(lock, stop, [this] { return !queued_.empty(); }) &&
         !stop.stop_requested()) {
    const bool up = queued_.front();
    queued_.pop_front();
    running_ = 1;
    lock.unlock();
    nudge_(up);
    lock.lock();
    running_ = 0;
  }
}

}  // namespace gm
